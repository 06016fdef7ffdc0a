// SPDX-License-Identifier: MIT
#include "morse/Waterfall.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morse {
namespace {

// A power of two near 40 ms: short enough to show the dots at 35 WPM, long enough to
// separate the tone from its neighbours by about 25 Hz.
int fftSize(double sampleRate) {
    int size = 64;
    while (size < sampleRate * 0.04) {
        size *= 2;
    }
    return size;
}

}  // namespace

Spectrogram::Spectrogram(double sampleRate, double columnsPerSecond, double lowHz, double highHz)
    : size_(fftSize(sampleRate)), hop_(sampleRate / columnsPerSecond) {
    const double binHz = sampleRate / size_;
    firstBin_ = std::max(0, static_cast<int>(std::floor(lowHz / binHz)));
    const int lastBin =
        std::min(size_ / 2, static_cast<int>(std::ceil(std::min(highHz, sampleRate / 2) / binHz)));
    image_.columnsPerSecond = columnsPerSecond;
    image_.lowHz = firstBin_ * binHz;
    image_.highHz = lastBin * binHz;
    image_.rows = static_cast<std::size_t>(std::max(1, lastBin - firstBin_ + 1));
    window_.resize(static_cast<std::size_t>(size_));
    for (int i = 0; i < size_; ++i) {
        window_[static_cast<std::size_t>(i)] =
            static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / size_));
    }
    fft_ = kiss_fftr_alloc(size_, 0, nullptr, nullptr);
}

Spectrogram::~Spectrogram() {
    kiss_fftr_free(fft_);
}

void Spectrogram::push(const float* samples, std::size_t count) {
    pending_.insert(pending_.end(), samples, samples + count);
    received_ += static_cast<long long>(count);
    // A column at every hop whose whole window has arrived.
    while (static_cast<long long>(nextColumn_) + size_ <= received_) {
        addColumn();
    }
}

void Spectrogram::addColumn() {
    const auto start = static_cast<long long>(nextColumn_);
    std::vector<float> frame(static_cast<std::size_t>(size_));
    for (int i = 0; i < size_; ++i) {
        frame[static_cast<std::size_t>(i)] =
            pending_[static_cast<std::size_t>(start - pendingStart_ + i)] *
            window_[static_cast<std::size_t>(i)];
    }
    std::vector<kiss_fft_cpx> spectrum(static_cast<std::size_t>(size_ / 2 + 1));
    kiss_fftr(fft_, frame.data(), spectrum.data());
    for (std::size_t row = 0; row < image_.rows; ++row) {
        const kiss_fft_cpx& c = spectrum[static_cast<std::size_t>(firstBin_) + row];
        const double power = static_cast<double>(c.r) * c.r + static_cast<double>(c.i) * c.i;
        image_.db.push_back(static_cast<float>(10 * std::log10(power + 1e-12)));
    }
    nextColumn_ += hop_;
    const auto keepFrom = static_cast<long long>(nextColumn_);
    if (keepFrom > pendingStart_) {
        pending_.erase(pending_.begin(), pending_.begin() + (keepFrom - pendingStart_));
        pendingStart_ = keepFrom;
    }
}

}  // namespace morse
