// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <ctime>
#include <optional>

class QWidget;

namespace ui {

// What the dialog asks of the world outside it: the time, the choice of a file, and the
// boxes that talk to the operator. The program uses DesktopServices; tests supply their own.
class Services {
  public:
    virtual ~Services() = default;

    virtual std::time_t now() = 0;
    // The Save As choice: a full path, or nothing when the operator cancels.
    virtual std::optional<QString> chooseSavePath(QWidget* parent) = 0;
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    virtual void showWarning(QWidget* parent, const QString& text) = 0;
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // A short notice beside a control that does not stop the operator's typing.
    virtual void showNotice(QWidget* near, const QString& text) = 0;
};

class DesktopServices : public Services {
  public:
    std::time_t now() override;
    std::optional<QString> chooseSavePath(QWidget* parent) override;
    void showMessage(QWidget* parent, const QString& text) override;
    void showWarning(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    void showNotice(QWidget* near, const QString& text) override;
};

}  // namespace ui
