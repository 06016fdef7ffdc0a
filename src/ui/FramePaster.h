// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "check/FrameFields.h"

class QLineEdit;

namespace ui {

using FrameTokens = std::array<QString, check::fieldCount>;

// The eleven field texts of a whole frame as a decoder's window or a log writes it: eleven
// tokens of hexadecimal digits ("-" for a field not copied, which gives an empty text),
// optionally after a time ("2010-01-02 03:04:05", "2010-01-02T03:04:05Z", "03:04:05") and
// the word VOKA, separated by blanks. Anything else is not a whole frame.
std::optional<FrameTokens> readWholeFrame(const QString& text);

// Pastes a whole frame into the eleven boxes at once, from the paste key or from a box's
// edit menu; any other paste goes into the box as before. onPasted runs after the boxes
// were filled.
class FramePaster : public QObject {
  public:
    using Boxes = std::array<QLineEdit*, check::fieldCount>;

    FramePaster(const Boxes& boxes, std::function<void()> onPasted, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool pasteWholeFrame();
    void showEditMenu(QLineEdit* box, QPoint globalPosition) const;

    Boxes boxes;
    std::function<void()> onPasted;
};

}  // namespace ui
