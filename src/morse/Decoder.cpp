// SPDX-License-Identifier: MIT
#include "morse/Decoder.h"

#include <sndfile.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>

#include "morse/FrameFinder.h"
#include "morse/FrontEnd.h"

namespace morse {

Decoder::Decoder(double sampleRate, FrameSink frames, ToneSink tone)
    : frontEnd_(std::make_unique<FrontEnd>(sampleRate)), tone_(std::move(tone)) {
    finder_ = std::make_unique<FrameFinder>(frontEnd_->basebandRate(), std::move(frames));
}

Decoder::~Decoder() = default;

void Decoder::push(const float* samples, std::size_t count) {
    frontEnd_->push(samples, count);
    forward();
}

void Decoder::finish() {
    frontEnd_->finish();
    forward();
    finder_->finish();
}

void Decoder::forward() {
    const std::vector<TonePoint> tone = frontEnd_->takeTone();
    if (tone_) {
        for (const TonePoint& point : tone) {
            tone_(point);
        }
    }
    finder_->push(frontEnd_->takeBaseband(), tone);
}

AudioError::AudioError(std::string file, std::string reason)
    : std::runtime_error(file + ": " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

namespace {

struct SoundFile {
    SNDFILE* handle = nullptr;
    SF_INFO info{};
    bool headerPromisesMore = false;
    ~SoundFile() {
        if (handle != nullptr) {
            sf_close(handle);
        }
    }
};

// libsndfile's reasons start with a capital and end with a full stop; ours do not.
std::string plainReason(std::string reason) {
    while (!reason.empty() &&
           (reason.back() == '.' || reason.back() == '\n' || reason.back() == ' ')) {
        reason.pop_back();
    }
    if (!reason.empty() && reason.front() >= 'A' && reason.front() <= 'Z' &&
        !(reason.size() > 1 && reason[1] >= 'A' && reason[1] <= 'Z')) {
        reason.front() = static_cast<char>(reason.front() - 'A' + 'a');
    }
    return reason;
}

void open(const std::string& path, SoundFile& file) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw AudioError(path, std::strerror(EISDIR));
    }
    if (!std::ifstream(path, std::ios::binary)) {
        throw AudioError(path, std::strerror(errno != 0 ? errno : ENOENT));
    }
    file.handle = sf_open(path.c_str(), SFM_READ, &file.info);
    if (file.handle == nullptr) {
        const std::string reason = sf_strerror(nullptr);
        throw AudioError(path,
                         reason.find("Format not recognised") != std::string::npos
                             ? "not an audio file libsndfile can read (WAV, FLAC, Ogg Vorbis...)"
                             : plainReason(reason));
    }
    // libsndfile reads a WAV file cut short as if whole; its log tells.
    std::array<char, 2048> log{};
    sf_command(file.handle, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()));
    file.headerPromisesMore =
        std::string_view(log.data()).find("(should be") != std::string_view::npos;
    if (file.info.samplerate < 1000 || file.info.channels < 1) {
        throw AudioError(path,
                         "unusable sample rate " + std::to_string(file.info.samplerate) + " Hz");
    }
}

std::string seconds(double value) {
    std::ostringstream text;
    text.precision(1);
    text << std::fixed << value << " s";
    return text.str();
}

}  // namespace

DecodeResult decodeFile(const std::string& path, const DecodeOptions& options) {
    SoundFile file;
    open(path, file);
    DecodeResult result;
    result.sampleRate = file.info.samplerate;
    Decoder decoder(
        file.info.samplerate,
        [&](const HeardFrame& frame) {
            result.frames.push_back(frame);
            if (options.frame) {
                options.frame(frame);
            }
        },
        options.tone);

    constexpr sf_count_t blockFrames = 8192;
    const auto channels = static_cast<std::size_t>(file.info.channels);
    std::vector<float> block(static_cast<std::size_t>(blockFrames) * channels);
    std::vector<float> first(static_cast<std::size_t>(blockFrames));
    sf_count_t read = 0;
    for (;;) {
        if (options.cancel != nullptr && options.cancel->load()) {
            result.cancelled = true;
            break;
        }
        const sf_count_t got = sf_readf_float(file.handle, block.data(), blockFrames);
        if (got <= 0) {
            break;
        }
        for (sf_count_t i = 0; i < got; ++i) {
            first[static_cast<std::size_t>(i)] = block[static_cast<std::size_t>(i) * channels];
        }
        decoder.push(first.data(), static_cast<std::size_t>(got));
        if (options.samples) {
            options.samples(first.data(), static_cast<std::size_t>(got), file.info.samplerate);
        }
        read += got;
        if (options.progress && file.info.frames > 0) {
            options.progress(
                std::min(1.0, static_cast<double>(read) / static_cast<double>(file.info.frames)));
        }
    }
    result.seconds = static_cast<double>(read) / file.info.samplerate;
    const int error = sf_error(file.handle);
    if (error != SF_ERR_NO_ERROR) {
        result.problem = "damaged after " + seconds(result.seconds) + ": " +
                         plainReason(sf_strerror(file.handle));
    } else if (file.headerPromisesMore) {
        result.problem = "truncated: it ends after " + seconds(result.seconds) +
                         ", before the end its header gives";
    } else if (!result.cancelled && file.info.frames > 0 && read < file.info.frames) {
        result.problem = "truncated: it ends after " + seconds(result.seconds) + " of the " +
                         seconds(static_cast<double>(file.info.frames) / file.info.samplerate) +
                         " its header gives";
    }
    if (!result.cancelled) {
        decoder.finish();
    }
    return result;
}

}  // namespace morse
