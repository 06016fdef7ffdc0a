// SPDX-License-Identifier: MIT
#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <string_view>

namespace ui {

// The result box: an editable, word-wrapped text with tab stops every eight average
// characters so that the report's columns line up. Enter is left to the dialog (it runs
// the default button); Ctrl+Enter starts a new line and Ctrl+Tab types a tab, while Tab
// moves the focus on. It remembers whether the operator edited it since the last exchange,
// so that the dialog reads it back only then.
class ResultBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit ResultBox(int tabStopPixels, QWidget* parent = nullptr);

    bool editedSinceExchange() const { return edited; }

    // The text in code page 932 with CR LF line breaks.
    std::string exchangeToText();
    // Replaces the whole text, or appends at the very end (no new paragraph is started).
    void exchangeFromText(std::string_view cp932);
    void appendExchangedText(std::string_view cp932);

    void scrollToEnd();
    // After a Check: the view at the end, the caret at the start of the newest block
    // ("Input at ..."), so that reading from the caret reads the new block downwards.
    void showNewestBlock();
    // Puts the caret at the start of the newest block and shows it.
    void goToNewestBlock();

    // Called with a short notice when a character that code page 932 cannot hold is refused.
    std::function<void(const QString&)> onRefused;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    QTextCursor newestBlockStart() const;
    bool refuses(const QString& text) const;
    template <typename Change>
    void changeByProgram(Change change);

    bool edited = false;
    bool changingByProgram = false;
};

}  // namespace ui
