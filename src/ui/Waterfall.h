// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/RecordingJob.h"

namespace ui {

// The waterfall of a whole recording: time from left to right at a chosen number of pixels
// a second, frequency upwards, the tracked tone drawn over it and every frame heard marked
// by a band. A click selects the frame there.
class Waterfall : public QWidget {
    Q_OBJECT

  public:
    explicit Waterfall(QWidget* parent = nullptr);

    void showAnalysis(std::shared_ptr<const RecordingAnalysis> analysis);
    void setPixelsPerSecond(double pixels);
    double pixelsPerSecond() const { return scale; }
    void selectFrame(int index);
    // The spectrogram at the chosen zoom, one pixel a row of frequencies high.
    const QImage& image() const { return picture; }
    // Where a frame lies, in the widget's pixels.
    int xOf(double seconds) const;

    QSize sizeHint() const override;

  signals:
    void frameClicked(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void render();
    double yOf(double hz) const;

    std::shared_ptr<const RecordingAnalysis> shown;
    QImage picture;
    double scale = 10;
    int selected = -1;
};

}  // namespace ui
