// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace morse::generator {

using FrameText = std::array<std::string, 11>;

// How the beacon is keyed and received in a generated recording.
struct Signal {
    double sampleRate = 48000;
    double wpm = 20;
    double wpmChangePerMinute = 0;  // relative drift of the speed, 0.1 = 10% faster a minute
    double jitter = 0;              // spread of each element and gap, in units
    double toneHz = 800;
    double driftHzPerSecond = 0;
    // A pass's Doppler curve, roughly: the tone swings by this much either way over a period.
    double swingHz = 0;
    double swingSeconds = 600;
    double fadeDb = 0;  // depth of a slow sinusoidal fade
    double fadeSeconds = 7;
    std::optional<double> snrDb;  // key-down carrier over the noise in 2500 Hz; none: no noise
    double amplitude = 0.25;
    double leadSeconds = 1;   // key-up before the first frame
    double gapSeconds = 1.5;  // between frames
    double tailSeconds = 1;
    double clicksPerSecond = 0;
    double dcOffset = 0;
    double clipLevel = 0;        // 0: no clipping
    double cutStartSeconds = 0;  // removed from the start, to start in the middle of a frame
    unsigned seed = 1;
};

struct SentFrame {
    double start;  // seconds from the recording's start to the V of VOKA (negative when cut)
    double end;
    FrameText fields;
};

struct Recording {
    std::vector<float> samples;
    std::vector<SentFrame> sent;
};

FrameText randomFrame(std::mt19937& random);
Recording generate(const Signal& signal, const std::vector<FrameText>& frames);

// Writes mono samples (copied into each channel) with libsndfile; format is an SF_FORMAT_*
// major format (WAV, FLAC, OGG). Throws std::runtime_error on failure.
void writeAudio(const std::string& path, const std::vector<float>& samples, double sampleRate,
                int format, int channels = 1);

}  // namespace morse::generator
