// SPDX-License-Identifier: MIT
#include "morse/Stretch.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>

#include "morse/Decoder.h"

namespace morse {
namespace {

struct FileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

// One pass of a constant-peak band-pass biquad (Robert Bristow-Johnson's cookbook).
template <typename Samples>
void filterOnce(Samples begin, Samples end, double rate, double centreHz, double widthHz) {
    const double w = 2 * std::numbers::pi * centreHz / rate;
    const double q = centreHz / widthHz;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0;
    const double b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w) / a0;
    const double a2 = (1 - alpha) / a0;
    std::array<double, 2> in{};   // the last two inputs, newest first
    std::array<double, 2> out{};  // the last two outputs
    for (auto at = begin; at != end; ++at) {
        const double x = *at;
        const double y = b0 * x + b2 * in[1] - a1 * out[0] - a2 * out[1];
        in = {x, in[0]};
        out = {y, out[0]};
        *at = static_cast<float>(y);
    }
}

}  // namespace

AudioStretch readStretch(const std::string& path, double fromSeconds, double toSeconds) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, FileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        throw AudioError(path, sf_strerror(nullptr));
    }
    AudioStretch stretch;
    stretch.sampleRate = info.samplerate;
    const auto from = std::clamp<sf_count_t>(
        static_cast<sf_count_t>(std::floor(fromSeconds * info.samplerate)), 0, info.frames);
    const auto to = std::clamp<sf_count_t>(
        static_cast<sf_count_t>(std::ceil(toSeconds * info.samplerate)), from, info.frames);
    if (info.channels < 1 || sf_seek(file.get(), from, SEEK_SET) < 0) {
        throw AudioError(path, "cannot seek to " + std::to_string(fromSeconds) + " s");
    }
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> interleaved(static_cast<std::size_t>(to - from) * channels);
    const sf_count_t got = sf_readf_float(file.get(), interleaved.data(), to - from);
    stretch.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(got, 0)));
    for (std::size_t i = 0; i < stretch.samples.size(); ++i) {
        stretch.samples[i] = interleaved[i * channels];
    }
    return stretch;
}

void bandPass(AudioStretch& stretch, double centreHz, double widthHz) {
    if (centreHz <= 0 || centreHz >= stretch.sampleRate / 2 || widthHz <= 0) {
        return;
    }
    auto& s = stretch.samples;
    filterOnce(s.begin(), s.end(), stretch.sampleRate, centreHz, widthHz);
    filterOnce(s.rbegin(), s.rend(), stretch.sampleRate, centreHz, widthHz);
}

void normalise(AudioStretch& stretch, float peak) {
    float loudest = 0;
    for (float sample : stretch.samples) {
        loudest = std::max(loudest, std::abs(sample));
    }
    if (loudest > 0) {
        const float gain = peak / loudest;
        std::ranges::transform(stretch.samples, stretch.samples.begin(),
                               [gain](float sample) { return sample * gain; });
    }
}

}  // namespace morse
