// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QHash>
#include <QRect>

#include "DialogTemplate.h"

class QLineEdit;
class QPushButton;

namespace ui {

class ResultBox;

// A dialog built from a template: its controls are made in template order (which is the tab
// order) and placed by dialog units, which follow the dialog font as on the original
// platform: horizontal units from the font's average character width, vertical from its
// height. Controls with an ID can be looked up.
class TemplateDialog : public QDialog {
  public:
    explicit TemplateDialog(const res::DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    QWidget* control(int id) const;
    QLineEdit* lineEdit(int id) const;
    QPushButton* button(int id) const;
    ResultBox* resultBox(int id) const;

    // Puts the keyboard focus on a control; an entry box gets its whole text selected.
    void nextDialogControl(int id);

    // Pixels for a rectangle in dialog units.
    QRect mapDialogRect(int x, int y, int width, int height) const;
    int dialogUnitsToPixelsX(int units) const;

  private:
    QWidget* createControl(const res::ControlTemplate& control);
    QRect placeOf(const res::ControlTemplate& control, QSize hint) const;

    int baseUnitX = 0;
    int baseUnitY = 0;
    QHash<int, QWidget*> controls;
};

}  // namespace ui
