// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "check/Session.h"
#include "ui/CodePage.h"
#include "ui/Services.h"

namespace ui {

// Tells the core's messages (the day/night question) to the operator in a message box.
class DialogNotifier : public check::Notifier {
  public:
    DialogNotifier(Services& services, QWidget* parent) : services(services), parent(parent) {}
    void showMessage(const std::string& cp932Text) override {
        services.showMessage(parent, fromCp932(cp932Text));
    }

  private:
    Services& services;
    QWidget* parent;
};

}  // namespace ui
