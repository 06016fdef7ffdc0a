// SPDX-License-Identifier: MIT
// The one place where sharing meets the main dialog.
#include <QAction>
#include <QMenu>

#include "ui/BeaconDialog.h"
#include "ui/InfoPanel.h"
#include "ui/ReceptionReportDialog.h"
#include "ui/Sharing.h"

namespace ui {
namespace {

// The items go before the separator that sets off the about item, in a group of their own.
void addMenuItems(QMenu* menu, const QList<QAction*>& items) {
    QAction* before = nullptr;
    for (QAction* existing : menu->actions()) {
        if (existing->isSeparator()) {
            before = existing;  // the last one wins
        }
    }
    if (before == nullptr) {
        menu->addSeparator();
    }
    auto* separator = new QAction(menu);
    separator->setSeparator(true);
    menu->insertAction(before, separator);
    menu->insertActions(before, items);
}

}  // namespace

Sharing* attachSharing(CBeaconDialog& dialog, Services& services) {
    auto* sharing = new Sharing(services, &dialog);
    auto* station = new QAction(QStringLiteral("&Station…"), &dialog);
    auto* send = new QAction(QStringLiteral("Sen&d"), &dialog);
    auto* report = new QAction(QStringLiteral("&Reception report…"), &dialog);
    send->setShortcut(QKeySequence(Qt::Key_F9));
    send->setShortcutContext(Qt::WindowShortcut);
    dialog.addAction(send);  // F9 works with the menu closed
    station->setObjectName(QStringLiteral("stationItem"));
    send->setObjectName(QStringLiteral("sendItem"));
    report->setObjectName(QStringLiteral("receptionReportItem"));
    if (dialog.GetSystemMenu() != nullptr) {
        addMenuItems(dialog.GetSystemMenu(), {station, send, report});
    }

    QObject::connect(station, &QAction::triggered, sharing, &Sharing::editStation);
    QObject::connect(send, &QAction::triggered, sharing, &Sharing::sendLast);
    QObject::connect(report, &QAction::triggered, sharing, [sharing, &dialog, &services] {
        ReceptionReportDialog reportDialog(dialog.checkSession().history(), sharing->station(),
                                           services, &dialog);
        reportDialog.exec();
    });
    QObject::connect(&dialog, &CBeaconDialog::frameChecked, sharing, &Sharing::takeCheck);
    InfoPanel* panel = dialog.informationPanel();
    QObject::connect(sharing, &Sharing::statusChanged, panel, &InfoPanel::showStatusLine);
    return sharing;
}

}  // namespace ui
