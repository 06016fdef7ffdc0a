// SPDX-License-Identifier: MIT
#include "ui/TemplateDialog.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <limits>

#include "ui/Artwork.h"
#include "ui/InfoPanel.h"
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

QLabel* makeLabel(const QString& text, Qt::Alignment alignment, bool framed) {
    auto* label = new QLabel(text);
    label->setAlignment(alignment);
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

// The banner carries the program's name and purpose; the icon is decoration.
void describePicture(QLabel* picture, const QString& name) {
    if (name == QLatin1String("banner")) {
        picture->setAccessibleName(
            QCoreApplication::translate("ui::TemplateDialog", "Veskar, VOKA-I beacon telemetry"));
    } else {
        picture->setAccessibleName(
            QCoreApplication::translate("ui::TemplateDialog", "Veskar icon"));
        picture->setAccessibleDescription(
            QCoreApplication::translate("ui::TemplateDialog", "Decoration"));
    }
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
        if (c.kind == res::ControlKind::Label || c.kind == res::ControlKind::FramedLabel ||
            c.kind == res::ControlKind::LeftLabel) {
            labels << static_cast<QLabel*>(widget);
        }
    }
    setFixedSize(mapDialogRect(0, 0, t.width, t.height).size());
    createSystemMenu();
}

void TemplateDialog::createSystemMenu() {
    systemMenu = new QMenu(this);
    systemMenu->setSeparatorsCollapsible(false);
    appendSystemMenuItem(scMinimize, QStringLiteral("最小化(&N)"));
    appendSystemMenuItem(scClose, QStringLiteral("閉じる(&C)"));
    // Window managers take Alt+Space for their own menu; the Menu key and Shift+F10 are the
    // keys that desktops leave to a program's context menu.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(Qt::Key_Menu),
          QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this,
                [this] { popUpSystemMenu(mapToGlobal(QPoint(0, 0))); });
    }
}

void TemplateDialog::appendSystemMenuItem(int command, const QString& text) {
    QAction* item = systemMenu->addAction(text);
    connect(item, &QAction::triggered, this, [this, command] { OnSysCommand(command); });
}

void TemplateDialog::addWindowCommand(QAction* item, const QKeySequence& key) {
    QAction* before = nullptr;
    for (QAction* action : systemMenu->actions()) {
        if (action->isSeparator()) {
            before = action;
            break;
        }
    }
    systemMenu->insertAction(before, item);
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, item, &QAction::trigger);
}

void TemplateDialog::popUpSystemMenu(QPoint globalPosition) {
    systemMenu->popup(globalPosition);
}

void TemplateDialog::contextMenuEvent(QContextMenuEvent* event) {
    popUpSystemMenu(event->globalPos());
}

void TemplateDialog::OnSysCommand(int command) {
    if (command == scMinimize) {
        showMinimized();
    } else if (command == scClose) {
        close();
    }
}

// A picture keeps its own size. A label whose text is wider than its box in this font grows
// away from its alignment, so that the fallback font never clips a word.
QRect TemplateDialog::placeOf(const res::ControlTemplate& c, QSize hint) const {
    QRect place = mapDialogRect(c.x, c.y, c.width, c.height);
    if (c.kind == res::ControlKind::Picture || c.kind == res::ControlKind::Icon ||
        c.kind == res::ControlKind::InfoPanel) {
        return {place.topLeft(), hint};
    }
    const int grow = hint.width() - place.width();
    if (grow <= 0) {
        return place;
    }
    if (c.kind == res::ControlKind::Label || c.kind == res::ControlKind::FramedLabel) {
        place.adjust(-grow / 2, 0, grow - grow / 2, 0);
    } else if (c.kind == res::ControlKind::LeftLabel) {
        place.adjust(0, 0, grow, 0);
    }
    return place;
}

QWidget* TemplateDialog::createControl(const res::ControlTemplate& c) const {
    const QString text = QString::fromUtf8(c.text);
    switch (c.kind) {
        case res::ControlKind::PushButton:
        case res::ControlKind::DefaultPushButton: {
            auto* pushButton = new QPushButton(text);
            pushButton->setDefault(c.kind == res::ControlKind::DefaultPushButton);
            return pushButton;
        }
        case res::ControlKind::Label:
            return makeLabel(text, Qt::AlignCenter, false);
        case res::ControlKind::FramedLabel:
            return makeLabel(text, Qt::AlignCenter, true);
        case res::ControlKind::LeftLabel:
            return makeLabel(text, Qt::AlignLeft | Qt::AlignTop, false);
        case res::ControlKind::Picture:
        case res::ControlKind::Icon: {
            auto* picture = new QLabel;
            picture->setPixmap(artworkPixmap(text));
            describePicture(picture, text);
            return picture;
        }
        case res::ControlKind::InfoPanel:
            return new InfoPanel;
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

InfoPanel* TemplateDialog::infoPanel(int id) const {
    return qobject_cast<InfoPanel*>(control(id));
}

QLabel* TemplateDialog::label(const QString& text) const {
    const auto found = std::find_if(labels.begin(), labels.end(),
                                    [&text](const QLabel* label) { return label->text() == text; });
    return found != labels.end() ? *found : nullptr;
}

void TemplateDialog::nextDialogControl(int id) const {
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
