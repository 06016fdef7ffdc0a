// SPDX-License-Identifier: MIT
#include "check/writers/TelemetryColumns.h"

#include <array>
#include <charconv>

#include "check/UtcTime.h"

namespace check {

const std::array<std::string, 2>& columns::channelColumnNames(
    const decoders::AnalogChannel& channel) {
    static const auto all = [] {
        std::array<std::array<std::string, 2>, decoders::analogChannelCount> names;
        for (std::size_t c = 0; c < names.size(); ++c) {
            const decoders::ChannelNames& channelNames = decoders::analogChannels[c].names;
            names[c][0] = channelNames.key;
            if (!channelNames.unit.empty()) {
                names[c][0].append("_").append(channelNames.unit);
            }
            names[c][1] = std::string(channelNames.key) + "_status";
        }
        return names;
    }();
    return all[static_cast<std::size_t>(&channel - decoders::analogChannels.data())];
}

const std::vector<TelemetryColumn>& telemetryColumns() {
    static const std::vector<TelemetryColumn> all = [] {
        std::vector<TelemetryColumn> columns;
        visitTelemetry(nullptr, [&columns](std::string_view name, const CellView& /*view*/) {
            const std::size_t index = columns.size();
            columns.push_back({std::string(name), [index](const decoders::DecodedFrame& frame) {
                                   TelemetryCell cell;
                                   std::size_t at = 0;
                                   visitTelemetry(&frame, [&](std::string_view, const CellView& v) {
                                       if (at++ == index) {
                                           cell = {std::string(v.text), v.number};
                                       }
                                   });
                                   return cell;
                               }});
        });
        return columns;
    }();
    return all;
}

std::string isoTime(std::time_t time) {
    std::string text;
    appendUtc(text, time);
    text[10] = 'T';
    return text + 'Z';
}

std::string rawText(const decoders::DecodedFrame& frame, std::size_t field) {
    const std::optional<std::uint32_t> raw = rawValue(frame, field);
    return raw ? decoders::formatHex(*raw, frameFields[field].digits) : std::string();
}

}  // namespace check
