// SPDX-License-Identifier: MIT
// Times the pass view with a year of passes (100,000 frames): reading and decoding the log,
// opening it in the view until the first picture is drawn, and redrawing after a zoom and
// after a pan. Prints the figures; the goals are under a second to open and a redraw quick
// enough to pan smoothly.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <random>
#include <utility>

#include "batch/PassLog.h"
#include "check/Session.h"
#include "check/UtcTime.h"
#include "ui/PassCharts.h"
#include "ui/PassView.h"

namespace {

constexpr int frameCount = 100000;
constexpr std::time_t firstFrame = 1262401445;  // 2010-01-02 03:04:05 UTC
constexpr std::time_t frameSpacing = 315;       // 100,000 frames fill a year

// A log of frames whose codes wander as telemetry does, with some fields not copied.
QByteArray yearOfFrames() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> step(-2, 2);
    std::array<int, 7> codes{0x86, 0xA6, 0x00, 0x7F, 0xC0, 0x80, 0x80};
    QByteArray log;
    log.reserve(frameCount * 64);
    for (int i = 0; i < frameCount; ++i) {
        for (int& code : codes) {
            code = std::clamp(code + step(random), 0, 255);
        }
        std::string line;
        check::appendUtc(line, firstFrame + i * frameSpacing);
        char fields[96];
        std::snprintf(fields, sizeof fields,
                      " VOKA %02X %02X %02X %02X %02X 1234 2B75 90 8F %02X %02X\n", codes[0],
                      codes[1], codes[2], codes[3], i % 10 == 0 ? 0 : codes[4], codes[5], codes[6]);
        log += QByteArray::fromStdString(line) + fields;
    }
    return log;
}

// Wall-clock time, and the processor time of this process, which a busy machine disturbs
// less.
struct Stopwatch {
    QElapsedTimer wall;
    std::clock_t processor = 0;
    void restart() {
        wall.restart();
        processor = std::clock();
    }
    std::pair<double, double> elapsedMs() const {
        return {static_cast<double>(wall.nsecsElapsed()) / 1e6,
                static_cast<double>(std::clock() - processor) * 1000.0 / CLOCKS_PER_SEC};
    }
};

void print(const char* what, std::pair<double, double> ms, int repeats = 1) {
    std::printf("  %-40s %8.1f ms wall %8.1f ms processor\n", what, ms.first / repeats,
                ms.second / repeats);
}

struct QuietNotifier : check::Notifier {
    void showMessage(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("year.log"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(yearOfFrames()) < 0 || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 2;
    }
    file.close();

    Stopwatch timer;
    timer.restart();
    const batch::PassLog log = batch::readPassLogFile(path.toStdString(), check::systemClock);
    const auto decoding = timer.elapsedMs();

    QuietNotifier notifier;
    const check::Session live(notifier);
    ui::PassView view(live);
    view.resize(1400, 1000);
    view.show();
    QApplication::processEvents();
    timer.restart();
    view.openLogs({path});
    view.grab();  // the first picture, every chart drawn
    const auto opening = timer.elapsedMs();

    ui::PassCharts* charts = view.charts();
    constexpr int repeats = 20;
    timer.restart();
    for (int i = 0; i < repeats; ++i) {
        const auto [from, to] = charts->timeRange();
        charts->zoom((from + to) / 2, i % 2 == 0 ? 0.5 : 2.0);
        charts->grab();
    }
    const auto zooming = timer.elapsedMs();
    timer.restart();
    for (int i = 0; i < repeats; ++i) {
        const auto [from, to] = charts->timeRange();
        charts->pan((to - from) * (i % 2 == 0 ? 0.05 : -0.05));
        charts->grab();
    }
    const auto panning = timer.elapsedMs();

    std::printf("pass view, %d frames (a year of passes) in %zu records\n", frameCount,
                log.records.size());
    print("reading and decoding the log", decoding);
    print("opening it in the view, first drawing", opening);
    print("redrawing the charts after a zoom", zooming, repeats);
    print("redrawing the charts after a pan", panning, repeats);
    std::printf("  (opening includes the reading; the goal is under 1000 ms)\n");
    return 0;
}
