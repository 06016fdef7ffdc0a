// SPDX-License-Identifier: MIT
// The outputs of the committed pass log: the report and CSV byte for byte as they have always
// been written, and the JSON Lines telling the same as the CSV.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "batch/BatchDecoder.h"
#include "check/writers/CsvWriter.h"
#include "check/writers/TelemetryColumns.h"
#include "common/ExampleFrame.h"

namespace {

std::string slurp(const std::string& name) {
    std::ifstream file(std::string(VESKAR_TEST_DATA "/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::string decodePass(std::string_view format) {
    std::ostringstream out, errors;
    batch::BatchDecoder decoder(*check::findOutputFormat(format), out, errors,
                                [] { return fixedTime; });
    std::istringstream log(slurp("pass.log"));
    decoder.decodeLog(log, "pass.log");
    decoder.finish();
    return out.str();
}

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find(separator, at)) != std::string::npos;) {
        parts.push_back(text.substr(at, end - at));
        at = end + separator.size();
    }
    parts.push_back(text.substr(at));
    return parts;
}

TEST(Writers, ReportAndCsvOfThePassAreTheCommittedBytes) {
    const std::string report = decodePass("report");
    EXPECT_EQ(report + '\x1A', slurp("pass.txt"));
    EXPECT_EQ(decodePass("csv"), slurp("pass.csv"));
}

// A JSON scalar as the CSV shows it: values to six digits, null as an empty cell.
std::string asCell(const nlohmann::json& value) {
    if (value.is_null()) {
        return "";
    }
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_number_float()) {
        return decoders::formatSignificant(value.get<double>(), 6);
    }
    return value.dump();
}

// The CSV columns of a JSON object, in the header's order.
std::vector<std::string> csvCellsOf(const nlohmann::json& frame) {
    std::string time = frame["time"].get<std::string>();  // "2010-01-02T03:04:05Z"
    time.pop_back();
    std::vector<std::string> cells{time};
    for (const auto& field : {"H0", "H1", "H2", "H3", "H4", "A", "B", "C", "D", "E", "F"}) {
        const std::string raw = asCell(frame["raw"][field]);
        cells.push_back(raw.empty() ? raw : "0x" + raw);
    }
    auto channel = [&](const char* key) {
        const auto& item = frame[key];
        cells.push_back(item.is_null() ? "" : asCell(item["value"]));
        cells.push_back(item.is_null() ? "" : asCell(item["state"]["name"]));
    };
    for (const char* key : {"s_meter", "battery_voltage", "battery_current", "bus_3v3_voltage",
                            "solar_cell_voltage"}) {
        channel(key);
    }
    const auto& word = frame["status_word"];
    for (const char* key : {"fm_transmitter_power", "protocol", "operation_mode", "memory_status",
                            "packet_interval", "sensor_flag", "antenna_flag", "paddle_flag",
                            "sun_sensor_power_flag", "sun_sensor_mode", "sun_sensor_threshold"}) {
        const auto item = word.is_null() ? nlohmann::json() : word[key];
        cells.push_back(
            item.is_null() ? "" : asCell(item.contains("name") ? item["name"] : item["value"]));
    }
    const auto& sun = frame["sun_sensor"];
    cells.push_back(sun.is_null() ? "" : asCell(sun["state"]["name"]));
    cells.push_back(sun.is_null() ? "" : asCell(sun["c"]));
    cells.push_back(sun.is_null() ? "" : asCell(sun["d"]));
    channel("eps_circuit_temperature");
    channel("communication_temperature");
    cells.push_back(asCell(frame["decoding_error"]));
    return cells;
}

TEST(Writers, JsonLinesTellWhatTheCsvTells) {
    const auto rows = split(decodePass("csv"), "\r\n");
    const auto lines = split(decodePass("json"), "\n");
    ASSERT_EQ(rows.size(), 5U) << "header, three frames, and the end";
    ASSERT_EQ(lines.size(), 4U) << "three frames, and the end";
    for (std::size_t i = 0; i < 3; ++i) {
        const nlohmann::json frame = nlohmann::json::parse(lines[i]);
        std::string row;
        for (const std::string& cell : csvCellsOf(frame)) {
            row += (row.empty() ? "" : ",") + cell;
        }
        EXPECT_EQ(row, rows[i + 1]) << "frame " << i + 1;
    }
}

TEST(Writers, JsonGivesStateCodesUnitsAndHealth) {
    const nlohmann::json frame = nlohmann::json::parse(split(decodePass("json"), "\n")[0]);
    EXPECT_EQ(frame["battery_voltage"]["unit"], "V");
    EXPECT_EQ(frame["battery_voltage"]["state"]["code"], 1);
    EXPECT_EQ(frame["battery_voltage"]["health"], "limit");
    EXPECT_EQ(frame["uplink_command"], 0x1234);
    EXPECT_EQ(frame["status_word"]["word"], 0x2B75);
    EXPECT_EQ(frame["status_word"]["packet_interval"]["code"], 3);
    EXPECT_EQ(frame["status_word"]["packet_interval"]["value"], 10);
    EXPECT_TRUE(frame["decoding_error"].is_null());
}

}  // namespace
