// SPDX-License-Identifier: MIT
#include "morse/ToneTracker.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace morse {
namespace {

constexpr double frameSeconds = 0.064;  // a 16 Hz bin
constexpr int viterbiLag = 32;          // frames (about a second) before a bin is final
constexpr int smoothingHalfWidth = 3;   // frames each side of the straight-line fit
constexpr float movePenalty = 0.4F;
constexpr float noiseMean = 1.45F;  // mean over median of a noise bin's power
// The mean of log(1 + power over median) for a bin of noise alone. The log keeps a strong
// tone's sidelobes below its peak, yet lets no single frame decide the path.
constexpr float noiseScore = 0.75F;

// The smallest even size of the form 2^a 3^b 5^c at least as large: KissFFT is fast there.
int fftSizeFor(int least) {
    for (int n = std::max(least, 16);; ++n) {
        int rest = n;
        for (const int factor : {2, 3, 5}) {
            while (rest % factor == 0) {
                rest /= factor;
            }
        }
        if (rest == 1 && n % 2 == 0) {
            return n;
        }
    }
}

}  // namespace

ToneTracker::ToneTracker(double sampleRate, double lowHz, double highHz)
    : rate_(sampleRate),
      size_(fftSizeFor(static_cast<int>(std::lround(sampleRate * frameSeconds)))),
      hop_(size_ / 2) {
    const double binHz = rate_ / size_;
    firstBin_ = std::max(1, static_cast<int>(std::floor(lowHz / binHz)));
    const int lastBin = std::min(
        size_ / 2 - 2, static_cast<int>(std::ceil(std::min(highHz, rate_ * 0.48) / binHz)));
    binCount_ = std::max(3, lastBin - firstBin_ + 1);
    window_.resize(static_cast<std::size_t>(size_));
    for (int i = 0; i < size_; ++i) {
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / size_));
    }
    fft_ = kiss_fftr_alloc(size_, 0, nullptr, nullptr);
    score_.assign(static_cast<std::size_t>(binCount_), 0.0F);
}

ToneTracker::~ToneTracker() {
    kiss_fftr_free(fft_);
}

std::int64_t ToneTracker::latency() const {
    return static_cast<std::int64_t>(viterbiLag + smoothingHalfWidth + 3) * hop_ + size_;
}

void ToneTracker::push(const float* samples, std::size_t count) {
    input_.insert(input_.end(), samples, samples + count);
    std::size_t used = 0;
    std::vector<float> frame(static_cast<std::size_t>(size_));
    while (input_.size() - used >= static_cast<std::size_t>(size_)) {
        std::copy_n(input_.begin() + static_cast<std::ptrdiff_t>(used), size_, frame.begin());
        for (int i = 0; i < size_; ++i) {
            frame[i] *= window_[i];
        }
        std::vector<kiss_fft_cpx> spectrum(static_cast<std::size_t>(size_ / 2 + 1));
        kiss_fftr(fft_, frame.data(), spectrum.data());
        std::vector<float> power(static_cast<std::size_t>(binCount_));
        for (int b = 0; b < binCount_; ++b) {
            const kiss_fft_cpx& c = spectrum[firstBin_ + b];
            power[b] = c.r * c.r + c.i * c.i;
        }
        std::vector<float> sorted = power;
        std::nth_element(sorted.begin(), sorted.begin() + binCount_ / 2, sorted.end());
        // A floor under the median, for a recording without any noise.
        const float loudest = *std::max_element(power.begin(), power.end());
        const float median = std::max({sorted[binCount_ / 2], 1e-9F * loudest, 1e-30F});
        for (float& p : power) {
            p /= median;
        }
        ratios_.push_back(std::move(power));
        stepViterbi(ratios_.back());
        ++frames_;
        used += static_cast<std::size_t>(hop_);
        analyseFrame();
    }
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(used));
}

void ToneTracker::stepViterbi(const std::vector<float>& ratio) {
    std::vector<float> next(score_.size());
    std::vector<std::int8_t> moves(score_.size());
    for (int b = 0; b < binCount_; ++b) {
        float best = score_[b];
        std::int8_t move = 0;
        if (b > 0 && score_[b - 1] - movePenalty > best) {
            best = score_[b - 1] - movePenalty;
            move = -1;
        }
        if (b + 1 < binCount_ && score_[b + 1] - movePenalty > best) {
            best = score_[b + 1] - movePenalty;
            move = 1;
        }
        next[b] = best + std::log1p(ratio[b]) - noiseScore;
        moves[b] = move;
    }
    const float top = *std::max_element(next.begin(), next.end());
    for (float& s : next) {
        s -= top;  // keeps the scores small however long the recording
    }
    score_ = std::move(next);
    moves_.push_back(std::move(moves));
}

// Decides the frame that has fallen viterbiLag frames behind, by tracing back from the best
// bin of the newest frame.
void ToneTracker::analyseFrame() {
    if (frames_ - decidedFrames_ <= viterbiLag) {
        return;
    }
    int bin = static_cast<int>(std::max_element(score_.begin(), score_.end()) - score_.begin());
    for (std::int64_t f = frames_ - 1; f > decidedFrames_; --f) {
        bin += moves_[static_cast<std::size_t>(f - decidedFrames_)][bin];
    }
    decideFrame(decidedFrames_, bin);
    moves_.pop_front();
    ++decidedFrames_;
    smoothDecided(false);
}

void ToneTracker::finish() {
    if (frames_ == 0) {
        return;
    }
    int bin = static_cast<int>(std::max_element(score_.begin(), score_.end()) - score_.begin());
    std::vector<int> bins(static_cast<std::size_t>(frames_ - decidedFrames_));
    for (std::int64_t f = frames_ - 1; f >= decidedFrames_; --f) {
        bins[static_cast<std::size_t>(f - decidedFrames_)] = bin;
        if (f > decidedFrames_) {
            bin += moves_[static_cast<std::size_t>(f - decidedFrames_)][bin];
        }
    }
    for (const int b : bins) {
        decideFrame(decidedFrames_++, b);
    }
    moves_.clear();
    smoothDecided(true);
}

const std::vector<float>& ToneTracker::ratioOf(std::int64_t frame) const {
    const std::int64_t at = std::clamp(frame, firstRatioFrame_, frames_ - 1) - firstRatioFrame_;
    return ratios_[static_cast<std::size_t>(at)];
}

// The bin's frequency refined by a parabola through the log power of it and its neighbours,
// summed over five frames.
double ToneTracker::refinedHz(std::int64_t frame, int bin) const {
    float around[3] = {0, 0, 0};
    for (std::int64_t f = frame - 2; f <= frame + 2; ++f) {
        const std::vector<float>& ratio = ratioOf(f);
        for (int d = -1; d <= 1; ++d) {
            around[d + 1] += ratio[std::clamp(bin + d, 0, binCount_ - 1)];
        }
    }
    double offset = 0;
    if (bin > 0 && bin + 1 < binCount_) {
        const double l = std::log(around[0] + 1e-9), c = std::log(around[1] + 1e-9),
                     r = std::log(around[2] + 1e-9);
        const double curvature = l - 2 * c + r;
        if (curvature < 0) {
            offset = std::clamp(0.5 * (l - r) / curvature, -0.5, 0.5);
        }
    }
    return (firstBin_ + bin + offset) * rate_ / size_;
}

void ToneTracker::decideFrame(std::int64_t frame, int bin) {
    const double strength = ratioOf(frame)[bin];
    const double excess = std::max(strength - noiseMean, 0.0);
    const double weight = excess * excess + 0.01;  // key-down frames decide
    decided_.push_back({refinedHz(frame, bin), weight, strength});
    // Ratios are needed two frames back for the refinement.
    while (firstRatioFrame_ < frame - 2) {
        ratios_.pop_front();
        ++firstRatioFrame_;
    }
}

// A weighted straight line through the decided frequencies around each frame: the tone is
// heard only while the key is down, and a drift must not turn into a lag.
void ToneTracker::smoothDecided(bool finishing) {
    const std::int64_t end = firstDecidedFrame_ + static_cast<std::int64_t>(decided_.size());
    while (smoothedFrames_ < end && (finishing || smoothedFrames_ + smoothingHalfWidth < end)) {
        const std::int64_t from =
            std::max(firstDecidedFrame_, smoothedFrames_ - smoothingHalfWidth);
        const std::int64_t to = std::min(end - 1, smoothedFrames_ + smoothingHalfWidth);
        double sw = 0, st = 0, sf = 0, stt = 0, stf = 0;
        for (std::int64_t f = from; f <= to; ++f) {
            const Decided& d = decided_[static_cast<std::size_t>(f - firstDecidedFrame_)];
            const double t = static_cast<double>(f - smoothedFrames_);
            sw += d.weight;
            st += d.weight * t;
            sf += d.weight * d.hz;
            stt += d.weight * t * t;
            stf += d.weight * t * d.hz;
        }
        const double variance = sw * stt - st * st;
        const double slope = variance > 1e-9 * sw * sw ? (sw * stf - st * sf) / variance : 0;
        const double hz = (sf - slope * st) / sw;
        const Decided& here =
            decided_[static_cast<std::size_t>(smoothedFrames_ - firstDecidedFrame_)];
        ready_.push_back({smoothedFrames_ * hop_ + size_ / 2, hz, here.strength});
        ++smoothedFrames_;
        while (firstDecidedFrame_ < smoothedFrames_ - smoothingHalfWidth) {
            decided_.pop_front();
            ++firstDecidedFrame_;
        }
    }
}

std::vector<ToneEstimate> ToneTracker::take() {
    std::vector<ToneEstimate> out;
    out.swap(ready_);
    return out;
}

}  // namespace morse
