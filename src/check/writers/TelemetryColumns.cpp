// SPDX-License-Identifier: MIT
#include "check/writers/TelemetryColumns.h"

#include <array>
#include <charconv>

#include "check/DecodePlan.h"
#include "check/UtcTime.h"
#include "decoders/Formatting.h"
#include "decoders/StatusItems.h"

namespace check {
namespace {

using decoders::DecodedFrame;
using Columns = std::vector<TelemetryColumn>;

TelemetryCell numberCell(double value) {
    return {sixDigitText(value), value};
}

void addChannelColumns(Columns& columns, const decoders::AnalogChannel& channel) {
    const auto& names = channel.names;
    const auto decoded = channel.slots.decoded;
    std::string value(names.key);
    if (!names.unit.empty()) {
        value += "_" + std::string(names.unit);
    }
    columns.push_back({value, [decoded](const DecodedFrame& f) {
                           const auto& v = f.*decoded;
                           return v ? numberCell(v->value) : TelemetryCell{};
                       }});
    columns.push_back({std::string(names.key) + "_status", [decoded](const DecodedFrame& f) {
                           const auto& v = f.*decoded;
                           return v ? TelemetryCell{v->statusName, v->status} : TelemetryCell{};
                       }});
}

void addStatusWordColumns(Columns& columns) {
    for (std::size_t i = 0; i < decoders::statusItems.size(); ++i) {
        columns.push_back({std::string(decoders::statusItems[i].key), [i](const DecodedFrame& f) {
                               if (!f.statusWord || i >= f.statusWord->items.size()) {
                                   return TelemetryCell{};
                               }
                               const auto& item = f.statusWord->items[i];
                               return TelemetryCell{item.printed(), item.value};
                           }});
    }
}

void addSunSensorColumns(Columns& columns) {
    columns.push_back({"sun_sensor_status", [](const DecodedFrame& f) {
                           return f.sunSensor
                                      ? TelemetryCell{f.sunSensor->statusName, f.sunSensor->status}
                                      : TelemetryCell{};
                       }});
    columns.push_back({"sun_sensor_c", [](const DecodedFrame& f) {
                           return f.sunSensor ? TelemetryCell{std::to_string(f.sunSensor->c),
                                                              f.sunSensor->c}
                                              : TelemetryCell{};
                       }});
    columns.push_back({"sun_sensor_d", [](const DecodedFrame& f) {
                           return f.sunSensor ? TelemetryCell{std::to_string(f.sunSensor->d),
                                                              f.sunSensor->d}
                                              : TelemetryCell{};
                       }});
}

Columns makeColumns() {
    Columns columns;
    for (const DecodeStep& step : decodePlan) {
        switch (step.kind) {
            case ItemKind::Channel:
                addChannelColumns(columns, *step.channel);
                break;
            case ItemKind::UplinkCommand:
                break;  // its only value is the raw A
            case ItemKind::StatusWord:
                addStatusWordColumns(columns);
                break;
            case ItemKind::SunSensor:
                addSunSensorColumns(columns);
                break;
        }
    }
    return columns;
}

}  // namespace

const std::vector<TelemetryColumn>& telemetryColumns() {
    static const Columns columns = makeColumns();
    return columns;
}

std::string isoTime(std::time_t time) {
    std::string text;
    appendUtc(text, time);
    text[10] = 'T';
    return text + 'Z';
}

std::string rawText(const DecodedFrame& frame, std::size_t field) {
    const std::optional<std::uint32_t> raw = rawValue(frame, field);
    return raw ? decoders::formatHex(*raw, frameFields[field].digits) : std::string();
}

std::string shortestText(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

}  // namespace check

namespace check {

std::string sixDigitText(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 6);
    return {buffer.data(), result.ptr};
}

}  // namespace check
