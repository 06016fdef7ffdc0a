// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace decoders {

// The values that live for the whole run: the field copies that a Check takes from the
// entry boxes, the raw value of every field for the frame echo, and the two values that
// carry data from one decoder to another. They start at zero (the copies empty) and only
// the decoders write them; Clear empties the field copies and nothing else.
struct ProgramState {
    std::string fieldH0, fieldH1, fieldH2, fieldH3, fieldH4;
    std::string fieldA, fieldB;
    std::string fieldC, fieldD, fieldE, fieldF;

    std::uint8_t rawH0 = 0, rawH1 = 0, rawH2 = 0, rawH3 = 0, rawH4 = 0;
    std::int32_t rawA = 0;  // the 16-bit word of A
    std::int32_t rawB = 0;  // the whole converted value of B, not masked
    std::uint8_t rawC = 0, rawD = 0, rawE = 0, rawF = 0;

    // The battery voltage of the latest decoded H1; the solar cell's eclipse test reads it.
    double lastBatteryVoltage = 0.0;
    // The sun sensor power flag of the latest decoded status word; the sun sensor reads it.
    std::uint8_t lastSunSensorPower = 0;
    // 'd' daylight or 'n' eclipse. Nothing in the program changes it.
    char dayNightMode = 'n';
};

}  // namespace decoders
