// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace decoders {

// Appends many short pieces to a text at the cost of a copy each. The text is lengthened
// ahead of the writing in large steps and cut back to what was written when the writer
// ends; until then it holds zero bytes past the writing, so nothing else may read or change
// it while a writer is open on it.
class TextWriter {
  public:
    explicit TextWriter(std::string& text, std::size_t ahead = 1024) : text(text), at(text.size()) {
        text.resize(at + ahead);
    }
    ~TextWriter() { text.resize(at); }
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    [[gnu::always_inline]] void add(std::string_view piece) {
        copy(room(piece.size()), piece.data(), piece.size());
        at += piece.size();
    }
    [[gnu::always_inline]] void add(char c) {
        *room(1) = c;
        ++at;
    }
    // Cuts the text back to what was written, for a moment when something else may read it
    // (a message box's event loop); writing on lengthens it again.
    void settle() { text.resize(at); }
    // At most `most` bytes written by write(char* to), which gives the end of what it wrote.
    template <typename Write>
    void write(std::size_t most, Write&& write) {
        char* to = room(most);
        at += static_cast<std::size_t>(write(to) - to);
    }
    // Two decimal digits of a number below 100.
    void addTwoDigits(unsigned value) {
        char* out = room(2);
        out[0] = static_cast<char>('0' + value / 10);
        out[1] = static_cast<char>('0' + value % 10);
        at += 2;
    }

    // memcpy, with the short copies that make up a report done in place: two copies of a
    // fixed size that overlap cover any length between that size and twice it.
    static void copy(char* to, const char* from, std::size_t n) {
        if (n < 4) {  // a field's text, most often
            if (n != 0) {
                copyOverlapping<1>(to, from, n);
            }
        } else if (n < 16) {
            copyOverlapping<4>(to, from, n);
        } else if (n <= 64) {
            copyOverlapping<16>(to, from, n);
        } else {
            std::memcpy(to, from, n);
        }
    }
    // n from size to 4 * size.
    template <std::size_t size>
    static void copyOverlapping(char* to, const char* from, std::size_t n) {
        if (n > 2 * size) {
            std::memcpy(to, from, 2 * size);
            std::memcpy(to + n - 2 * size, from + n - 2 * size, 2 * size);
        } else {
            std::memcpy(to, from, size);
            std::memcpy(to + n - size, from + n - size, size);
        }
    }

  private:
    // Room for n more bytes at the end of the writing.
    [[gnu::always_inline]] char* room(std::size_t n) {
        if (text.size() - at < n) [[unlikely]] {
            grow(n);
        }
        return text.data() + at;
    }
    void grow(std::size_t n) { text.resize(std::max(text.size() * 2, at + n)); }

    std::string& text;
    std::size_t at;
};

// Makes text equal to from. A field's text has the same length frame after frame, and then
// its bytes are overwritten in place, without the string's general assignment.
inline void assignText(std::string& text, std::string_view from) {
    if (text.data() == from.data()) {
        text.resize(from.size());
    } else if (text.size() == from.size()) {
        TextWriter::copy(text.data(), from.data(), from.size());
    } else {
        text.assign(from);
    }
}

}  // namespace decoders
