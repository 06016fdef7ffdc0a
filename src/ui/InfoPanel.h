// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "check/FrameSummary.h"

class QLabel;

namespace ui {
class PanelList;
}
class QToolButton;

namespace ui {

// The information panel at the lower right of the main dialog: over its artwork, a title
// and one entry per item (label, value, state), each marked by a symbol as well as a
// colour, with a legend. A screen reader meets it as the group "Frame health": the title,
// the day/night switch, the list of entries (which takes the focus after the dialog's
// controls; the arrow keys walk its items) and the legend.
class InfoPanel : public QWidget {
    Q_OBJECT

  public:
    explicit InfoPanel(QWidget* parent = nullptr);

    void showLines(const QString& title, const std::vector<check::SummaryLine>& lines);

    // A line at the foot of the panel (the sending status), with its details as tooltip;
    // hidden while empty.
    void showStatusLine(const QString& text, const QString& details);
    QString statusLine() const;

    QString title() const;
    // The text of each entry in words ("Battery voltage, 4.218 [V], UpperLimit (at a
    // limit)"), in order. A screen reader hears each as an item of the panel's list, units
    // spoken ("Battery voltage, 4.218 volts, UpperLimit, at a limit").
    QStringList entries() const;

    // The switch between the built-in eclipse colours and a daylight view.
    QToolButton* viewSwitch() const { return daylightSwitch; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QToolButton* makeViewSwitch();

    QPixmap background;
    QToolButton* daylightSwitch = nullptr;
    QLabel* heading;
    PanelList* list;
    QLabel* legend;
    QLabel* status;
};

}  // namespace ui
