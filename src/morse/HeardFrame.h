// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <vector>

#include "morse/MorseCode.h"

namespace morse {

// One character as heard: the most likely symbol, how likely it is, and the runner-up.
struct HeardCharacter {
    char symbol = '?';
    double confidence = 0;  // the probability of symbol, 0 to 1
    char alternative = '?';
    double alternativeConfidence = 0;
};

// One field of a frame. A field cut off by the recording's start or end, or drowned, was not
// heard: its text is empty and it has no characters.
struct HeardField {
    std::string text;
    std::vector<HeardCharacter> characters;

    bool heard() const { return !text.empty(); }
    // The probability that every character is right (1 for a field not heard).
    double confidence() const;
};

// A beacon frame found in a recording.
struct HeardFrame {
    double start = 0;  // seconds from the recording's start to the first character heard
    double end = 0;    // ... and to the end of the last one heard
    double toneHz = 0;
    double wpm = 0;
    double snrDb = 0;        // carrier power during key-down over the noise power in 2500 Hz
    bool wordHeard = false;  // whether the word VOKA lies inside the recording
    std::array<HeardField, fieldCount> fields;

    // The probability that every heard character is right.
    double confidence() const;
};

// The tracked tone at one moment, for a waterfall display.
struct TonePoint {
    double seconds = 0;
    double hz = 0;
    double strength = 0;  // the tone's power over the noise's median in its FFT bin
};

}  // namespace morse
