// SPDX-License-Identifier: MIT
#include "ui/CharacterGuard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/CodePage.h"

namespace ui {
namespace {

// The text that an event would insert into a box.
QString insertedText(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            return QGuiApplication::clipboard()->text();
        }
        return key->text();
    }
    if (event->type() == QEvent::InputMethod) {
        return static_cast<QInputMethodEvent*>(event)->commitString();
    }
    return {};
}

}  // namespace

CharacterGuard::CharacterGuard(std::function<void(QLineEdit*, const QString&)> onRefused,
                               QObject* parent)
    : QObject(parent), onRefused(std::move(onRefused)) {}

void CharacterGuard::guard(QLineEdit* box) {
    box->installEventFilter(this);
}

bool CharacterGuard::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    const QString text = box != nullptr ? insertedText(event) : QString();
    if (text.isEmpty() || cp932CanHold(text)) {
        return false;
    }
    if (event->type() == QEvent::InputMethod) {
        // The composition ends without the refused text; the box still hears of it.
        QInputMethodEvent without(QString(), {});
        QCoreApplication::sendEvent(box, &without);
    }
    onRefused(box, refusedCharacterNotice());
    return true;
}

}  // namespace ui
