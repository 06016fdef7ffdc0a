// SPDX-License-Identifier: MIT
#include "morse/FrontEnd.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morse {
namespace {

constexpr double lowestTone = 200;
constexpr double highestTone = 3000;
constexpr double stepSeconds = 0.002;
constexpr double clickFactor = 40;         // power over the mean above which a sample is limited
constexpr double meanSquareSeconds = 1.0;  // how long the mean power remembers
constexpr int retuneEvery = 32;            // samples between updates of the mixer's step

}  // namespace

FrontEnd::FrontEnd(double sampleRate)
    : rate_(sampleRate),
      step_(std::max(1, static_cast<int>(std::lround(sampleRate * stepSeconds)))),
      tracker_(sampleRate, lowestTone, highestTone),
      dcPole_(1 - 2 * std::numbers::pi * 10 / sampleRate),
      meanSquareWeight_(1 / (meanSquareSeconds * sampleRate)),
      attackWeight_(1 / (0.01 * sampleRate)),
      peakDecay_(1 - 1 / (10 * sampleRate)) {}

// A one-pole high-pass removes a DC offset. A sample far above the recent mean power is
// limited to that level: a click then cannot swamp the tone's envelope, while a tone keyed
// after a silence only loses amplitude for a moment, never its phase. The floor keeps a
// digital silence from limiting the next key-down to nothing.
void FrontEnd::condition(float* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const double x = samples[i];
        dcOut_ = x - dcIn_ + dcPole_ * dcOut_;
        dcIn_ = x;
        double power = dcOut_ * dcOut_;
        const double limit = clickFactor * std::max(meanSquare_, 1e-3 * peak_);
        double y = dcOut_;
        if (peak_ > 0 && power > limit) {
            y = std::copysign(std::sqrt(limit), dcOut_);
            power = limit;
        }
        // Quick to rise, so a key-down after a silence is not limited for long; slow to fall.
        const double weight = power > meanSquare_ ? attackWeight_ : meanSquareWeight_;
        meanSquare_ += (power - meanSquare_) * (conditioned_ > 0 ? weight : 1.0);
        peak_ = std::max(meanSquare_, peak_ * peakDecay_);
        samples[i] = static_cast<float>(y);
        ++conditioned_;
    }
}

void FrontEnd::push(const float* samples, std::size_t count) {
    std::vector<float> block(samples, samples + count);
    condition(block.data(), block.size());
    tracker_.push(block.data(), block.size());
    delayed_.insert(delayed_.end(), block.begin(), block.end());
    mixReady(false);
}

void FrontEnd::finish() {
    tracker_.finish();
    mixReady(true);
}

double FrontEnd::toneAt(std::int64_t sample) const {
    if (tone_.empty()) {
        return 1000;
    }
    if (sample <= tone_.front().sample || tone_.size() == 1) {
        return tone_.front().hz;
    }
    const ToneEstimate& a = tone_[0];
    const ToneEstimate& b = tone_[1];
    const double t =
        static_cast<double>(sample - a.sample) / static_cast<double>(b.sample - a.sample);
    return a.hz + std::min(t, 1.0) * (b.hz - a.hz);
}

// Mixes down every delayed sample whose tone is known: those before the newest estimate, or
// all of them at the end.
void FrontEnd::mixReady(bool finishing) {
    for (const ToneEstimate& estimate : tracker_.take()) {
        tone_.push_back(estimate);
        tonePoints_.push_back(
            {static_cast<double>(estimate.sample) / rate_, estimate.hz, estimate.strength});
    }
    const std::int64_t last =
        finishing || tone_.empty()
            ? nextToMix_ + static_cast<std::int64_t>(delayed_.size())
            : std::min(tone_.back().sample,
                       nextToMix_ + static_cast<std::int64_t>(delayed_.size()));
    if (!finishing && tone_.empty()) {
        return;
    }
    while (nextToMix_ < last) {
        if (nextToMix_ % retuneEvery == 0) {
            while (tone_.size() > 2 && tone_[1].sample <= nextToMix_) {
                tone_.pop_front();
            }
            const double hz = toneAt(nextToMix_ + retuneEvery / 2);
            turn_ = std::polar(1.0, -2 * std::numbers::pi * hz / rate_);
            const double length = std::hypot(phasorRe_, phasorIm_);
            phasorRe_ /= length;
            phasorIm_ /= length;
        }
        const double x = delayed_.front();
        delayed_.pop_front();
        // Written out: std::complex's operator* guards against infinities, which costs here.
        sumRe_ += x * phasorRe_;
        sumIm_ += x * phasorIm_;
        const double re = phasorRe_ * turn_.real() - phasorIm_ * turn_.imag();
        phasorIm_ = phasorRe_ * turn_.imag() + phasorIm_ * turn_.real();
        phasorRe_ = re;
        ++nextToMix_;
        if (++summed_ == step_) {
            baseband_.emplace_back(static_cast<float>(sumRe_), static_cast<float>(sumIm_));
            sumRe_ = 0;
            sumIm_ = 0;
            summed_ = 0;
        }
    }
}

std::vector<std::complex<float>> FrontEnd::takeBaseband() {
    std::vector<std::complex<float>> out;
    out.swap(baseband_);
    return out;
}

std::vector<TonePoint> FrontEnd::takeTone() {
    std::vector<TonePoint> out;
    out.swap(tonePoints_);
    return out;
}

}  // namespace morse
