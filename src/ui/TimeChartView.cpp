// SPDX-License-Identifier: MIT
#include "ui/TimeChartView.h"

#include <QAbstractAxis>
#include <QDateTimeAxis>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace ui {
namespace {

constexpr double zoomStep = 0.8;  // one wheel notch or key press shows 80 % of the range
constexpr double panStep = 0.1;   // one key press moves by a tenth of the range

}  // namespace

TimeChartView::TimeChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);  // the pointer at rest over a point tells about it
}

double TimeChartView::timeAt(QPoint position) const {
    return chart()->mapToValue(chart()->mapFromScene(mapToScene(position))).x();
}

double TimeChartView::visibleSpan() const {
    const QRectF area = chart()->plotArea();
    return timeAt(area.topRight().toPoint()) - timeAt(area.topLeft().toPoint());
}

void TimeChartView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        return;
    }
    double factor = 1.0;
    for (int i = 0; i < std::abs(notches); ++i) {
        factor *= notches > 0 ? zoomStep : 1.0 / zoomStep;
    }
    emit zoomRequested(timeAt(event->position().toPoint()), factor);
    event->accept();
}

void TimeChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging = true;
        dragged = false;
        lastPosition = event->pos();
    }
    QChartView::mousePressEvent(event);
}

void TimeChartView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging && event->buttons().testFlag(Qt::LeftButton)) {
        const double span = timeAt(lastPosition) - timeAt(event->pos());
        lastPosition = event->pos();
        if (span != 0.0) {
            dragged = true;
            emit panRequested(span);
        }
    } else {
        emit pointed(event->pos(), false);
    }
    QChartView::mouseMoveEvent(event);
}

void TimeChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging && !dragged && event->button() == Qt::LeftButton) {
        emit pointed(event->pos(), true);
    }
    dragging = false;
    QChartView::mouseReleaseEvent(event);
}

void TimeChartView::keyPressEvent(QKeyEvent* event) {
    const QRectF area = chart()->plotArea();
    const double centre = timeAt(area.center().toPoint());
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            emit zoomRequested(centre, zoomStep);
            break;
        case Qt::Key_Minus:
            emit zoomRequested(centre, 1.0 / zoomStep);
            break;
        case Qt::Key_Left:
            emit panRequested(-panStep * visibleSpan());
            break;
        case Qt::Key_Right:
            emit panRequested(panStep * visibleSpan());
            break;
        case Qt::Key_Home:
            emit showAllRequested();
            break;
        default:
            QChartView::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace ui
