// SPDX-License-Identifier: MIT
#include <QAbstractItemModel>
#include <QChart>
#include <QDateTimeAxis>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScatterSeries>
#include <QSvgRenderer>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>

#include "DialogTest.h"
#include "ui/FrameTableModel.h"
#include "ui/KeyboardHelp.h"
#include "ui/PassCharts.h"
#include "ui/PassView.h"
#include "ui/TimeChartView.h"

namespace {

const QString passLog = QStringLiteral(VESKAR_TEST_DATA "/pass.log");

// The charts in their order: one per analog channel, then the status timeline.
constexpr std::size_t batteryVoltageChart = 1;
constexpr std::size_t timelineChart = 7;

QList<QXYSeries*> seriesOf(QChart* chart, QAbstractSeries::SeriesType type) {
    QList<QXYSeries*> found;
    for (QAbstractSeries* series : chart->series()) {
        if (series->type() == type && series->name() != QStringLiteral("selected frame")) {
            found << static_cast<QXYSeries*>(series);
        }
    }
    return found;
}

// The lines of a chart that have points, one per pass shown.
QList<QXYSeries*> drawnLines(QChart* chart) {
    QList<QXYSeries*> lines;
    for (QXYSeries* line : seriesOf(chart, QAbstractSeries::SeriesTypeLine)) {
        if (line->count() > 0) {
            lines << line;
        }
    }
    return lines;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// veskar-decode's output for arguments, run without a display.
QByteArray veskarDecode(const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VESKAR_DECODE), arguments);
    process.waitForFinished(30000);
    if (exitCode != nullptr) {
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    return process.readAllStandardOutput();
}

}  // namespace

class PassViewTest : public DialogTest {
    Q_OBJECT

  private:
    QTemporaryDir folder;

    void typeAndCheck(const QStringList& fields) {
        for (int field = 0; field < fields.size(); ++field) {
            entry(field)->setFocus();
            entry(field)->selectAll();
            QTest::keyClick(entry(field), Qt::Key_Backspace);
            QTest::keyClicks(entry(field), fields[field]);
        }
        QTest::keyClick(focused(), Qt::Key_Return);
    }

    ui::PassView* openedView() {
        QTest::keyClick(dialog, Qt::Key_P, Qt::ControlModifier);
        return dialog->findChild<ui::PassView*>();
    }

    QString writeLog(const QString& name, const QByteArray& text) {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            return {};
        }
        return path;
    }

  private slots:
    void init() { QVERIFY(openDialog()); }
    void cleanup() { closeDialog(); }

    void theWindowMenuAndCtrlPOpenTheViewBesideTheDialog() {
        QList<QAction*> items = dialog->GetSystemMenu()->actions();
        const auto item = std::find_if(items.begin(), items.end(), [](QAction* action) {
            return action->text().startsWith(QStringLiteral("Pass view"));
        });
        QVERIFY(item != items.end());
        QVERIFY(
            items.last()->text().contains(QStringLiteral("Veskar")));  // the about box stays last
        (*item)->trigger();
        ui::PassView* view = dialog->findChild<ui::PassView*>();
        QVERIFY(view != nullptr && view->isVisible());
        QVERIFY(!view->isModal());
        QCOMPARE(openedView(), view);  // Ctrl+P shows the same one
        QVERIFY(ui::keyboardHelp().contains(QStringLiteral("Ctrl+P")));
    }

    void threeChecksGiveThreePointsWithTheirValuesAndStates() {
        typeAndCheck({"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"});
        ui::PassView* view = openedView();  // opened after one Check: it shows the history
        QVERIFY(view != nullptr);
        typeAndCheck({"86", "AE"});
        typeAndCheck({"86", "6E"});
        const std::vector<check::CheckRecord>& history = dialog->checkSession().history();
        QCOMPARE(history.size(), std::size_t{3});

        QChart* chart = view->charts()->chart(batteryVoltageChart);
        const QList<QXYSeries*> lines = drawnLines(chart);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0]->count(), 3);
        qsizetype marked = 0;
        for (QXYSeries* markers : seriesOf(chart, QAbstractSeries::SeriesTypeScatter)) {
            marked += markers->count();
        }
        QCOMPARE(marked, qsizetype{3});
        for (int i = 0; i < 3; ++i) {
            const auto& value = *history[static_cast<std::size_t>(i)].decoded.batteryVoltage;
            QCOMPARE(lines[0]->at(i).y(), value.value);
            // The point's marker is in the series of its state: 4.218 V is at the upper
            // limit, 4.35 V too, 2.78 V below the lower one.
            const QString state = value.status == 0 ? QStringLiteral("○") : QStringLiteral("△");
            bool found = false;
            for (QXYSeries* markers : seriesOf(chart, QAbstractSeries::SeriesTypeScatter)) {
                if (markers->name().endsWith(state) &&
                    markers->points().contains(lines[0]->at(i))) {
                    found = true;
                }
            }
            QVERIFY2(found, qPrintable(QString::number(i)));
        }
        QCOMPARE(view->tableModel()->rowCount(), 3);

        // Selecting a row shows that frame's block and marks it on the charts.
        QTableView* table = view->tableView();
        table->setFocus();
        table->selectRow(0);
        QVERIFY(view->blockView()->toPlainText().contains(QStringLiteral("Battery Voltage =")));
        QVERIFY(view->blockView()->toPlainText().contains(QStringLiteral("2B75")));
        QVERIFY(dialog->analysisText().find("Battery Voltage =") != std::string::npos);

        // A click on a point selects its frame's row.
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QApplication::processEvents();
        ui::TimeChartView* chartView = view->charts()->chartView(batteryVoltageChart);
        const QPointF point = lines[0]->at(2);
        const QPoint place =
            chartView->mapFromScene(chart->mapToScene(chart->mapToPosition(point, lines[0])));
        QTest::mouseClick(chartView->viewport(), Qt::LeftButton, {}, place);
        QCOMPARE(table->currentIndex().row(), 2);

        // Resting on it tells its time, value and state.
        const QPoint rest = place + QPoint(1, 1);
        QMouseEvent move(QEvent::MouseMove, rest, chartView->viewport()->mapToGlobal(rest),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chartView->viewport(), &move);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(QStringLiteral("2010-01-02T03:04:05Z")));
        QVERIFY(QToolTip::text().contains(QStringLiteral("Battery voltage [V]: 2.795")));
        QVERIFY(QToolTip::text().contains(QStringLiteral("LowerLimit")));
    }

    void aLogWithTwoPassesGivesTwoSeries() {
        ui::PassView* view = openedView();
        const QString first =
            writeLog("first.log",
                     "2010-01-02 03:04:05 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
                     "2010-01-02 03:05:05 87 A5 00 7F C0 1234 2B75 90 8F 80 80\n");
        const QString second =
            writeLog("second.log", "2010-01-03 04:04:05 88 A4 00 7F C0 1234 2B75 90 8F 80 80\n");
        QVERIFY(view->openLogs({first, second}));
        QCOMPARE(view->shownPasses().size(), std::size_t{3});  // this run, and the two logs
        for (std::size_t chart = 0; chart < timelineChart; ++chart) {
            const QList<QXYSeries*> lines = drawnLines(view->charts()->chart(chart));
            QCOMPARE(lines.size(), 2);
            QVERIFY(lines[0]->color() != lines[1]->color());
            QCOMPARE(lines[0]->count() + lines[1]->count(), 3);
        }
        QCOMPARE(view->tableModel()->rowCount(), 3);
        QVERIFY(dialog->analysisText().empty());  // reading a log leaves the dialog alone
        QCOMPARE(dialog->programState().rawH0, std::uint8_t{0});
    }

    void zoomAndPanKeepTheChartsAligned() {
        ui::PassView* view = openedView();
        QVERIFY(view->openLogs(
            {writeLog("long.log",
                      "2010-01-02 03:00:00 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
                      "2010-01-02 04:00:00 87 A5 00 7F C0 1234 2B75 90 8F 80 80\n")}));
        QVERIFY(QTest::qWaitForWindowExposed(view));
        ui::PassCharts* charts = view->charts();
        const auto before = charts->timeRange();
        ui::TimeChartView* chart = charts->chartView(2);
        const QPoint middle = chart->rect().center();
        QWheelEvent wheel(middle, chart->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart->viewport(), &wheel);
        charts->chartView(5)->setFocus();
        QTest::keyClick(charts->chartView(5), Qt::Key_Plus);
        QTest::keyClick(charts->chartView(5), Qt::Key_Right);
        QApplication::processEvents();
        const auto after = charts->timeRange();
        QVERIFY(after.second - after.first < 0.7 * (before.second - before.first));
        const QRectF area = charts->chart(0)->plotArea();
        for (std::size_t i = 0; i < charts->chartCount(); ++i) {
            const auto* axis =
                qobject_cast<QDateTimeAxis*>(charts->chart(i)->axes(Qt::Horizontal).constFirst());
            QCOMPARE(static_cast<double>(axis->min().toMSecsSinceEpoch()), std::floor(after.first));
            QCOMPARE(static_cast<double>(axis->max().toMSecsSinceEpoch()),
                     std::floor(after.second));
            QCOMPARE(charts->chart(i)->plotArea().left(), area.left());
            QCOMPARE(charts->chart(i)->plotArea().width(), area.width());
        }
        QTest::keyClick(charts->chartView(5), Qt::Key_Home);
        QCOMPARE(charts->timeRange(), before);
    }

    void theTableExportEqualsVeskarDecodeCsv() {
        ui::PassView* view = openedView();
        QVERIFY(!view->openLogs({passLog}));  // it has a bad line
        const QString csv = folder.filePath("log.csv");
        QVERIFY(view->exportTable(csv));
        QCOMPARE(contentsOf(csv), veskarDecode({"--csv", passLog}));

        // This run's frames, saved as a log, decode to the same CSV as the view exports.
        closeDialog();
        QVERIFY(openDialog());
        typeAndCheck({"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"});
        typeAndCheck({"", "", "", "", "", "", "FFFF"});  // a status word that fails
        typeAndCheck({"FF", "", "78"});
        view = openedView();
        const QString frames = folder.filePath("frames.log");
        QVERIFY(view->saveFrames(frames));
        QVERIFY(view->statusLine()->text().contains(QStringLiteral("3 frame(s) saved")));
        QVERIFY(view->exportTable(csv));
        QCOMPARE(contentsOf(csv), veskarDecode({"--csv", frames}));
    }

    void savingToAFolderThatCannotBeWrittenSaysWhy() {
        ui::PassView* view = openedView();
        QVERIFY(!view->saveFrames(folder.filePath("missing/frames.log")));
        QVERIFY(view->statusLine()->text().contains(QStringLiteral("could not be saved")));
        QVERIFY(view->statusLine()->text().contains(QStringLiteral("missing/frames.log")));
        QVERIFY(!QFile::exists(folder.filePath("missing/frames.log")));
    }

    void plotWritesSvgAndPngWithoutADisplay() {
        for (const QString& name : {QStringLiteral("plot.svg"), QStringLiteral("plot.png")}) {
            const QString path = folder.filePath(name);
            int exitCode = -1;
            veskarDecode({"--plot", path, passLog}, &exitCode);
            QCOMPARE(exitCode, 1);  // the log has a line that is not a frame
            if (name.endsWith(QStringLiteral(".svg"))) {
                QSvgRenderer svg(path);
                QVERIFY(svg.isValid());
                QVERIFY(contentsOf(path).contains("Battery voltage"));
            } else {
                const QImage png(path, "PNG");
                QVERIFY(!png.isNull());
                QVERIFY(png.width() >= 800 && png.height() >= 800);
            }
        }
        int exitCode = -1;
        veskarDecode({"--plot", folder.filePath("plot.txt"), passLog}, &exitCode);
        QCOMPARE(exitCode, 2);
    }

    void aLogWithBadLinesListsThemAndShowsEveryGoodFrame() {
        ui::PassView* view = openedView();
        const QString log = writeLog("bad.log",
                                     "# a comment\n"
                                     "2010-01-02 03:04:05 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
                                     "not a frame\n"
                                     "2010-01-02 03:05:05 87 A5 00 7F C0 1234 2B75 90 8F 80 80\n"
                                     "2010-13-02 03:06:05 87 A5 00 7F C0 1234 2B75 90 8F 80 80\n"
                                     "2010-01-02 03:07:05 88 A4 00 7F C0 1234 2B75 90 8F 80 80\n");
        QVERIFY(!view->openLogs({log}));
        QListWidget* messages = view->messageList();
        QCOMPARE(messages->count(), 2);
        QVERIFY(
            messages->item(0)->text().startsWith(log + QStringLiteral(":3: expected 11 fields")));
        QVERIFY(messages->item(1)->text().startsWith(log + QStringLiteral(":5: malformed time")));
        QCOMPARE(view->tableModel()->rowCount(), 3);
        QCOMPARE(drawnLines(view->charts()->chart(batteryVoltageChart)).constFirst()->count(), 3);

        QVERIFY(!view->openLogs({folder.filePath("absent.log")}));
        QVERIFY(messages->item(2)->text().startsWith(QStringLiteral("Cannot read ")));
        QVERIFY(view->statusLine()->text().contains(QStringLiteral("absent.log")));
    }

    void theOpenButtonReadsLogsOffTheUiThread() {
        ui::PassView* view = openedView();
        view->openLogsInBackground({passLog});
        QTRY_COMPARE(view->shownPasses().size(), std::size_t{2});
        QCOMPARE(view->tableModel()->rowCount(), 3);
        QCOMPARE(view->messageList()->count(), 2);
    }

    // Leaves a picture of the view after the committed pass log beside the build.
    void rendersTheViewAfterThePassLog() {
        ui::PassView* view = openedView();
        view->resize(1400, 1300);
        view->openLogs({passLog});
        view->tableView()->selectRow(1);
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QApplication::processEvents();
        const QString path = QStringLiteral(VESKAR_RENDER_DIR "/pass-view.png");
        QVERIFY(view->grab().save(path, "PNG"));
        QVERIFY(view->exportCharts(QStringLiteral(VESKAR_RENDER_DIR "/pass-charts.svg")));
    }
};

QTEST_MAIN(PassViewTest)
#include "PassViewTest.moc"
