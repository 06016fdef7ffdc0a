// SPDX-License-Identifier: MIT
// Times one keystroke in an entry box and one full-frame Check with a short and with a
// day-long result already in the box, and prints how the times grow with the result.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <map>

#include "Templates.h"
#include "check/CheckOperation.h"
#include "ui/BeaconDialog.h"
#include "ui/CodePage.h"
#include "ui/ResultBox.h"
#include "ui/Services.h"

namespace {

const check::FrameTexts fullFrame{"86",   "A6", "00", "7F", "C0", "1234",
                                  "2B75", "90", "8F", "80", "80"};

class QuietServices : public ui::Services {
  public:
    std::time_t now() override { return 1262401445; }
    std::optional<QString> chooseSavePath(QWidget*) override { return std::nullopt; }
    void showMessage(QWidget*, const QString&) override {}
    void showWarning(QWidget*, const QString&) override {}
    void showError(QWidget*, const QString&) override {}
    void showNotice(QWidget*, const QString&) override {}
};

// A shown dialog whose result box already holds `blocks` full-frame blocks and whose entry
// boxes hold the full frame.
struct Dialog {
    explicit Dialog(int blocks) : dialog(services) {
        dialog.show();
        std::string result;
        decoders::ProgramState state;
        for (int i = 0; i < blocks; ++i) {
            check::runCheck(
                state, result, fullFrame, [] { return std::time_t{1262401445}; }, notifier);
        }
        dialog.resultBox(res::idResult)->setPlainText(ui::fromCp932Lines(result));
        for (std::size_t field = 0; field < check::fieldCount; ++field) {
            dialog.lineEdit(res::idEntryH0 + static_cast<int>(field))
                ->setText(QString::fromStdString(fullFrame[field]));
        }
        dialog.OnCheck();  // reads the box back once, as after any edit
        QApplication::processEvents();
    }

    struct : decoders::Notifier {
        void showMessage(const std::string&) override {}
    } notifier;
    QuietServices services;
    ui::CBeaconDialog dialog;
};

void keystrokeInAnEntryBox(benchmark::State& state) {
    Dialog fixture(static_cast<int>(state.range(0)));
    QLineEdit* box = fixture.dialog.lineEdit(res::idEntryH0);
    box->clear();
    box->setFocus();
    bool typed = false;
    for (auto _ : state) {
        // Typing a digit and deleting it again keep the box below its width.
        QTest::keyClick(box, typed ? Qt::Key_Backspace : Qt::Key_8);
        QApplication::processEvents();
        typed = !typed;
    }
}

void fullFrameCheck(benchmark::State& state) {
    Dialog fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        fixture.dialog.OnCheck();
        QApplication::processEvents();
    }
}

BENCHMARK(keystrokeInAnEntryBox)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(fullFrameCheck)->Arg(10)->Arg(10000)->Iterations(300)->Unit(benchmark::kMillisecond);

// Prints, besides the usual table, each operation's time at 10,000 blocks over its time
// at 10 blocks.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            (run.run_name.args == "10" ? small : large)[name] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, time] : large) {
            std::printf("%-24s %8.3f ms at 10 blocks, %8.3f ms at 10000 blocks, ratio %.2f\n",
                        name.c_str(), small[name], time, time / small[name]);
        }
    }

  private:
    std::map<std::string, double> small, large;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
