// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <vector>

#include "morse/Envelope.h"
#include "morse/MorseCode.h"

namespace morse {

// The matched filter's noise power over one unit, and the key-down signal's power on top.
struct Levels {
    double noise = 1;
    double signal = 1;
};

// One slot of the best path: the chosen symbol (an index into symbols()) and the runner-up,
// each with its probability, where the slot starts (in envelope steps), and the slot's
// evidence: the log-likelihood ratio of its symbol over no signal at all.
struct SlotChoice {
    int symbol = -1;
    double confidence = 0;
    int alternative = -1;
    double alternativeConfidence = 0;
    double start = 0;
    double evidence = 0;
    bool inside = false;  // whether the whole symbol lies inside the envelope
};

struct SlotRequest {
    const Envelope* envelope = nullptr;
    const std::vector<Slot>* slots = nullptr;
    bool mirrored = false;  // the envelope runs backwards: symbols are read back to front
    double unit = 1;        // in envelope steps
    double firstFrom = 0;   // the range of the first slot's start, in envelope steps
    double firstTo = 0;
    Levels levels;
    // The signal's power at a start, where it fades; levels.signal throughout when empty.
    std::function<double(double)> signalAt;
};

// Chooses the most likely symbols for a row of slots by dynamic programming over their
// starts on a grid of quarter units. Each slot may start up to half a unit off the place its
// predecessor's symbol and gap put it, which follows a keyer's or a hand's irregular timing
// and a drifting speed. A symbol's probability comes from the best path through it, against
// the best paths through the other symbols the slot allows.
std::vector<SlotChoice> decodeSlots(const SlotRequest& request);

// The natural log of the modified Bessel function I0.
double logBesselI0(double x);

}  // namespace morse
