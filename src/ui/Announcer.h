// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace ui {

// Speaks short texts through a screen reader: an accessible object with the Notification
// role, shown anew with each text. (Qt 6.4 has no announcement event; alerts, name changes
// on unfocused objects and description changes are not spoken.) It takes no room and no
// focus in the dialog.
class Announcer : public QWidget {
    Q_OBJECT

  public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
    QString text() const { return accessibleName(); }

    // Registers the accessible form of announcers; called by every constructor, works once.
    static void installAccessibility();
};

}  // namespace ui
