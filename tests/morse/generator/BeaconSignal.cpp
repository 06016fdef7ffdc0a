// SPDX-License-Identifier: MIT
#include "BeaconSignal.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>

#include "morse/MorseCode.h"

namespace morse::generator {
namespace {

struct KeyDown {
    double from, to;
};

// Keys the frames: a list of key-down intervals, element by element, with the speed's
// drift and each element's and gap's own jitter.
class Keyer {
  public:
    Keyer(const Signal& signal, std::mt19937& random) : signal_(signal), random_(random) {}

    void element(int units, bool down) {
        const double unit = 1.2 / (signal_.wpm * (1 + signal_.wpmChangePerMinute * now_ / 60));
        std::normal_distribution<double> spread(0, signal_.jitter);
        const double length =
            std::max(0.3, units + (signal_.jitter > 0 ? spread(random_) : 0)) * unit;
        if (down) {
            keyDown.push_back({now_, now_ + length});
        }
        now_ += length;
    }
    void pause(double seconds) { now_ += seconds; }
    double now() const { return now_; }

    void text(const std::string& text) {
        bool afterCharacter = false;
        for (const char c : text) {
            if (c == ' ') {
                element(wordSpace, false);
                afterCharacter = false;
                continue;
            }
            if (afterCharacter) {
                element(characterGap, false);
            }
            const Symbol& symbol = symbols()[static_cast<std::size_t>(symbolIndex(c))];
            int unit = 0;
            bool firstElement = true;
            while (unit < symbol.units) {
                int length = 0;
                while (std::find(symbol.keyDown.begin(), symbol.keyDown.end(), unit + length) !=
                       symbol.keyDown.end()) {
                    ++length;
                }
                if (!firstElement) {
                    element(1, false);
                }
                element(length, true);
                firstElement = false;
                unit += length + 1;
            }
            afterCharacter = true;
        }
    }

    std::vector<KeyDown> keyDown;

  private:
    const Signal& signal_;
    std::mt19937& random_;
    double now_ = 0;
};

// The key's envelope at a moment: raised-cosine edges of 4 ms, as a transmitter shapes them.
class Envelope {
  public:
    explicit Envelope(const std::vector<KeyDown>& keyDown) : keyDown_(keyDown) {}
    double at(double t) {
        constexpr double edge = 0.004;
        while (next_ < keyDown_.size() && keyDown_[next_].to + edge < t) {
            ++next_;
        }
        if (next_ == keyDown_.size() || t < keyDown_[next_].from) {
            return 0;
        }
        const KeyDown& k = keyDown_[next_];
        const double rise = std::min(1.0, (t - k.from) / edge);
        const double fall = std::clamp((k.to + edge - t) / edge, 0.0, 1.0);
        const double shape = std::min(rise, fall);
        return 0.5 - 0.5 * std::cos(std::numbers::pi * shape);
    }

  private:
    const std::vector<KeyDown>& keyDown_;
    std::size_t next_ = 0;
};

}  // namespace

FrameText randomFrame(std::mt19937& random) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::uniform_int_distribution<int> digit(0, 15);
    FrameText frame;
    for (std::size_t f = 0; f < frame.size(); ++f) {
        for (int i = 0; i < fieldWidths[f]; ++i) {
            frame[f] += digits[digit(random)];
        }
    }
    return frame;
}

Recording generate(const Signal& signal, const std::vector<FrameText>& frames) {
    std::mt19937 random(signal.seed);
    Keyer keyer(signal, random);
    Recording recording;
    keyer.pause(signal.leadSeconds);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (i > 0) {
            keyer.pause(signal.gapSeconds);
        }
        std::string text = "VOKA";
        for (const std::string& field : frames[i]) {
            text += ' ' + field;
        }
        const double start = keyer.now();
        keyer.text(text);
        recording.sent.push_back(
            {start - signal.cutStartSeconds, keyer.now() - signal.cutStartSeconds, frames[i]});
    }
    keyer.pause(signal.tailSeconds);

    const double rate = signal.sampleRate;
    const auto first = static_cast<std::size_t>(signal.cutStartSeconds * rate);
    const auto count = static_cast<std::size_t>(keyer.now() * rate);
    recording.samples.resize(count > first ? count - first : 0);
    const double a = signal.amplitude;
    double noiseSigma = 0;
    if (signal.snrDb) {
        // Noise of one-sided density N0 over 0 to rate/2: variance N0 rate / 2.
        const double n0 = a * a / 2 / (2500 * std::pow(10, *signal.snrDb / 10));
        noiseSigma = std::sqrt(n0 * rate / 2);
    }
    std::normal_distribution<double> noise(0, 1);
    std::uniform_real_distribution<double> uniform(0, 1);
    Envelope envelope(keyer.keyDown);
    double phase = 0;
    for (std::size_t n = 0; n < count; ++n) {
        const double t = static_cast<double>(n) / rate;
        const double hz = signal.toneHz + signal.driftHzPerSecond * t +
                          signal.swingHz * std::sin(2 * std::numbers::pi * t / signal.swingSeconds);
        phase += 2 * std::numbers::pi * hz / rate;
        if (phase > 2 * std::numbers::pi) {
            phase -= 2 * std::numbers::pi;
        }
        const double fade =
            std::pow(10, -signal.fadeDb / 20 *
                             (0.5 - 0.5 * std::cos(2 * std::numbers::pi * t / signal.fadeSeconds)));
        double x = a * fade * envelope.at(t) * std::sin(phase);
        if (noiseSigma > 0) {
            x += noiseSigma * noise(random);
        }
        if (signal.clicksPerSecond > 0 && uniform(random) < signal.clicksPerSecond / rate) {
            x += (uniform(random) < 0.5 ? -1 : 1) * 3 * a;
        }
        x += signal.dcOffset;
        if (signal.clipLevel > 0) {
            x = std::clamp(x, -signal.clipLevel, signal.clipLevel);
        }
        if (n >= first) {
            recording.samples[n - first] = static_cast<float>(x);
        }
    }
    return recording;
}

void writeAudio(const std::string& path, const std::vector<float>& samples, double sampleRate,
                int format, int channels) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(sampleRate);
    info.channels = channels;
    info.format = format | (format == SF_FORMAT_OGG ? SF_FORMAT_VORBIS : SF_FORMAT_PCM_16);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    std::vector<float> frames;
    frames.reserve(samples.size() * static_cast<std::size_t>(channels));
    // The other channels carry loud noise, so that only the first one decodes.
    std::uint32_t state = 12345;
    for (const float s : samples) {
        frames.push_back(s);
        for (int c = 1; c < channels; ++c) {
            state = state * 1664525U + 1013904223U;
            frames.push_back(static_cast<float>(state >> 8) / 16777216.0F - 0.5F);
        }
    }
    // In blocks: the Vorbis encoder fails on very large writes.
    constexpr std::size_t block = 4096;
    sf_count_t written = 0;
    for (std::size_t at = 0; at < samples.size(); at += block) {
        const std::size_t count = std::min(block, samples.size() - at);
        written += sf_writef_float(file, frames.data() + at * static_cast<std::size_t>(channels),
                                   static_cast<sf_count_t>(count));
    }
    sf_close(file);
    if (written != static_cast<sf_count_t>(samples.size())) {
        throw std::runtime_error(path + ": write failed");
    }
}

}  // namespace morse::generator
