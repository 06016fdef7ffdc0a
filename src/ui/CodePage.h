// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ui {

// The core holds code page 932 bytes, the widgets Unicode. These convert between the two
// with Qt's own windows-31j converter.
std::string toCp932(const QString& text);
QString fromCp932(std::string_view bytes);

// Whether every character of text has a code page 932 form.
bool cp932CanHold(const QString& text);

// The result box shows line breaks as '\n'; the result text holds them as CR LF.
std::string toCp932Lines(const QString& text);
QString fromCp932Lines(std::string_view bytes);

// The notice shown where a character is refused.
QString refusedCharacterNotice();

}  // namespace ui
