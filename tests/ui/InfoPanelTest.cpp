// SPDX-License-Identifier: MIT
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "DialogTest.h"
#include "Templates.h"
#include "ui/BeaconDialog.h"
#include "ui/InfoPanel.h"

class InfoPanelTest : public DialogTest {
    Q_OBJECT

  private:
    ui::InfoPanel* panel() const { return dialog->informationPanel(); }
    // Types as the operator does: each key goes where the focus is at that moment.
    void typeInto(int field, const QString& text) {
        entry(field)->setFocus();
        entry(field)->end(false);
        for (const QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    bool marked(int field) const { return !entry(field)->toolTip().isEmpty(); }

  private slots:
    void init() { QVERIFY(openDialog()); }
    void cleanup() { closeDialog(); }

    void beforeAnyCheckEveryItemIsNotCopied() {
        QCOMPARE(panel()->title(), QString("Last Check"));
        QCOMPARE(panel()->entries().size(), 9);
        for (const QString& entry : panel()->entries()) {
            QVERIFY2(entry.endsWith("(not copied)"), qPrintable(entry));
        }
    }

    void afterACheckTheItemsOfTheFrameAreNamed() {
        typeInto(0, "86A6007FC012342B75908F8080");
        QCOMPARE(QApplication::focusWidget(), dialog->button(res::idCheck));
        dialog->OnCheck();
        QCOMPARE(panel()->title(), QString("Last Check"));
        const QStringList expected{
            "S meter, 1.703, Low (at a limit)",
            "Battery voltage, 4.218 [V], UpperLimit (at a limit)",
            "Battery current, 0.345 [A], DischargeFault (fault)",
            "3.3 V bus, 3.227 [V], Normal (normal)",
            "Solar cell, 4.879 [V], EclipseFault (fault)",
            QString::fromUtf8("EPS temperature, 25.8 [℃], Normal (normal)"),
            QString::fromUtf8("Comm. temperature, 25.8 [℃], Normal (normal)"),
            "Memory status, Read (normal)",
            "Sun sensor, 144, 143, ImageBrank (normal)",
        };
        QCOMPARE(panel()->entries(), expected);
    }

    void typingShowsTheFieldLiveAndLeavesTheProgramStateAlone() {
        entry(1)->setText("A6");
        dialog->OnCheck();
        const double battery = dialog->programState().lastBatteryVoltage;

        entry(1)->clear();
        typeInto(1, "8");
        QCOMPARE(panel()->title(), QString("H1 as typed"));
        QCOMPARE(panel()->entries(),
                 QStringList{"Battery voltage, 0.203 [V], LowerLimit (at a limit)"});
        QTest::keyClick(entry(1), Qt::Key_Backspace);
        QCOMPARE(panel()->entries(), QStringList{"Battery voltage (not copied)"});
        QTest::keyClick(entry(1), '9');
        QCOMPARE(panel()->entries(),
                 QStringList{"Battery voltage, 0.229 [V], LowerLimit (at a limit)"});

        typeInto(6, "2B7");
        QCOMPARE(panel()->title(), QString("B as typed"));
        QCOMPARE(panel()->entries().first(), QString("Status word, 02B7 (normal)"));

        QCOMPARE(dialog->programState().lastBatteryVoltage, battery);
        QCOMPARE(dialog->programState().rawH1, 0xA6);
        entry(1)->clear();
        entry(6)->clear();
        dialog->OnCheck();
        QVERIFY(dialog->analysisText().rfind("VOKA 00 A6 00 00 00 0000 0000") != std::string::npos);
        QCOMPARE(dialog->programState().lastBatteryVoltage, battery);
    }

    void entriesThatAreNotCleanNumbersAreMarked() {
        typeInto(0, "8?");
        QVERIFY(marked(0));
        QVERIFY2(entry(0)->toolTip().contains("read as 08"), qPrintable(entry(0)->toolTip()));
        typeInto(0, "");
        QTest::keyClick(entry(0), Qt::Key_Backspace);
        QTest::keyClick(entry(0), 'F');
        QCOMPARE(entry(0)->text(), QString("8F"));
        QVERIFY(!marked(0));

        entry(2)->setText("12");
        typeInto(2, "3");  // a third digit stays in the box
        QVERIFY(marked(2));
        QVERIFY(entry(2)->toolTip().contains("read as 23"));
        QTest::keyClick(entry(2), Qt::Key_Backspace);
        QVERIFY(!marked(2));
        QVERIFY2(!marked(1), "an empty box is not copied, not wrong");
    }
};

QTEST_MAIN(InfoPanelTest)
#include "InfoPanelTest.moc"
