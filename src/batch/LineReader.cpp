// SPDX-License-Identifier: MIT
#include "batch/LineReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>

namespace batch {
namespace {

constexpr std::size_t blockSize = std::size_t{64} << 10;
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The first CR or LF in [from, to), or nullptr.
const char* lineEnd(const char* from, const char* to) {
    const auto* lf = static_cast<const char*>(std::memchr(from, '\n', to - from));
    const char* upTo = lf != nullptr ? lf : to;
    const auto* cr = static_cast<const char*>(std::memchr(from, '\r', upTo - from));
    return cr != nullptr ? cr : lf;
}

}  // namespace

ReadSome readingDescriptor(int descriptor) {
    return [descriptor](char* into, std::size_t room) -> std::ptrdiff_t {
        for (;;) {
            const ssize_t got = ::read(descriptor, into, room);
            if (got >= 0 || errno != EINTR) {
                return got;
            }
        }
    };
}

ReadSome readingStream(std::istream& stream) {
    return [&stream](char* into, std::size_t room) -> std::ptrdiff_t {
        stream.read(into, static_cast<std::streamsize>(room));
        if (stream.bad()) {
            errno = EIO;
            return -1;
        }
        return stream.gcount();
    };
}

LineReader::LineReader(ReadSome source, std::size_t longest, std::function<void()> beforeReading)
    : source(std::move(source)),
      limit(longest),
      beforeReading(std::move(beforeReading)),
      block(blockSize) {}

bool LineReader::refill() {
    if (beforeReading) {
        beforeReading();
    }
    const std::ptrdiff_t got = source(block.data(), block.size());
    if (got < 0) {
        readError = errno != 0 ? errno : EIO;
        return false;
    }
    at = 0;
    filled = static_cast<std::size_t>(got);
    return got > 0;
}

// Adds bytes to a line that spans blocks, up to the limit and no further.
void LineReader::keep(const char* from, std::size_t count) {
    started = started || count > 0;
    if (overlong) {
        return;
    }
    if (partial.size() + count > limit) {
        overlong = true;
        partial.clear();
        partial.shrink_to_fit();
        return;
    }
    partial.append(from, count);
}

LineReader::Next LineReader::finish(std::string_view text) {
    ++lines;
    const bool tooLong = overlong;
    overlong = false;
    started = false;
    if (lines == 1 && text.substr(0, byteOrderMark.size()) == byteOrderMark) {
        text.remove_prefix(byteOrderMark.size());
    }
    return {tooLong ? Kind::TooLong : Kind::Line, tooLong ? std::string_view{} : text, lines, 0};
}

LineReader::Next LineReader::next() {
    partial.clear();
    for (;;) {
        if (at == filled && !refill()) {
            if (readError != 0) {
                return {Kind::Failed, {}, lines + 1, readError};
            }
            if (started) {  // the last line has no line end
                return finish(partial);
            }
            return {Kind::End, {}, lines, 0};
        }
        const char* begin = block.data() + at;
        const char* end = block.data() + filled;
        if (afterCr) {
            afterCr = false;
            if (*begin == '\n') {
                ++at;
                continue;
            }
        }
        const char* stop = lineEnd(begin, end);
        if (stop == nullptr) {
            keep(begin, static_cast<std::size_t>(end - begin));
            at = filled;
            continue;
        }
        at = static_cast<std::size_t>(stop - block.data()) + 1;
        afterCr = *stop == '\r';
        const auto length = static_cast<std::size_t>(stop - begin);
        if (!started && length <= limit) {  // the whole line lies in the block
            return finish({begin, length});
        }
        keep(begin, length);
        return finish(partial);
    }
}

}  // namespace batch
