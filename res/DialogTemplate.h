// SPDX-License-Identifier: MIT
#pragma once

#include <span>

namespace res {

// What a control of a dialog template is.
enum class ControlKind {
    PushButton,
    DefaultPushButton,  // pressed by Enter wherever the focus is, but on another button
    Label,              // centred static text
    LeftLabel,          // static text aligned to the left
    FramedLabel,        // centred static text in a sunken frame
    Picture,            // a picture, shown at its own size in pixels
    Icon,               // the application icon
    InfoPanel,          // the information panel, over its picture
    Edit,               // single-line entry box, no length limit
    MultiLineEdit,      // editable, word-wrapped, vertical scroll bar
};

// A control without an ID is never addressed by the code.
constexpr int noId = -1;

// One control: position and size in dialog units (a quarter of the dialog font's average
// character width across, an eighth of its height down). Template order is tab order.
struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;  // UTF-8; for a picture, the name of its image
    int x, y, width, height;
};

struct DialogTemplate {
    const char* caption;  // UTF-8
    int width, height;    // dialog units
    const char* fontFamily;
    int fontPoints;
    std::span<const ControlTemplate> controls;
};

}  // namespace res
