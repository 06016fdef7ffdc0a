// SPDX-License-Identifier: MIT
#include "ui/ResultBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

#include "ui/CodePage.h"

namespace ui {

ResultBox::ResultBox(int tabStopPixels, QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabStopDistance(tabStopPixels);
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int, int) {
        if (!changingByProgram) {
            edited = true;
        }
    });
}

std::string ResultBox::exchangeToText() {
    edited = false;
    return toCp932Lines(toPlainText());
}

// Text set by the program is not the operator's edit and leaves the modified mark alone;
// like the original platform's set-text it starts a fresh undo history.
template <typename Change>
void ResultBox::changeByProgram(Change change) {
    const bool modified = document()->isModified();
    changingByProgram = true;
    document()->setUndoRedoEnabled(false);
    change();
    document()->setUndoRedoEnabled(true);
    changingByProgram = false;
    edited = false;
    document()->setModified(modified);
}

void ResultBox::exchangeFromText(std::string_view cp932) {
    changeByProgram([&] { setPlainText(fromCp932Lines(cp932)); });
}

void ResultBox::appendExchangedText(std::string_view cp932) {
    changeByProgram([&] {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(fromCp932Lines(cp932));
    });
}

void ResultBox::scrollToEnd() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

QTextCursor ResultBox::newestBlockStart() const {
    QTextCursor heading =
        document()->find(QStringLiteral("Input at "), document()->characterCount() - 1,
                         QTextDocument::FindBackward | QTextDocument::FindCaseSensitively);
    if (!heading.isNull()) {
        heading.setPosition(heading.selectionStart());
    }
    return heading;
}

void ResultBox::showNewestBlock() {
    scrollToEnd();
    const QTextCursor start = newestBlockStart();
    if (start.isNull()) {
        return;
    }
    const int shown = verticalScrollBar()->value();
    setTextCursor(start);
    verticalScrollBar()->setValue(shown);
}

void ResultBox::goToNewestBlock() {
    const QTextCursor start = newestBlockStart();
    if (!start.isNull()) {
        setTextCursor(start);
    }
    setFocus(Qt::ShortcutFocusReason);
}

bool ResultBox::refuses(const QString& text) const {
    if (cp932CanHold(text)) {
        return false;
    }
    if (onRefused) {
        onRefused(refusedCharacterNotice());
    }
    return true;
}

void ResultBox::keyPressEvent(QKeyEvent* event) {
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !control) {
        event->ignore();  // the dialog's default button takes it
        return;
    }
    if (enter) {
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    if (event->key() == Qt::Key_Tab && control) {
        insertPlainText(QStringLiteral("\t"));
        return;
    }
    if (!event->text().isEmpty() && refuses(event->text())) {
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ResultBox::inputMethodEvent(QInputMethodEvent* event) {
    if (refuses(event->commitString())) {
        event->setCommitString(QString());
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void ResultBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasText() && refuses(source->text())) {
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace ui
