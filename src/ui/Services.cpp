// SPDX-License-Identifier: MIT
#include "ui/Services.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "Templates.h"
#include "check/CheckOperation.h"
#include "ui/NoticePopup.h"

namespace ui {
namespace {

// Message boxes carry the program's name as their caption.
QString caption() {
    return QGuiApplication::applicationDisplayName();
}

}  // namespace

bool Services::showHelp(QWidget* parent, const QString& text) {
    showMessage(parent, text);
    return false;
}

CloseAnswer Services::askSaveBeforeClosing(QWidget* parent) {
    QMessageBox box(
        QMessageBox::Warning, caption(),
        QCoreApplication::translate("ui::Services",
                                    "The analysis has changes that are not saved. Save them "
                                    "before Veskar closes?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return CloseAnswer::Save;
        case QMessageBox::Discard:
            return CloseAnswer::Discard;
        default:
            return CloseAnswer::Cancel;
    }
}

DesktopServices::DesktopServices() = default;

DesktopServices::~DesktopServices() {
    delete notice.data();
}

std::time_t DesktopServices::now() {
    return check::systemClock();
}

std::optional<QString> DesktopServices::chooseSavePath(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilters({QStringLiteral("テキスト(*.txt)"), QStringLiteral("データ(*.dat)"),
                           QStringLiteral("全て(*.*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

void DesktopServices::showMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, caption(), text);
}

void DesktopServices::showWarning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, caption(), text);
}

void DesktopServices::showError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, caption(), text);
}

void DesktopServices::showNotice(QWidget* near, const QString& text) {
    if (notice.isNull()) {
        notice = new NoticePopup;
    }
    notice->showNear(near, text);
}

// The help says the keys; its second button opens the about box, which the window
// manager may keep the window menu from reaching.
bool DesktopServices::showHelp(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption(), text, QMessageBox::Ok, parent);
    QPushButton* about =
        box.addButton(QString::fromUtf8(res::aboutBoxMenuText), QMessageBox::ActionRole);
    box.setEscapeButton(QMessageBox::Ok);  // with two buttons Esc would otherwise do nothing
    box.exec();
    return box.clickedButton() == about;
}

}  // namespace ui
