// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "ui/Services.h"

// Services for tests: a fixed clock, save paths given in advance (nothing for a cancel), and
// every box recorded instead of shown; the close question is answered as told.
class RecordingServices : public ui::Services {
  public:
    std::time_t now() override { return clock; }
    std::time_t clock = 1262401445;  // 2010-01-02 03:04:05 UTC
    std::optional<QString> chooseSavePath(QWidget*) override {
        if (savePaths.empty()) {
            return std::nullopt;
        }
        const QString path = savePaths.front();
        savePaths.pop_front();
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    }
    void showMessage(QWidget*, const QString& text) override { messages << text; }
    void showWarning(QWidget*, const QString& text) override {
        warnings << text;
        if (onWarning) {
            onWarning();
        }
    }
    void showError(QWidget*, const QString& text) override { errors << text; }
    void showNotice(QWidget*, const QString& text) override { notices << text; }
    bool showHelp(QWidget*, const QString& text) override {
        messages << text;
        return helpOpensAboutBox;
    }
    // Answers the close question as told, Discard unless told otherwise.
    ui::CloseAnswer askSaveBeforeClosing(QWidget*) override {
        ++closeQuestions;
        return closeAnswer;
    }

    std::deque<QString> savePaths;  // an empty path stands for a cancelled dialog
    QStringList messages, warnings, errors, notices;
    std::function<void()> onWarning;
    bool helpOpensAboutBox = false;
    ui::CloseAnswer closeAnswer = ui::CloseAnswer::Discard;
    int closeQuestions = 0;
};
