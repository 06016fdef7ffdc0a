// SPDX-License-Identifier: MIT
// What a screen reader gets from the dialog, read through Qt's accessibility interfaces:
// names, labels, spoken announcements, the caret after a Check and the panel's list.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "DialogTest.h"
#include "Templates.h"
#include "ui/Announcer.h"
#include "ui/BeaconApp.h"
#include "ui/BeaconDialog.h"
#include "ui/InfoPanel.h"

namespace {

// The texts of the notifications shown since the recorder was cleared, and the other
// accessibility events by type.
struct EventRecorder {
    QStringList notifications;
    QList<QAccessible::Event> events;
    QList<QAccessibleInterface*> focused;
};
EventRecorder recorder;

void recordEvent(QAccessibleEvent* event) {
    QAccessibleInterface* object = event->accessibleInterface();
    recorder.events << event->type();
    if (object == nullptr) {
        return;
    }
    if (event->type() == QAccessible::ObjectShow && object->role() == QAccessible::Notification) {
        recorder.notifications << object->text(QAccessible::Name);
    }
    if (event->type() == QAccessible::Focus) {
        recorder.focused << object;
    }
}

const QStringList fullFrame{"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"};

}  // namespace

class AccessibilityTest : public DialogTest {
    Q_OBJECT

  private:
    static QAccessibleInterface* accessible(QObject* object) {
        return QAccessible::queryAccessibleInterface(object);
    }
    void typeFrame(const QStringList& texts) {
        entry(0)->setFocus();
        for (const QString& text : texts) {
            QTest::keyClicks(focused(), text);
        }
    }

  private slots:
    void initTestCase() {
        // As if a screen reader were listening: the platform's accessibility switched on,
        // its events recorded here.
        QPlatformAccessibility* platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform != nullptr);
        platform->setActive(true);
        QAccessible::installUpdateHandler(recordEvent);
    }
    void init() {
        QVERIFY(openDialog());
        recorder = {};
    }
    void cleanup() { closeDialog(); }

    void everyBoxIsNamedAndLabelled() {
        for (int field = 0; field < 11; ++field) {
            const QString name = QString::fromUtf8(check::frameFields[field].name);
            const int digits = field == 5 || field == 6 ? 4 : 2;
            QAccessibleInterface* box = accessible(entry(field));
            QCOMPARE(box->role(), QAccessible::EditableText);
            QCOMPARE(box->text(QAccessible::Name),
                     QString("%1, %2 hexadecimal digits").arg(name).arg(digits));
            QCOMPARE(box->text(QAccessible::Description),
                     QString("Field %1 of the frame after VOKA").arg(name));
            const auto labels = box->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.first().first->text(QAccessible::Name), box->text(QAccessible::Name));
            QCOMPARE(static_cast<QLabel*>(labels.first().first->object())->text(), name);
        }
        QAccessibleInterface* result = accessible(resultBox());
        QCOMPARE(result->text(QAccessible::Name), QString("CW Analysis Result"));
        QCOMPARE(result->relations(QAccessible::Label).size(), 1);
    }

    void theAmberHintAddsToTheDescriptionAndIsSpokenOnce() {
        entry(0)->setFocus();
        QTest::keyClicks(entry(0), "8G");
        QCOMPARE(accessible(entry(0))->text(QAccessible::Description),
                 QString("Field H0 of the frame after VOKA. Not a 2-digit hexadecimal number: "
                         "read as 08"));
        entry(0)->setFocus();
        QTest::keyClick(entry(0), 'Z');  // still marked: nothing more is said
        QCOMPARE(recorder.notifications, QStringList{"H0 8G read as 08"});
    }

    void aCheckIsSummedUpOnceAndTypingSaysNothing() {
        typeFrame(fullFrame);
        QCOMPARE(recorder.notifications, QStringList());
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(recorder.notifications,
                 QStringList{"Check at 03:04:05 UTC: 2 faults, 2 at a limit"});
    }

    void aDecodingErrorIsSpokenInPlainWords() {
        entry(6)->setText("FFFF");
        dialog->OnCheck();
        QCOMPARE(recorder.notifications,
                 QStringList{"Check at 03:04:05 UTC: The status word could not be decoded: "
                             "memoryStatus error @ getMemoryStatus"});
    }

    void aRefusalIsSpokenAndNothingIsInsertedOrDeleted() {
        entry(0)->setFocus();
        QTest::keyClick(entry(0), '8');
        recorder = {};
        QTest::sendKeyEvent(QTest::Click, entry(0), Qt::Key_unknown,
                            QString::fromUtf8("\xF0\x9F\x9B\xB0"), Qt::NoModifier);
        QCOMPARE(entry(0)->text(), QString("8"));
        QCOMPARE(recorder.notifications.size(), 1);
        QVERIFY(recorder.notifications.first().contains("code page 932"));
        QVERIFY(!recorder.events.contains(QAccessible::TextInserted));
        QVERIFY(!recorder.events.contains(QAccessible::TextRemoved));
        QVERIFY(!recorder.events.contains(QAccessible::TextUpdated));
    }

    void afterACheckTheCaretStartsTheNewBlock() {
        dialog->OnCheck();
        const int secondBlock = resultBox()->toPlainText().size();
        dialog->OnCheck();
        QTextCursor caret = resultBox()->textCursor();
        QCOMPARE(caret.position(), secondBlock);
        caret.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QCOMPARE(caret.selectedText(), QString("Input at 2010-01-02 03:04:05UTC"));
        QTest::keyClick(dialog, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(focused(), resultBox());
        QCOMPARE(resultBox()->textCursor().position(), secondBlock);
    }

    void keysReachH0TheResultAndThePanel() {
        QTest::keyClick(dialog, Qt::Key_H, Qt::AltModifier);
        QCOMPARE(focused(), entry(0));
        QTest::keyClick(focused(), Qt::Key_R, Qt::AltModifier);
        QCOMPARE(focused(), resultBox());
        QTest::keyClick(focused(), Qt::Key_P, Qt::AltModifier);
        QVERIFY(dialog->informationPanel()->isAncestorOf(focused()));
        QCOMPARE(accessible(focused())->role(), QAccessible::List);
    }

    void thePanelIsAGroupWithAListOfReadableItemsAfterTheTemplatesControls() {
        entry(6)->setFocus();  // B's preview has more entries than a Check
        QTest::keyClicks(entry(6), "2B7");
        for (int field = 0; field < 11; ++field) {
            entry(field)->setText(fullFrame[field]);
        }
        dialog->button(res::idCheck)->setFocus();
        dialog->OnCheck();
        QAccessibleInterface* panel = accessible(dialog->informationPanel());
        QCOMPARE(panel->role(), QAccessible::Grouping);
        QCOMPARE(panel->text(QAccessible::Name), QString("Frame health"));
        QAccessibleInterface* list = nullptr;
        QString last;
        for (int i = 0; i < panel->childCount(); ++i) {
            QAccessibleInterface* child = panel->child(i);
            list = child->role() == QAccessible::List ? child : list;
            last = child->text(QAccessible::Name);
        }
        QVERIFY(list != nullptr);
        QCOMPARE(list->text(QAccessible::Name), QString("Last Check"));
        QStringList items;
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface* item = list->child(i);
            QCOMPARE(item->role(), QAccessible::ListItem);
            QVERIFY(!item->state().invisible);
            items << item->text(QAccessible::Name);
        }
        QCOMPARE(items.size(), 9);
        QCOMPARE(items[1], QString("Battery voltage, 4.218 volts, UpperLimit, at a limit"));
        QCOMPARE(items[5],
                 QString::fromUtf8("EPS temperature, 25.8 degrees Celsius, Normal, normal"));
        QCOMPARE(items[7], QString("Memory status, Read, normal"));
        QVERIFY2(last.startsWith("Legend"), qPrintable(last));

        // Tab from Clear, the template's last control, reaches the panel.
        dialog->button(res::idClear)->setFocus();
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(accessible(focused()), list);
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(recorder.focused.last()->text(QAccessible::Name),
                 QString("Battery voltage, 4.218 volts, UpperLimit, at a limit"));
        QVERIFY(recorder.focused.last()->state().focused);
    }

    void messageBoxesAreCaptionedVeskar() {
        ui::CBeaconApp::nameApplication();
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("Veskar"));
    }

    void theBannerIsNamed() {
        QStringList names;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) {
                names << accessible(label)->text(QAccessible::Name);
            }
        }
        QCOMPARE(names, QStringList{"Veskar, VOKA-I beacon telemetry"});
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
