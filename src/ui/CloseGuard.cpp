// SPDX-License-Identifier: MIT
#include "ui/CloseGuard.h"

#include <QPlainTextEdit>

#include "ui/Services.h"

namespace ui {

CloseGuard::CloseGuard(QPlainTextEdit* result, Services& services, std::function<bool()> save,
                       QObject* parent)
    : QObject(parent), result(result), services(services), save(std::move(save)) {
    // A Check, the operator's edits and Clear all change the box's text.
    connect(result->document(), &QTextDocument::contentsChanged, this,
            [this] { unsaved = !this->result->document()->isEmpty(); });
}

bool CloseGuard::mayClose(QWidget* dialog) {
    if (!unsaved) {
        return true;
    }
    switch (services.askSaveBeforeClosing(dialog)) {
        case CloseAnswer::Save:
            return save();  // a cancelled or failed save keeps the dialog open
        case CloseAnswer::Discard:
            return true;
        case CloseAnswer::Cancel:
            break;
    }
    return false;
}

}  // namespace ui
