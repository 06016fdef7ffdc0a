// SPDX-License-Identifier: MIT
#include <QApplication>

#include "Version.h"
#include "ui/BeaconApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VESKAR_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(VESKAR_APP_ID));
    ui::CBeaconApp beaconApp;
    beaconApp.InitInstance();
    return 0;
}
