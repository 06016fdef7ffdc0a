// SPDX-License-Identifier: MIT
#include <QApplication>

#include "ui/BeaconApp.h"
#include "ui/Translations.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::CBeaconApp::nameApplication();
    ui::Translations translations;
    translations.install(QLocale::system());
    ui::CBeaconApp beaconApp;
    beaconApp.InitInstance();
    return 0;
}
