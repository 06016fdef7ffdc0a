// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// The application: runs the main dialog modally and ends when it closes.
class CBeaconApp {
  public:
    // Runs the dialog; returns false so that the program ends at once afterwards.
    bool InitInstance();  // NOLINT(readability-convert-member-functions-to-static)

    // The names the desktop and the message boxes' captions show ("Veskar").
    static void nameApplication();
};

}  // namespace ui
