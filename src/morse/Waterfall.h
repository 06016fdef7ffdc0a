// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <vector>

struct kiss_fftr_state;

namespace morse {

// The power of the band the beacon's tone may be in, over time: a waterfall. Columns are
// spaced evenly in time, rows evenly in frequency from lowHz (row 0) up to highHz.
struct SpectrogramImage {
    double columnsPerSecond = 0;
    double lowHz = 0;
    double highHz = 0;
    std::size_t rows = 0;
    std::vector<float> db;  // column after column, rows values each, in dB

    std::size_t columns() const { return rows == 0 ? 0 : db.size() / rows; }
    float at(std::size_t column, std::size_t row) const { return db[column * rows + row]; }
};

// Builds a SpectrogramImage from samples pushed in blocks of any size, with a Hann-windowed
// FFT of about 40 ms every 1/columnsPerSecond seconds; memory grows with the recording's
// length only by one column of rows values per step.
class Spectrogram {
  public:
    explicit Spectrogram(double sampleRate, double columnsPerSecond = 50, double lowHz = 200,
                         double highHz = 3000);
    ~Spectrogram();
    Spectrogram(const Spectrogram&) = delete;
    Spectrogram& operator=(const Spectrogram&) = delete;

    void push(const float* samples, std::size_t count);
    const SpectrogramImage& image() const { return image_; }

  private:
    void addColumn();

    int size_;
    double hop_;             // samples between columns, fractional
    double nextColumn_ = 0;  // where the next column's window starts, in samples
    long long received_ = 0;
    int firstBin_;
    std::vector<float> window_;
    std::vector<float> pending_;  // the samples from the next column's start on
    long long pendingStart_ = 0;  // the absolute index of pending_.front()
    kiss_fftr_state* fft_ = nullptr;
    SpectrogramImage image_;
};

}  // namespace morse
