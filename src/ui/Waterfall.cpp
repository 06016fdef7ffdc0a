// SPDX-License-Identifier: MIT
#include "ui/Waterfall.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace ui {
namespace {

constexpr int waterfallHeight = 180;
constexpr float shownRangeDb = 35;  // from the noise floor to full brightness

// Dark blue through violet and orange to pale yellow: weak signals stay visible.
QRgb colourOf(double level) {
    constexpr std::array<std::array<int, 3>, 5> stops{
        {{0, 0, 20}, {30, 20, 120}, {160, 40, 130}, {240, 140, 40}, {255, 250, 200}}};
    const double at = std::clamp(level, 0.0, 1.0) * (stops.size() - 1);
    const auto low = static_cast<std::size_t>(std::min(at, stops.size() - 1.001));
    const double part = at - static_cast<double>(low);
    std::array<int, 3> rgb{};
    for (std::size_t c = 0; c < 3; ++c) {
        rgb[c] = static_cast<int>(stops[low][c] + part * (stops[low + 1][c] - stops[low][c]));
    }
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

// The noise floor: the median of every value, as noise fills most of the picture.
float floorOf(std::vector<float> values) {
    if (values.empty()) {
        return 0;
    }
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

Waterfall::Waterfall(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);  // the list of frames is the keyboard's way in
    setMinimumHeight(waterfallHeight);
    setAccessibleName(tr("Waterfall"));
    setAccessibleDescription(
        tr("The recording's spectrum over time, with the tracked tone "
           "and the frames heard; the list of frames holds the same"));
}

void Waterfall::showAnalysis(std::shared_ptr<const RecordingAnalysis> analysis) {
    shown = std::move(analysis);
    selected = -1;
    render();
}

void Waterfall::setPixelsPerSecond(double pixels) {
    scale = pixels;
    render();
}

void Waterfall::selectFrame(int index) {
    selected = index;
    update();
}

int Waterfall::xOf(double seconds) const {
    return static_cast<int>(std::lround(seconds * scale));
}

double Waterfall::yOf(double hz) const {
    const morse::SpectrogramImage& s = shown->spectrogram;
    const double part = (hz - s.lowHz) / std::max(1.0, s.highHz - s.lowHz);
    return (1 - part) * height();
}

QSize Waterfall::sizeHint() const {
    return {std::max(picture.width(), 200), waterfallHeight};
}

// The picture at the zoom: each pixel column shows the spectrogram column of its time.
void Waterfall::render() {
    picture = QImage();
    if (shown && shown->error.isEmpty()) {
        const morse::SpectrogramImage& s = shown->spectrogram;
        const int width = xOf(shown->result.seconds);
        const int rows = static_cast<int>(s.rows);
        picture = QImage(std::max(width, 1), std::max(rows, 1), QImage::Format_RGB32);
        picture.fill(colourOf(0));
        const float floor = floorOf(s.db);
        for (int x = 0; x < width && s.columns() > 0; ++x) {
            const auto column = std::min(
                s.columns() - 1, static_cast<std::size_t>((x + 0.5) / scale * s.columnsPerSecond));
            for (int row = 0; row < rows; ++row) {
                const float db = s.at(column, static_cast<std::size_t>(row));
                picture.setPixel(x, rows - 1 - row, colourOf((db - floor) / shownRangeDb));
            }
        }
        if (width == 0) {
            picture = QImage();
        }
    }
    setFixedWidth(std::max(picture.width(), 1));
    updateGeometry();
    update();
}

void Waterfall::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (picture.isNull()) {
        return;
    }
    painter.drawImage(QRect(0, 0, picture.width(), height()), picture);
    QPainterPath tone;
    bool drawing = false;
    for (const morse::TonePoint& point : shown->tone) {
        // Only where the tone stands out of the noise: elsewhere the tracker follows noise.
        if (point.strength < 4) {
            drawing = false;
            continue;
        }
        const QPointF at(point.seconds * scale, yOf(point.hz));
        drawing ? tone.lineTo(at) : tone.moveTo(at);
        drawing = true;
    }
    // Faint and a few pixels above the tone, so that the keying under it stays visible.
    painter.setPen(QPen(QColor(80, 255, 120, 150), 1));
    painter.drawPath(tone.translated(0, -6));
    const auto& frames = shown->result.frames;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const bool isSelected = static_cast<int>(i) == selected;
        const QRect band(xOf(frames[i].start), 0,
                         std::max(2, xOf(frames[i].end) - xOf(frames[i].start)), height() - 1);
        painter.setPen(
            QPen(isSelected ? Qt::white : QColor(255, 255, 255, 140), isSelected ? 2 : 1));
        painter.fillRect(band, QColor(255, 255, 255, isSelected ? 50 : 20));
        painter.drawRect(band);
        painter.drawText(band.adjusted(3, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(i + 1));
    }
}

void Waterfall::mousePressEvent(QMouseEvent* event) {
    if (!shown) {
        return;
    }
    const double seconds = event->position().x() / scale;
    const auto& frames = shown->result.frames;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (seconds >= frames[i].start && seconds <= frames[i].end) {
            emit frameClicked(static_cast<int>(i));
            return;
        }
    }
}

}  // namespace ui
