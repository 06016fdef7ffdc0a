// SPDX-License-Identifier: MIT
#include "ui/EntryValidator.h"

#include "ui/CodePage.h"

namespace ui {

EntryValidator::EntryValidator(std::function<void(const QString&)> onRefused, QObject* parent)
    : QValidator(parent), onRefused(std::move(onRefused)) {}

QValidator::State EntryValidator::validate(QString& input, int& /*position*/) const {
    if (cp932CanHold(input)) {
        return Acceptable;
    }
    onRefused(refusedCharacterNotice());
    return Invalid;
}

}  // namespace ui
