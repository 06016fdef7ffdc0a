// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <ctime>
#include <optional>

class QWidget;

namespace ui {

class NoticePopup;

// The operator's answer when closing with an unsaved result.
enum class CloseAnswer { Save, Discard, Cancel };

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

    // The keyboard help; true when the operator asks for the about box from it. Unless a
    // service says otherwise, the help is an ordinary message.
    virtual bool showHelp(QWidget* parent, const QString& text);
    // Save, Discard or Cancel, asked before closing with a result that is not saved.
    virtual CloseAnswer askSaveBeforeClosing(QWidget* parent);
};

class DesktopServices : public Services {
    Q_DECLARE_TR_FUNCTIONS(ui::DesktopServices)

  public:
    DesktopServices();
    ~DesktopServices() override;
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    std::time_t now() override;
    std::optional<QString> chooseSavePath(QWidget* parent) override;
    void showMessage(QWidget* parent, const QString& text) override;
    void showWarning(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    void showNotice(QWidget* near, const QString& text) override;
    bool showHelp(QWidget* parent, const QString& text) override;

  private:
    QPointer<NoticePopup> notice;
};

}  // namespace ui
