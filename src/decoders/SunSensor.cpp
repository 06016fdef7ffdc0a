// SPDX-License-Identifier: MIT
// Fields C and D: the sun sensor's two bytes, read with the power flag of the status word.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "decoders/Analyzer.h"
#include "decoders/FieldConversion.h"
#include "decoders/Formatting.h"
#include "space/SatelliteStatus.h"

namespace decoders {
namespace {

// The byte pairs that a blank image shows, one per blank level. C and D match a level when
// each is either value of its pair.
constexpr std::array<std::array<std::uint8_t, 2>, 4> blankPairs{{
    {0x8F, 0x90},
    {0xA6, 0xA7},
    {0xBF, 0xC0},
    {0xD8, 0xD9},
}};

constexpr std::uint8_t imageBlank = 0;
constexpr std::uint8_t imageAcquiring = 1;
constexpr std::uint8_t sensorOff = 2;

char* put(char* to, std::string_view text) {
    std::memcpy(to, text.data(), text.size());
    return to + text.size();
}

bool inPair(std::uint8_t byte, const std::array<std::uint8_t, 2>& pair) {
    return byte == pair[0] || byte == pair[1];
}

void classifySunSensor(bool powered, space::SatelliteStatus& record) {
    if (!powered) {
        record.sunSensorStatus = sensorOff;
        return;
    }
    for (std::size_t level = 0; level < blankPairs.size(); ++level) {
        if (inPair(record.sunSensorCRaw, blankPairs[level]) &&
            inPair(record.sunSensorDRaw, blankPairs[level])) {
            record.sunSensorBlankLevel = static_cast<std::uint8_t>(level);
            record.sunSensorStatus = imageBlank;
            return;
        }
    }
    record.sunSensorImageC = record.sunSensorCRaw;
    record.sunSensorImageD = record.sunSensorDRaw;
    record.sunSensorStatus = imageAcquiring;
}

// The record's name of each state, made once.
std::string_view stateName(std::uint8_t status) {
    static const std::array<std::string, 3> names = [] {
        std::array<std::string, 3> all;
        space::SatelliteStatus record;
        for (std::size_t code = 0; code < all.size(); ++code) {
            record.sunSensorStatus = static_cast<std::uint8_t>(code);
            all[code] = record.getSunSensorStatus();
        }
        return all;
    }();
    return names.at(status);
}

}  // namespace

void Analyzer::analyzeSunSensor() {
    space::SatelliteStatus record;
    const std::int32_t c = convertField(state.fieldC);
    const std::int32_t d = convertField(state.fieldD);
    record.sunSensorCRaw = static_cast<std::uint8_t>(c);
    record.sunSensorDRaw = static_cast<std::uint8_t>(d);
    classifySunSensor(state.lastSunSensorPower != 0, record);
    const std::string_view name = stateName(record.sunSensorStatus);

    state.rawC = record.sunSensorCRaw;
    state.rawD = record.sunSensorDRaw;
    // The values are shown whole and signed, not reduced to their low byte.
    reportWritten(64 + name.size(), [&](char* to) {
        to = put(to, "Sun Sensor Status =\t\t");
        to = put(put(to, name), "\t\t");
        to = put(writeDecimal(to, c), ", ");
        return put(writeDecimal(to, d), "\r\n\r\n");
    });
    if (decoded != nullptr) {
        decoded->sunSensor = SunSensorValue{
            record.sunSensorStatus, name, c, d, record.sunSensorCRaw, record.sunSensorDRaw};
    }
}

}  // namespace decoders
