// SPDX-License-Identifier: MIT
#include "ui/PassView.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>
#include <atomic>
#include <memory>

#include "batch/PassLog.h"
#include "check/writers/CsvWriter.h"
#include "ui/BeaconDialog.h"
#include "ui/CodePage.h"
#include "ui/FrameTableModel.h"
#include "ui/PassCharts.h"

namespace ui {
namespace {

QString logFilter() {
    return QStringLiteral("Frame logs (*.log *.txt);;All files (*)");
}

// Writes bytes to a file that is replaced only once they are all on disk.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    *error = file.errorString();
    return false;
}

}  // namespace

PassView::PassView(const check::Session& live, QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Veskar – Pass view"));
    passes.push_back({QStringLiteral("This run"), passColour(0), live.history()});

    chartArea = new PassCharts();
    model = new FrameTableModel(this);
    auto* scroll = new QScrollArea();
    scroll->setWidgetResizable(true);
    scroll->setWidget(chartArea);

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(scroll);
    split->addWidget(makeLowerPart());
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    status = new QLabel();
    status->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeButtons());
    layout->addWidget(split, 1);
    layout->addWidget(status);

    chartArea->setPasses(&passes);
    model->setPasses(&passes);
    connect(chartArea, &PassCharts::framePicked, this, &PassView::selectRow);
    resize(1100, 900);
}

PassView::~PassView() = default;

QWidget* PassView::makeButtons() {
    auto* row = new QWidget();
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto add = [this, layout](const QString& text, const QKeySequence& key,
                              void (PassView::*handler)()) {
        auto* button = new QPushButton(text);
        button->setToolTip(key.toString(QKeySequence::NativeText));
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, handler);
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    add(QStringLiteral("Open log…"), QKeySequence::Open, &PassView::chooseLogs);
    add(QStringLiteral("Save frames…"), QKeySequence::Save, &PassView::chooseFramesFile);
    add(QStringLiteral("Export charts…"), QKeySequence(Qt::CTRL | Qt::Key_E),
        &PassView::chooseChartsFile);
    add(QStringLiteral("Export table…"), QKeySequence(Qt::CTRL | Qt::Key_T),
        &PassView::chooseTableFile);
    auto* all = new QPushButton(QStringLiteral("Show all"));
    all->setToolTip(QStringLiteral("Home. On a chart: wheel zooms, drag pans, + - Left Right"));
    layout->addWidget(all);
    connect(all, &QPushButton::clicked, chartArea, &PassCharts::showAll);
    layout->addStretch(1);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    return row;
}

QWidget* PassView::makeLowerPart() {
    sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(model);
    sorted->setSortRole(FrameTableModel::SortRole);
    table = new QTableView();
    table->setModel(sorted);
    table->setSortingEnabled(true);
    table->sortByColumn(-1, Qt::AscendingOrder);  // the passes' own order until asked
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->setColumnWidth(
        1, table->fontMetrics().horizontalAdvance(QStringLiteral("2010-01-02T03:04:05Z")) + 16);
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    showFrame(model->frameAt(sorted->mapToSource(current).row()));
                }
            });

    block = new QPlainTextEdit();
    block->setReadOnly(true);
    block->setLineWrapMode(QPlainTextEdit::NoWrap);
    block->setPlaceholderText(QStringLiteral("Select a frame to see its analysis block."));
    messages = new QListWidget();
    tabs = new QTabWidget();
    tabs->addTab(block, QStringLiteral("Frame"));
    tabs->addTab(messages, QStringLiteral("Messages"));

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(table);
    split->addWidget(tabs);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    return split;
}

void PassView::addCheck(const check::CheckRecord& record) {
    passes.front().records.push_back(record);
    model->recordAdded(0);
    chartArea->passChanged(0);
}

bool PassView::openLogs(const QStringList& paths) {
    std::vector<batch::PassLog> logs;
    for (const QString& path : paths) {
        logs.push_back(
            batch::readPassLogFile(QFile::encodeName(path).toStdString(), check::systemClock));
    }
    bool allRead = true;
    addLogPasses(logs, allRead);
    return allRead;
}

void PassView::openLogsInBackground(const QStringList& paths) {
    if (readingLogs || paths.isEmpty()) {
        return;
    }
    readingLogs = true;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto logs = std::make_shared<std::vector<batch::PassLog>>();
    QThread* worker = QThread::create([paths, cancel, logs] {
        for (const QString& path : paths) {
            if (cancel->load()) {
                break;
            }
            logs->push_back(batch::readPassLogFile(QFile::encodeName(path).toStdString(),
                                                   check::systemClock, cancel.get()));
        }
    });
    auto* progress = new QProgressDialog(QStringLiteral("Reading %1 log(s)…").arg(paths.size()),
                                         QStringLiteral("Cancel"), 0, 0, this);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(300);
    connect(progress, &QProgressDialog::canceled, this, [cancel] { cancel->store(true); });
    connect(worker, &QThread::finished, this, [this, worker, progress, cancel, logs] {
        progress->deleteLater();
        worker->deleteLater();
        readingLogs = false;
        if (cancel->load()) {
            tell(QStringLiteral("Reading the logs was cancelled; no pass was added."), false);
            return;
        }
        bool allRead = true;
        addLogPasses(*logs, allRead);
    });
    worker->start();
}

// Adds each log that could be read as a pass and lists every line it skipped.
void PassView::addLogPasses(std::vector<batch::PassLog>& logs, bool& allRead) {
    std::size_t added = 0;
    QStringList failures;
    for (batch::PassLog& log : logs) {
        const QString path = QFile::decodeName(log.name.c_str());
        if (log.readError) {
            failures << QStringLiteral("Cannot read %1: %2")
                            .arg(path, QString::fromLocal8Bit(log.readError->c_str()));
            allRead = false;
            continue;
        }
        for (const batch::LineProblem& problem : log.problems) {
            messages->addItem(QStringLiteral("%1:%2: %3")
                                  .arg(path)
                                  .arg(problem.line)
                                  .arg(fromCp932(problem.reason)));
        }
        allRead = allRead && log.problems.empty();
        passes.push_back(
            {QFileInfo(path).fileName(), passColour(passes.size()), std::move(log.records)});
        model->passAdded();
        chartArea->passAdded();
        ++added;
    }
    for (const QString& failure : failures) {
        messages->addItem(failure);
    }
    QString text = QStringLiteral("%1 log(s) opened.").arg(added);
    if (!failures.isEmpty()) {
        text += ' ' + failures.join(' ');
    }
    if (messages->count() > 0) {
        text +=
            QStringLiteral(" See Messages for the lines that were not frames or did not decode.");
        tabs->setCurrentWidget(messages);
    }
    tell(text, !failures.isEmpty());
}

void PassView::showFrame(FrameRef frame) {
    const Pass& pass = passes.at(frame.pass);
    block->setPlainText(fromCp932Lines(batch::replayedBlock(pass.records, frame.record)));
    tabs->setCurrentWidget(block);
    chartArea->select(frame);
}

void PassView::selectRow(FrameRef frame) {
    const QModelIndex index = sorted->mapFromSource(model->index(model->rowOf(frame), 0));
    table->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table->scrollTo(index);
}

void PassView::tell(const QString& text, bool failure) {
    status->setStyleSheet(failure ? QStringLiteral("color: #b00020;") : QString());
    status->setText(text);
}

bool PassView::saveFrames(const QString& path) {
    QByteArray bytes =
        "# VOKA-I beacon frames checked in Veskar, one a line, as veskar-decode reads them\n";
    int left = 0;
    for (const check::CheckRecord& record : passes.front().records) {
        std::string reason;
        if (const auto line = batch::frameLogLine(record, &reason)) {
            bytes += QByteArray::fromStdString(*line) + '\n';
        } else {
            bytes += QByteArray::fromStdString("# not a log line: " + reason) + '\n';
            ++left;
        }
    }
    QString error;
    if (!writeWhole(path, bytes, &error)) {
        tell(QStringLiteral("The frames could not be saved to \"%1\": %2").arg(path, error), true);
        return false;
    }
    QString text = QStringLiteral("%1 frame(s) saved to \"%2\".")
                       .arg(passes.front().records.size() - static_cast<std::size_t>(left))
                       .arg(path);
    if (left > 0) {
        text += QStringLiteral(
                    " %1 frame(s) have a field that a log line cannot hold; they are "
                    "kept there as comments.")
                    .arg(left);
    }
    tell(text, left > 0);
    return left == 0;
}

bool PassView::exportTable(const QString& path) {
    std::string csv = check::csvHeader();
    for (const Pass& pass : passes) {
        for (const check::CheckRecord& record : pass.records) {
            csv += check::csvRow(record);
        }
    }
    QString error;
    if (!writeWhole(path, QByteArray::fromStdString(csv), &error)) {
        tell(QStringLiteral("The table could not be exported to \"%1\": %2").arg(path, error),
             true);
        return false;
    }
    tell(QStringLiteral("The table was exported to \"%1\".").arg(path), false);
    return true;
}

bool PassView::exportCharts(const QString& path) {
    QString error;
    if (!chartArea->save(path, &error)) {
        tell(QStringLiteral("The charts could not be exported to \"%1\": %2").arg(path, error),
             true);
        return false;
    }
    tell(QStringLiteral("The charts were exported to \"%1\".").arg(path), false);
    return true;
}

void PassView::chooseLogs() {
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Open log"), QString(), logFilter());
    openLogsInBackground(paths);
}

void PassView::chooseFramesFile() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save frames"),
                                                      QStringLiteral("frames.log"), logFilter());
    if (!path.isEmpty()) {
        saveFrames(path);
    }
}

void PassView::chooseChartsFile() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export charts"), QStringLiteral("pass.png"),
        QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)"));
    if (!path.isEmpty()) {
        exportCharts(path);
    }
}

void PassView::chooseTableFile() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export table"),
                                                      QStringLiteral("pass.csv"),
                                                      QStringLiteral("CSV (*.csv);;All files (*)"));
    if (!path.isEmpty()) {
        exportTable(path);
    }
}

void attachPassView(CBeaconDialog& dialog) {
    auto open = [&dialog] {
        auto* view = dialog.findChild<PassView*>(QString(), Qt::FindDirectChildrenOnly);
        if (view == nullptr) {
            view = new PassView(dialog.checkSession(), &dialog);
            QObject::connect(&dialog, &CBeaconDialog::frameChecked, view, &PassView::addCheck);
        }
        view->show();
        view->raise();
        view->activateWindow();
    };
    auto* item = new QAction(QStringLiteral("Pass view\tCtrl+P"), &dialog);
    QObject::connect(item, &QAction::triggered, &dialog, open);
    dialog.addWindowCommand(item, QKeySequence(Qt::CTRL | Qt::Key_P));
}

}  // namespace ui
