// SPDX-License-Identifier: MIT
#include "ui/HeardFrameText.h"

#include <QApplication>
#include <QPainter>

namespace ui {
namespace {

QString percent(double probability) {
    return QString::number(std::lround(probability * 100)) + QLatin1Char('%');
}

}  // namespace

HeardFrameText heardFrameText(const morse::HeardFrame& frame) {
    HeardFrameText shown;
    QStringList doubts;
    for (std::size_t f = 0; f < frame.fields.size(); ++f) {
        if (f > 0) {
            shown.text += QLatin1Char(' ');
            shown.marks += QLatin1Char(' ');
        }
        const morse::HeardField& field = frame.fields[f];
        if (!field.heard()) {
            shown.text += QLatin1Char('-');
            shown.marks += QLatin1Char(' ');
            continue;
        }
        for (std::size_t c = 0; c < field.characters.size(); ++c) {
            const morse::HeardCharacter& heard = field.characters[c];
            shown.text += QLatin1Char(heard.symbol);
            const bool doubtful = heard.confidence < doubtfulBelow;
            shown.marks += QLatin1Char(doubtful ? '!' : ' ');
            if (doubtful) {
                doubts << QCoreApplication::translate("ui::HeardFrameText",
                                                      "%1 digit %2: %3 (%4), else %5 (%6)")
                              .arg(QString::fromUtf8(check::frameFields[f].name))
                              .arg(c + 1)
                              .arg(QLatin1Char(heard.symbol))
                              .arg(percent(heard.confidence))
                              .arg(QLatin1Char(heard.alternative))
                              .arg(percent(heard.alternativeConfidence));
            }
        }
    }
    shown.doubts = doubts.join(QLatin1Char('\n'));
    return shown;
}

check::FrameTexts boxTextsOf(const morse::HeardFrame& frame) {
    check::FrameTexts texts;
    for (std::size_t f = 0; f < frame.fields.size(); ++f) {
        texts[f] = frame.fields[f].text;
    }
    return texts;
}

void DoubtfulTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString text = plain.text;
    const QString marks = index.data(MarksRole).toString();
    plain.text.clear();
    const QWidget* owner = plain.widget;
    QStyle* style = owner != nullptr ? owner->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, owner);

    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QColor normal =
        option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor doubtful = selected ? normal : QColor(200, 30, 30);
    QFont doubtfulFont = option.font;
    doubtfulFont.setBold(true);
    doubtfulFont.setUnderline(true);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &plain, owner);
    int x = area.left() + 3;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool marked = i < marks.size() && marks[i] == QLatin1Char('!');
        painter->setFont(marked ? doubtfulFont : option.font);
        painter->setPen(marked ? doubtful : normal);
        const QString character(text[i]);
        painter->drawText(QRect(x, area.top(), area.right() - x, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, character);
        x += painter->fontMetrics().horizontalAdvance(character);
    }
    painter->restore();
}

}  // namespace ui
