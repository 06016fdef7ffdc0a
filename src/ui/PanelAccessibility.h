// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace ui {

// One entry of the information panel. A screen reader sees it as an item of the panel's
// list, named by its spoken text ("Battery voltage, 4.218 volts, UpperLimit, at a limit").
class PanelEntry : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

    // Whether it is the panel's current item (the one the arrow keys are on).
    bool isCurrent() const { return current; }
    void setCurrent(bool isCurrent);

  private:
    bool current = false;
};

// The object names of the panel's title and legend.
inline constexpr const char* panelHeadingName = "panel-heading";
inline constexpr const char* panelLegendName = "panel-legend";

// Registers the accessible forms of the panel (a group named "Frame health"), its list and
// the list's entries (list items), its title (a heading) and its legend (a note); works once.
void installPanelAccessibility();

// Tells a screen reader that the focus is on this entry.
void announceEntryFocus(PanelEntry* entry);

}  // namespace ui
