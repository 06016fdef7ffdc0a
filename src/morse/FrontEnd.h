// SPDX-License-Identifier: MIT
#pragma once

#include <complex>
#include <cstdint>
#include <deque>
#include <vector>

#include "morse/HeardFrame.h"
#include "morse/ToneTracker.h"

namespace morse {

// Turns audio into the tone's complex envelope: removes a DC offset, blanks clicks, follows
// the tone and mixes it down to 0 Hz, then sums it over short steps of about 2 ms. Summing
// these steps over a unit later gives exactly the matched filter of a key-down unit.
class FrontEnd {
  public:
    explicit FrontEnd(double sampleRate);

    void push(const float* samples, std::size_t count);
    void finish();

    double basebandRate() const { return rate_ / static_cast<double>(step_); }
    // Envelope steps and tone points produced since the last call.
    std::vector<std::complex<float>> takeBaseband();
    std::vector<TonePoint> takeTone();

  private:
    void condition(float* samples, std::size_t count);
    void mixReady(bool finishing);
    double toneAt(std::int64_t sample) const;

    double rate_;
    int step_;
    ToneTracker tracker_;

    double dcIn_ = 0, dcOut_ = 0, dcPole_;
    double meanSquare_ = 0;
    double meanSquareWeight_;
    double attackWeight_;
    double peak_ = 0;  // the highest mean power lately
    double peakDecay_;
    std::int64_t conditioned_ = 0;

    std::deque<float> delayed_;           // conditioned samples waiting for their tone estimate
    std::int64_t nextToMix_ = 0;          // absolute index of delayed_.front()
    std::deque<ToneEstimate> tone_;       // the estimates around nextToMix_
    double phasorRe_ = 1, phasorIm_ = 0;  // the mixer's oscillator
    std::complex<double> turn_{1, 0};     // its turn per sample
    double sumRe_ = 0, sumIm_ = 0;
    int summed_ = 0;
    std::vector<std::complex<float>> baseband_;
    std::vector<TonePoint> tonePoints_;
};

}  // namespace morse
