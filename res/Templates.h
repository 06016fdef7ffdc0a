// SPDX-License-Identifier: MIT
// The program's dialog templates and resource IDs.
#pragma once

#include <array>

#include "DialogTemplate.h"
#include "Version.h"

namespace res {

// Commands and controls of the main dialog.
constexpr int idOk = 1;  // the Enter command: runs Check
constexpr int idCancel = 2;
constexpr int idEntryH0 = 1000;  // entry boxes H0 ... F are 1000 ... 1010 in frame order
constexpr int idEntryF = idEntryH0 + 10;
constexpr int idResult = 1011;
constexpr int idSave = 1012;
constexpr int idCheck = 1014;
constexpr int idClear = 1015;
constexpr int idInfoPanel = 1016;

constexpr const char* dialogFont = "ＭＳ Ｐゴシック";

// clang-format off
inline constexpr std::array<ControlTemplate, 32> mainDialogControls{{
    {idCheck,      ControlKind::DefaultPushButton, "Check",              305, 45,  63,  14},
    {idCancel,     ControlKind::PushButton,        "Close",              305, 123, 63,  14},
    {noId,         ControlKind::FramedLabel,       "VOKA",               8,   45,  28,  13},
    {idEntryH0,    ControlKind::Edit,              "",                   39,  45,  15,  13},
    {idEntryH0+1,  ControlKind::Edit,              "",                   56,  45,  15,  13},
    {idEntryH0+2,  ControlKind::Edit,              "",                   73,  45,  15,  13},
    {idEntryH0+3,  ControlKind::Edit,              "",                   90,  45,  15,  13},
    {idEntryH0+4,  ControlKind::Edit,              "",                   107, 45,  15,  13},
    {idEntryH0+5,  ControlKind::Edit,              "",                   124, 45,  28,  13},
    {idEntryH0+6,  ControlKind::Edit,              "",                   154, 45,  28,  13},
    {idEntryH0+7,  ControlKind::Edit,              "",                   185, 45,  15,  13},
    {idEntryH0+8,  ControlKind::Edit,              "",                   202, 45,  15,  13},
    {idEntryH0+9,  ControlKind::Edit,              "",                   220, 45,  15,  13},
    {idEntryH0+10, ControlKind::Edit,              "",                   237, 45,  15,  13},
    {idResult,     ControlKind::MultiLineEdit,     "",                   8,   76,  278, 290},
    {idSave,       ControlKind::PushButton,        "Save",               305, 97,  63,  14},
    {noId,         ControlKind::Picture,           "banner",             7,   1,   171, 27},
    {idClear,      ControlKind::PushButton,        "Clear",              305, 71,  63,  14},
    {idInfoPanel,  ControlKind::InfoPanel,         "panel",              305, 153, 62,  211},
    {noId,         ControlKind::Label,             "CW Frame",           7,   37,  31,  8},
    {noId,         ControlKind::Label,             "H0",                 42,  37,  9,   8},
    {noId,         ControlKind::Label,             "H1",                 59,  37,  9,   8},
    {noId,         ControlKind::Label,             "H2",                 76,  37,  9,   8},
    {noId,         ControlKind::Label,             "H3",                 93,  37,  9,   8},
    {noId,         ControlKind::Label,             "H4",                 109, 37,  9,   8},
    {noId,         ControlKind::Label,             "A",                  134, 37,  8,   8},
    {noId,         ControlKind::Label,             "B",                  164, 37,  8,   8},
    {noId,         ControlKind::Label,             "C",                  188, 37,  8,   8},
    {noId,         ControlKind::Label,             "D",                  205, 37,  8,   8},
    {noId,         ControlKind::Label,             "E",                  223, 37,  8,   8},
    {noId,         ControlKind::Label,             "F",                  240, 37,  8,   8},
    {noId,         ControlKind::Label,             "CW Analysis Result", 7,   68,  59,  8},
}};
// clang-format on

// Only the eleven entry boxes may use the ids from idEntryH0 to idEntryF, since the dialog
// finds a box's field from its id; a new control takes an id outside that range.
constexpr bool entryIdsAreOnlyTheBoxes() {
    int boxes = 0;
    for (const ControlTemplate& control : mainDialogControls) {
        if (control.id >= idEntryH0 && control.id <= idEntryF) {
            if (control.kind != ControlKind::Edit) {
                return false;
            }
            ++boxes;
        }
    }
    return boxes == idEntryF - idEntryH0 + 1;
}
static_assert(entryIdsAreOnlyTheBoxes(), "a control other than an entry box has an entry id");

inline constexpr DialogTemplate mainDialog{"Veskar", 375, 373, dialogFont, 9, mainDialogControls};

// The window menu's item that opens the about box, and its command.
constexpr int idmAboutBox = 16;
constexpr const char* aboutBoxMenuText = "Veskar のﾊﾞｰｼﾞｮﾝ情報(&A)...";

constexpr const char* copyrightLine = "Copyright © 2026 The Veskar developers";

// clang-format off
inline constexpr std::array<ControlTemplate, 4> aboutDialogControls{{
    {noId, ControlKind::Icon,              "icon",               11,  17, 20,  20},
    {noId, ControlKind::LeftLabel,         "Veskar Version " VESKAR_VERSION_SHORT, 40, 10, 119, 8},
    {noId, ControlKind::LeftLabel,         copyrightLine,        40,  25, 119, 8},
    {idOk, ControlKind::DefaultPushButton, "OK",                 178, 7,  50,  14},
}};
// clang-format on

inline constexpr DialogTemplate aboutDialog{"Veskarのﾊﾞｰｼﾞｮﾝ情報", 235, 55, dialogFont, 9,
                                            aboutDialogControls};

}  // namespace res
