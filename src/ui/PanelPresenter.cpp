// SPDX-License-Identifier: MIT
#include "ui/PanelPresenter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QToolButton>

#include "ui/CodePage.h"
#include "ui/InfoPanel.h"

namespace ui {
namespace {

// Where the battery current and the solar cell, the two items whose classification follows
// the day/night setting, stand among a Check's items.
constexpr std::array<std::size_t, 2> dayNightItems{check::field::H2, check::field::H4};

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

PanelPresenter::PanelPresenter(InfoPanel* panel, const Boxes& boxes, const check::Session& session,
                               QObject* parent)
    : QObject(parent),
      panel(panel),
      boxes(boxes),
      session(session),
      lastCheck(check::summarizeCheck({})) {
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        connect(boxes[field], &QLineEdit::textChanged, this, [this, field] { boxChanged(field); });
        markBox(field);
    }
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* before, QWidget* now) { focusMoved(before, now); });
    connect(panel->viewSwitch(), &QToolButton::toggled, this, &PanelPresenter::setDaylightView);
    showLastCheck();
}

void PanelPresenter::showCheck(const check::CheckOutcome& outcome) {
    lastCheck = check::summarizeCheck(outcome);
    lastCheckTexts = outcome.texts;
    focusMoved(nullptr, QApplication::focusWidget());
}

int PanelPresenter::fieldOf(const QWidget* widget) const {
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        if (boxes[field] == widget) {
            return static_cast<int>(field);
        }
    }
    return -1;
}

void PanelPresenter::focusMoved(QWidget* before, QWidget* now) {
    if (const int left = fieldOf(before); left >= 0) {
        markBox(static_cast<std::size_t>(left));  // a box left incomplete is marked now
    }
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

void PanelPresenter::setDaylightView(bool daylight) {
    daylightView = daylight;
    focusMoved(nullptr, QApplication::focusWidget());
}

void PanelPresenter::showLastCheck() {
    std::vector<check::SummaryLine> lines = lastCheck;
    if (daylightView) {
        for (const std::size_t item : dayNightItems) {
            if (lines[item].health != check::Health::NotCopied) {
                lines[item] = session.preview(lastCheckTexts, item, true).front();
            }
        }
    }
    panel->showLines(tr("Last Check"), lines);
}

void PanelPresenter::showPreview(std::size_t field) {
    const QString name = QString::fromUtf8(check::frameFields[field].name);
    panel->showLines(tr("%1 as typed").arg(name), session.preview(boxTexts(), field, daylightView));
}

// A box is marked when its text cannot become a clean number of its width (a character
// that is not a hexadecimal digit, or too many digits), or when it is left incomplete; a
// box being typed in is not marked for lacking its last digits.
void PanelPresenter::markBox(std::size_t field) {
    QLineEdit* box = boxes[field];
    const std::string text = toCp932(box->text());
    const auto width = static_cast<std::size_t>(check::frameFields[field].digits);
    const bool cannotBeClean =
        text.size() > width || !std::all_of(text.begin(), text.end(), isHexDigit);
    const bool incomplete = !text.empty() && text.size() < width;
    const bool marked = cannotBeClean || (incomplete && !box->hasFocus());
    const check::FieldReading reading = check::readField(field, text);
    const QString hint = marked ? tr("Not a %1-digit hexadecimal number: read as %2")
                                      .arg(check::frameFields[field].digits)
                                      .arg(QString::fromStdString(reading.readAs))
                                : QString();
    box->setToolTip(hint);
    // The hint adds to the box's description, which says what the box is for.
    QString description = tr("Field %1 of the frame after VOKA")
                              .arg(QString::fromUtf8(check::frameFields[field].name));
    if (marked) {
        description += QStringLiteral(". ") + hint;
    }
    if (box->accessibleDescription() != description) {
        box->setAccessibleDescription(description);
    }
    if (marked == isMarked[field]) {
        return;
    }
    isMarked[field] = marked;
    QPalette look;  // an amber background marks the box; the default palette unmarks it
    if (marked) {
        look.setColor(QPalette::Base, QColor(0xFF, 0xD8, 0xA0));
    }
    box->setPalette(look);
    if (marked && onMarked) {
        onMarked(box, tr("%1 %2 read as %3")
                          .arg(QString::fromUtf8(check::frameFields[field].name), box->text(),
                               QString::fromStdString(reading.readAs)));
    }
}

check::FrameTexts PanelPresenter::boxTexts() const {
    check::FrameTexts texts;
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        texts[field] = toCp932(boxes[field]->text());
    }
    return texts;
}

}  // namespace ui
