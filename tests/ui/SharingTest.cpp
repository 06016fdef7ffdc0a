// SPDX-License-Identifier: MIT
// Sharing from the dialog: the Station dialog, sending with Qt Network to a server of the
// test's own on 127.0.0.1, the status line and the reception report. Settings and outbox
// live in a scratch folder: XDG_CONFIG_HOME and XDG_DATA_HOME point there.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "DialogTest.h"
#include "common/ExampleFrame.h"
#include "common/LocalHttpServer.h"
#include "share/StationFile.h"
#include "ui/InfoPanel.h"
#include "ui/ReceptionReportDialog.h"
#include "ui/Sharing.h"
#include "ui/StationDialog.h"
#include "ui/StationSettings.h"

namespace {

const QByteArray exampleBody =
    "noradID=99999&source=JA1ABC&timestamp=2010-01-02T03%3A04%3A05.000Z&frame="
    "564F4B4120383620413620303020374620433020313233342032423735203930203846203830203830"
    "&locator=longLat&longitude=139.7E&latitude=35.6N&version=";

share::Station stationSendingTo(const std::string& url, bool everyCheck = false) {
    share::StationForm form{"JA1ABC", "", "35.6", "139.7", "99999", "437.375", {}, everyCheck};
    form.servers = share::offeredServers();
    form.servers.push_back({url, true});
    return *share::checkStation(form).station;
}

}  // namespace

class SharingTest : public DialogTest {
    Q_OBJECT

  private:
    QTemporaryDir home;
    std::unique_ptr<LocalHttpServer> server;
    ui::Sharing* sharing = nullptr;

    QString configFolder() const { return home.filePath(QStringLiteral("config")); }
    QString dataFolder() const { return home.filePath(QStringLiteral("data")); }

    void saveStation(const share::Station& station) {
        QString problem;
        QVERIFY2(ui::saveStation(station, problem), qPrintable(problem));
    }

    void openWithSharing() {
        QVERIFY(openDialog());
        sharing = ui::attachSharing(*dialog, *services);
        sharing->setTimeout(700);
    }

    void typeExampleFrameAndCheck() {
        entry(0)->setFocus();
        entry(0)->selectAll();
        for (const char* field :
             {"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"}) {
            QTest::keyClicks(focused(), QString::fromLatin1(field));
        }
        QTest::keyClick(focused(), Qt::Key_Return);
    }

    QString statusLine() const { return dialog->informationPanel()->statusLine(); }

    // Runs the modal dialog that opens next through a function once it is up.
    template <class Dialog>
    void whenOpen(std::function<void(Dialog*)> act) {
        QTimer::singleShot(0, this, [act] {
            auto* open = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(open != nullptr);
            act(open);
        });
    }

  private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", configFolder().toUtf8());
        qputenv("XDG_DATA_HOME", dataFolder().toUtf8());
    }

    void init() {
        QDir(configFolder()).removeRecursively();
        QDir(dataFolder()).removeRecursively();
        server = std::make_unique<LocalHttpServer>();
    }

    void cleanup() {
        if (dialog != nullptr) {
            QTRY_COMPARE(sharing->pendingReplies(), 0);
        }
        sharing = nullptr;
        closeDialog();
        server.reset();
    }

    void nothingIsSentOrWrittenWithoutAStation() {
        openWithSharing();
        typeExampleFrameAndCheck();
        QTest::keyClick(dialog, Qt::Key_F9);
        QCOMPARE(services->messages.size(), 1);
        QVERIFY(services->messages[0].startsWith(QStringLiteral("Set up the station first")));
        QCOMPARE(statusLine(), QString());
        QVERIFY(server->requests().empty());
        QVERIFY(!QFileInfo::exists(configFolder()));
        QVERIFY(!QFileInfo::exists(dataFolder()));
    }

    void sendSendsTheLastCheckOnce() {
        saveStation(stationSendingTo(server->url()));
        openWithSharing();
        typeExampleFrameAndCheck();
        QVERIFY(server->requests().empty());  // not without the operator's word
        QTest::keyClick(dialog, Qt::Key_F9);
        QTRY_COMPARE(server->requests().size(), std::size_t{1});
        const auto request = server->requests()[0];
        QCOMPARE(QByteArray::fromStdString(request.body).left(exampleBody.size()), exampleBody);
        QVERIFY(request.headers.find("content-type: application/x-www-form-urlencoded\r\n") !=
                std::string::npos);
        QTRY_COMPARE(statusLine(), QStringLiteral("Sent 1, queued 0, failed 0"));

        QTest::keyClick(dialog, Qt::Key_F9);  // the same frame again
        QTest::qWait(200);
        QCOMPARE(server->requests().size(), std::size_t{1});
    }

    void everyCheckIsSentWhenTheStationSaysSo() {
        saveStation(stationSendingTo(server->url(), true));
        openWithSharing();
        typeExampleFrameAndCheck();
        QTRY_COMPARE(server->requests().size(), std::size_t{1});
    }

    void aRefusalIsShownWithTheServersMessage() {
        server->script({{400, "frame not in the expected format", 0}});
        saveStation(stationSendingTo(server->url()));
        openWithSharing();
        typeExampleFrameAndCheck();
        QTest::keyClick(dialog, Qt::Key_F9);
        QTRY_COMPARE(statusLine().section('\n', 0, 0),
                     QStringLiteral("Sent 0, queued 0, failed 1"));
        QCOMPARE(services->warnings.size(), 1);
        QVERIFY2(services->warnings[0].contains(
                     QStringLiteral("refused: HTTP 400: frame not in the expected format")),
                 qPrintable(services->warnings[0]));
    }

    void aServerThatDoesNotAnswerKeepsTheFrameQueued() {
        server->script({{200, "late", 1500}});
        saveStation(stationSendingTo(server->url()));
        openWithSharing();
        typeExampleFrameAndCheck();
        QTest::keyClick(dialog, Qt::Key_F9);
        QTRY_VERIFY(statusLine().contains(QStringLiteral("timed out")));
        QVERIFY(statusLine().startsWith(QStringLiteral("Sent 0, queued 1, failed 0")));
    }

    // The program closed while the server was down: the frame waits in the outbox, goes out
    // at a later start once its wait is over, and only once.
    void aFrameOutlivesTheProgramAndIsDeliveredOnce() {
        saveStation(stationSendingTo(server->url()));
        server->stop();
        openWithSharing();
        typeExampleFrameAndCheck();
        QTest::keyClick(dialog, Qt::Key_F9);
        QTRY_COMPARE(sharing->pendingReplies(), 0);
        QVERIFY(statusLine().startsWith(QStringLiteral("Sent 0, queued 1, failed 0")));
        QVERIFY2(statusLine().contains(QStringLiteral("Connection refused")),
                 qPrintable(statusLine()));
        closeDialog();

        server->restart();
        for (const std::time_t later : {fixedTime + 30, fixedTime + 61, fixedTime + 100000}) {
            QVERIFY(openDialog());
            services->clock = later;
            sharing = ui::attachSharing(*dialog, *services);
            QTest::qWait(300);
            QTRY_COMPARE(sharing->pendingReplies(), 0);
            const std::size_t expected = later < fixedTime + 60 ? 0 : 1;
            QCOMPARE(server->requests().size(), expected);
            closeDialog();
        }
        QCOMPARE(QByteArray::fromStdString(server->requests()[0].body).left(exampleBody.size()),
                 exampleBody);
    }

    void theStationDialogNamesEveryWrongField() {
        openWithSharing();
        whenOpen<ui::StationDialog>([](ui::StationDialog* station) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("J1"));  // call sign
            QTest::keyClick(station, Qt::Key_Return);
            const QString problems = station->problemText();
            QVERIFY(problems.contains(QStringLiteral("Call sign: ")));
            QVERIFY(problems.contains(QStringLiteral("Position: ")));
            QVERIFY(problems.contains(QStringLiteral("NORAD number: ")));
            QVERIFY(station->isVisible());
            station->reject();
        });
        sharing->editStation();
        QVERIFY(!sharing->station());
        QVERIFY(!QFileInfo::exists(configFolder()));
    }

    void theStationDialogDerivesThePositionAndSaves() {
        openWithSharing();
        whenOpen<ui::StationDialog>([](ui::StationDialog* station) {
            auto edit = [station](const char* name) {
                for (auto* each : station->findChildren<QLineEdit*>()) {
                    if (each->accessibleName() == QLatin1String(name)) {
                        return each;
                    }
                }
                return static_cast<QLineEdit*>(nullptr);
            };
            QTest::keyClicks(edit("Call sign"), QStringLiteral("dl1abc"));
            QTest::keyClicks(edit("Locator"), QStringLiteral("JN58"));
            QCOMPARE(edit("Latitude")->text(), QStringLiteral("48.5"));
            QCOMPARE(edit("Longitude")->text(), QStringLiteral("11"));
            edit("Latitude")->clear();
            QTest::keyClicks(edit("Latitude"), QStringLiteral("48.1467"));
            edit("Longitude")->clear();
            QTest::keyClicks(edit("Longitude"), QStringLiteral("11.6083"));
            QCOMPARE(edit("Locator")->text(), QStringLiteral("JN58td"));
            QTest::keyClicks(edit("NORAD number"), QStringLiteral("12345"));
            QTest::keyClick(edit("NORAD number"), Qt::Key_Return);
            QVERIFY(!station->isVisible());
        });
        sharing->editStation();
        QVERIFY(sharing->station());
        const share::LoadedStation saved = share::loadStation(share::defaultStationPath());
        QVERIFY(saved.station);
        QCOMPARE(QString::fromStdString(saved.station->callSign), QStringLiteral("DL1ABC"));
        QCOMPARE(QString::fromStdString(saved.station->locator), QStringLiteral("JN58td"));
        QCOMPARE(saved.station->noradId, 12345L);
        QVERIFY(saved.station->enabledUrls().empty());  // SatNOGS DB offered, not ticked
        QCOMPARE(saved.station->servers.size(), std::size_t{1});
    }

    void settingsKeepAnAddressWithQuotedCharacters() {
        share::Station station = stationSendingTo("http://127.0.0.1:9/t?a=b,c;d");
        saveStation(station);
        const share::LoadedStation saved = share::loadStation(share::defaultStationPath());
        QVERIFY(saved.station);
        QCOMPARE(saved.station->enabledUrls(),
                 std::vector<std::string>{"http://127.0.0.1:9/t?a=b,c;d"});
    }

    void theReceptionReportHoldsTheTickedFrames() {
        saveStation(stationSendingTo(server->url()));
        openWithSharing();
        typeExampleFrameAndCheck();
        typeExampleFrameAndCheck();
        ui::ReceptionReportDialog report(dialog->checkSession().history(), sharing->station(),
                                         *services, dialog);
        const QString path = home.filePath(QStringLiteral("report.html"));
        report.choosePath = [path](QWidget*, bool html) {
            return html ? std::optional<QString>(path) : std::nullopt;
        };
        report.show();
        QVERIFY(QTest::qWaitForWindowActive(&report));
        auto* frames = report.findChild<QListWidget*>();
        frames->setFocus();
        frames->setCurrentRow(0);
        QTest::keyClick(frames, Qt::Key_Space);  // leaves the first Check out
        report.findChild<QComboBox*>()->setCurrentIndex(1);
        QTest::keyClick(&report, Qt::Key_Return);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(saved.readAll());
        QVERIFY(html.contains(QStringLiteral("<tr><th>Station</th><td>JA1ABC</td></tr>")));
        QVERIFY(html.contains(QStringLiteral("<tr><th>Frames</th><td>1</td></tr>")));
        QVERIFY(html.contains(QStringLiteral("<tr><th>Frequency</th><td>437.375 MHz</td></tr>")));
        QVERIFY(html.contains(QStringLiteral("VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80")));
        QVERIFY(html.contains(QStringLiteral("25.8 [℃], Normal")));
    }
};

QTEST_MAIN(SharingTest)
#include "SharingTest.moc"
