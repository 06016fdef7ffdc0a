// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "RecordingServices.h"
#include "Templates.h"
#include "ui/BeaconDialog.h"
#include "ui/ResultBox.h"

// The base of the dialog's tests: a shown, active main dialog on recording services, made
// anew for every test function (call openDialog from init, closeDialog from cleanup).
class DialogTest : public QObject {
  protected:
    bool openDialog() {
        services = std::make_unique<RecordingServices>();
        owned = std::make_unique<ui::CBeaconDialog>(*services);
        dialog = owned.get();
        dialog->show();
        return QTest::qWaitForWindowActive(dialog);
    }
    void closeDialog() {
        dialog = nullptr;
        owned.reset();
        services.reset();
    }

    QLineEdit* entry(int field) const { return dialog->lineEdit(res::idEntryH0 + field); }
    ui::ResultBox* resultBox() const { return dialog->resultBox(res::idResult); }
    static QWidget* focused() { return QApplication::focusWidget(); }

    std::unique_ptr<RecordingServices> services;
    ui::CBeaconDialog* dialog = nullptr;

  private:
    std::unique_ptr<ui::CBeaconDialog> owned;
};
