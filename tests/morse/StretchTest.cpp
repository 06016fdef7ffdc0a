// SPDX-License-Identifier: MIT
// What the Recording window draws and plays: the spectrogram and a stretch of a recording.
#include <sndfile.h>

#include <cmath>
#include <numbers>

#include "Recordings.h"
#include "morse/Decoder.h"
#include "morse/Waterfall.h"
#include "morse/Stretch.h"

namespace morse {
namespace {

using Stretch = testing::ScratchFolder;

std::vector<float> sine(double hz, double rate, std::size_t count) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz * i / rate));
    }
    return samples;
}

double power(const std::vector<float>& samples) {
    double sum = 0;
    for (float s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return sum / static_cast<double>(samples.size());
}

TEST_F(Stretch, ReadsTheSecondsAskedForClippedToTheRecording) {
    const std::string path = write("two.wav", quickSignal(), {testing::firstFrame}, SF_FORMAT_WAV,
                                   /*channels=*/2);
    const AudioStretch middle = readStretch(path, 1.0, 3.5);
    EXPECT_EQ(middle.sampleRate, 8000);
    EXPECT_EQ(middle.samples.size(), 20000U);
    const AudioStretch start = readStretch(path, -2.0, 1.0);
    EXPECT_EQ(start.samples.size(), 8000U);
    EXPECT_THROW(readStretch((dir / "missing.wav").string(), 0, 1), AudioError);
}

TEST(BandPass, KeepsTheToneAndWeakensTheRest) {
    AudioStretch tone{sine(800, 8000, 8000), 8000};
    AudioStretch far{sine(2000, 8000, 8000), 8000};
    const double before = power(tone.samples);
    bandPass(tone, 800, 150);
    bandPass(far, 800, 150);
    EXPECT_NEAR(power(tone.samples) / before, 1.0, 0.1);
    EXPECT_LT(power(far.samples) / before, 0.01);
}

TEST(Spectrogram, HasAColumnPerStepAndTheToneInItsRow) {
    Spectrogram spectrogram(8000, 50, 200, 3000);
    const std::vector<float> samples = sine(1000, 8000, 16000);
    spectrogram.push(samples.data(), 7000);  // blocks of any size
    spectrogram.push(samples.data() + 7000, samples.size() - 7000);
    const SpectrogramImage& image = spectrogram.image();
    // A column every 20 ms whose 40 ms window lies inside the two seconds.
    EXPECT_NEAR(static_cast<double>(image.columns()), 2.0 * 50, 3);
    const double binHz = (image.highHz - image.lowHz) / static_cast<double>(image.rows - 1);
    const auto toneRow = static_cast<std::size_t>(std::lround((1000 - image.lowHz) / binHz));
    std::size_t loudest = 0;
    for (std::size_t row = 0; row < image.rows; ++row) {
        if (image.at(10, row) > image.at(10, loudest)) {
            loudest = row;
        }
    }
    EXPECT_EQ(loudest, toneRow);
}

}  // namespace
}  // namespace morse
