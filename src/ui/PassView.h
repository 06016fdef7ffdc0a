// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

#include "check/Session.h"
#include "ui/Pass.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace batch {
struct PassLog;
}

namespace ui {

class CBeaconDialog;
class FrameTableModel;
class PassCharts;

// The pass view: this run's Checks, and passes read from logs, as charts against UTC time
// and as a table of frames. A window of its own beside the main dialog, not modal; it
// follows every Check. Reading a log decodes it in a run of its own, so the dialog's result
// and raw values stay as they were. It writes only what the operator asks for.
class PassView : public QWidget {
    Q_OBJECT

  public:
    // Shows the Session's history at once; later Checks come through addCheck.
    explicit PassView(const check::Session& live, QWidget* parent = nullptr);
    ~PassView() override;

    void addCheck(const check::CheckRecord& record);

    // Reads logs, each a pass of its own; false when one could not be read or had lines
    // that are not frames (each listed, with file and line, under Messages).
    bool openLogs(const QStringList& paths);
    // The same off the UI thread, with progress and Cancel.
    void openLogsInBackground(const QStringList& paths);

    // This run's frames as a log that veskar-decode reads.
    bool saveFrames(const QString& path);
    // Every pass's frames as veskar-decode's CSV.
    bool exportTable(const QString& path);
    // The charts as a PNG or an SVG picture, by the file's suffix.
    bool exportCharts(const QString& path);

    const std::vector<Pass>& shownPasses() const { return passes; }
    PassCharts* charts() const { return chartArea; }
    QTableView* tableView() const { return table; }
    FrameTableModel* tableModel() const { return model; }
    QListWidget* messageList() const { return messages; }
    QPlainTextEdit* blockView() const { return block; }
    QLabel* statusLine() const { return status; }

  private:
    QWidget* makeButtons();
    QWidget* makeLowerPart();
    void addLogPasses(std::vector<batch::PassLog>& logs, bool& allRead);
    void showFrame(FrameRef frame);
    void selectRow(FrameRef frame);
    void tell(const QString& text, bool failure);
    void chooseLogs();
    void chooseFramesFile();
    void chooseChartsFile();
    void chooseTableFile();

    std::vector<Pass> passes;
    PassCharts* chartArea = nullptr;
    FrameTableModel* model = nullptr;
    QSortFilterProxyModel* sorted = nullptr;
    QTableView* table = nullptr;
    QTabWidget* tabs = nullptr;
    QPlainTextEdit* block = nullptr;
    QListWidget* messages = nullptr;
    QLabel* status = nullptr;
    bool readingLogs = false;
};

// Adds "Pass view" (Ctrl+P) to the dialog's window menu; the view is made on first use
// and follows the dialog's Checks from then on.
void attachPassView(CBeaconDialog& dialog);

}  // namespace ui
