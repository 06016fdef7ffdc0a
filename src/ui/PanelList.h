// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QWidget>

class QGridLayout;

namespace ui {

class PanelEntry;

// The entries of the information panel as a list that takes the focus: the arrow keys walk
// its items, the current one framed, and a screen reader hears each item as it comes. It
// is named by the panel's title ("Last Check").
class PanelList : public QWidget {
    Q_OBJECT

  public:
    explicit PanelList(QWidget* parent);

    // The first count entries, made as needed; the others are hidden.
    QList<PanelEntry*> showEntries(int count);
    QList<PanelEntry*> shownEntries() const { return entries.mid(0, shown); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void setCurrentEntry(int index);

    QGridLayout* grid;
    QList<PanelEntry*> entries;
    int shown = 0;
    int current = 0;
};

}  // namespace ui
