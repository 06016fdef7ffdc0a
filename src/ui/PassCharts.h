// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

#include "ui/Pass.h"

class QChart;
class QLabel;
class QTimer;

namespace ui {

class TimeChartView;
struct ChartPanel;
struct Sample;
struct Track;

// The pass view's charts, one above the other on a common UTC time axis: one per analog
// channel, with the bands of its classification shaded and each point marked by its state,
// and a timeline of the status word's items and the sun sensor's state. Every pass is drawn
// in its own colour. Zooming or panning any chart moves them all. Only the points that
// show at the charts' width are handed to Qt Charts, so a year of passes stays quick.
class PassCharts : public QWidget {
    Q_OBJECT

  public:
    explicit PassCharts(QWidget* parent = nullptr);
    ~PassCharts() override;

    // The passes to draw; they live in the caller. Call passAdded or passChanged after each
    // change of the vector or of a pass.
    void setPasses(const std::vector<Pass>* shownPasses);
    void passAdded();
    void passChanged(std::size_t pass);

    // The time range on the axis, in milliseconds as the axis counts them.
    void setTimeRange(double from, double to);
    std::pair<double, double> timeRange() const { return range; }
    void zoom(double centre, double factor);
    void pan(double span);
    void showAll();

    // Marks a frame on every chart.
    void select(FrameRef frame);

    std::size_t chartCount() const;
    QChart* chart(std::size_t index) const;
    TimeChartView* chartView(std::size_t index) const;

    // Writes the charts as a PNG or an SVG picture, by the file's suffix; false, with the
    // reason, when that failed.
    bool save(const QString& path, QString* error);

    // The axis time of a frame's UTC time.
    static double axisTime(std::time_t time);

  signals:
    void framePicked(ui::FrameRef frame);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildPanels();
    void rebuildTracks(std::size_t pass);
    void redraw();
    void updateValueRanges();
    void updateBands();
    double latestBatteryVoltage() const;
    void alignPlotAreas();
    void updateLegend();
    struct Nearest {
        const Track* track = nullptr;
        const Sample* sample = nullptr;
    };
    Nearest nearestTo(const ChartPanel& panel, QPoint viewPosition) const;
    void pointAt(const ChartPanel& panel, QPoint viewPosition, bool clicked);
    QString describe(const ChartPanel& panel, const Track& track, FrameRef frame) const;
    std::pair<double, double> fullRange() const;

    const std::vector<Pass>* passes = nullptr;
    std::vector<std::unique_ptr<ChartPanel>> panels;
    QLabel* legend = nullptr;
    std::pair<double, double> range{0.0, 1.0};
    bool showingAll = true;
    bool aligning = false;
    QTimer* aligner = nullptr;
    QTimer* resizer = nullptr;
};

}  // namespace ui
