// SPDX-License-Identifier: MIT
#include "morse/FrameFinder.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

namespace morse {
namespace {

constexpr double slowestWpm = 8;
constexpr double fastestWpm = 35;
constexpr double wpmStep = 1.03;
constexpr int grid = 4;                 // search positions per unit
constexpr double wordThreshold = 3.2;   // key-down over key-up power that marks a VOKA
constexpr double searchEvery = 4;       // seconds of new envelope between searches
constexpr double keepSeconds = 150;     // envelope kept before the search point
constexpr int longestGapUnits = 60;     // longest pause between frames a backward decode spans
constexpr double wordReach = 30;        // units after a first match that the best one may start
constexpr double leastUnitSnrDb = 5.5;  // key-down energy of a unit over the noise (E1/N0)
constexpr double fadeAllowanceDb = 6;   // how much weaker a frame cut by the start may be
constexpr double fadingSeconds = 1;     // the signal power is averaged over twice this

// The word VOKA between two word spaces, unit by unit: true where the key is down.
std::vector<bool> wordPattern() {
    std::vector<bool> pattern(wordSpace, false);
    for (std::size_t i = 0; i < frameWord.size(); ++i) {
        const Symbol& symbol = symbols()[static_cast<std::size_t>(symbolIndex(frameWord[i]))];
        const std::size_t at = pattern.size();
        pattern.resize(at + static_cast<std::size_t>(symbol.units), false);
        for (const int unit : symbol.keyDown) {
            pattern[at + static_cast<std::size_t>(unit)] = true;
        }
        pattern.resize(pattern.size() + (i + 1 == frameWord.size() ? wordSpace : characterGap),
                       false);
    }
    return pattern;
}

const std::vector<bool>& word() {
    static const std::vector<bool> pattern = wordPattern();
    return pattern;
}

std::vector<double> unitsToTry(double stepRate) {
    std::vector<double> units;
    for (double wpm = slowestWpm; wpm <= fastestWpm * 1.001; wpm *= wpmStep) {
        units.push_back(1.2 / wpm * stepRate);
    }
    return units;
}

// The units a slot takes on a path, its symbol and the gap after it.
int unitsTaken(const Slot& slot, const SlotChoice& choice) {
    return symbols()[static_cast<std::size_t>(choice.symbol)].units + slot.gapAfter;
}

std::vector<Slot> reversedSlots() {
    const std::vector<Slot>& forward = frameSlots();
    std::vector<Slot> reversed;
    for (std::size_t i = forward.size(); i-- > 0;) {
        Slot slot = forward[i];
        slot.gapAfter = i > 0 ? forward[i - 1].gapAfter : 0;
        reversed.push_back(std::move(slot));
    }
    return reversed;
}

// The signal's power around each moment, from the key-down units of a first decoding, so a
// fade does not make key-down units look like noise.
class LocalSignal {
  public:
    LocalSignal(std::vector<std::pair<double, double>> units, double halfWidth, double noise,
                double floor)
        : halfWidth_(halfWidth), noise_(noise), floor_(floor) {
        prefix_.push_back(0);
        for (const auto& [at, energy] : units) {
            times_.push_back(at);
            prefix_.push_back(prefix_.back() + energy);
        }
    }
    double operator()(double at) const {
        const auto from =
            std::lower_bound(times_.begin(), times_.end(), at - halfWidth_) - times_.begin();
        const auto to =
            std::upper_bound(times_.begin(), times_.end(), at + halfWidth_) - times_.begin();
        if (to - from < 4) {
            return floor_ / 0.3;
        }
        const double mean =
            (prefix_[static_cast<std::size_t>(to)] - prefix_[static_cast<std::size_t>(from)]) /
            static_cast<double>(to - from);
        return std::max(mean - noise_, floor_);
    }

  private:
    double halfWidth_, noise_, floor_;
    std::vector<double> times_;
    std::vector<double> prefix_;
};

struct Measured {
    double unit;
    double firstStart;
    Levels levels;
    std::vector<std::pair<double, double>> keyDown;  // start and energy of key-down units
};

// The unit length and the first slot's start that fit the path's slot starts best, and the
// noise and signal powers the path's key-up and key-down units show.
Measured measure(const Envelope& envelope, const std::vector<Slot>& slots,
                 const std::vector<SlotChoice>& path, bool mirrored, double unit) {
    double n = 0, count = 0, sn = 0, st = 0, snn = 0, snt = 0;
    double onSum = 0, offSum = 0, offCount = 0;
    Measured measured{unit, path.front().start, {}, {}};
    for (std::size_t j = 0; j < path.size(); ++j) {
        const SlotChoice& choice = path[j];
        const Symbol& symbol = symbols()[static_cast<std::size_t>(choice.symbol)];
        if (choice.inside && choice.evidence > 0) {
            count += 1;
            sn += n;
            st += choice.start;
            snn += n * n;
            snt += n * choice.start;
            std::vector<bool> down(static_cast<std::size_t>(symbol.units + slots[j].gapAfter),
                                   false);
            for (const int k : symbol.keyDown) {
                down[static_cast<std::size_t>(mirrored ? symbol.units - 1 - k : k)] = true;
            }
            for (std::size_t k = 0; k < down.size(); ++k) {
                const double at = choice.start + static_cast<double>(k) * unit;
                if (!envelope.covers(at, unit)) {
                    continue;
                }
                const double energy = envelope.energy(at, unit);
                if (down[k]) {
                    onSum += energy;
                    measured.keyDown.emplace_back(at, energy);
                } else {
                    offSum += energy;
                    offCount += 1;
                }
            }
        }
        n += unitsTaken(slots[j], choice);
    }
    const double spread = count * snn - sn * sn;
    if (count >= 6 && spread > 0) {
        const double slope = (count * snt - sn * st) / spread;
        if (slope > 0.8 * unit && slope < 1.25 * unit) {
            measured.unit = slope;
            measured.firstStart = (st - slope * sn) / count;
        }
    }
    const auto onCount = static_cast<double>(measured.keyDown.size());
    measured.levels.noise = offCount > 0 ? offSum / offCount : 1;
    const double onMean = onCount > 0 ? onSum / onCount : 2 * measured.levels.noise;
    measured.levels.signal = std::max(onMean - measured.levels.noise, 0.05 * measured.levels.noise);
    return measured;
}

}  // namespace

FrameFinder::FrameFinder(double stepRate, FrameSink sink)
    : stepRate_(stepRate), sink_(std::move(sink)) {}

void FrameFinder::push(const std::vector<std::complex<float>>& steps,
                       const std::vector<TonePoint>& tone) {
    history_.insert(history_.end(), steps.begin(), steps.end());
    tone_.insert(tone_.end(), tone.begin(), tone.end());
    // A VOKA already found waits for the rest of its frame without being searched again.
    if (dataEnd() - lastSearch_ >= searchEvery * stepRate_ && dataEnd() >= awaitedEnd_) {
        lastSearch_ = dataEnd();
        search(false);
    }
}

void FrameFinder::finish() {
    search(true);
}

// The first VOKA after scanFrom_, as the best match of the pattern over speeds and starts
// near the first place any speed matches it.
std::optional<FrameFinder::Word> FrameFinder::findWord(bool finishing, bool& waiting) {
    waiting = false;
    const std::vector<bool>& pattern = word();
    const auto span = static_cast<double>(pattern.size());
    const std::vector<double> units = unitsToTry(stepRate_);
    const double longest = units.front();
    const Envelope envelope(history_.data(), history_.size(), false);
    const auto base = static_cast<double>(historyStart_);
    const double end = dataEnd();

    struct Match {
        double start, unit, ratio, on, off;
    };
    std::vector<std::vector<Match>> matches(units.size());
    double first = end;
    double firstUnit = 0;
    for (std::size_t u = 0; u < units.size(); ++u) {
        const double unit = units[u];
        const double origin = std::max(scanFrom_ - wordSpace * unit, base);
        const int positions = static_cast<int>((end - origin) / (unit / grid)) + 1;
        std::vector<double> energy(static_cast<std::size_t>(std::max(positions, 0)));
        for (int m = 0; m < positions; ++m) {
            energy[static_cast<std::size_t>(m)] =
                envelope.energy(origin - base + m * unit / grid, unit);
        }
        for (int i = 0; i + grid * static_cast<int>(span) <= positions; ++i) {
            double on = 0, off = 0, onCount = 0, offCount = 0;
            for (std::size_t k = 0; k < pattern.size(); ++k) {
                const double e = energy[static_cast<std::size_t>(i) + k * grid];
                (pattern[k] ? on : off) += e;
                (pattern[k] ? onCount : offCount) += 1;
            }
            on /= onCount;
            off = std::max(off / offCount, 1e-30);
            const double start = origin + i * unit / grid + wordSpace * unit;
            if (on / off >= wordThreshold) {
                matches[u].push_back({start, unit, on / off, on, off});
                if (start < first) {
                    first = start;
                    firstUnit = unit;
                }
            }
        }
    }
    if (first >= end) {
        scanFrom_ = std::max(scanFrom_, end - (span + wordSpace) * longest);
        return std::nullopt;
    }
    // A partial match, at the wrong speed or overlapping the word, comes first; the word itself
    // matches best within a word's length of it.
    const double until = first + wordReach * firstUnit;
    if (!finishing && until + span * longest > end) {
        waiting = true;
        return std::nullopt;
    }
    Word best;
    for (const std::vector<Match>& list : matches) {
        for (const Match& match : list) {
            if (match.start <= until && match.ratio > best.ratio) {
                best = {match.start, match.unit, match.ratio, {match.off, match.on - match.off}};
            }
        }
    }
    return best;
}

// Decodes the slots of a frame in the envelope between two absolute steps, forwards from
// `from` or backwards from `to`; firstFrom and firstTo place the first slot, counted from
// where the decoding begins. Two passes: the second with the speed, the levels and the
// fading that the first one's path shows.
std::optional<FrameFinder::Decoded> FrameFinder::decode(double from, double to, bool backwards,
                                                        double firstFrom, double firstTo,
                                                        double unit, Levels levels) const {
    const double requestedFrom = from;
    from = std::max(from, static_cast<double>(historyStart_));
    to = std::min(to, dataEnd());
    const auto a = static_cast<std::size_t>(std::floor(from - static_cast<double>(historyStart_)));
    const auto b = static_cast<std::size_t>(std::floor(to - static_cast<double>(historyStart_)));
    if (b <= a + static_cast<std::size_t>(20 * unit)) {
        return std::nullopt;
    }
    const Envelope envelope(history_.data() + a, b - a, backwards);
    // The first slot's place, counted from the stretch actually taken.
    const double shift =
        backwards
            ? to - static_cast<double>(historyStart_ + static_cast<std::int64_t>(b))
            : static_cast<double>(historyStart_ + static_cast<std::int64_t>(a)) - requestedFrom;
    firstFrom = std::max(0.0, firstFrom - shift);
    firstTo = std::max(firstFrom, firstTo - shift);
    static const std::vector<Slot> backwardSlots = reversedSlots();
    const std::vector<Slot>& slots = backwards ? backwardSlots : frameSlots();

    SlotRequest request;
    request.envelope = &envelope;
    request.slots = &slots;
    request.mirrored = backwards;
    request.unit = unit;
    request.firstFrom = firstFrom;
    request.firstTo = firstTo;
    request.levels.noise = envelope.stepNoise() * unit;
    request.levels.signal = std::max(levels.signal, 0.5 * request.levels.noise);
    std::vector<SlotChoice> path = decodeSlots(request);

    const Measured measured = measure(envelope, slots, path, backwards, unit);
    request.unit = measured.unit;
    request.firstFrom = std::max(0.0, measured.firstStart - measured.unit / 2);
    request.firstTo = measured.firstStart + measured.unit / 2;
    request.levels = measured.levels;
    auto local = std::make_shared<LocalSignal>(
        measured.keyDown, std::max(fadingSeconds * stepRate_, 12 * measured.unit),
        measured.levels.noise, 0.1 * measured.levels.signal);
    request.signalAt = [local](double at) { return (*local)(at); };
    path = decodeSlots(request);
    Decoded decoded{{}, request.unit, request.levels};
    const double length = static_cast<double>(b - a);
    for (std::size_t j = 0; j < path.size(); ++j) {
        SlotChoice choice = path[backwards ? path.size() - 1 - j : j];
        const double symbolLength =
            symbols()[static_cast<std::size_t>(choice.symbol)].units * request.unit;
        const double start = backwards ? length - choice.start - symbolLength : choice.start;
        choice.start = static_cast<double>(a + static_cast<std::size_t>(historyStart_)) + start;
        decoded.choices.push_back(choice);
    }
    return decoded;
}

// The tone at the frame's middle, from a straight line through the tracked tone weighted
// by its strength: in the key-up gaps the tracker only follows noise, and the tone drifts.
double FrameFinder::toneBetween(double from, double to) const {
    const double middle = (from + to) / 2 / stepRate_;
    double sw = 0, st = 0, sf = 0, stt = 0, stf = 0;
    for (const TonePoint& point : tone_) {
        const double at = point.seconds * stepRate_;
        if (at < from || at > to) {
            continue;
        }
        const double w = std::clamp(point.strength - 2, 0.0, 10.0);
        const double t = point.seconds - middle;
        sw += w;
        st += w * t;
        sf += w * point.hz;
        stt += w * t * t;
        stf += w * t * point.hz;
    }
    if (sw <= 0) {
        return 0;
    }
    const double spread = sw * stt - st * st;
    const double slope = spread > 1e-9 * sw * sw ? (sw * stf - st * sf) / spread : 0;
    return (sf - slope * st) / sw;
}

// The frame as heard: fields are taken from where the decoding began (the VOKA, or the end
// when decoding backwards) until the first one that lies outside the recording or shows no
// signal.
std::optional<HeardFrame> FrameFinder::frameOf(const Decoded& decoded, bool backwards) const {
    const std::vector<Slot>& slots = frameSlots();
    const std::vector<SlotChoice>& choices = decoded.choices;
    HeardFrame frame;
    double first = dataEnd(), last = 0;
    const auto cover = [&](std::size_t j) {
        first = std::min(first, choices[j].start);
        last = std::max(
            last, choices[j].start +
                      symbols()[static_cast<std::size_t>(choices[j].symbol)].units * decoded.unit);
    };
    double wordEvidence = 0;
    frame.wordHeard = true;
    for (std::size_t j = 0; j < frameWord.size(); ++j) {
        frame.wordHeard = frame.wordHeard && choices[j].inside;
        wordEvidence += choices[j].evidence;
    }
    frame.wordHeard = frame.wordHeard && wordEvidence > 0;
    bool anyField = false;
    for (std::size_t n = 0; n < fieldCount; ++n) {
        const std::size_t f = backwards ? fieldCount - 1 - n : n;
        std::vector<std::size_t> members;
        double evidence = 0;
        bool inside = true;
        for (std::size_t j = 0; j < slots.size(); ++j) {
            if (slots[j].field == static_cast<int>(f)) {
                members.push_back(j);
                evidence += choices[j].evidence;
                inside = inside && choices[j].inside;
            }
        }
        if (!inside || evidence <= 0) {
            break;
        }
        HeardField& field = frame.fields[f];
        for (const std::size_t j : members) {
            const SlotChoice& c = choices[j];
            const char alternative = c.alternative >= 0
                                         ? symbols()[static_cast<std::size_t>(c.alternative)].letter
                                         : '?';
            field.characters.push_back({symbols()[static_cast<std::size_t>(c.symbol)].letter,
                                        c.confidence, alternative, c.alternativeConfidence});
            field.text += symbols()[static_cast<std::size_t>(c.symbol)].letter;
            cover(j);
        }
        anyField = true;
    }
    // Noise alone, searched at every speed and start, now and then lines up with some
    // frame's layout; it shows as a key-down unit barely above the noise.
    const double unitSnr = 10 * std::log10(decoded.levels.signal / decoded.levels.noise);
    if (!anyField || unitSnr < leastUnitSnrDb) {
        return std::nullopt;
    }
    if (frame.wordHeard) {
        for (std::size_t j = 0; j < frameWord.size(); ++j) {
            cover(j);
        }
    }
    frame.start = first / stepRate_;
    frame.end = last / stepRate_;
    frame.toneHz = toneBetween(first, last);
    const double unitSeconds = decoded.unit / stepRate_;
    frame.wpm = 1.2 / unitSeconds;
    frame.snrDb = 10 * std::log10(decoded.levels.signal / decoded.levels.noise) -
                  10 * std::log10(2500 * unitSeconds);
    return frame;
}

// The part of a frame before a VOKA that no frame found so far explains, decoded backwards
// from that VOKA. Noise there can pass for a field or two, so such a frame needs two fields
// and a signal not much weaker than the frame after it.
std::optional<HeardFrame> FrameFinder::frameBefore(const Word& w, double gapFrom,
                                                   const Decoded& after) const {
    const double from =
        std::max(gapFrom, w.start - (longestFrameUnits() * 1.15 + longestGapUnits) * w.unit);
    const double gapLimit = std::min<double>(longestGapUnits, (w.start - from) / w.unit - 20);
    const std::optional<Decoded> before =
        decode(from, w.start, true, (wordSpace - 1) * w.unit, gapLimit * w.unit, w.unit, w.levels);
    if (!before) {
        return std::nullopt;
    }
    std::optional<HeardFrame> frame = frameOf(*before, true);
    const auto unitSnr = [](const Levels& levels) {
        return 10 * std::log10(levels.signal / levels.noise);
    };
    const auto heardFields = [](const HeardFrame& f) {
        return std::count_if(f.fields.begin(), f.fields.end(),
                             [](const HeardField& field) { return field.heard(); });
    };
    if (!frame || heardFields(*frame) < 2 ||
        unitSnr(before->levels) < unitSnr(after.levels) - fadeAllowanceDb) {
        return std::nullopt;
    }
    return frame;
}

void FrameFinder::search(bool finishing) {
    for (;;) {
        bool waiting = false;
        const std::optional<Word> found = findWord(finishing, waiting);
        if (!found) {
            break;
        }
        const Word& w = *found;
        const double frameEnd = w.start + (longestFrameUnits() * 1.15 + 10) * w.unit;
        if (!finishing && frameEnd > dataEnd()) {
            awaitedEnd_ = frameEnd;
            break;  // wait for the whole frame
        }
        const double margin = (wordSpace + 1) * w.unit;
        const std::optional<Decoded> decoded = decode(
            w.start - margin, frameEnd, false, margin - w.unit, margin + w.unit, w.unit, w.levels);
        std::optional<HeardFrame> frame;
        if (decoded) {
            frame = frameOf(*decoded, false);
        }
        const double gapFrom = lastEnd_.value_or(static_cast<double>(historyStart_));
        if (frame && w.start - gapFrom > (wordSpace + 40) * w.unit) {
            if (const std::optional<HeardFrame> before = frameBefore(w, gapFrom, *decoded)) {
                sink_(*before);
            }
        }
        if (frame) {
            sink_(*frame);
            lastEnd_ = frame->end * stepRate_;
            scanFrom_ = *lastEnd_;
        } else {
            scanFrom_ = w.start + w.unit;
        }
    }
    forget();
}

void FrameFinder::forget() {
    const double keepFrom =
        std::min(scanFrom_, lastEnd_.value_or(scanFrom_)) - keepSeconds * stepRate_;
    const auto drop = static_cast<std::int64_t>(keepFrom) - historyStart_;
    if (drop > static_cast<std::int64_t>(30 * stepRate_)) {
        history_.erase(history_.begin(), history_.begin() + drop);
        historyStart_ += drop;
    }
    while (!tone_.empty() &&
           tone_.front().seconds * stepRate_ < static_cast<double>(historyStart_)) {
        tone_.pop_front();
    }
}

}  // namespace morse
