// SPDX-License-Identifier: MIT
#include "ui/FramePaster.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <algorithm>

namespace ui {
namespace {

bool isFieldToken(const QString& token) {
    static const QRegularExpression field(QStringLiteral("^(-|[0-9A-Fa-f]+)$"));
    return field.match(token).hasMatch();
}

// A date, a time of day, or both joined by T, as logs and decoders write them.
bool isTimeToken(const QString& token) {
    static const QRegularExpression time(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2}(T\\d{1,2}:\\d{2}(:\\d{2})?Z?)?|\\d{1,2}:\\d{2}(:\\d{2})?Z?)$"));
    return time.match(token).hasMatch();
}

}  // namespace

std::optional<FrameTokens> readWholeFrame(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QString line = text.trimmed();
    if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) {
        return std::nullopt;
    }
    QStringList tokens = line.split(blanks, Qt::SkipEmptyParts);
    const auto fields = static_cast<qsizetype>(check::fieldCount);
    if (tokens.size() < fields) {
        return std::nullopt;
    }
    QStringList prefix = tokens.mid(0, tokens.size() - fields);
    if (!prefix.isEmpty() &&
        prefix.last().compare(QLatin1String("VOKA"), Qt::CaseInsensitive) == 0) {
        prefix.removeLast();
    }
    if (prefix.size() > 2 || !std::all_of(prefix.begin(), prefix.end(), isTimeToken)) {
        return std::nullopt;
    }
    FrameTokens frame;
    for (qsizetype i = 0; i < fields; ++i) {
        const QString& token = tokens[tokens.size() - fields + i];
        if (!isFieldToken(token)) {
            return std::nullopt;
        }
        frame[static_cast<std::size_t>(i)] = token == QLatin1String("-") ? QString() : token;
    }
    return frame;
}

FramePaster::FramePaster(const Boxes& boxes, std::function<void()> onPasted, QObject* parent)
    : QObject(parent), boxes(boxes), onPasted(std::move(onPasted)) {
    for (QLineEdit* box : boxes) {
        box->installEventFilter(this);
    }
}

bool FramePaster::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) {
        return false;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        return pasteWholeFrame();
    }
    if (event->type() == QEvent::ContextMenu &&
        readWholeFrame(QGuiApplication::clipboard()->text())) {
        showEditMenu(box, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

bool FramePaster::pasteWholeFrame() {
    const std::optional<FrameTokens> frame = readWholeFrame(QGuiApplication::clipboard()->text());
    if (!frame) {
        return false;
    }
    for (std::size_t field = 0; field < boxes.size(); ++field) {
        boxes[field]->setText((*frame)[field]);
    }
    onPasted();
    return true;
}

// The box's own edit menu, whose Paste takes the whole frame.
void FramePaster::showEditMenu(QLineEdit* box, QPoint globalPosition) const {
    QMenu* menu = box->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Qt names the item by its own (translated) text, with the key after a tab.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) == pasteText) {
            action->disconnect();
            connect(action, &QAction::triggered, this, &FramePaster::pasteWholeFrame);
        }
    }
    menu->popup(globalPosition);
}

}  // namespace ui
