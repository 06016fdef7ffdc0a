// SPDX-License-Identifier: MIT
#include "ui/PanelPresenter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

#include "ui/CodePage.h"
#include "ui/InfoPanel.h"

namespace ui {

PanelPresenter::PanelPresenter(InfoPanel* panel, const Boxes& boxes, const check::Session& session,
                               QObject* parent)
    : QObject(parent),
      panel(panel),
      boxes(boxes),
      session(session),
      lastCheck(check::summarizeCheck({})) {
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        connect(boxes[field], &QLineEdit::textChanged, this, [this, field] { boxChanged(field); });
    }
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* /*before*/, QWidget* now) { focusMoved(now); });
    showLastCheck();
}

void PanelPresenter::showCheck(const check::CheckOutcome& outcome) {
    lastCheck = check::summarizeCheck(outcome);
    focusMoved(QApplication::focusWidget());
}

int PanelPresenter::fieldOf(const QWidget* widget) const {
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        if (boxes[field] == widget) {
            return static_cast<int>(field);
        }
    }
    return -1;
}

void PanelPresenter::focusMoved(QWidget* now) {
    const int field = fieldOf(now);
    if (field >= 0) {
        showPreview(static_cast<std::size_t>(field));
    } else if (now == nullptr || now->window() == panel->window()) {
        showLastCheck();
    }
}

void PanelPresenter::boxChanged(std::size_t field) {
    markBox(field);
    if (boxes[field]->hasFocus()) {
        showPreview(field);
    }
}

void PanelPresenter::showLastCheck() {
    panel->showLines(QStringLiteral("Last Check"), lastCheck);
}

void PanelPresenter::showPreview(std::size_t field) {
    const QString name = QString::fromUtf8(check::frameFields[field].name);
    panel->showLines(QStringLiteral("%1 as typed").arg(name), session.preview(boxTexts(), field));
}

void PanelPresenter::markBox(std::size_t field) {
    QLineEdit* box = boxes[field];
    const std::string text = toCp932(box->text());
    const check::FieldReading reading = check::readField(field, text);
    const bool marked = !text.empty() && !reading.clean;
    if (marked != isMarked[field]) {
        isMarked[field] = marked;
        QPalette look;  // an amber background marks the box; the default palette unmarks it
        if (marked) {
            look.setColor(QPalette::Base, QColor(0xFF, 0xD8, 0xA0));
        }
        box->setPalette(look);
    }
    const QString hint = marked ? QStringLiteral("Not a %1-digit hexadecimal number: read as %2")
                                      .arg(check::frameFields[field].digits)
                                      .arg(QString::fromStdString(reading.readAs))
                                : QString();
    box->setToolTip(hint);
    box->setAccessibleDescription(hint);
}

check::FrameTexts PanelPresenter::boxTexts() const {
    check::FrameTexts texts;
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        texts[field] = toCp932(boxes[field]->text());
    }
    return texts;
}

}  // namespace ui
