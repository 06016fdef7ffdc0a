// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

class QPlainTextEdit;

namespace ui {

class Services;

// Keeps Close, Esc and the close box from losing a result that is not saved: once the
// result box holds text that changed since the last save, closing asks Save, Discard or
// Cancel. An empty result box has nothing to lose.
class CloseGuard : public QObject {
  public:
    // save runs the ordinary Save and says whether the result was written.
    CloseGuard(QPlainTextEdit* result, Services& services, std::function<bool()> save,
               QObject* parent);

    bool hasUnsavedResult() const { return unsaved; }
    void markSaved() { unsaved = false; }

    // Whether the dialog may close now; asks first when the result is not saved.
    bool mayClose(QWidget* dialog);

  private:
    QPlainTextEdit* result;
    Services& services;
    std::function<bool()> save;
    bool unsaved = false;
};

}  // namespace ui
