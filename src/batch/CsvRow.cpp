// SPDX-License-Identifier: MIT
#include "batch/CsvRow.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "check/UtcTime.h"
#include "decoders/Formatting.h"

namespace batch {
namespace {

using decoders::ChannelValue;
using decoders::DecodedFrame;
using Cells = std::vector<std::string>;

std::string shortest(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

// RFC 4180: a cell with a comma, a quote or a line break is quoted, its quotes doubled.
std::string quoted(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        return cell;
    }
    std::string text = "\"";
    for (const char c : cell) {
        text += c;
        if (c == '"') {
            text += '"';
        }
    }
    return text + '"';
}

std::string hexIf(bool decoded, std::uint32_t raw, int digits) {
    return decoded ? decoders::formatHex(raw, digits) : std::string();
}

void addRawValues(Cells& cells, const DecodedFrame& f, const decoders::ProgramState& s) {
    const bool sun = f.sunSensor.has_value();
    cells.push_back(hexIf(f.sMeter.has_value(), s.rawH0, 2));
    cells.push_back(hexIf(f.batteryVoltage.has_value(), s.rawH1, 2));
    cells.push_back(hexIf(f.batteryCurrent.has_value(), s.rawH2, 2));
    cells.push_back(hexIf(f.bus33Voltage.has_value(), s.rawH3, 2));
    cells.push_back(hexIf(f.solarCellVoltage.has_value(), s.rawH4, 2));
    cells.push_back(hexIf(f.uplinkCommand.has_value(), static_cast<std::uint32_t>(s.rawA), 4));
    cells.push_back(hexIf(f.statusWord.has_value(), static_cast<std::uint32_t>(s.rawB), 4));
    cells.push_back(hexIf(sun, s.rawC, 2));
    cells.push_back(hexIf(sun, s.rawD, 2));
    cells.push_back(hexIf(f.batteryTemperature.has_value(), s.rawE, 2));
    cells.push_back(hexIf(f.communicationTemperature.has_value(), s.rawF, 2));
}

void addChannel(Cells& cells, const std::optional<ChannelValue>& channel) {
    cells.push_back(channel ? shortest(channel->value) : std::string());
    cells.push_back(channel ? channel->statusName : std::string());
}

constexpr std::size_t statusItemCount = 11;

void addStatusWord(Cells& cells, const DecodedFrame& f) {
    for (std::size_t i = 0; i < statusItemCount; ++i) {
        const bool known = f.statusWord && i < f.statusWord->items.size();
        cells.push_back(known ? f.statusWord->items[i] : std::string());
    }
}

void addSunSensor(Cells& cells, const DecodedFrame& f) {
    cells.push_back(f.sunSensor ? f.sunSensor->statusName : std::string());
    cells.push_back(f.sunSensor ? std::to_string(f.sunSensor->c) : std::string());
    cells.push_back(f.sunSensor ? std::to_string(f.sunSensor->d) : std::string());
}

std::string isoTime(std::time_t time) {
    std::string text;
    check::appendUtc(text, time);
    text[10] = 'T';
    return text + 'Z';
}

std::string joined(const Cells& cells) {
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        row += (i == 0 ? "" : ",") + quoted(cells[i]);
    }
    return row + "\r\n";
}

}  // namespace

const std::string& csvHeader() {
    static const std::string header = joined({"time_utc",
                                              "H0",
                                              "H1",
                                              "H2",
                                              "H3",
                                              "H4",
                                              "A",
                                              "B",
                                              "C",
                                              "D",
                                              "E",
                                              "F",
                                              "s_meter",
                                              "s_meter_status",
                                              "battery_voltage_V",
                                              "battery_voltage_status",
                                              "battery_current_A",
                                              "battery_current_status",
                                              "bus_3v3_voltage_V",
                                              "bus_3v3_voltage_status",
                                              "solar_cell_voltage_V",
                                              "solar_cell_voltage_status",
                                              "fm_transmitter_power",
                                              "protocol",
                                              "operation_mode",
                                              "memory_status",
                                              "packet_interval",
                                              "sensor_flag",
                                              "antenna_flag",
                                              "paddle_flag",
                                              "sun_sensor_power_flag",
                                              "sun_sensor_mode",
                                              "sun_sensor_threshold",
                                              "sun_sensor_status",
                                              "sun_sensor_c",
                                              "sun_sensor_d",
                                              "eps_circuit_temperature_C",
                                              "eps_circuit_temperature_status",
                                              "communication_temperature_C",
                                              "communication_temperature_status",
                                              "decoding_error"});
    return header;
}

std::string csvRow(std::time_t time, const check::CheckOutcome& outcome,
                   const decoders::ProgramState& state) {
    const DecodedFrame& f = outcome.decoded;
    Cells cells{isoTime(time)};
    addRawValues(cells, f, state);
    addChannel(cells, f.sMeter);
    addChannel(cells, f.batteryVoltage);
    addChannel(cells, f.batteryCurrent);
    addChannel(cells, f.bus33Voltage);
    addChannel(cells, f.solarCellVoltage);
    addStatusWord(cells, f);
    addSunSensor(cells, f);
    addChannel(cells, f.batteryTemperature);
    addChannel(cells, f.communicationTemperature);
    cells.push_back(outcome.decodingError.value_or(std::string()));
    return joined(cells);
}

}  // namespace batch
