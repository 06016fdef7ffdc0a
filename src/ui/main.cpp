// SPDX-License-Identifier: MIT
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "Version.h"
#include "ui/BeaconApp.h"
#include "ui/Translations.h"

namespace {

// --help and --version are answered before the window system starts, so that they work
// without a display; nothing else on the command line means anything to Veskar.
bool answeredFromCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("veskar %s\n", VESKAR_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf(
                "usage: veskar [--help | --version]\n"
                "\n"
                "Opens the Veskar dialog, which decodes VOKA-I beacon frames as they are typed.\n"
                "To decode logged frames in batch, see veskar-decode --help.\n");
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (answeredFromCommandLine(argc, argv)) {
        return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
    }
    QApplication application(argc, argv);
    ui::CBeaconApp::nameApplication();
    ui::Translations translations;
    translations.install(QLocale::system());
    ui::CBeaconApp beaconApp;
    beaconApp.InitInstance();
    return 0;
}
