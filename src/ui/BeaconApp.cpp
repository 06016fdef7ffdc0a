// SPDX-License-Identifier: MIT
#include "ui/BeaconApp.h"

#include <QGuiApplication>

#include "Version.h"
#include "ui/BeaconDialog.h"
#include "ui/Services.h"
#include "ui/Sharing.h"

namespace ui {

void CBeaconApp::nameApplication() {
    QCoreApplication::setApplicationVersion(QStringLiteral(VESKAR_VERSION));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Veskar"));
    QGuiApplication::setDesktopFileName(QStringLiteral(VESKAR_APP_ID));
}

bool CBeaconApp::InitInstance() {  // NOLINT(readability-convert-member-functions-to-static)
    DesktopServices services;
    CBeaconDialog dialog(services);
    attachSharing(dialog, services);
    dialog.exec();
    return false;
}

}  // namespace ui
