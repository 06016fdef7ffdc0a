// SPDX-License-Identifier: MIT
#include "check/ChannelBands.h"
#include "check/writers/TelemetryColumns.h"
#include "decoders/StatusItems.h"

#include "ui/PassCharts.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/Decimation.h"
#include "ui/TimeChartView.h"

namespace ui {

using decoders::Health;

// One series of a chart and the samples it draws from: a pass's line, its markers of one
// state, or one lane of the timeline.
struct Track {
    std::size_t pass;
    std::size_t lane;  // the state of markers (a Health), or the timeline's lane
    std::vector<Sample> samples;
    QXYSeries* series;
};

struct ChartPanel {
    const decoders::AnalogChannel* channel = nullptr;  // none: the status timeline
    QChart* chart = nullptr;
    TimeChartView* view = nullptr;
    QDateTimeAxis* time = nullptr;
    QAbstractAxis* values = nullptr;
    std::vector<Track> tracks;
    std::vector<std::pair<QAreaSeries*, check::ValueBand>> bands;
    QScatterSeries* selection = nullptr;
};

namespace {

constexpr int chartHeight = 170;
constexpr int timelineHeight = 360;
constexpr std::size_t bandSlots = 8;  // more than any classification has bands
constexpr double markerSize = 10.0;
constexpr std::array<Health, 3> drawnStates{Health::Normal, Health::Limit, Health::Fault};

QColor stateColour(Health health) {
    switch (health) {
        case Health::Normal:
            return {46, 157, 79};
        case Health::Limit:
            return {224, 160, 0};
        default:
            return {208, 48, 48};
    }
}

QColor bandColour(Health health) {
    QColor colour = stateColour(health);
    colour.setAlpha(health == Health::Normal ? 40 : 30);
    return colour;
}

// ○ normal, △ at a limit, and a star for a fault, as the panel marks them by symbol too.
QScatterSeries::MarkerShape stateShape(Health health) {
    switch (health) {
        case Health::Normal:
            return QScatterSeries::MarkerShapeCircle;
        case Health::Limit:
            return QScatterSeries::MarkerShapeTriangle;
        default:
            return QScatterSeries::MarkerShapeStar;
    }
}

QString stateSymbol(Health health) {
    switch (health) {
        case Health::Normal:
            return QStringLiteral("○");
        case Health::Limit:
            return QStringLiteral("△");
        default:
            return QStringLiteral("★");
    }
}

QString channelTitle(const decoders::AnalogChannel& channel) {
    const auto& names = channel.names;
    QString title =
        QString::fromUtf8(names.panelLabel.data(), static_cast<qsizetype>(names.panelLabel.size()));
    if (!names.unit.empty()) {
        title += QStringLiteral(" [%1]").arg(
            QString::fromUtf8(names.unit.data(), static_cast<qsizetype>(names.unit.size())));
    }
    return title;
}

// The timeline's lanes: the status word's items, then the sun sensor's state.
constexpr std::size_t laneCount = decoders::statusItemCount + 1;

QString laneLabel(std::size_t lane) {
    if (lane < decoders::statusItemCount) {
        const std::string_view label = decoders::statusItems[lane].panelLabel;
        return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
    }
    return QStringLiteral("Sun sensor");
}

// The first lane at the top.
double laneBase(std::size_t lane) {
    return static_cast<double>(laneCount - 1 - lane);
}

struct LaneValue {
    unsigned code;
    unsigned highest;
    std::string text;
};

std::optional<LaneValue> laneValue(const decoders::DecodedFrame& frame, std::size_t lane) {
    if (lane < decoders::statusItemCount) {
        if (!frame.statusWord || lane >= frame.statusWord->items.size()) {
            return std::nullopt;
        }
        const auto& item = frame.statusWord->items[lane];
        return LaneValue{item.code, decoders::statusItems[lane].mask, item.printed()};
    }
    if (!frame.sunSensor) {
        return std::nullopt;
    }
    return LaneValue{frame.sunSensor->status, 2, std::string(frame.sunSensor->statusName)};
}

double laneY(std::size_t lane, const LaneValue& value) {
    return laneBase(lane) + 0.15 + 0.7 * value.code / std::max(1U, value.highest);
}

std::vector<std::size_t> timeOrder(const std::vector<check::CheckRecord>& records) {
    std::vector<std::size_t> order(records.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&records](std::size_t a, std::size_t b) {
        return records[a].decoded.time < records[b].decoded.time;
    });
    return order;
}

void styleChart(QChart* chart, const QString& title) {
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 0, 8, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
}

QString timeFormat(double span) {
    constexpr double day = 24.0 * 3600 * 1000;
    return span < 2 * day ? QStringLiteral("hh:mm:ss") : QStringLiteral("yyyy-MM-dd hh:mm");
}

}  // namespace

PassCharts::PassCharts(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    legend = new QLabel(this);
    legend->setTextFormat(Qt::RichText);
    legend->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(legend);
    buildPanels();
    updateLegend();
    // Plot areas are aligned, and the charts redrawn for a new width, once the layout has
    // settled, once however many changes came before.
    aligner = new QTimer(this);
    aligner->setSingleShot(true);
    aligner->setInterval(0);
    connect(aligner, &QTimer::timeout, this, &PassCharts::alignPlotAreas);
    resizer = new QTimer(this);
    resizer->setSingleShot(true);
    resizer->setInterval(0);
    connect(resizer, &QTimer::timeout, this, &PassCharts::redraw);
}

PassCharts::~PassCharts() = default;

double PassCharts::axisTime(std::time_t time) {
    // The axis shows local time; shifting each time by the zone's offset at that time makes
    // it show UTC, summer time included. The offset is looked up once an hour of frames, as
    // the lookup is slow and frames come in time order.
    constexpr std::time_t hour = 3600;
    static std::time_t lastHour = -1;
    static double offset = 0.0;
    if (time / hour != lastHour) {
        lastHour = time / hour;
        offset = QDateTime::fromSecsSinceEpoch(time).offsetFromUtc() * 1000.0;
    }
    return static_cast<double>(time) * 1000.0 - offset;
}

void PassCharts::buildPanels() {
    auto addPanel = [this](const decoders::AnalogChannel* channel) {
        auto panel = std::make_unique<ChartPanel>();
        panel->channel = channel;
        panel->chart = new QChart();
        styleChart(panel->chart, channel != nullptr ? channelTitle(*channel)
                                                    : QStringLiteral("Status word and sun sensor"));
        panel->time = new QDateTimeAxis(panel->chart);
        panel->time->setTickCount(7);
        panel->chart->addAxis(panel->time, Qt::AlignBottom);
        if (channel != nullptr) {
            auto* values = new QValueAxis(panel->chart);
            values->setLabelFormat(QStringLiteral("%.2f"));
            values->setTickCount(4);
            panel->values = values;
        } else {
            auto* lanes = new QCategoryAxis(panel->chart);
            lanes->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
            lanes->setTruncateLabels(false);
            QFont small = lanes->labelsFont();
            small.setPointSizeF(small.pointSizeF() * 0.85);
            lanes->setLabelsFont(small);
            for (std::size_t lane = laneCount; lane-- > 0;) {
                lanes->append(laneLabel(lane), laneBase(lane) + 1.0);
            }
            lanes->setRange(0.0, static_cast<double>(laneCount));
            panel->values = lanes;
        }
        panel->chart->addAxis(panel->values, Qt::AlignLeft);
        // The bands first, so that the points are drawn over them.
        for (std::size_t slot = 0; channel != nullptr && slot < bandSlots; ++slot) {
            auto* area = new QAreaSeries(new QLineSeries(), new QLineSeries());
            area->setPen(Qt::NoPen);
            panel->chart->addSeries(area);
            area->attachAxis(panel->time);
            area->attachAxis(panel->values);
            panel->bands.emplace_back(area, check::ValueBand{0.0, 0.0, Health::NotCopied});
        }
        panel->selection = new QScatterSeries();
        panel->selection->setName(QStringLiteral("selected frame"));
        panel->selection->setMarkerSize(15.0);
        panel->selection->setColor(Qt::transparent);
        panel->selection->setBorderColor(Qt::black);
        panel->chart->addSeries(panel->selection);
        panel->selection->attachAxis(panel->time);
        panel->selection->attachAxis(panel->values);

        panel->view = new TimeChartView(panel->chart, this);
        panel->view->setMinimumHeight(channel != nullptr ? chartHeight : timelineHeight);
        layout()->addWidget(panel->view);
        connect(panel->view, &TimeChartView::zoomRequested, this, &PassCharts::zoom);
        connect(panel->view, &TimeChartView::panRequested, this, &PassCharts::pan);
        connect(panel->view, &TimeChartView::showAllRequested, this, &PassCharts::showAll);
        const ChartPanel* owner = panel.get();
        connect(
            panel->view, &TimeChartView::pointed, this,
            [this, owner](QPoint position, bool clicked) { pointAt(*owner, position, clicked); });
        panels.push_back(std::move(panel));
    };
    for (const decoders::AnalogChannel& channel : decoders::analogChannels) {
        addPanel(&channel);
    }
    addPanel(nullptr);
}

std::size_t PassCharts::chartCount() const {
    return panels.size();
}

QChart* PassCharts::chart(std::size_t index) const {
    return panels.at(index)->chart;
}

TimeChartView* PassCharts::chartView(std::size_t index) const {
    return panels.at(index)->view;
}

void PassCharts::setPasses(const std::vector<Pass>* shownPasses) {
    passes = shownPasses;
    for (const auto& panel : panels) {
        for (Track& track : panel->tracks) {
            panel->chart->removeSeries(track.series);
            delete track.series;
        }
        panel->tracks.clear();
    }
    for (std::size_t pass = 0; passes != nullptr && pass < passes->size(); ++pass) {
        rebuildTracks(pass);
    }
    updateLegend();
    updateValueRanges();
    showingAll ? showAll() : redraw();
}

void PassCharts::passAdded() {
    rebuildTracks(passes->size() - 1);
    updateLegend();
    updateValueRanges();
    showingAll ? showAll() : redraw();
}

void PassCharts::passChanged(std::size_t pass) {
    rebuildTracks(pass);
    updateLegend();
    updateValueRanges();
    showingAll ? showAll() : redraw();
}

namespace {

QXYSeries* makeLine(const QColor& colour) {
    auto* line = new QLineSeries();
    QPen pen(colour);
    pen.setWidthF(1.5);
    line->setPen(pen);
    return line;
}

// A marker as a picture: Qt Charts paints such markers itself instead of making an item
// for each point, which keeps thousands of them quick.
QImage markerImage(Health health, const QColor& passColour) {
    const int side = static_cast<int>(markerSize);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(passColour, 1.0));
    painter.setBrush(stateColour(health));
    const QRectF box(0.5, 0.5, markerSize - 1.0, markerSize - 1.0);
    switch (health) {
        case Health::Normal:
            painter.drawEllipse(box);
            break;
        case Health::Limit:
            painter.drawPolygon(
                QPolygonF{{box.center().x(), box.top()}, box.bottomRight(), box.bottomLeft()});
            break;
        default: {
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                const double radius = (i % 2 == 0 ? 0.5 : 0.22) * box.width();
                const double angle = -M_PI / 2 + i * M_PI / 5;
                star << box.center() + QPointF(radius * std::cos(angle), radius * std::sin(angle));
            }
            painter.drawPolygon(star);
        }
    }
    return image;
}

QXYSeries* makeMarkers(Health health, const QColor& passColour) {
    auto* markers = new QScatterSeries();
    markers->setMarkerShape(stateShape(health));
    markers->setMarkerSize(markerSize);
    markers->setColor(stateColour(health));
    markers->setBorderColor(passColour);
    markers->setLightMarker(markerImage(health, passColour));
    return markers;
}

}  // namespace

// Makes a pass's series of every chart anew from its records.
void PassCharts::rebuildTracks(std::size_t pass) {
    const Pass& shown = passes->at(pass);
    const std::vector<std::size_t> order = timeOrder(shown.records);
    for (const auto& panel : panels) {
        auto& tracks = panel->tracks;
        for (auto it = tracks.begin(); it != tracks.end();) {
            if (it->pass == pass) {
                panel->chart->removeSeries(it->series);
                delete it->series;
                it = tracks.erase(it);
            } else {
                ++it;
            }
        }
        std::vector<Track> added;
        if (panel->channel != nullptr) {
            added.push_back({pass, 0, {}, makeLine(shown.colour)});
            added.back().series->setName(shown.name);
            for (const Health health : drawnStates) {
                added.push_back({pass,
                                 static_cast<std::size_t>(health),
                                 {},
                                 makeMarkers(health, shown.colour)});
                added.back().series->setName(shown.name + ' ' + stateSymbol(health));
            }
            for (const std::size_t i : order) {
                const auto& value =
                    check::channelValueIn(*panel->channel, shown.records[i].decoded);
                if (!value) {
                    continue;
                }
                const Sample sample{axisTime(shown.records[i].decoded.time), value->value,
                                    static_cast<std::uint32_t>(i)};
                added[0].samples.push_back(sample);
                const Health health = panel->channel->meaning.health.at(value->status);
                added[1 + static_cast<std::size_t>(health)].samples.push_back(sample);
            }
        } else {
            for (std::size_t lane = 0; lane < laneCount; ++lane) {
                Track track{pass, lane, {}, makeLine(shown.colour)};
                track.series->setName(shown.name + ' ' + laneLabel(lane));
                std::optional<Sample> previous;
                for (const std::size_t i : order) {
                    const auto value = laneValue(shown.records[i].decoded, lane);
                    if (!value) {
                        continue;
                    }
                    const Sample sample{axisTime(shown.records[i].decoded.time),
                                        laneY(lane, *value), static_cast<std::uint32_t>(i)};
                    if (previous && previous->value != sample.value) {
                        track.samples.push_back({sample.time, previous->value, previous->record});
                    }
                    track.samples.push_back(sample);
                    previous = sample;
                }
                added.push_back(std::move(track));
            }
        }
        for (Track& track : added) {
            panel->chart->addSeries(track.series);
            track.series->attachAxis(panel->time);
            track.series->attachAxis(panel->values);
            tracks.push_back(std::move(track));
        }
    }
}

std::pair<double, double> PassCharts::fullRange() const {
    double from = std::numeric_limits<double>::max();
    double to = std::numeric_limits<double>::lowest();
    for (std::size_t pass = 0; passes != nullptr && pass < passes->size(); ++pass) {
        for (const check::CheckRecord& record : (*passes)[pass].records) {
            from = std::min(from, axisTime(record.decoded.time));
            to = std::max(to, axisTime(record.decoded.time));
        }
    }
    if (from > to) {
        const double now = axisTime(std::time(nullptr));
        return {now - 3600e3, now};
    }
    const double margin = std::max(30e3, (to - from) * 0.03);  // the end points stay visible
    return {from - margin, to + margin};
}

void PassCharts::showAll() {
    const auto [from, to] = fullRange();
    setTimeRange(from, to);
    showingAll = true;
}

void PassCharts::setTimeRange(double from, double to) {
    if (!(to > from)) {
        return;
    }
    range = {from, to};
    showingAll = false;
    for (const auto& panel : panels) {
        panel->time->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(from)),
                              QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(to)));
        panel->time->setFormat(timeFormat(to - from));
    }
    redraw();
}

void PassCharts::zoom(double centre, double factor) {
    constexpr double shortest = 10e3;  // ten seconds across the chart
    const double span = std::max(shortest, (range.second - range.first) * factor);
    const double left = (centre - range.first) / (range.second - range.first);
    const double from = centre - left * span;
    setTimeRange(from, from + span);
}

void PassCharts::pan(double span) {
    setTimeRange(range.first + span, range.second + span);
}

// Hands every series the points that show at the charts' width.
void PassCharts::redraw() {
    const auto [from, to] = range;
    for (const auto& panel : panels) {
        // A line keeps its shape with a few points every two pixels; markers, which are
        // drawn one by one, need only one or two per marker's width.
        const double width = std::max(400.0, panel->chart->plotArea().width());
        const int lineColumns = static_cast<int>(width / 2);
        const int markerColumns = static_cast<int>(width / markerSize);
        for (Track& track : panel->tracks) {
            const bool markers = track.series->type() == QAbstractSeries::SeriesTypeScatter;
            const std::vector<Sample> shown =
                decimated(track.samples, from, to, markers ? markerColumns : lineColumns);
            QList<QPointF> points;
            points.reserve(static_cast<qsizetype>(shown.size()));
            for (const Sample& sample : shown) {
                points.append({sample.time, sample.value});
            }
            track.series->replace(points);
        }
        for (auto& [area, band] : panel->bands) {
            area->upperSeries()->replace(QList<QPointF>{{from, band.high}, {to, band.high}});
            area->lowerSeries()->replace(QList<QPointF>{{from, band.low}, {to, band.low}});
        }
    }
    aligner->start();
}

// The battery voltage of the latest frame that has one, which the solar cell's eclipse
// test compares with.
double PassCharts::latestBatteryVoltage() const {
    std::time_t latest = 0;
    double voltage = 0.0;
    for (std::size_t pass = 0; passes != nullptr && pass < passes->size(); ++pass) {
        for (const check::CheckRecord& record : (*passes)[pass].records) {
            const auto& value =
                check::channelValueIn(decoders::batteryVoltageChannel, record.decoded);
            if (value && record.decoded.time >= latest) {
                latest = record.decoded.time;
                voltage = value->value;
            }
        }
    }
    return voltage;
}

// Each channel's bands, classified as the program's day/night setting and the latest
// battery voltage have it.
void PassCharts::updateBands() {
    const check::BandContext context{decoders::ProgramState{}.dayNightMode == 'd',
                                     latestBatteryVoltage()};
    for (const auto& panel : panels) {
        if (panel->channel == nullptr) {
            continue;
        }
        const std::vector<check::ValueBand> bands = check::channelBands(*panel->channel, context);
        for (std::size_t slot = 0; slot < panel->bands.size(); ++slot) {
            auto& [area, band] = panel->bands[slot];
            band =
                slot < bands.size() ? bands[slot] : check::ValueBand{0.0, 0.0, Health::NotCopied};
            area->setBrush(bandColour(band.health));
            area->setVisible(band.health != Health::NotCopied);
        }
    }
}

// Each channel's value axis spans its values and its normal band.
void PassCharts::updateValueRanges() {
    updateBands();
    for (const auto& panel : panels) {
        auto* values = qobject_cast<QValueAxis*>(panel->values);
        if (values == nullptr) {
            continue;
        }
        double low = std::numeric_limits<double>::max();
        double high = std::numeric_limits<double>::lowest();
        for (const Track& track : panel->tracks) {
            for (const Sample& sample : track.samples) {
                low = std::min(low, sample.value);
                high = std::max(high, sample.value);
            }
        }
        for (const auto& [area, band] : panel->bands) {
            if (band.health == Health::NotCopied) {
                continue;
            }
            if (band.health == Health::Normal || low > high) {
                low = std::min(low, band.low);
                high = std::max(high, band.high);
            }
        }
        const double margin = std::max((high - low) * 0.08, 0.05);
        values->setRange(low - margin, high + margin);
        values->applyNiceNumbers();
    }
}

// The plot areas take the narrowest common width, so that a time is at the same place on
// every chart.
void PassCharts::alignPlotAreas() {
    if (aligning) {
        return;
    }
    aligning = true;
    double left = 0.0;
    double right = std::numeric_limits<double>::max();
    for (const auto& panel : panels) {
        panel->chart->setPlotArea(QRectF());
        panel->chart->layout()->activate();
        left = std::max(left, panel->chart->plotArea().left());
        right = std::min(right, panel->chart->plotArea().right());
    }
    if (right > left) {
        for (const auto& panel : panels) {
            const QRectF area = panel->chart->plotArea();
            panel->chart->setPlotArea(QRectF(left, area.top(), right - left, area.height()));
            panel->chart->layout()->invalidate();
            panel->chart->layout()->activate();  // the axes follow at once, not at next paint
        }
    }
    aligning = false;
}

void PassCharts::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    resizer->start();
}

void PassCharts::updateLegend() {
    QString text;
    for (std::size_t pass = 0; passes != nullptr && pass < passes->size(); ++pass) {
        const Pass& shown = (*passes)[pass];
        text += QStringLiteral("<span style='color:%1'>&#9632;</span>&nbsp;%2 (%3)&nbsp;&nbsp; ")
                    .arg(shown.colour.name(), shown.name.toHtmlEscaped())
                    .arg(shown.records.size());
    }
    text += QStringLiteral("&nbsp;&nbsp;");
    for (const Health health : drawnStates) {
        static const std::array<const char*, 3> names{"normal", "at a limit", "fault"};
        text += QStringLiteral("<span style='color:%1'>%2</span>&nbsp;%3&nbsp;&nbsp;")
                    .arg(stateColour(health).name(), stateSymbol(health),
                         QString::fromLatin1(names.at(static_cast<std::size_t>(health))));
    }
    text += QStringLiteral("&nbsp;&nbsp;Times in UTC. Shaded: the classification's bands.");
    legend->setText(text);
}

namespace {

constexpr double reach = 10.0;  // pixels from a point that still point at it

}  // namespace

// The drawn sample nearest a place on a chart, within reach.
PassCharts::Nearest PassCharts::nearestTo(const ChartPanel& panel, QPoint viewPosition) const {
    const QPointF place = panel.chart->mapFromScene(panel.view->mapToScene(viewPosition));
    const double time = panel.chart->mapToValue(place).x();
    const double span =
        (range.second - range.first) / std::max(1.0, panel.chart->plotArea().width());
    Nearest nearest;
    double best = reach;
    for (const Track& track : panel.tracks) {
        if (track.series->type() != QAbstractSeries::SeriesTypeLine) {
            continue;  // the markers are the line's points again
        }
        const auto byTime = [](const Sample& s, double t) { return s.time < t; };
        auto it = std::lower_bound(track.samples.begin(), track.samples.end(), time - reach * span,
                                   byTime);
        for (; it != track.samples.end() && it->time <= time + reach * span; ++it) {
            const QPointF at = panel.chart->mapToPosition({it->time, it->value}, track.series);
            const double distance = std::hypot(at.x() - place.x(), at.y() - place.y());
            if (distance <= best) {
                best = distance;
                nearest = {&track, &*it};
            }
        }
    }
    return nearest;
}

// Hovering a point shows its time, value and state; a click selects its frame.
void PassCharts::pointAt(const ChartPanel& panel, QPoint viewPosition, bool clicked) {
    const Nearest nearest = nearestTo(panel, viewPosition);
    if (nearest.sample == nullptr) {
        QToolTip::hideText();
        return;
    }
    const FrameRef frame{nearest.track->pass, nearest.sample->record};
    if (clicked) {
        emit framePicked(frame);
        return;
    }
    QToolTip::showText(panel.view->mapToGlobal(viewPosition),
                       describe(panel, *nearest.track, frame), panel.view);
}

QString PassCharts::describe(const ChartPanel& panel, const Track& track, FrameRef frame) const {
    const Pass& pass = passes->at(frame.pass);
    const decoders::DecodedFrame& decoded = pass.records.at(frame.record).decoded;
    QString text = QString::fromStdString(check::isoTime(decoded.time)) + QStringLiteral("  ") +
                   pass.name + '\n';
    if (panel.channel != nullptr) {
        const auto& value = check::channelValueIn(*panel.channel, decoded);
        const Health health = panel.channel->meaning.health.at(value->status);
        text +=
            QStringLiteral("%1: %2  %3 %4")
                .arg(channelTitle(*panel.channel),
                     QString::number(value->value, 'f', panel.channel->report.decimals),
                     stateSymbol(health), QString::fromStdString(std::string(value->statusName)));
    } else if (const auto value = laneValue(decoded, track.lane)) {
        text += laneLabel(track.lane) + QStringLiteral(": ") + QString::fromStdString(value->text);
    }
    return text;
}

void PassCharts::select(FrameRef frame) {
    if (passes == nullptr || frame.pass >= passes->size() ||
        frame.record >= (*passes)[frame.pass].records.size()) {
        return;
    }
    const decoders::DecodedFrame& decoded = (*passes)[frame.pass].records[frame.record].decoded;
    const double time = axisTime(decoded.time);
    for (const auto& panel : panels) {
        QList<QPointF> points;
        if (panel->channel != nullptr) {
            if (const auto& value = check::channelValueIn(*panel->channel, decoded)) {
                points.append({time, value->value});
            }
        } else {
            for (std::size_t lane = 0; lane < laneCount; ++lane) {
                if (const auto value = laneValue(decoded, lane)) {
                    points.append({time, laneY(lane, *value)});
                }
            }
        }
        panel->selection->replace(points);
    }
    if (time < range.first || time > range.second) {
        const double span = range.second - range.first;
        setTimeRange(time - span / 2, time + span / 2);
    }
}

bool PassCharts::save(const QString& path, QString* error) {
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    const bool svg =
        QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&picture);
        generator.setSize(size());
        generator.setViewBox(rect());
        generator.setTitle(QStringLiteral("Veskar pass view"));
        QPainter painter(&generator);
        render(&painter);
    } else if (!grab().save(&picture, "PNG")) {
        *error = QStringLiteral("The PNG picture could not be made.");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(picture.data()) != picture.size() ||
        !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace ui
