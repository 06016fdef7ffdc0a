// SPDX-License-Identifier: MIT
// One full-frame Check through the core, as the batch decoder runs it frame after frame.
#include <benchmark/benchmark.h>

#include "check/CheckOperation.h"

namespace {

const check::FrameTexts fullFrame{"86",   "A6", "00", "7F", "C0", "1234",
                                  "2B75", "90", "8F", "80", "80"};

struct Quiet : decoders::Notifier {
    void showMessage(const std::string&) override {}
};

void fullFrameCheck(benchmark::State& state) {
    decoders::ProgramState program;
    Quiet quiet;
    const check::Clock clock = [] { return std::time_t{1262401445}; };
    std::string block;
    for (auto _ : state) {
        block.clear();
        benchmark::DoNotOptimize(check::runCheck(program, block, fullFrame, clock, quiet));
        benchmark::DoNotOptimize(block.data());
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(fullFrameCheck);

}  // namespace

BENCHMARK_MAIN();
