// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/DecodePlan.h"
#include "decoders/AnalogChannels.h"
#include "decoders/DecodedFrame.h"
#include "decoders/Formatting.h"
#include "decoders/StatusItems.h"

namespace check {

// One cell of the flat table of a frame's telemetry: its text (values to 6 significant
// digits) and its number in full precision where it has one (for sorting and charts). Both
// stay empty when the item was not decoded. The text lives only during the call it is given to.
struct CellView {
    std::string_view text;
    std::optional<double> number;
};

// The flat table's columns in frame order, derived from the decode plan and the item tables:
// each channel's value and state, each status-word item, the sun sensor's state and values.
// Calls cell(name, view) for each column; view is empty for a frame that is nullptr (the
// header) and for items that were not decoded.
template <typename Cell>
void visitTelemetry(const decoders::DecodedFrame* frame, Cell&& cell);

// The same columns one by one, for tables that fill cell by cell.
struct TelemetryCell {
    std::string text;
    std::optional<double> number;
};
struct TelemetryColumn {
    std::string name;  // "battery_voltage_V"
    std::function<TelemetryCell(const decoders::DecodedFrame&)> cell;
};
const std::vector<TelemetryColumn>& telemetryColumns();

// "2010-01-02T03:04:05Z".
std::string isoTime(std::time_t time);

// A field's raw value in upper-case hexadecimal of the field's width, or "" when the field
// was not decoded in the frame.
std::string rawText(const decoders::DecodedFrame& frame, std::size_t field);

// --- the columns ---

namespace columns {

// A channel's two column names, "<key>_<unit>" (or "<key>") and "<key>_status".
const std::array<std::string, 2>& channelColumnNames(const decoders::AnalogChannel& channel);

template <typename Cell>
void channel(const decoders::AnalogChannel& channel, const decoders::DecodedFrame* frame,
             Cell& cell) {
    const auto* value = frame != nullptr && frame->*channel.places.decoded
                            ? &*(frame->*channel.places.decoded)
                            : nullptr;
    const std::array<std::string, 2>& names = channelColumnNames(channel);
    cell(names[0],
         value != nullptr
             ? CellView{decoders::textsOfChannel(channel).tableValue[value->raw], value->value}
             : CellView{});
    cell(names[1], value != nullptr ? CellView{value->statusName, value->status} : CellView{});
}

template <typename Cell>
void statusWord(const decoders::DecodedFrame* frame, Cell& cell) {
    const auto* word = frame != nullptr && frame->statusWord ? &*frame->statusWord : nullptr;
    for (std::size_t i = 0; i < decoders::statusItems.size(); ++i) {
        const std::string_view key = decoders::statusItems[i].key;
        if (word == nullptr || i >= word->items.size()) {
            cell(key, CellView{});
        } else if (const auto& item = word->items[i]; !item.name.empty()) {
            cell(key, CellView{item.name, item.value});
        } else {
            cell(key, CellView{decoders::DecimalText(item.value).view(), item.value});
        }
    }
}

template <typename Cell>
void sunSensor(const decoders::DecodedFrame* frame, Cell& cell) {
    const auto* sun = frame != nullptr && frame->sunSensor ? &*frame->sunSensor : nullptr;
    if (sun == nullptr) {
        cell("sun_sensor_status", CellView{});
        cell("sun_sensor_c", CellView{});
        cell("sun_sensor_d", CellView{});
        return;
    }
    cell("sun_sensor_status", CellView{sun->statusName, sun->status});
    cell("sun_sensor_c", CellView{decoders::DecimalText(sun->c).view(), sun->c});
    cell("sun_sensor_d", CellView{decoders::DecimalText(sun->d).view(), sun->d});
}

}  // namespace columns

// The columns of one step of the decode plan.
template <typename Cell>
void visitStep(const DecodeStep& step, const decoders::DecodedFrame* frame, Cell&& cell) {
    switch (step.kind) {
        case ItemKind::Channel:
            columns::channel(*step.channel, frame, cell);
            break;
        case ItemKind::UplinkCommand:
            break;  // its only value is the raw A
        case ItemKind::StatusWord:
            columns::statusWord(frame, cell);
            break;
        case ItemKind::SunSensor:
            columns::sunSensor(frame, cell);
            break;
    }
}

template <typename Cell>
void visitTelemetry(const decoders::DecodedFrame* frame, Cell&& cell) {
    for (const DecodeStep& step : decodePlan) {
        visitStep(step, frame, cell);
    }
}

}  // namespace check
