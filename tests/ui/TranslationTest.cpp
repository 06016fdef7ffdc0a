// SPDX-License-Identifier: MIT
// The dialog's texts follow the locale: Japanese for ja_JP, English for C; the system's own
// Japanese texts stay the same in both.
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "DialogTest.h"
#include "ui/InfoPanel.h"
#include "ui/KeyboardHelp.h"
#include "ui/Translations.h"

class TranslationTest : public DialogTest {
    Q_OBJECT

  private:
    ui::Translations translations;

    QString helpShown() {
        services->messages.clear();
        QTest::keyClick(dialog, Qt::Key_F1);
        return services->messages.value(0);
    }

  private slots:
    void cleanup() { closeDialog(); }

    void japaneseLocale() {
        QVERIFY(translations.install(QLocale("ja_JP")));
        QVERIFY(openDialog());
        const QString help = helpShown();
        QVERIFY2(help.contains(QString::fromUtf8("フレーム")), qPrintable(help));
        QVERIFY(!help.contains("Enter runs Check"));
        QCOMPARE(dialog->informationPanel()->title(), QString::fromUtf8("最後のチェック"));
        // Qt's own texts, such as the entry boxes' edit menu, follow too.
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"),
                 QString::fromUtf8("貼り付け(&P)"));
        QCOMPARE(dialog->GetSystemMenu()->actions().last()->text(),
                 QString::fromUtf8("Veskar のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        QCOMPARE(dialog->button(res::idCheck)->text(), QString("Check"));
    }

    void cLocale() {
        translations.install(QLocale::c());
        QVERIFY(openDialog());
        QVERIFY(helpShown().contains("Enter runs Check"));
        QCOMPARE(dialog->informationPanel()->title(), QString("Last Check"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"), QString("&Paste"));
        QCOMPARE(dialog->GetSystemMenu()->actions().last()->text(),
                 QString::fromUtf8("Veskar のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
