// SPDX-License-Identifier: MIT
#include <QApplication>

#include "ui/BeaconApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::CBeaconApp beaconApp;
    beaconApp.InitInstance();
    return 0;
}
