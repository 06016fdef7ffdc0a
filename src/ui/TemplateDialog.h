// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QHash>
#include <QRect>

#include "DialogTemplate.h"

class QAction;
class QKeySequence;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ui {

class InfoPanel;
class ResultBox;

// A dialog built from a template: its controls are made in template order (which is the tab
// order) and placed by dialog units, which follow the dialog font as on the original
// platform: horizontal units from the font's average character width, vertical from its
// height. Controls with an ID can be looked up.
class TemplateDialog : public QDialog {
  public:
    explicit TemplateDialog(const res::DialogTemplate& t, QWidget* parent = nullptr);

    QWidget* control(int id) const;
    QLineEdit* lineEdit(int id) const;
    QPushButton* button(int id) const;
    ResultBox* resultBox(int id) const;
    InfoPanel* infoPanel(int id) const;
    // The first static text of the template that reads text, or nullptr.
    QLabel* label(const QString& text) const;

    // Puts the keyboard focus on a control; an entry box gets its whole text selected.
    void nextDialogControl(int id) const;

    // The window menu: Minimise and Close, to which a dialog may add items of its own.
    // Linux window managers keep the title-bar menu to themselves, so this one opens on
    // Alt+Space and on a right-click on the dialog's background; every item, standard or
    // added, arrives as a command at OnSysCommand.
    QMenu* GetSystemMenu() const { return systemMenu; }
    void appendSystemMenuItem(int command, const QString& text);
    // Adds a command that opens a window of the program, with its key, to the window menu:
    // before the menu's first separator, so that the about item stays last.
    void addWindowCommand(QAction* item, const QKeySequence& key);
    void popUpSystemMenu(QPoint globalPosition);

    // Standard window commands.
    static constexpr int scMinimize = 0xF020;
    static constexpr int scClose = 0xF060;

    // Pixels for a rectangle in dialog units.
    QRect mapDialogRect(int x, int y, int width, int height) const;
    int dialogUnitsToPixelsX(int units) const;

  protected:
    virtual void OnSysCommand(int command);
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void createSystemMenu();
    QWidget* createControl(const res::ControlTemplate& control) const;
    QRect placeOf(const res::ControlTemplate& control, QSize hint) const;

    int baseUnitX = 0;
    int baseUnitY = 0;
    QHash<int, QWidget*> controls;
    QList<QLabel*> labels;  // the static texts, in template order
    QMenu* systemMenu = nullptr;
};

}  // namespace ui
