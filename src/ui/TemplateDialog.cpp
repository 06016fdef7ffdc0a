// SPDX-License-Identifier: MIT
#include "ui/TemplateDialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "ui/Artwork.h"
#include "ui/ResultBox.h"

namespace ui {
namespace {

// The dialog font; where the machine lacks it, its metric twin on Debian stands in.
QFont dialogFont(const res::DialogTemplate& t) {
    QFont::insertSubstitutions(QString::fromUtf8(t.fontFamily), {"MS PGothic", "IPAPGothic"});
    QFont::insertSubstitution("MS PGothic", "IPAPGothic");
    QFont font(QString::fromUtf8(t.fontFamily));
    font.setPointSize(t.fontPoints);
    return font;
}

QLabel* makeLabel(const QString& text, bool framed) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    if (framed) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}

QLineEdit* makeEdit() {
    auto* edit = new QLineEdit;
    edit->setMaxLength(std::numeric_limits<int>::max());  // the boxes have no length limit
    return edit;
}

}  // namespace

TemplateDialog::TemplateDialog(const res::DialogTemplate& t, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(t.caption));
    setFont(dialogFont(t));
    const QFontMetrics metrics(font());
    // The average width of the 52 Latin letters, rounded, as the original platform takes it.
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseUnitX = (letters / 26 + 1) / 2;
    baseUnitY = metrics.height();

    for (const res::ControlTemplate& c : t.controls) {
        QWidget* widget = createControl(c);
        widget->setParent(this);
        widget->setGeometry(placeOf(c, widget->sizeHint()));
        if (c.id != res::noId) {
            controls.insert(c.id, widget);
        }
    }
    setFixedSize(mapDialogRect(0, 0, t.width, t.height).size());
}

// A picture keeps its own size. A label whose text is wider than its box in this font grows
// evenly on both sides, so that the fallback font never clips a word.
QRect TemplateDialog::placeOf(const res::ControlTemplate& c, QSize hint) const {
    QRect place = mapDialogRect(c.x, c.y, c.width, c.height);
    if (c.kind == res::ControlKind::Picture) {
        return {place.topLeft(), hint};
    }
    const bool label = c.kind == res::ControlKind::Label || c.kind == res::ControlKind::FramedLabel;
    if (label && hint.width() > place.width()) {
        const int grow = hint.width() - place.width();
        place.adjust(-grow / 2, 0, grow - grow / 2, 0);
    }
    return place;
}

QWidget* TemplateDialog::createControl(const res::ControlTemplate& c) {
    const QString text = QString::fromUtf8(c.text);
    switch (c.kind) {
        case res::ControlKind::PushButton:
        case res::ControlKind::DefaultPushButton: {
            auto* pushButton = new QPushButton(text);
            pushButton->setDefault(c.kind == res::ControlKind::DefaultPushButton);
            return pushButton;
        }
        case res::ControlKind::Label:
        case res::ControlKind::FramedLabel:
            return makeLabel(text, c.kind == res::ControlKind::FramedLabel);
        case res::ControlKind::Picture: {
            auto* picture = new QLabel;
            picture->setPixmap(artworkPixmap(text));
            return picture;
        }
        case res::ControlKind::Edit:
            return makeEdit();
        case res::ControlKind::MultiLineEdit:
            return new ResultBox(dialogUnitsToPixelsX(32));
    }
    return new QWidget;
}

QWidget* TemplateDialog::control(int id) const {
    return controls.value(id);
}

QLineEdit* TemplateDialog::lineEdit(int id) const {
    return qobject_cast<QLineEdit*>(control(id));
}

QPushButton* TemplateDialog::button(int id) const {
    return qobject_cast<QPushButton*>(control(id));
}

ResultBox* TemplateDialog::resultBox(int id) const {
    return qobject_cast<ResultBox*>(control(id));
}

void TemplateDialog::nextDialogControl(int id) {
    QWidget* target = control(id);
    target->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->selectAll();
    }
}

// Rounded to the nearest pixel, as the original platform's MulDiv does.
QRect TemplateDialog::mapDialogRect(int x, int y, int width, int height) const {
    auto down = [this](int units) { return (units * baseUnitY + 4) / 8; };
    return {dialogUnitsToPixelsX(x), down(y), dialogUnitsToPixelsX(width), down(height)};
}

int TemplateDialog::dialogUnitsToPixelsX(int units) const {
    return (units * baseUnitX + 2) / 4;
}

}  // namespace ui
