// SPDX-License-Identifier: MIT
#include "ui/CodePage.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace ui {
namespace {

constexpr const char* codePage = "windows-31j";

// Japanese input methods on Linux type the JIS forms of a few characters where code page
// 932 has its own: the operator means the code page's character, so it takes its bytes.
struct CodePageForm {
    char16_t typed;
    char16_t codePage;
};
constexpr std::array<CodePageForm, 8> codePageForms{{
    {0x301C, 0xFF5E},  // WAVE DASH -> FULLWIDTH TILDE, 0x8160
    {0x2016, 0x2225},  // DOUBLE VERTICAL LINE -> PARALLEL TO, 0x8161
    {0x2212, 0xFF0D},  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS, 0x817C
    {0x00A2, 0xFFE0},  // CENT SIGN -> FULLWIDTH CENT SIGN, 0x8191
    {0x00A3, 0xFFE1},  // POUND SIGN -> FULLWIDTH POUND SIGN, 0x8192
    {0x00AC, 0xFFE2},  // NOT SIGN -> FULLWIDTH NOT SIGN, 0x81CA
    {0x2014, 0x2015},  // EM DASH -> HORIZONTAL BAR, 0x815C
    {0x00A6, 0xFFE4},  // BROKEN BAR -> FULLWIDTH BROKEN BAR, 0xFA55
}};

QByteArray encode(QString text, bool* failed = nullptr) {
    for (QChar& c : text) {
        for (const CodePageForm& form : codePageForms) {
            if (c.unicode() == form.typed) {
                c = QChar(form.codePage);
            }
        }
    }
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
    return QCoreApplication::translate(
        "ui::CodePage",
        "This character cannot be kept in the analysis (code page 932) and was not entered.");
}

}  // namespace ui
