// SPDX-License-Identifier: MIT
// Whole Checks on arbitrary field texts, several on one program state, with what every
// block must be: it starts with the heading, every line ends in CR LF, it ends with the echo
// of exactly the raw values and the separator, and a decoding error comes only from a
// status word whose bits 3 and 4 are both set.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "check/CheckOperation.h"
#include "decoders/FieldConversion.h"

namespace {

struct Quiet : decoders::Notifier {
    void showMessage(const std::string&) override {}
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool endsEveryLineWithCrLf(const std::string& block) {
    for (std::size_t i = 0; i < block.size(); ++i) {
        const bool crLf = block[i] == '\r' && i + 1 < block.size() && block[i + 1] == '\n';
        if ((block[i] == '\r' && !crLf) || (block[i] == '\n' && (i == 0 || block[i - 1] != '\r'))) {
            return false;
        }
    }
    return block.size() >= 2 && block.compare(block.size() - 2, 2, "\r\n") == 0;
}

void checkOnce(FuzzedDataProvider& data, decoders::ProgramState& state) {
    check::FrameTexts texts;
    for (std::string& text : texts) {
        text = data.ConsumeRandomLengthString(64);
    }
    std::string block;
    Quiet quiet;
    const auto outcome = check::runCheck(
        state, block, texts, [] { return std::time_t{0}; }, quiet);

    require(block.rfind("Input at 1970-01-01 00:00:00UTC\r\n\r\n", 0) == 0);
    require(endsEveryLineWithCrLf(block));
    std::string ending = "CW Code = \t\t";
    check::appendFrameEcho(ending, state);
    ending += "\r\n" + std::string(72, '-') + "\r\n";
    require(block.size() >= ending.size() &&
            block.compare(block.size() - ending.size(), ending.size(), ending) == 0);
    const std::int32_t word = decoders::convertField(texts[6]);
    const bool memoryCodeThree = !texts[6].empty() && ((word >> 3) & 3) == 3;
    require(outcome.decodingError.has_value() == memoryCodeThree);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    decoders::ProgramState state;
    for (int check = 0; check < 4 && data.remaining_bytes() > 0; ++check) {
        checkOnce(data, state);
    }
    return 0;
}
