// SPDX-License-Identifier: MIT
// Accuracy and speed of the Morse decoder on generated passes: a table over SNR and speed of
// exact frames, field errors, character errors and frames falsely reported, beside the limit
// of a maximum-likelihood choice among the sixteen hexadecimal symbols; then the decoding
// speed as a multiple of real time for 48 kHz audio.
// Usage: morse_bench [--quick] [--frames N] [--snr LOW HIGH] [--wpm W] [--speed] [--misses]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "BeaconSignal.h"
#include "morse/Decoder.h"

namespace {

using morse::generator::FrameText;

bool showMisses = false;  // --misses: each frame not decoded exactly, sent/heard by field

struct Cell {
    int frames = 0;
    int exact = 0;
    int fieldErrors = 0;  // fields sent but wrong or missing
    int characters = 0;
    int characterErrors = 0;  // wrong or missing characters
    int false_ = 0;           // frames reported that match no frame sent
};

// The E1/N0 needed for a character error rate p with a maximum-likelihood choice among the 16
// hexadecimal symbols, from the notes' two anchors (2% at 10 dB, 8% at 8 dB), interpolated
// log-linearly in p.
double limitSnr(double wpm, double cer) {
    const double e1n0 =
        10 + (std::log(0.02) - std::log(cer)) / (std::log(0.08) - std::log(0.02)) * -2;
    return e1n0 - 10 * std::log10(2500 * 1.2 / wpm);
}

// The limit's character error rate at an SNR, by inverting limitSnr.
double limitCer(double wpm, double snr) {
    const double e1n0 = snr + 10 * std::log10(2500 * 1.2 / wpm);
    const double logCer = std::log(0.02) + (10 - e1n0) / 2 * (std::log(0.08) - std::log(0.02));
    return std::min(1.0, std::exp(logCer));
}

Cell run(double snr, double wpm, int frames, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<FrameText> texts;
    for (int i = 0; i < frames; ++i) {
        texts.push_back(morse::generator::randomFrame(random));
    }
    morse::generator::Signal signal;
    signal.sampleRate = 8000;  // accuracy does not depend on it; 8 kHz generates faster
    signal.wpm = wpm;
    signal.snrDb = snr;
    signal.jitter = 0.05;
    signal.toneHz = 1200;
    signal.swingHz = 500;  // up to 5 Hz/s over the 10-minute swing
    signal.swingSeconds = 600;
    signal.seed = seed;
    const morse::generator::Recording recording = morse::generator::generate(signal, texts);

    std::vector<morse::HeardFrame> heard;
    morse::Decoder decoder(signal.sampleRate,
                           [&](const morse::HeardFrame& f) { heard.push_back(f); });
    decoder.push(recording.samples.data(), recording.samples.size());
    decoder.finish();

    Cell cell;
    std::vector<bool> matched(heard.size(), false);
    for (const auto& sent : recording.sent) {
        ++cell.frames;
        const morse::HeardFrame* best = nullptr;
        for (std::size_t h = 0; h < heard.size(); ++h) {
            if (std::abs(heard[h].start - sent.start) < 2.0 && !matched[h]) {
                best = &heard[h];
                matched[h] = true;
                break;
            }
        }
        bool exact = best != nullptr;
        for (std::size_t f = 0; f < sent.fields.size(); ++f) {
            const std::string got = best != nullptr ? best->fields[f].text : "";
            if (got != sent.fields[f]) {
                ++cell.fieldErrors;
                exact = false;
            }
            for (std::size_t c = 0; c < sent.fields[f].size(); ++c) {
                ++cell.characters;
                if (c >= got.size() || got[c] != sent.fields[f][c]) {
                    ++cell.characterErrors;
                }
            }
        }
        cell.exact += exact ? 1 : 0;
        if (!exact && showMisses) {
            std::fprintf(stderr, "missed frame at %.2f s:", sent.start);
            for (std::size_t f = 0; f < sent.fields.size(); ++f) {
                std::fprintf(stderr, " %s/%s", sent.fields[f].c_str(),
                             best != nullptr ? best->fields[f].text.c_str() : "");
            }
            std::fprintf(stderr, "\n");
        }
    }
    for (const bool m : matched) {
        cell.false_ += m ? 0 : 1;
    }
    return cell;
}

double speed() {
    std::mt19937 random(7);
    std::vector<FrameText> texts;
    for (int i = 0; i < 10; ++i) {
        texts.push_back(morse::generator::randomFrame(random));
    }
    morse::generator::Signal signal;
    signal.sampleRate = 48000;
    signal.snrDb = -10;
    const auto recording = morse::generator::generate(signal, texts);
    int found = 0;
    const auto begin = std::chrono::steady_clock::now();
    morse::Decoder decoder(48000, [&](const morse::HeardFrame&) { ++found; });
    constexpr std::size_t block = 8192;
    for (std::size_t at = 0; at < recording.samples.size(); at += block) {
        decoder.push(recording.samples.data() + at, std::min(block, recording.samples.size() - at));
    }
    decoder.finish();
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    const double seconds = static_cast<double>(recording.samples.size()) / 48000;
    std::printf(
        "\nSpeed: %.0f s of 48 kHz audio (%d frames found) decoded in %.2f s: %.0fx real time\n",
        seconds, found, took, seconds / took);
    return seconds / took;
}

}  // namespace

int main(int argc, char* argv[]) {
    int frames = 50;
    double low = -16, high = -4;
    std::vector<double> speeds{12, 20, 25};
    bool speedOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            frames = 10;
        } else if (arg == "--frames" && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
        } else if (arg == "--snr" && i + 2 < argc) {
            low = std::atof(argv[++i]);
            high = std::atof(argv[++i]);
        } else if (arg == "--wpm" && i + 1 < argc) {
            speeds = {std::atof(argv[++i])};
        } else if (arg == "--misses") {
            showMisses = true;
        } else if (arg == "--speed") {
            speedOnly = true;
        } else {
            std::fprintf(stderr,
                         "usage: morse_bench [--quick] [--frames N] [--snr LOW HIGH] [--wpm W] "
                         "[--speed] [--misses]\n");
            return 2;
        }
    }
    if (!speedOnly) {
        std::printf(
            "%d frames a cell; SNR in 2500 Hz, key-down. CER: character errors (missing\n"
            "counted as wrong); limit: the CER of a maximum-likelihood choice among the 16\n"
            "hex symbols with timing known.\n\n",
            frames);
        std::printf("| SNR dB |");
        for (const double wpm : speeds) {
            std::printf(" %2.0f WPM exact | field err | CER | limit CER | false |", wpm);
        }
        std::printf("\n|---|");
        for (std::size_t i = 0; i < speeds.size(); ++i) {
            std::printf("---|---|---|---|---|");
        }
        std::printf("\n");
        for (double snr = high; snr >= low - 1e-9; snr -= 1) {
            std::printf("| %.0f |", snr);
            for (const double wpm : speeds) {
                const Cell c = run(snr, wpm, frames, static_cast<unsigned>(1000 + snr * 10 + wpm));
                std::printf(" %5.1f%% | %5.2f%% | %5.2f%% | %5.2f%% | %d |",
                            100.0 * c.exact / c.frames, 100.0 * c.fieldErrors / (c.frames * 11.0),
                            100.0 * c.characterErrors / c.characters, 100 * limitCer(wpm, snr),
                            c.false_);
                std::fflush(stdout);
            }
            std::printf("\n");
        }
        std::printf(
            "\nLimit, SNR for 2%% CER: %.1f dB at 12 WPM, %.1f dB at 20 WPM, %.1f dB at 25 WPM\n",
            limitSnr(12, 0.02), limitSnr(20, 0.02), limitSnr(25, 0.02));
    }
    speed();
    return 0;
}
