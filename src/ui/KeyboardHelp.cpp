// SPDX-License-Identifier: MIT
#include "ui/KeyboardHelp.h"

#include <QCoreApplication>

namespace ui {

QString keyboardHelp() {
    const QString keys = QCoreApplication::translate(
        "ui::KeyboardHelp",
        "Type a copied frame into the boxes H0 to F, after the fixed word VOKA.\n"
        "A box that holds its digits (two, or four for A and B) moves you to the next one; "
        "the last one moves you to Check.\n"
        "Pasting a whole frame into a box (eleven fields, with or without the time and VOKA "
        "before them, - for a field not copied) fills all eleven boxes.\n\n"
        "Enter runs Check from any box, also from the result box.\n"
        "Ctrl+N, next frame: empties the eleven boxes and puts you in H0.\n"
        "Alt+H goes to H0, Alt+R to the result box, Alt+L to the start of the newest block "
        "of the result, Alt+P to the panel.\n"
        "Ctrl+Enter starts a new line in the result box, Ctrl+Tab types a tab there.\n"
        "Tab and Shift+Tab move between the controls.\n"
        "The Menu key, Shift+F10, Alt+Space or a right-click on the dialog open the window "
        "menu; it and the button below open the about box.\n"
        "Esc or Close end Veskar; when the result holds analysis that is not saved, Veskar "
        "asks first.");
    const QString windows = QCoreApplication::translate(
        "ui::KeyboardHelp",
        "Ctrl+P opens the pass view: this run's Checks and logs of earlier passes as "
        "charts and a table.\n"
        "F9 sends the last Check to the station's telemetry servers; the window menu also "
        "has Station…, Send and Reception report….");
    const QString recordings = QCoreApplication::translate(
        "ui::KeyboardHelp",
        "Ctrl+O opens a recording of the pass (WAV, FLAC, Ogg Vorbis) in the Recording "
        "window: its waterfall and the frames heard in it. Enter on a frame puts it into "
        "the boxes; Check all frames checks every frame in turn.");
    return keys + '\n' + windows + '\n' + recordings;
}

}  // namespace ui
