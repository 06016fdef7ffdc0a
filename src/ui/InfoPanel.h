// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "check/FrameSummary.h"

class QGridLayout;
class QLabel;

namespace ui {

// The information panel at the lower right of the main dialog: over its artwork, a title
// and one entry per item (label, value, state), each marked by a symbol as well as a
// colour, with a legend. Every entry carries its whole text as its accessible name.
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
    // The accessible text of each entry, in order.
    QStringList entries() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap background;
    QLabel* heading;
    QGridLayout* grid;
    QList<QLabel*> entryLabels;
    QLabel* status;
};

}  // namespace ui
