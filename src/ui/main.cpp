// SPDX-License-Identifier: MIT
#include <QApplication>

#include "Version.h"
#include "ui/BeaconApp.h"
#include "ui/Translations.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VESKAR_VERSION));
    // Message boxes carry the display name as their caption.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Veskar"));
    QGuiApplication::setDesktopFileName(QStringLiteral(VESKAR_APP_ID));
    ui::Translations translations;
    translations.install(QLocale::system());
    ui::CBeaconApp beaconApp;
    beaconApp.InitInstance();
    return 0;
}
