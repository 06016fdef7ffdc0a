// SPDX-License-Identifier: MIT
// The batch decoder's line reader and line parser, and a whole log, on arbitrary bytes.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "batch/BatchDecoder.h"
#include "batch/FrameLine.h"
#include "batch/LineReader.h"
#include "batch/LineTokens.h"
#include "batch/Printable.h"
#include "check/writers/FrameWriter.h"

namespace {

// The bytes split into lines, given a few at a time (how many, the first byte says) under
// a small line limit: no line is longer than the limit or holds a line end.
void readLines(const std::string& bytes) {
    constexpr std::size_t limit = 16;
    const std::size_t step = bytes.empty() ? 1 : static_cast<unsigned char>(bytes[0]) % 7 + 1;
    std::size_t at = 0;
    batch::LineReader reader(
        [&](char* into, std::size_t room) {
            const std::size_t count = std::min({step, room, bytes.size() - at});
            std::memcpy(into, bytes.data() + at, count);
            at += count;
            return static_cast<std::ptrdiff_t>(count);
        },
        limit);
    long lines = 0;
    for (auto line = reader.next(); line.kind != batch::LineReader::Kind::End;
         line = reader.next()) {
        if (line.number != ++lines || line.text.size() > limit ||
            line.text.find_first_of("\r\n") != std::string_view::npos) {
            std::abort();
        }
    }
}

// The tokens, found a block at a time, are those of a plain split at blanks.
void splitTokens(const std::string& bytes) {
    const batch::LineTokens tokens = batch::tokensOf(bytes);
    std::size_t count = 0;
    std::size_t at = 0;
    for (;;) {
        at = bytes.find_first_not_of(" \t", at);
        if (at == std::string::npos) {
            break;
        }
        const std::size_t end = std::min(bytes.find_first_of(" \t", at), bytes.size());
        if (count < batch::LineTokens::kept && (tokens.first[count].data() != bytes.data() + at ||
                                                tokens.first[count].size() != end - at)) {
            std::abort();
        }
        ++count;
        at = end;
    }
    if (tokens.count != count || tokens.hasNul != (bytes.find('\0') != std::string::npos)) {
        std::abort();
    }
}

// What a message shows of the bytes holds no control character.
void checkPrintable(const std::string& bytes) {
    for (const char c : batch::printable(bytes)) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    check::Frame frame;
    if (batch::readFrameLine(bytes, frame).kind == batch::LineRead::Kind::Frame) {
        for (std::size_t field = 0; field < check::fieldCount; ++field) {
            const std::string_view text = frame.texts[field];
            if (text.find_first_of(" \t") != std::string_view::npos || text == "-" ||
                (!text.empty() && (text.data() < bytes.data() ||
                                   text.data() + text.size() > bytes.data() + bytes.size()))) {
                std::abort();  // a field is one token of the line, and "-" is an empty field
            }
        }
    }
    splitTokens(bytes);
    readLines(bytes);
    checkPrintable(bytes);
    for (const check::OutputFormat& format : check::outputFormats) {
        for (const bool strict : {false, true}) {
            std::istringstream log(bytes);
            std::ostringstream out;
            std::ostringstream errors;
            batch::BatchDecoder decoder(format, out, errors, [] { return std::time_t{0}; });
            decoder.setStrict(strict);
            decoder.decodeLog(log, "fuzz");
            decoder.finish();
        }
    }
    return 0;
}
