// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "morse/HeardFrame.h"

namespace morse {

class FrontEnd;
class FrameFinder;

// Decodes beacon frames from audio samples pushed in blocks of any size. Memory stays flat
// however long the recording: only the last few minutes of the tone's envelope are kept.
class Decoder {
  public:
    using FrameSink = std::function<void(const HeardFrame&)>;
    using ToneSink = std::function<void(const TonePoint&)>;
    Decoder(double sampleRate, FrameSink frames, ToneSink tone = {});
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    void push(const float* samples, std::size_t count);
    // Decodes what is still pending; call once, after the last push.
    void finish();

  private:
    void forward();

    std::unique_ptr<FrontEnd> frontEnd_;
    std::unique_ptr<FrameFinder> finder_;
    ToneSink tone_;
};

// A file that could not be read as audio, and why.
class AudioError : public std::runtime_error {
  public:
    AudioError(std::string file, std::string reason);
    const std::string& file() const { return file_; }
    const std::string& reason() const { return reason_; }

  private:
    std::string file_;
    std::string reason_;
};

struct DecodeOptions {
    std::function<void(double)> progress;  // the part of the file read so far, 0 to 1
    const std::atomic<bool>* cancel = nullptr;
    Decoder::FrameSink frame;  // each frame as soon as it is found
    Decoder::ToneSink tone;    // the tracked tone, about 30 points a second
    // The first channel's samples as they are read, with the file's sample rate, for a view
    // that draws them (a waterfall).
    std::function<void(const float*, std::size_t, double)> samples;
};

struct DecodeResult {
    std::vector<HeardFrame> frames;
    double seconds = 0;  // of audio read
    double sampleRate = 0;
    bool cancelled = false;
    // Set when only part of the file could be read (it is truncated or damaged); the frames
    // are those of the part read.
    std::string problem;
};

// Decodes a recording (WAV, FLAC, Ogg Vorbis and whatever else libsndfile reads; the first
// channel). Throws AudioError when the file cannot be opened as audio.
DecodeResult decodeFile(const std::string& path, const DecodeOptions& options = {});

}  // namespace morse
