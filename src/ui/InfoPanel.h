// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "check/FrameSummary.h"

class QGridLayout;
class QLabel;
class QToolButton;

namespace ui {

// The information panel at the lower right of the main dialog: over its artwork, a title
// and one entry per item (label, value, state), each marked by a symbol as well as a
// colour, with a legend. Every entry carries its whole text as its accessible name.
class InfoPanel : public QWidget {
    Q_OBJECT

  public:
    explicit InfoPanel(QWidget* parent = nullptr);

    void showLines(const QString& title, const std::vector<check::SummaryLine>& lines);

    QString title() const;
    // The accessible text of each entry, in order.
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
    QGridLayout* grid;
    QList<QLabel*> entryLabels;
};

}  // namespace ui
