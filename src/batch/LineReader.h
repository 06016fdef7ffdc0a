// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// Fills a buffer with the next bytes of a log: how many it gave, 0 at the end, -1 with errno
// set when reading failed.
using ReadSome = std::function<std::ptrdiff_t(char* into, std::size_t room)>;

ReadSome readingDescriptor(int descriptor);
ReadSome readingStream(std::istream& stream);

// Splits a log into lines, in blocks and in bounded memory. A line ends at LF, CR LF or a
// lone CR (logs saved on old Macs); a UTF-8 byte-order mark before the first line is
// dropped. A line longer than the limit is not kept: it comes back as TooLong, once.
class LineReader {
  public:
    static constexpr std::size_t defaultLongest = std::size_t{64} << 10;

    // beforeReading, if given, runs before each read of the source, which may wait.
    explicit LineReader(ReadSome source, std::size_t longest = defaultLongest,
                        std::function<void()> beforeReading = {});

    enum class Kind { Line, TooLong, End, Failed };
    struct Next {
        Kind kind;
        std::string_view text;  // the line without its end; valid until the next call
        long number;            // counted from 1
        int error;              // errno when Failed
    };
    Next next();

    std::size_t longest() const { return limit; }

  private:
    bool refill();
    void keep(const char* from, std::size_t count);
    Next finish(std::string_view text);

    ReadSome source;
    std::size_t limit;
    std::function<void()> beforeReading;
    std::vector<char> block;
    std::size_t at = 0, filled = 0;
    std::string partial;    // a line that runs over the end of the block
    bool overlong = false;  // the line being read is past the limit
    bool afterCr = false;   // the last line ended with CR: an LF right after belongs to it
    bool started = false;   // some byte of the current line has been read
    long lines = 0;
    int readError = 0;
};

}  // namespace batch
