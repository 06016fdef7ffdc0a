// SPDX-License-Identifier: MIT
#include "ui/Services.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QToolTip>

#include "check/CheckOperation.h"

namespace ui {
namespace {

// Message boxes carry the program's name as their caption.
QString caption() {
    return QCoreApplication::applicationName();
}

}  // namespace

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
    QToolTip::showText(near->mapToGlobal(QPoint(0, near->height())), text, near);
}

}  // namespace ui
