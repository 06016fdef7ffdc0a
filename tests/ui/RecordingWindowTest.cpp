// SPDX-License-Identifier: MIT
// The Recording window: a generated recording of three frames decoded off the UI thread,
// its frames listed with their times, taken into the boxes one by one or checked all at
// once, the waterfall at a chosen zoom, Cancel, and a file that is not audio.
#include <sndfile.h>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <random>

#include "BeaconSignal.h"
#include "DialogTest.h"
#include "Templates.h"
#include "check/Session.h"
#include "common/ExampleFrame.h"
#include "morse/RecordingTime.h"
#include "ui/FramePlayer.h"
#include "ui/RecordingWindow.h"
#include "ui/Waterfall.h"

namespace {

namespace gen = morse::generator;

constexpr double sampleRate = 8000;
const morse::UtcSeconds recordingStart = *morse::parseUtc("2026-03-14T09:26:53Z");

const std::vector<gen::FrameText> sentFrames{
    {"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"},
    {"87", "A5", "01", "7E", "C1", "1235", "2B76", "91", "8E", "81", "7F"},
    {"88", "A4", "02", "7D", "C2", "1236", "2B77", "92", "8D", "82", "7E"},
};

check::FrameTexts textsOf(const gen::FrameText& frame) {
    check::FrameTexts texts;
    std::copy(frame.begin(), frame.end(), texts.begin());
    return texts;
}

// The report without its headings' times, which differ between a Check and another.
QString withoutHeadingTimes(const std::string& report) {
    return QString::fromStdString(report).replace(
        QRegularExpression(QStringLiteral("Input at [^\\r\\n]*")), QStringLiteral("Input at"));
}

}  // namespace

class RecordingWindowTest : public DialogTest {
    Q_OBJECT

    QTemporaryDir folder;
    QString recordingPath;
    gen::Recording recording;
    ui::RecordingWindow* window = nullptr;

    bool decode(const QString& path) {
        window = ui::recordingWindowOf(*dialog);
        window->show();
        QSignalSpy ended(window, &ui::RecordingWindow::decodingEnded);
        window->openFile(path);
        return ended.wait(20000);
    }

  private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        gen::Signal signal;
        signal.sampleRate = sampleRate;
        signal.wpm = 25;
        signal.snrDb = 20;
        recording = gen::generate(signal, sentFrames);
        // A SatNOGS name: the window takes the start from it.
        recordingPath = folder.filePath(QStringLiteral("satnogs_9876543_2026-03-14T09-26-53.wav"));
        gen::writeAudio(recordingPath.toStdString(), recording.samples, sampleRate, SF_FORMAT_WAV);
    }
    void init() { QVERIFY(openDialog()); }
    void cleanup() {
        window = nullptr;
        closeDialog();
    }

    void listsTheThreeFramesWithTheirTimes() {
        QVERIFY(decode(recordingPath));
        QTableWidget* table = window->frameTable();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(window->startEntry()->text(), QString("2026-03-14T09:26:53Z"));
        for (int row = 0; row < 3; ++row) {
            const auto shown = morse::parseUtc(table->item(row, 0)->text().toStdString());
            QVERIFY2(shown, qPrintable(table->item(row, 0)->text()));
            const double sent = static_cast<double>(recordingStart) + recording.sent[row].start;
            QVERIFY2(std::abs(static_cast<double>(*shown) - sent) <= 1.5,
                     qPrintable(table->item(row, 0)->text()));
            QStringList fields;
            for (const std::string& field : sentFrames[row]) {
                fields << QString::fromStdString(field);
            }
            QCOMPARE(table->item(row, 1)->text(), fields.join(' '));
        }
        QVERIFY(window->messageLine()->text().contains("3 frame"));
        window->grab().save(QStringLiteral(VESKAR_RENDER_DIR "/recording-window.png"));
    }

    void anEnteredStartTimesTheFrames() {
        QVERIFY(decode(recordingPath));
        window->startEntry()->clear();
        window->startEntry()->setFocus();
        QTest::keyClicks(window->startEntry(), "2026-01-01T00:00:00Z");
        QTest::keyClick(window->startEntry(), Qt::Key_Tab);
        QVERIFY(window->frameTable()->item(0, 0)->text().startsWith("2026-01-01T00:00:0"));
    }

    void useThisFrameFillsTheBoxesExactly() {
        QVERIFY(decode(recordingPath));
        QTableWidget* table = window->frameTable();
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(table->currentRow(), 1);
        QTest::keyClick(table, Qt::Key_Return);
        for (int field = 0; field < 11; ++field) {
            QCOMPARE(entry(field)->text(), QString::fromStdString(sentFrames[1][field]));
        }
        QTRY_COMPARE(focused(), static_cast<QWidget*>(dialog->button(res::idCheck)));

        QTest::keyClick(dialog->button(res::idCheck), Qt::Key_Return);
        const check::CheckRecord& record = dialog->checkSession().history().back();
        QCOMPARE(record.origin.kind, check::FrameOrigin::Kind::Recording);
        QVERIFY(std::abs(static_cast<double>(record.decoded.time) -
                         (static_cast<double>(recordingStart) + recording.sent[1].start)) <= 1.5);
        RecordingNotifier notifier;
        check::Session typed(notifier, [this] { return services->now(); });
        const check::FrameTexts texts = textsOf(sentFrames[1]);
        typed.check(check::Frame{texts, {}, {}});
        QCOMPARE(QString::fromStdString(dialog->analysisText()),
                 QString::fromStdString(typed.resultText()));  // the heading at the Check's time
    }

    void aFieldNotHeardStaysEmpty() {
        // The recording starts in the middle of the first frame: its first fields are lost.
        gen::Signal signal;
        signal.sampleRate = sampleRate;
        signal.wpm = 25;
        signal.cutStartSeconds = 6;
        const gen::Recording cut = gen::generate(signal, {sentFrames[0], sentFrames[1]});
        const QString path = folder.filePath("cut.wav");
        gen::writeAudio(path.toStdString(), cut.samples, sampleRate, SF_FORMAT_WAV);
        QVERIFY(decode(path));
        QCOMPARE(window->startEntry()->text(), QString());  // no start in this name
        QVERIFY(window->frameTable()->item(0, 0)->text().startsWith("+"));
        window->frameTable()->setFocus();
        QTest::keyClick(window->frameTable(), Qt::Key_Enter);
        QCOMPARE(entry(0)->text(), QString());
        QCOMPARE(entry(10)->text(), QString::fromStdString(sentFrames[0][10]));
        for (int field = 0; field < 11; ++field) {
            const bool heard = !entry(field)->text().isEmpty();
            QCOMPARE(entry(field)->text(),
                     heard ? QString::fromStdString(sentFrames[0][field]) : QString());
        }
    }

    void checkAllFramesAppendsTheBlocksOfTypedChecks() {
        QVERIFY(decode(recordingPath));
        QPushButton* checkAll = window->findChild<QPushButton*>();
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (button->accessibleName() == "Check all frames") {
                checkAll = button;
            }
        }
        QTest::mouseClick(checkAll, Qt::LeftButton);

        RecordingNotifier notifier;
        check::Session typed(notifier, [this] { return services->now(); });
        for (const gen::FrameText& frame : sentFrames) {
            const check::FrameTexts texts = textsOf(frame);
            typed.check(check::Frame{texts, {}, {}});
        }
        QCOMPARE(withoutHeadingTimes(dialog->analysisText()),
                 withoutHeadingTimes(typed.resultText()));
        QCOMPARE(dialog->checkSession().history().size(), std::size_t{3});
        for (std::size_t i = 0; i < 3; ++i) {
            const double heard = static_cast<double>(recordingStart) + recording.sent[i].start;
            QVERIFY(std::abs(dialog->checkSession().history()[i].decoded.time - heard) <= 1.5);
        }
    }

    void theWaterfallIsTheRecordingsDurationInPixels() {
        QVERIFY(decode(recordingPath));
        const double seconds = static_cast<double>(recording.samples.size()) / sampleRate;
        window->setPixelsPerSecond(20);
        QCOMPARE(window->waterfall()->image().width(), static_cast<int>(std::lround(seconds * 20)));
        QTest::keyClick(window, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(window->waterfall()->pixelsPerSecond(), 10.0);
        QCOMPARE(window->waterfall()->image().width(), static_cast<int>(std::lround(seconds * 10)));
    }

    void aClickOnTheWaterfallSelectsTheFrameThere() {
        QVERIFY(decode(recordingPath));
        ui::Waterfall* picture = window->waterfall();
        const auto& heard = window->analysis()->result.frames;
        const int x = picture->xOf((heard[2].start + heard[2].end) / 2);
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(x, picture->height() / 2));
        QCOMPARE(window->frameTable()->currentRow(), 2);
    }

    void cancelStopsALongDecodingWithinASecond() {
        // Half an hour of noise: far longer to decode than the test waits.
        std::mt19937 random(7);
        std::normal_distribution<float> noise(0, 0.05F);
        std::vector<float> samples(static_cast<std::size_t>(sampleRate * 1800));
        for (float& sample : samples) {
            sample = noise(random);
        }
        const QString path = folder.filePath("long.wav");
        gen::writeAudio(path.toStdString(), samples, sampleRate, SF_FORMAT_WAV);
        window = ui::recordingWindowOf(*dialog);
        window->show();
        QSignalSpy ended(window, &ui::RecordingWindow::decodingEnded);
        window->openFile(path);
        QTRY_VERIFY(window->progressBar()->value() > 0);
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
        QVERIFY(ended.wait(1000));
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(window->analysis()->result.cancelled);
        QVERIFY(window->messageLine()->text().contains("cancelled"));
    }

    void withoutASoundOutputPlayIsDisabledAndSaysWhy() {
        QVERIFY(decode(recordingPath));
        if (ui::FramePlayer::unavailableReason().isEmpty()) {
            QVERIFY(window->playButton()->isEnabled());
            QSKIP("this system has a sound output");
        }
        QVERIFY(!window->playButton()->isEnabled());
        QVERIFY(window->playButton()->toolTip().contains("no sound output"));
    }

    void aFileThatIsNotAudioShowsTheDecodersMessage() {
        const QString path = folder.filePath("notes.wav");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("These are notes, not a recording.\n");
        file.close();
        QVERIFY(decode(path));
        QCOMPARE(window->frameTable()->rowCount(), 0);
        QVERIFY2(window->messageLine()->text().contains(path),
                 qPrintable(window->messageLine()->text()));
        QVERIFY(window->messageLine()->text().contains("could not be read as audio"));
    }
};

QTEST_MAIN(RecordingWindowTest)
#include "RecordingWindowTest.moc"
