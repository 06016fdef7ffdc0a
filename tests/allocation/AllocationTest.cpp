// SPDX-License-Identifier: MIT
// veskar-decode allocates per log, never per frame: memory stays flat and the time goes into
// the decoding.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <streambuf>

#include "allocation/CountingAllocator.h"
#include "batch/BatchDecoder.h"
#include "batch/VariedLog.h"

namespace {

// An output that takes everything and keeps nothing.
class Discard : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char* /*text*/, std::streamsize count) override { return count; }
};

class Allocations : public testing::TestWithParam<const char*> {
  protected:
    // The allocations made while decoding the log, after the decoder was made.
    static Allocated whileDecoding(const std::string& log) {
        Discard discard;
        std::ostream out(&discard);
        std::ostream errors(&discard);
        std::istringstream in(log);
        batch::BatchDecoder decoder(*check::findOutputFormat(GetParam()), out, errors,
                                    [] { return std::time_t{1300000000}; });
        const Allocated before = allocated();
        decoder.decodeLog(in, "a log with a name longer than a short string holds.log");
        decoder.finish();
        const Allocated after = allocated();
        return {after.count - before.count, after.bytes - before.bytes};
    }
};

TEST_P(Allocations, AreMadePerLogAndNotPerFrame) {
    const std::string shortLog = VariedLog(1, false).lines(1000);
    const std::string longLog = VariedLog(2, false).lines(20000);
    whileDecoding(shortLog);  // the tables made once per run
    const Allocated forShortLog = whileDecoding(shortLog);
    const Allocated forLongLog = whileDecoding(longLog);
    // A few for the log (its name, the reader's block, the output buffer), none per frame;
    // a buffer that grew with the frames would show in the bytes.
    EXPECT_LE(forShortLog.count, 20);
    EXPECT_LE(forLongLog.count, forShortLog.count + 5);
    EXPECT_LE(forLongLog.bytes, forShortLog.bytes + 4096);
    std::cout << "1,000 frames: " << forShortLog.count << " allocations, " << forShortLog.bytes
              << " bytes; 20,000 frames: " << forLongLog.count << " allocations, "
              << forLongLog.bytes << " bytes\n";
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, Allocations, testing::Values("report", "csv", "json"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
