// SPDX-License-Identifier: MIT
#include "ui/CodePage.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace ui {
namespace {

constexpr const char* codePage = "windows-31j";

QByteArray encode(const QString& text, bool* failed = nullptr) {
    QStringEncoder encoder(codePage);
    QByteArray bytes = encoder.encode(text);
    if (failed != nullptr) {
        *failed = encoder.hasError();
    }
    return bytes;
}

}  // namespace

std::string toCp932(const QString& text) {
    return encode(text).toStdString();
}

QString fromCp932(std::string_view bytes) {
    QStringDecoder decoder(codePage);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool cp932CanHold(const QString& text) {
    bool failed = false;
    encode(text, &failed);
    return !failed;
}

std::string toCp932Lines(const QString& text) {
    const QByteArray bytes = encode(text);
    std::string lines;
    lines.reserve(static_cast<std::size_t>(bytes.size()) +
                  static_cast<std::size_t>(bytes.count('\n')));
    for (const char byte : bytes) {
        if (byte == '\n') {
            lines += '\r';
        }
        lines += byte;
    }
    return lines;
}

QString fromCp932Lines(std::string_view bytes) {
    QString text = fromCp932(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString refusedCharacterNotice() {
    return QStringLiteral(
        "This character cannot be kept in the analysis (code page 932) and was "
        "not entered.");
}

}  // namespace ui
