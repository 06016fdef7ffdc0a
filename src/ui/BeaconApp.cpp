// SPDX-License-Identifier: MIT
#include "ui/BeaconApp.h"

#include "ui/BeaconDialog.h"
#include "ui/Services.h"
#include "ui/Sharing.h"

namespace ui {

bool CBeaconApp::InitInstance() {  // NOLINT(readability-convert-member-functions-to-static)
    DesktopServices services;
    CBeaconDialog dialog(services);
    attachSharing(dialog, services);
    dialog.exec();
    return false;
}

}  // namespace ui
