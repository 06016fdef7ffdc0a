// SPDX-License-Identifier: MIT
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

#include "DialogTest.h"
#include "Templates.h"
#include "ui/AboutDialog.h"
#include "ui/Artwork.h"
#include "ui/BeaconDialog.h"

class WindowMenuTest : public DialogTest {
    Q_OBJECT

  private:
    QString aboutTitle;

    // Once the about box is up, notes its title and closes it with the given key.
    void closeAboutBoxWith(Qt::Key key) {
        aboutTitle.clear();
        QTimer::singleShot(0, this, [this, key] {
            QWidget* about = QApplication::activeModalWidget();
            QVERIFY(about != nullptr && about != dialog);
            aboutTitle = about->windowTitle();
            QTest::keyClick(about, key);
        });
    }

  private slots:
    void init() { QVERIFY(openDialog()); }

    void cleanup() { closeDialog(); }

    void menuEndsWithASeparatorAndTheAboutItem() {
        const QList<QAction*> items = dialog->GetSystemMenu()->actions();
        QVERIFY(items.size() >= 2);
        QVERIFY(items[items.size() - 2]->isSeparator());
        QCOMPARE(items.last()->text(), QString::fromUtf8("Veskar のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    }

    void choosingTheItemOpensTheAboutBoxAndReturnsUnchanged() {
        dialog->OnCheck();
        const std::string before = dialog->analysisText();
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            closeAboutBoxWith(key);
            dialog->GetSystemMenu()->actions().last()->trigger();
            QCOMPARE(aboutTitle, QString::fromUtf8("Veskarのﾊﾞｰｼﾞｮﾝ情報"));
        }
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->analysisText(), before);
        QCOMPARE(dialog->windowTitle(), QString("Veskar"));
    }

    void altSpaceThenAOpensTheAboutBox() {
        QTest::keyClick(dialog, Qt::Key_Space, Qt::AltModifier);
        QMenu* menu = dialog->GetSystemMenu();
        QTRY_VERIFY(menu->isVisible());
        closeAboutBoxWith(Qt::Key_Escape);
        QTest::keyClick(menu, Qt::Key_A);
        QTRY_COMPARE(aboutTitle, QString::fromUtf8("Veskarのﾊﾞｰｼﾞｮﾝ情報"));
    }

    void rightClickOnTheBackgroundOpensTheMenu() {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(400, 20),
                                dialog->mapToGlobal(QPoint(400, 20)));
        QApplication::sendEvent(dialog, &click);
        QTRY_VERIFY(dialog->GetSystemMenu()->isVisible());
        dialog->GetSystemMenu()->close();
    }

    void windowIconIsSet() {
        QVERIFY(!dialog->windowIcon().isNull());
        QVERIFY(dialog->windowIcon().availableSizes().contains(QSize(128, 128)));
    }

    void f1ShowsTheKeyboardHelp() {
        QTest::keyClick(dialog, Qt::Key_F1);
        QCOMPARE(services->messages.size(), 1);
        QVERIFY(services->messages[0].contains("Enter runs Check"));
    }

    void artworkIsDrawnFromItsSources() {
        for (const char* name : {"icon", "banner", "panel"}) {
            QVERIFY2(QSvgRenderer(QStringLiteral(":/artwork/%1.svg").arg(name)).isValid(), name);
        }
        const QImage banner = ui::artworkPixmap("banner").toImage();
        QCOMPARE(banner.size(), QSize(300, 40));
        QVERIFY(banner.pixelColor(5, 5).alpha() == 255);
        QCOMPARE(ui::artworkPixmap("panel").size(), QSize(109, 317));
    }

    void aboutBoxShowsItsTextsAndRenders() {
        ui::CAboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QStringList texts;
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            texts << label->text();
        }
        QVERIFY(texts.contains("Veskar Version 1.0"));
        QVERIFY(about.button(res::idOk)->isDefault());
        QVERIFY(about.grab().save(QStringLiteral(VESKAR_RENDER_DIR "/about-box.png")));
    }
};

QTEST_MAIN(WindowMenuTest)
#include "WindowMenuTest.moc"
