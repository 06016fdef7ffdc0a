// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace ui {

// Refuses, in an entry box, a typed, composed or pasted character that code page 932 cannot
// hold before the box inserts it, so that a screen reader hears no insert and delete; the
// box's validator still catches what comes another way (a drop, the edit menu).
class CharacterGuard : public QObject {
  public:
    CharacterGuard(std::function<void(QLineEdit* box, const QString& notice)> onRefused,
                   QObject* parent);

    void guard(QLineEdit* box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(QLineEdit*, const QString&)> onRefused;
};

}  // namespace ui
