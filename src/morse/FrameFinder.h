// SPDX-License-Identifier: MIT
#pragma once

#include <complex>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "morse/HeardFrame.h"
#include "morse/SlotDecoder.h"

namespace morse {

// Finds and decodes frames in the tone's envelope as it arrives. A frame is found by its
// word VOKA, between word spaces, at any speed from 8 to 35 WPM; its characters are then
// decoded forwards from there. The stretch before a frame that no earlier frame explains
// (the recording started in the middle of a frame, or a fade hid a VOKA) is decoded
// backwards from that frame's VOKA. Only the last few minutes of the envelope are kept.
class FrameFinder {
  public:
    using FrameSink = std::function<void(const HeardFrame&)>;
    FrameFinder(double stepRate, FrameSink sink);

    void push(const std::vector<std::complex<float>>& steps, const std::vector<TonePoint>& tone);
    void finish();

  private:
    struct Word {
        double start = 0;  // absolute envelope step where the V begins
        double unit = 0;   // in envelope steps
        double ratio = 0;  // mean key-down over mean key-up matched-filter power
        Levels levels;
    };
    struct Decoded {
        std::vector<SlotChoice> choices;  // in frame order, starts in absolute steps
        double unit = 0;
        Levels levels;
    };

    void search(bool finishing);
    std::optional<Word> findWord(bool finishing, bool& waiting);
    std::optional<Decoded> decode(double from, double to, bool backwards, double firstFrom,
                                  double firstTo, double unit, Levels levels) const;
    std::optional<HeardFrame> frameOf(const Decoded& decoded, bool backwards) const;
    std::optional<HeardFrame> frameBefore(const Word& w, double gapFrom,
                                          const Decoded& after) const;
    double toneBetween(double from, double to) const;
    double dataEnd() const {
        return static_cast<double>(historyStart_ + static_cast<std::int64_t>(history_.size()));
    }
    void forget();

    double stepRate_;
    FrameSink sink_;
    std::vector<std::complex<float>> history_;
    std::int64_t historyStart_ = 0;
    std::deque<TonePoint> tone_;
    double scanFrom_ = 0;
    std::optional<double> lastEnd_;  // where the last frame found ended
    double lastSearch_ = 0;
    double awaitedEnd_ = 0;  // the end of a found frame still being recorded
};

}  // namespace morse
