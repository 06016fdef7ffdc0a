// SPDX-License-Identifier: MIT
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "DialogTest.h"
#include "Templates.h"
#include "check/CheckOperation.h"
#include "common/ExampleFrame.h"
#include "ui/BeaconDialog.h"
#include "ui/CodePage.h"
#include "ui/ResultBox.h"

namespace {

const QStringList fullFrame{"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"};

// The block that the core appends for these texts on a fresh program state.
std::string coreBlock(const QStringList& texts) {
    decoders::ProgramState state;
    std::string result;
    check::FrameTexts frame;
    for (int i = 0; i < texts.size(); ++i) {
        frame[static_cast<std::size_t>(i)] = texts[i].toStdString();
    }
    RecordingServices clock;
    SilentNotifier quiet;
    check::runCheck(
        state, result, frame, [&] { return clock.now(); }, quiet);
    return result;
}

}  // namespace

class BeaconDialogTest : public DialogTest {
    Q_OBJECT

  private:
    QPushButton* checkButton() const { return dialog->button(res::idCheck); }
    std::string boxBytes() const { return ui::toCp932Lines(resultBox()->toPlainText()); }
    void focusEntry(int field) {
        entry(field)->setFocus();
        entry(field)->end(false);
    }
    void typeFrame(const QStringList& texts) {
        focusEntry(0);
        for (const QString& text : texts) {
            QTest::keyClicks(focused(), text);
        }
    }

  private slots:
    void init() { QVERIFY(openDialog()); }

    void cleanup() { closeDialog(); }

    void focusStartsOnCheck() { QCOMPARE(focused(), checkButton()); }

    void secondDigitAdvancesWithTheNextTextSelected() {
        entry(1)->setText("12");
        focusEntry(0);
        QTest::keyClick(focused(), '8');
        QCOMPARE(focused(), entry(0));
        QTest::keyClick(focused(), '6');
        QCOMPARE(focused(), entry(1));
        QCOMPARE(entry(1)->selectedText(), QString("12"));
    }

    void thirdCharacterStaysAndDeletingBackToTwoAdvances() {
        entry(0)->setText("86");
        focusEntry(0);
        QTest::keyClick(focused(), '7');
        QCOMPARE(focused(), entry(0));
        QCOMPARE(entry(0)->text(), QString("867"));
        QTest::keyClick(focused(), Qt::Key_Backspace);
        QCOMPARE(focused(), entry(1));
    }

    void doubleByteCharacterCountsTwo() {
        focusEntry(0);
        QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString::fromUtf8("あ"),
                            Qt::NoModifier);
        QCOMPARE(focused(), entry(1));
    }

    void pastingFourCharactersIntoAAdvancesToB() {
        QGuiApplication::clipboard()->setText("2B75");
        focusEntry(5);
        QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(entry(5)->text(), QString("2B75"));
        QCOMPARE(focused(), entry(6));
    }

    void writingBackDoesNotMoveTheFocus() {
        typeFrame({"86"});
        QCOMPARE(focused(), entry(1));
        dialog->OnCheck();
        dialog->OnClear();
        QCOMPARE(focused(), entry(1));
    }

    void typedFrameEndsOnCheckAndEnterRunsIt() {
        typeFrame(fullFrame);
        QCOMPARE(focused(), checkButton());
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(boxBytes(), coreBlock(fullFrame));
        QCOMPARE(dialog->analysisText(), coreBlock(fullFrame));
        QTest::keyClick(focused(), Qt::Key_Space);  // the same frame again, the same block
        QCOMPARE(dialog->analysisText(), coreBlock(fullFrame) + coreBlock(fullFrame));
        QVERIFY(resultBox()->document()->isModified());
    }

    void enterInAnEntryBoxOrTheResultBoxRunsCheck() {
        typeFrame({"8"});
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(dialog->analysisText(), coreBlock({"8"}));
        QVERIFY(dialog->isVisible());

        resultBox()->setFocus();
        QTest::keyClick(resultBox(), Qt::Key_Return);
        const std::string shown = boxBytes();
        QCOMPARE(shown, coreBlock({"8"}) + coreBlock({"8"}));  // no line break was added
        QCOMPARE(dialog->analysisText(), shown);
    }

    void resultBoxKeys() {
        resultBox()->setFocus();
        QTest::keyClicks(resultBox(), "a");
        QTest::keyClick(resultBox(), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(resultBox(), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClicks(resultBox(), "b");
        QCOMPARE(resultBox()->toPlainText(), QString("a\n\tb"));
        QTest::keyClick(resultBox(), Qt::Key_Tab);
        QVERIFY(focused() != resultBox());
    }

    void operatorTextAtTheEndIsFollowedDirectlyByTheHeading() {
        resultBox()->setFocus();
        QTest::keyClicks(resultBox(), "note");
        dialog->OnCheck();
        QCOMPARE(boxBytes(), "note" + coreBlock({}));
        QCOMPARE(dialog->analysisText(), boxBytes());
    }

    void clearKeepsEntriesCaptionAndEchoValues() {
        typeFrame(fullFrame);
        dialog->OnCheck();
        dialog->OnClear();
        QCOMPARE(resultBox()->toPlainText(), QString());
        QCOMPARE(dialog->analysisText(), std::string());
        for (int field = 0; field < fullFrame.size(); ++field) {
            QCOMPARE(entry(field)->text(), fullFrame[field]);
        }
        QCOMPARE(dialog->windowTitle(), QString("Veskar"));
        QCOMPARE(dialog->programState().rawH0, 0x86);
        QVERIFY(dialog->programState().fieldH0.empty());
    }

    void escapeClosesAtOnceWithAnUnsavedResult() {
        dialog->OnCheck();
        QTest::keyClick(focused(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->QDialog::result(), int(QDialog::Rejected));
    }

    void closeButtonCloses() {
        dialog->button(res::idCancel)->click();
        QVERIFY(!dialog->isVisible());
    }

    void decodingErrorIsShownAfterTheBoxIsRefreshed() {
        std::string shownThen;
        services->onWarning = [&] { shownThen = boxBytes(); };
        typeFrame({"", "", "", "", "", "", "FFFF"});
        entry(6)->setText("FFFF");
        dialog->OnCheck();
        // Plain words before the system's message; the report's line is the message alone.
        QCOMPARE(services->warnings,
                 QStringList{"The status word could not be decoded: memoryStatus error @ "
                             "getMemoryStatus"});
        QCOMPARE(shownThen, dialog->analysisText());
        QVERIFY(shownThen.find("memoryStatus error @ getMemoryStatus\r\n\r\n") !=
                std::string::npos);
    }

    void saveWritesTheBoxBytesAndShowsThePath() {
        QTemporaryDir dir;
        const QString path = dir.filePath("pass.txt");
        typeFrame(fullFrame);
        dialog->OnCheck();
        resultBox()->moveCursor(QTextCursor::End);
        resultBox()->setFocus();
        QTest::keyClicks(resultBox(), "good pass");
        services->savePaths = {path};
        dialog->OnSave();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.toStdString(), coreBlock(fullFrame) + "good pass" + '\x1A');
        QVERIFY(bytes.contains("25.8 [\x81\x8E]"));
        QCOMPARE(dialog->windowTitle(), path);
        QVERIFY(!resultBox()->document()->isModified());
        QVERIFY(services->errors.isEmpty());
    }

    void savingAgainReplacesTheWholeFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("pass.txt");
        dialog->OnCheck();
        dialog->OnCheck();
        services->savePaths = {path};
        dialog->OnSave();
        dialog->OnClear();
        services->savePaths = {path};
        dialog->OnSave();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x1A"));
    }

    void cancelledSaveKeepsTheCaptionAndClearsTheMark() {
        dialog->OnCheck();
        services->savePaths = {QString()};
        dialog->OnSave();
        QCOMPARE(dialog->windowTitle(), QString("Veskar"));
        QVERIFY(!resultBox()->document()->isModified());
    }

    void failedSaveNamesTheFileAndKeepsEverything() {
        QTemporaryDir dir;
        const QString earlier = dir.filePath("earlier.txt");
        services->savePaths = {earlier};
        dialog->OnSave();
        dialog->OnCheck();
        const QStringList failing{dir.path(), dir.filePath("missing/pass.txt")};
        for (const QString& path : failing) {
            services->savePaths = {path};
            dialog->OnSave();
            QVERIFY(resultBox()->document()->isModified());
            QCOMPARE(dialog->windowTitle(), earlier);
        }
        QCOMPARE(services->errors.size(), 2);
        QVERIFY(services->errors[0].contains(QDir::toNativeSeparators(dir.path())));
        QVERIFY(services->errors[1].contains("missing"));
        QFile file(earlier);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\x1A"));
        dialog->OnCheck();  // still usable
    }

    void charactersOutsideTheCodePageAreRefused() {
        const QString emoji = QString::fromUtf8("\xF0\x9F\x9B\xB0");  // a satellite
        focusEntry(0);
        QTest::keyClick(focused(), '8');
        QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, emoji, Qt::NoModifier);
        QCOMPARE(entry(0)->text(), QString("8"));
        QCOMPARE(focused(), entry(0));

        resultBox()->setFocus();
        QTest::keyClicks(resultBox(), "ok");
        QTest::sendKeyEvent(QTest::Click, resultBox(), Qt::Key_unknown, emoji, Qt::NoModifier);
        QGuiApplication::clipboard()->setText("x" + emoji);
        QTest::keyClick(resultBox(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(resultBox()->toPlainText(), QString("ok"));
        QCOMPARE(services->notices.size(), 3);

        QGuiApplication::clipboard()->setText(QString::fromUtf8("℃あｱ"));
        QTest::keyClick(resultBox(), Qt::Key_V, Qt::ControlModifier);
        dialog->OnCheck();
        QCOMPARE(ui::fromCp932Lines(dialog->analysisText()), resultBox()->toPlainText());
    }

    void entryBoxesHaveNoLengthLimit() {
        const QString longText(100000, 'A');
        QGuiApplication::clipboard()->setText(longText);
        focusEntry(0);
        QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(entry(0)->text().size(), longText.size());
    }

    void rendersToAPicture() {
        typeFrame(fullFrame);
        dialog->OnCheck();
        QCoreApplication::sendPostedEvents();  // the panel lays out its new entries
        const QString path = QStringLiteral(VESKAR_RENDER_DIR "/main-dialog.png");
        QVERIFY(dialog->grab().save(path));
    }
};

QTEST_MAIN(BeaconDialogTest)
#include "BeaconDialogTest.moc"
