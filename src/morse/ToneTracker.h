// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

struct kiss_fftr_state;

namespace morse {

// The tone's frequency at one sample of the recording.
struct ToneEstimate {
    std::int64_t sample = 0;  // the centre of the FFT frame it was measured on
    double hz = 0;
    double strength = 0;  // power over the median power of the band's bins
};

// Follows the beacon's tone through a short-time FFT. A Viterbi search over the FFT bins,
// with a fixed lag, picks the path of the strongest tone that moves at most one bin a frame
// (a drift of up to about 450 Hz/s), so noise and key-up frames do not make it jump; the bin
// is then refined by interpolation and a weighted straight-line fit over half a second,
// which follows a steady drift without lagging behind it.
class ToneTracker {
  public:
    ToneTracker(double sampleRate, double lowHz, double highHz);
    ~ToneTracker();
    ToneTracker(const ToneTracker&) = delete;
    ToneTracker& operator=(const ToneTracker&) = delete;

    void push(const float* samples, std::size_t count);
    // Decides every frame still pending; push() may not be called afterwards.
    void finish();

    // Estimates decided since the last call, in order of time.
    std::vector<ToneEstimate> take();

    // How many samples behind the input the estimates are, at most.
    std::int64_t latency() const;

  private:
    struct Decided {
        double hz;
        double weight;
        double strength;
    };
    void analyseFrame();
    void stepViterbi(const std::vector<float>& ratio);
    void decideFrame(std::int64_t frame, int bin);
    void smoothDecided(bool finishing);
    double refinedHz(std::int64_t frame, int bin) const;
    const std::vector<float>& ratioOf(std::int64_t frame) const;

    double rate_;
    int size_;
    int hop_;
    int firstBin_;
    int binCount_;
    std::vector<float> window_;
    kiss_fftr_state* fft_ = nullptr;
    std::vector<float> input_;
    std::int64_t frames_ = 0;  // FFT frames analysed so far

    std::vector<float> score_;
    std::deque<std::vector<std::int8_t>> moves_;  // per frame, the move into each bin
    std::deque<std::vector<float>> ratios_;       // per frame, bin power over median
    std::int64_t firstRatioFrame_ = 0;
    std::int64_t decidedFrames_ = 0;
    std::deque<Decided> decided_;  // frames decided but not yet smoothed
    std::int64_t firstDecidedFrame_ = 0;
    std::int64_t smoothedFrames_ = 0;
    std::vector<ToneEstimate> ready_;
};

}  // namespace morse
