// SPDX-License-Identifier: MIT
#include "ui/NoticePopup.h"

#include <QMouseEvent>
#include <QToolTip>

namespace ui {

NoticePopup::NoticePopup(QWidget* parent) : QLabel(parent, Qt::ToolTip) {
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(4);
    setWordWrap(true);
    setMaximumWidth(420);
    expiry.setSingleShot(true);
    expiry.setTimerType(Qt::PreciseTimer);
    connect(&expiry, &QTimer::timeout, this, &QWidget::hide);
}

void NoticePopup::showNear(QWidget* near, const QString& text) {
    setText(text);
    adjustSize();
    move(near->mapToGlobal(QPoint(0, near->height())));
    show();
    raise();
    expiry.start(displayMilliseconds);
}

int NoticePopup::remainingMilliseconds() const {
    return isVisible() ? expiry.remainingTime() : 0;
}

void NoticePopup::mousePressEvent(QMouseEvent* event) {
    hide();
    event->accept();
}

}  // namespace ui
