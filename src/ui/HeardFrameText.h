// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStyledItemDelegate>

#include "check/FrameFields.h"
#include "morse/HeardFrame.h"

namespace ui {

// A character heard with less than this probability is marked as doubtful.
constexpr double doubtfulBelow = 0.9;

// A heard frame as the list shows it: its fields with a space between, "-" for a field not
// heard; which characters are doubtful ('!' at their place in marks, ' ' elsewhere); and in
// words, each doubtful character with its runner-up.
struct HeardFrameText {
    QString text;
    QString marks;
    QString doubts;
};
HeardFrameText heardFrameText(const morse::HeardFrame& frame);

// The eleven box texts of a heard frame, empty where a field was not heard.
check::FrameTexts boxTextsOf(const morse::HeardFrame& frame);

// Paints an item's text with the characters its MarksRole marks in the highlight's colour,
// bold and underlined.
class DoubtfulTextDelegate : public QStyledItemDelegate {
  public:
    static constexpr int MarksRole = Qt::UserRole + 1;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace ui
