// SPDX-License-Identifier: MIT
#include <sndfile.h>

#include <atomic>
#include <cmath>
#include <fstream>

#include "Recordings.h"
#include "morse/Decoder.h"

namespace morse::testing {
namespace {

std::vector<HeardFrame> decodeSamples(const std::vector<float>& samples, double rate) {
    std::vector<HeardFrame> frames;
    Decoder decoder(rate, [&](const HeardFrame& frame) { frames.push_back(frame); });
    constexpr std::size_t block = 3000;  // an odd size, so no stage relies on a power of two
    for (std::size_t at = 0; at < samples.size(); at += block) {
        decoder.push(samples.data() + at, std::min(block, samples.size() - at));
    }
    decoder.finish();
    return frames;
}

generator::FrameText textsOf(const HeardFrame& frame) {
    generator::FrameText texts;
    for (std::size_t f = 0; f < texts.size(); ++f) {
        texts[f] = frame.fields[f].text;
    }
    return texts;
}

struct Keying {
    const char* name;
    double wpm;
    double toneHz;
    double driftHzPerSecond;
    double jitter;
    double wpmChangePerMinute;
};

class CleanRecording : public ::testing::TestWithParam<Keying> {};

TEST_P(CleanRecording, DecodesTheFrameExactly) {
    const Keying& k = GetParam();
    if (k.wpm < 20) {
        SKIP_LONG_RECORDINGS_WHEN_SANITIZED();
    }
    generator::Signal signal;
    signal.sampleRate = 8000;
    signal.wpm = k.wpm;
    signal.toneHz = k.toneHz;
    signal.driftHzPerSecond = k.driftHzPerSecond;
    signal.jitter = k.jitter;
    signal.wpmChangePerMinute = k.wpmChangePerMinute;
    const generator::Recording recording = generator::generate(signal, {firstFrame});
    const std::vector<HeardFrame> frames = decodeSamples(recording.samples, signal.sampleRate);

    ASSERT_EQ(frames.size(), 1U);
    const HeardFrame& frame = frames[0];
    EXPECT_EQ(textsOf(frame), firstFrame);
    EXPECT_TRUE(frame.wordHeard);
    EXPECT_NEAR(frame.start, recording.sent[0].start, 0.1);
    EXPECT_NEAR(frame.end, recording.sent[0].end, 0.2);
    EXPECT_NEAR(frame.wpm, k.wpm, k.wpm * 0.1);
    const double middle = (recording.sent[0].start + recording.sent[0].end) / 2;
    EXPECT_NEAR(frame.toneHz, k.toneHz + k.driftHzPerSecond * middle, 15);
    EXPECT_GT(frame.confidence(), 0.99);
    for (const HeardField& field : frame.fields) {
        for (const HeardCharacter& c : field.characters) {
            EXPECT_NE(c.alternative, c.symbol);
            EXPECT_LT(c.alternativeConfidence, 0.01);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SpeedsAndTones, CleanRecording,
                         ::testing::Values(Keying{"hand_at_8_wpm_300_Hz", 8, 300, 0, 0.1, 0},
                                           Keying{"keyer_at_20_wpm_800_Hz", 20, 800, 0, 0, 0},
                                           Keying{"keyer_at_35_wpm_2900_Hz", 35, 2900, 0, 0.03, 0},
                                           Keying{"doppler_140_Hz_a_second", 35, 2950, -140, 0.03,
                                                  0},
                                           Keying{"hand_speeding_up", 15, 600, 5, 0.1, 0.05}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Impairment {
    const char* name;
    void (*apply)(generator::Signal&);
};

class ImpairedRecording : public ::testing::TestWithParam<Impairment> {};

TEST_P(ImpairedRecording, StillDecodesTheFrameExactly) {
    SKIP_LONG_RECORDINGS_WHEN_SANITIZED();
    generator::Signal signal;
    signal.sampleRate = 8000;
    signal.wpm = 22;
    signal.toneHz = 700;
    signal.snrDb = 0;
    signal.jitter = 0.05;
    GetParam().apply(signal);
    const generator::Recording recording = generator::generate(signal, {firstFrame, secondFrame});
    const std::vector<HeardFrame> frames = decodeSamples(recording.samples, signal.sampleRate);
    ASSERT_EQ(frames.size(), 2U);
    EXPECT_EQ(textsOf(frames[0]), firstFrame);
    EXPECT_EQ(textsOf(frames[1]), secondFrame);
}

INSTANTIATE_TEST_SUITE_P(
    NoiseAndWorse, ImpairedRecording,
    ::testing::Values(Impairment{"white_noise_at_0_dB", [](generator::Signal&) {}},
                      Impairment{"slow_fading_of_10_dB",
                                 [](generator::Signal& s) { s.fadeDb = 10; }},
                      Impairment{"clicks", [](generator::Signal& s) { s.clicksPerSecond = 3; }},
                      Impairment{"dc_offset", [](generator::Signal& s) { s.dcOffset = 0.4; }},
                      Impairment{"clipping", [](generator::Signal& s) { s.clipLevel = 0.15; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameCut, ByTheStartKeepsOnlyTheFieldsHeard) {
    generator::Signal signal;
    signal.sampleRate = 8000;
    signal.wpm = 30;
    signal.snrDb = 5;
    const generator::Recording whole = generator::generate(signal, {firstFrame, secondFrame});
    // Start the recording 60% into the first frame, in its field B or after.
    signal.cutStartSeconds = whole.sent[0].start + 0.6 * (whole.sent[0].end - whole.sent[0].start);
    const generator::Recording cut = generator::generate(signal, {firstFrame, secondFrame});
    const std::vector<HeardFrame> frames = decodeSamples(cut.samples, signal.sampleRate);

    ASSERT_EQ(frames.size(), 2U);
    EXPECT_FALSE(frames[0].wordHeard);
    EXPECT_FALSE(frames[0].fields[0].heard());
    EXPECT_TRUE(frames[0].fields[10].heard());
    for (std::size_t f = 0; f < firstFrame.size(); ++f) {
        if (frames[0].fields[f].heard()) {
            EXPECT_EQ(frames[0].fields[f].text, firstFrame[f]) << "field " << f;
        }
    }
    EXPECT_EQ(textsOf(frames[1]), secondFrame);
}

TEST(FrameCut, ByTheEndKeepsOnlyTheFieldsHeard) {
    generator::Signal signal;
    signal.sampleRate = 8000;
    signal.wpm = 30;
    signal.snrDb = 5;
    generator::Recording recording = generator::generate(signal, {firstFrame});
    const double end =
        recording.sent[0].start + 0.5 * (recording.sent[0].end - recording.sent[0].start);
    recording.samples.resize(static_cast<std::size_t>(end * signal.sampleRate));
    const std::vector<HeardFrame> frames = decodeSamples(recording.samples, signal.sampleRate);

    ASSERT_EQ(frames.size(), 1U);
    EXPECT_TRUE(frames[0].wordHeard);
    EXPECT_EQ(frames[0].fields[0].text, firstFrame[0]);
    EXPECT_FALSE(frames[0].fields[10].heard());
    for (std::size_t f = 0; f < firstFrame.size(); ++f) {
        if (frames[0].fields[f].heard()) {
            EXPECT_EQ(frames[0].fields[f].text, firstFrame[f]) << "field " << f;
        }
    }
}

TEST(NoSignal, NoiseOrSilenceGiveNoFrames) {
    SKIP_LONG_RECORDINGS_WHEN_SANITIZED();
    for (const unsigned seed : {1U, 2U, 3U}) {
        generator::Signal signal;
        signal.sampleRate = 8000;
        signal.snrDb = -5;
        signal.seed = seed;
        signal.leadSeconds = 60;
        EXPECT_TRUE(decodeSamples(generator::generate(signal, {}).samples, 8000).empty()) << seed;
    }
    EXPECT_TRUE(decodeSamples(std::vector<float>(8000 * 30, 0.0F), 8000).empty());
    EXPECT_TRUE(decodeSamples({}, 8000).empty());
}

class AudioFiles : public ScratchFolder {};

TEST_F(AudioFiles, EveryFormatRateAndTheFirstChannelDecode) {
    struct Case {
        const char* name;
        int format;
        double rate;
        int channels;
    };
    for (const Case& c :
         {Case{"pass.wav", SF_FORMAT_WAV, 8000, 1}, Case{"pass.flac", SF_FORMAT_FLAC, 8000, 1},
          Case{"pass.ogg", SF_FORMAT_OGG, 48000, 1},
          Case{"stereo-44k.wav", SF_FORMAT_WAV, 44100, 2}}) {
        generator::Signal signal = quickSignal();
        signal.sampleRate = c.rate;
        const std::string path = write(c.name, signal, {firstFrame}, c.format, c.channels);
        const DecodeResult result = decodeFile(path);
        ASSERT_EQ(result.frames.size(), 1U) << c.name;
        EXPECT_EQ(textsOf(result.frames[0]), firstFrame) << c.name;
        EXPECT_EQ(result.sampleRate, c.rate);
        EXPECT_TRUE(result.problem.empty()) << result.problem;
    }
}

TEST_F(AudioFiles, ProgressToneAndCancel) {
    const std::string path = write("pass.wav", quickSignal(), {firstFrame}, SF_FORMAT_WAV);
    std::vector<double> progress;
    std::vector<TonePoint> tone;
    int framesSeen = 0;
    DecodeOptions options;
    options.progress = [&](double p) { progress.push_back(p); };
    options.tone = [&](const TonePoint& point) { tone.push_back(point); };
    options.frame = [&](const HeardFrame&) { ++framesSeen; };
    const DecodeResult result = decodeFile(path, options);
    EXPECT_EQ(framesSeen, 1);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_DOUBLE_EQ(progress.back(), 1.0);
    ASSERT_GT(tone.size(), 100U);
    EXPECT_NEAR(tone[tone.size() / 2].hz, 900, 10);
    EXPECT_NEAR(tone.back().seconds, result.seconds, 0.2);

    std::atomic<bool> cancel{true};
    options.cancel = &cancel;
    const DecodeResult cancelled = decodeFile(path, options);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.frames.empty());
}

TEST_F(AudioFiles, BadFilesNameTheFileAndTheReason) {
    const auto reasonFor = [](const std::string& path) -> std::string {
        try {
            decodeFile(path);
        } catch (const AudioError& error) {
            EXPECT_EQ(error.file(), path);
            EXPECT_EQ(std::string(error.what()), path + ": " + error.reason());
            return error.reason();
        }
        return "no error";
    };
    EXPECT_EQ(reasonFor((dir / "missing.wav").string()), "No such file or directory");
    EXPECT_EQ(reasonFor(dir.string()), "Is a directory");
    std::ofstream(dir / "notes.wav") << "VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n";
    EXPECT_EQ(reasonFor((dir / "notes.wav").string()),
              "not an audio file libsndfile can read (WAV, FLAC, Ogg Vorbis...)");
    std::ofstream(dir / "empty.flac");
    EXPECT_NE(reasonFor((dir / "empty.flac").string()), "no error");

    const std::string wav = write("cut.wav", quickSignal(), {firstFrame}, SF_FORMAT_WAV);
    std::filesystem::resize_file(wav, std::filesystem::file_size(wav) / 2);
    const DecodeResult truncated = decodeFile(wav);
    EXPECT_NE(truncated.problem.find("truncated"), std::string::npos) << truncated.problem;

    const std::string flac = write("cut.flac", quickSignal(), {firstFrame}, SF_FORMAT_FLAC);
    std::filesystem::resize_file(flac, std::filesystem::file_size(flac) / 2);
    EXPECT_FALSE(decodeFile(flac).problem.empty());
}

}  // namespace
}  // namespace morse::testing
