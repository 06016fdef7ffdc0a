// SPDX-License-Identifier: MIT
// A whole pass at the dialog: closing with an unsaved result, the next frame, pasted
// frames, the marks, Japanese input, the about box's reach, notices and the panel's view.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "DialogTest.h"
#include "Templates.h"
#include "ui/BeaconDialog.h"
#include "ui/CodePage.h"
#include "ui/FramePaster.h"
#include "ui/InfoPanel.h"
#include "ui/NoticePopup.h"
#include "ui/Services.h"

namespace {

const QStringList fullFrame{"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"};

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

}  // namespace

class PassFlowTest : public DialogTest {
    Q_OBJECT

  private:
    QStringList boxTexts() const {
        QStringList texts;
        for (int field = 0; field < 11; ++field) {
            texts << entry(field)->text();
        }
        return texts;
    }
    void typeInto(int field, const QString& text) {
        entry(field)->setFocus();
        entry(field)->end(false);
        QTest::keyClicks(focused(), text);
    }
    bool marked(int field) const { return !entry(field)->toolTip().isEmpty(); }
    void pasteInto(int field, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        entry(field)->setFocus();
        QTest::keyClick(entry(field), Qt::Key_V, Qt::ControlModifier);
    }
    // Closes the next modal window that opens, noting its parent.
    QWidget* modalParent = nullptr;
    void closeNextModalWindow() {
        modalParent = nullptr;
        QTimer::singleShot(0, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal != nullptr && modal != dialog);
            modalParent = modal->parentWidget();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
    }

  private slots:
    void init() { QVERIFY(openDialog()); }
    void cleanup() { closeDialog(); }

    // How each way of closing meets the close question.
    void closeQuestion_data() {
        QTest::addColumn<QString>("before");  // what happened before closing
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("closed");
        const int save = int(ui::CloseAnswer::Save), discard = int(ui::CloseAnswer::Discard),
                  cancel = int(ui::CloseAnswer::Cancel);
        QTest::newRow("nothing checked") << "" << cancel << 0 << true;
        QTest::newRow("unsaved, discard") << "check" << discard << 1 << true;
        QTest::newRow("unsaved, cancel") << "check" << cancel << 1 << false;
        QTest::newRow("saved") << "check save" << cancel << 0 << true;
        QTest::newRow("edited after saving") << "check save edit" << cancel << 1 << false;
        QTest::newRow("cleared") << "check clear" << cancel << 0 << true;
        QTest::newRow("unsaved, save") << "check" << save << 1 << true;
        QTest::newRow("unsaved, save cancelled") << "check cancelsave" << save << 1 << false;
        QTest::newRow("unsaved, save fails") << "check failsave" << save << 1 << false;
    }
    void closeQuestion() {
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(int, questions);
        QFETCH(bool, closed);
        QTemporaryDir dir;
        const QString path = dir.filePath("pass.txt");
        for (const QString& step : before.split(' ', Qt::SkipEmptyParts)) {
            if (step == "check") {
                dialog->OnCheck();
            } else if (step == "save") {
                services->savePaths = {path};
                dialog->OnSave();
            } else if (step == "edit") {
                resultBox()->setFocus();
                QTest::keyClicks(resultBox(), "x");
            } else if (step == "clear") {
                dialog->OnClear();
            }
        }
        services->closeAnswer = static_cast<ui::CloseAnswer>(answer);
        QString saveTo = path;
        if (before.contains("cancelsave")) {
            saveTo = QString();
        } else if (before.contains("failsave")) {
            saveTo = dir.path();  // a folder cannot be written as a file
        }
        // Esc, the Close button and the close box all ask the same question.
        const auto closeWays = {0, 1, 2};
        for (const int way : closeWays) {
            if (!dialog->isVisible()) {
                break;
            }
            services->closeQuestions = 0;
            services->savePaths = {saveTo};
            if (way == 0) {
                QTest::keyClick(focused(), Qt::Key_Escape);
            } else if (way == 1) {
                dialog->button(res::idCancel)->click();
            } else {
                dialog->close();
            }
            QCOMPARE(services->closeQuestions, questions);
            QCOMPARE(!dialog->isVisible(), closed);
        }
        if (answer == int(ui::CloseAnswer::Save) && closed) {
            QCOMPARE(readFile(path).toStdString(), dialog->analysisText() + '\x1A');
            QCOMPARE(dialog->windowTitle(), QFileInfo(path).absoluteFilePath());
        }
        if (before.contains("failsave")) {
            QCOMPARE(services->errors.size(), 3);
        }
    }

    void nextFrameKeyEmptiesTheBoxesAndGoesToH0() {
        for (int field = 0; field < 11; ++field) {
            entry(field)->setText(fullFrame[field]);
        }
        dialog->OnCheck();
        dialog->button(res::idCheck)->setFocus();
        const std::string before = dialog->analysisText();
        QTest::keyClick(focused(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(boxTexts(), QStringList(11, QString()));
        QCOMPARE(focused(), entry(0));
        QCOMPARE(dialog->analysisText(), before);
        typeInto(0, "87");  // a frame with only H0 copied decodes only H0
        dialog->OnCheck();
        const std::string block = dialog->analysisText().substr(before.size());
        QVERIFY(block.find("S Meter") != std::string::npos);
        QVERIFY(block.find("Battery Voltage") == std::string::npos);
    }

    void wholeFramesArePastedIntoAllBoxes_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("boxes");
        QStringList withGaps = fullFrame;
        withGaps[2] = withGaps[3] = withGaps[10] = QString();
        QTest::newRow("fields") << fullFrame.join(' ') << fullFrame;
        QTest::newRow("VOKA") << "VOKA " + fullFrame.join("  ") << fullFrame;
        QTest::newRow("time and VOKA") << "2010-01-02 03:04:05 VOKA " + fullFrame.join(' ') + "\n"
                                       << fullFrame;
        QTest::newRow("ISO time, tabs, not copied")
            << "2010-01-02T03:05:05Z\t86 A6 - - C0 1234 2B75 90 8F 80 -" << withGaps;
    }
    void wholeFramesArePastedIntoAllBoxes() {
        QFETCH(QString, pasted);
        QFETCH(QStringList, boxes);
        entry(4)->setText("99");
        pasteInto(4, pasted);
        QCOMPARE(boxTexts(), boxes);
        QCOMPARE(focused(), dialog->button(res::idCheck));
        dialog->OnCheck();
        QVERIFY(dialog->analysisText().find("VOKA 86 A6") != std::string::npos);
    }

    void theEditMenusPasteTakesAWholeFrameToo() {
        QGuiApplication::clipboard()->setText("VOKA " + fullFrame.join(' '));
        entry(3)->setFocus();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                entry(3)->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(entry(3), &click);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QAction* paste = nullptr;
        for (QAction* item : menu->actions()) {
            paste = item->text().startsWith("&Paste") ? item : paste;
        }
        QVERIFY(paste != nullptr);
        paste->trigger();
        menu->close();
        QCOMPARE(boxTexts(), fullFrame);
    }

    void otherPastesGoIntoTheOneBox() {
        for (const QString& pasted : {QString("7F"), QString("86 A6 00"),
                                      QString("hello 86 A6 00 7F C0 1234 2B75 90 8F 80 80"),
                                      QString("86 A6 00 7F C0 1234 2B75 90 8F 80 8G")}) {
            entry(0)->clear();
            pasteInto(0, pasted);
            QCOMPARE(entry(0)->text(), pasted);
            QCOMPARE(entry(1)->text(), QString());
        }
        QVERIFY(!ui::readWholeFrame("86 A6 00 7F C0 1234 2B75 90 8F 80 80\n86"));
        QVERIFY(!ui::readWholeFrame("12 86 A6 00 7F C0 1234 2B75 90 8F 80 80"));
    }

    void marksOnlyWhereTheTextCannotBeCleanOrIsLeftIncomplete() {
        typeInto(0, "8");
        QVERIFY2(!marked(0), "a box being typed in is not marked for its missing digit");
        QTest::keyClick(entry(0), 'G');
        QVERIFY(marked(0));
        QVERIFY(entry(0)->toolTip().contains("read as 08"));
        typeInto(0, "");  // two characters moved the focus on; back to H0
        QTest::keyClick(entry(0), Qt::Key_Backspace);
        QVERIFY(!marked(0));
        typeInto(5, "123");
        QVERIFY(!marked(5));
        entry(6)->setFocus();  // A left with three of its four digits
        QVERIFY(marked(5));
        QVERIFY(entry(5)->toolTip().contains("read as 0123"));
        typeInto(5, "4");
        QVERIFY(!marked(5));
        entry(2)->setText("12");
        typeInto(2, "3");  // more digits than the width
        QVERIFY(marked(2));
        QVERIFY2(!marked(1), "an empty box is not copied, not wrong");
    }

    void japaneseInputTakesItsCodePageBytes() {
        // WAVE DASH, DOUBLE VERTICAL LINE, MINUS SIGN, CENT, POUND, NOT, EM DASH, BROKEN BAR
        const QString typed = QString::fromUtf8("〜‖−¢£¬—¦");
        const QByteArray bytes("\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA\x81\x5C\xFA\x55");
        QVERIFY(ui::cp932CanHold(typed));
        QCOMPARE(QByteArray::fromStdString(ui::toCp932(typed)), bytes);
        resultBox()->setFocus();
        for (const QChar c : typed) {
            QTest::sendKeyEvent(QTest::Click, resultBox(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
        QCOMPARE(resultBox()->toPlainText(), typed);
        QTest::sendKeyEvent(QTest::Click, entry(0), Qt::Key_unknown, QString::fromUtf8("〜"),
                            Qt::NoModifier);
        QCOMPARE(entry(0)->text(), QString::fromUtf8("〜"));
        QTemporaryDir dir;
        services->savePaths = {dir.filePath("ja.txt")};
        dialog->OnSave();
        QCOMPARE(readFile(dir.filePath("ja.txt")), bytes + '\x1A');
        QVERIFY(services->notices.isEmpty());
    }

    void aboutBoxIsAChildOfTheMainDialog() {
        closeNextModalWindow();
        dialog->GetSystemMenu()->actions().last()->trigger();
        QCOMPARE(modalParent, dialog);
    }

    void helpHasTheAboutBoxAndNamesTheKeys() {
        services->helpOpensAboutBox = true;
        closeNextModalWindow();
        QTest::keyClick(dialog, Qt::Key_F1);
        QCOMPARE(modalParent, dialog);
        const QString help = services->messages.value(0);
        for (const char* key : {"Ctrl+N", "Menu key", "Shift+F10", "Alt+Space"}) {
            QVERIFY2(help.contains(key), key);
        }
    }

    // The desktop's help box: Esc closes it, its second button asks for the about box.
    void desktopHelpClosesOnEscapeAndOffersTheAboutBox() {
        ui::DesktopServices desktop;
        QTimer::singleShot(
            0, this, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QVERIFY(!desktop.showHelp(dialog, "help"));
        QTimer::singleShot(0, this, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            for (QAbstractButton* button : box->buttons()) {
                if (box->buttonRole(button) == QMessageBox::ActionRole) {
                    button->click();
                }
            }
        });
        QVERIFY(desktop.showHelp(dialog, "help"));
    }

    void menuKeyAndShiftF10OpenTheWindowMenu() {
        QMenu* menu = dialog->GetSystemMenu();
        for (const auto& [key, modifier] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
            typeInto(0, "");
            QTest::keyClick(focused(), key, modifier);
            QTRY_VERIFY(menu->isVisible());
            menu->close();
        }
    }

    void aRepeatedNoticeGetsItsFullTime() {
        ui::NoticePopup notice;
        notice.showNear(entry(0), "refused");
        QTest::qWait(500);
        const int before = notice.remainingMilliseconds();
        QVERIFY(before < ui::NoticePopup::displayMilliseconds);
        notice.showNear(entry(0), "refused");
        QVERIFY(notice.isVisible());
        QVERIFY(notice.remainingMilliseconds() > before);  // the full time starts anew
    }

    void panelSaysItsSettingAndSwitchesToDaylight() {
        for (int field = 0; field < 11; ++field) {
            entry(field)->setText(fullFrame[field]);
        }
        dialog->OnCheck();
        ui::InfoPanel* panel = dialog->informationPanel();
        QToolButton* view = panel->viewSwitch();
        QVERIFY(view->text().contains("eclipse"));
        QCOMPARE(panel->entries()[2],
                 QString("Battery current, 0.345 [A], DischargeFault (fault)"));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(view->text().contains("daylight"));
        QCOMPARE(panel->entries()[2], QString("Battery current, 0.345 [A], ChargeNormal (normal)"));
        QCOMPARE(panel->entries()[4], QString("Solar cell, 4.879 [V], DaylightNormal (normal)"));
        QCOMPARE(dialog->programState().dayNightMode, 'n');
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(panel->entries()[2],
                 QString("Battery current, 0.345 [A], DischargeFault (fault)"));
    }
};

QTEST_MAIN(PassFlowTest)
#include "PassFlowTest.moc"
