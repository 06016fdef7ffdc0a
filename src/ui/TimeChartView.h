// SPDX-License-Identifier: MIT
#pragma once

#include <QChartView>
#include <QPoint>

namespace ui {

// A chart of values against time whose time axis the operator zooms and pans: the mouse
// wheel zooms about the pointer, a drag with the left button pans, and the keys + and -
// zoom, Left and Right pan, Home shows everything. It asks; the pass view applies the new
// range to every chart so that they stay aligned.
class TimeChartView : public QChartView {
    Q_OBJECT

  public:
    explicit TimeChartView(QChart* chart, QWidget* parent = nullptr);

  signals:
    // Zoom by factor (below 1 zooms in) about a time on the axis.
    void zoomRequested(double centre, double factor);
    // Move the range by a span of the axis.
    void panRequested(double span);
    void showAllRequested();
    // The pointer rests at a place of the view, or clicked there without dragging.
    void pointed(QPoint position, bool clicked);

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    double timeAt(QPoint position) const;
    double visibleSpan() const;

    bool dragging = false;
    bool dragged = false;
    QPoint lastPosition;
};

}  // namespace ui
