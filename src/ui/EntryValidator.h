// SPDX-License-Identifier: MIT
#pragma once

#include <QValidator>
#include <functional>

namespace ui {

// Refuses, in an entry box, any edit that would bring in a character that code page 932
// cannot hold, and says so through onRefused. Every other text is acceptable: the boxes
// take any text, and the field conversion makes of it what it can.
class EntryValidator : public QValidator {
  public:
    explicit EntryValidator(std::function<void(const QString&)> onRefused, QObject* parent);
    State validate(QString& input, int& position) const override;

  private:
    std::function<void(const QString&)> onRefused;
};

}  // namespace ui
