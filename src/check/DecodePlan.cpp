// SPDX-License-Identifier: MIT
#include "check/DecodePlan.h"

#include <algorithm>

namespace check {
namespace {

using decoders::Analyzer;
using K = ItemKind;

constexpr unsigned bit(std::size_t field) {
    return 1U << field;
}

constexpr std::size_t batteryVoltageStep = 1;
constexpr std::size_t statusWordStep = 6;

}  // namespace

// clang-format off
const std::array<DecodeStep, decodeStepCount> decodePlan{{
    {K::Channel,       &decoders::sMeterChannel,                   bit(field::H0), {},                 &Analyzer::analyzeSMeter},
    {K::Channel,       &decoders::batteryVoltageChannel,           bit(field::H1), {},                 &Analyzer::analyzeBatteryVoltage},
    {K::Channel,       &decoders::batteryCurrentChannel,           bit(field::H2), {},                 &Analyzer::analyzeBatteryCurrent},
    {K::Channel,       &decoders::bus33VoltageChannel,             bit(field::H3), {},                 &Analyzer::analyzeBus33Voltage},
    // The solar cell compares with the battery voltage decoded before it.
    {K::Channel,       &decoders::solarCellVoltageChannel,         bit(field::H4), batteryVoltageStep, &Analyzer::analyzeSolarCellVoltage},
    {K::UplinkCommand, nullptr,                                    bit(field::A),  {},                 &Analyzer::analyzeUplinkCommand},
    {K::StatusWord,    nullptr,                                    bit(field::B),  {},                 &Analyzer::analyzeStatusWord},
    // The sun sensor needs this frame's power flag, from the status word.
    {K::SunSensor,     nullptr,                                    bit(field::B) | bit(field::C) | bit(field::D), statusWordStep, &Analyzer::analyzeSunSensor},
    {K::Channel,       &decoders::batteryTemperatureChannel,       bit(field::E),  {},                 &Analyzer::analyzeBatteryTemperature},
    {K::Channel,       &decoders::communicationTemperatureChannel, bit(field::F),  {},                 &Analyzer::analyzeCommunicationTemperature},
}};
// clang-format on

std::size_t stepOf(std::size_t field) {
    // B is needed by the sun sensor too, but decoded by the status word, which comes first.
    static const std::array<std::size_t, fieldCount> steps = [] {
        std::array<std::size_t, fieldCount> first{};
        for (std::size_t f = 0; f < fieldCount; ++f) {
            const auto needs = [f](const DecodeStep& step) { return (step.needs & bit(f)) != 0; };
            first[f] = static_cast<std::size_t>(
                std::find_if(decodePlan.begin(), decodePlan.end(), needs) - decodePlan.begin());
        }
        return first;
    }();
    return steps[field];
}

unsigned filledFields(const FrameTexts& texts) {
    unsigned filled = 0;
    for (std::size_t field = 0; field < fieldCount; ++field) {
        filled |= texts[field].empty() ? 0U : bit(field);
    }
    return filled;
}

std::optional<std::uint32_t> rawValue(const decoders::DecodedFrame& frame, std::size_t field) {
    switch (field) {
        case field::A:
            return frame.uplinkCommand;
        case field::B:
            if (frame.statusWord) {
                return static_cast<std::uint32_t>(frame.statusWord->field);
            }
            return std::nullopt;
        case field::C:
        case field::D:
            if (frame.sunSensor) {
                return field == field::C ? frame.sunSensor->rawC : frame.sunSensor->rawD;
            }
            return std::nullopt;
        default: {
            const auto& value = frame.*decodePlan[stepOf(field)].channel->places.decoded;
            return value ? std::optional<std::uint32_t>(value->raw) : std::nullopt;
        }
    }
}

}  // namespace check
