// SPDX-License-Identifier: MIT
#include "ui/PanelList.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <algorithm>

#include "ui/PanelAccessibility.h"

namespace ui {
namespace {

const QString entryStyle = QStringLiteral("color: #dfe8f2; background: transparent;");
const QString currentEntryStyle =
    QStringLiteral("color: #ffffff; background: rgba(255,255,255,40); border: 1px solid #ffffff;");

}  // namespace

PanelList::PanelList(QWidget* parent) : QWidget(parent), grid(new QGridLayout(this)) {
    installPanelAccessibility();
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);
    setFocusPolicy(Qt::TabFocus);
}

QList<PanelEntry*> PanelList::showEntries(int count) {
    while (entries.size() < count) {
        auto* entry = new PanelEntry(this);
        QFont font = entry->font();
        font.setPointSizeF(7);
        entry->setFont(font);
        entry->setStyleSheet(entryStyle);
        entry->setWordWrap(true);
        grid->addWidget(entry, static_cast<int>(entries.size()), 0);
        entries << entry;
    }
    shown = count;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        entries[i]->setVisible(i < shown);
    }
    setCurrentEntry(std::min(current, shown - 1));
    return shownEntries();
}

// The current entry is framed while the list has the focus.
void PanelList::setCurrentEntry(int index) {
    current = std::max(index, 0);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const bool isCurrent = i == current && hasFocus();
        if (entries[i]->isCurrent() != isCurrent) {
            entries[i]->setCurrent(isCurrent);
            entries[i]->setStyleSheet(isCurrent ? currentEntryStyle : entryStyle);
        }
    }
    if (hasFocus() && current < shown) {
        announceEntryFocus(entries[current]);
    }
}

void PanelList::keyPressEvent(QKeyEvent* event) {
    const int last = shown - 1;
    switch (event->key()) {
        case Qt::Key_Up:
            setCurrentEntry(std::max(current - 1, 0));
            break;
        case Qt::Key_Down:
            setCurrentEntry(std::min(current + 1, last));
            break;
        case Qt::Key_Home:
            setCurrentEntry(0);
            break;
        case Qt::Key_End:
            setCurrentEntry(last);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void PanelList::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    setCurrentEntry(current);
}

void PanelList::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    setCurrentEntry(current);
}

}  // namespace ui
