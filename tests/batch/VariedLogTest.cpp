// SPDX-License-Identifier: MIT
// The report that veskar-decode writes for a long varied log, byte for byte against a
// reference written the straightforward way: the item rows, the record's getters and printf,
// one frame at a time, with no table, cache or buffer of the program's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchDecoder.h"
#include "batch/VariedLog.h"
#include "decoders/AnalogChannels.h"
#include "decoders/StatusItems.h"
#include "space/Exception.h"
#include "space/SatelliteStatus.h"

namespace {

constexpr std::time_t now = 1300000000;  // for lines without a time

std::string printed(const char* format, auto... values) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), format, values...);
    return text.data();
}

// strtol with base 16, held to 32 bits.
std::int32_t converted(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 16);
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool sameLetters(std::string text, const char* upper) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text == upper;
}

// The frame of a line: its time (the clock's when it has none) and its eleven texts.
std::optional<std::pair<std::time_t, std::vector<std::string>>> frameOf(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) {
        tokens.push_back(token);
    }
    if (tokens.empty() || tokens[0][0] == '#') {
        return std::nullopt;
    }
    std::time_t time = now;
    std::tm utc{};
    std::size_t used = 0;
    const auto read = [&utc](const std::string& text, const char* format) {
        const int fields = std::sscanf(text.c_str(), format, &utc.tm_year, &utc.tm_mon,
                                       &utc.tm_mday, &utc.tm_hour, &utc.tm_min, &utc.tm_sec);
        return fields == 6;
    };
    if (tokens[0].size() == 20 && read(tokens[0], "%4d-%2d-%2d%*c%2d:%2d:%2d")) {
        used = 1;
    } else if (tokens[0].size() == 10 && tokens.size() > 1 &&
               read(tokens[0] + " " + tokens[1], "%4d-%2d-%2d %2d:%2d:%2d")) {
        used = 2;
    }
    if (used > 0) {
        utc.tm_year -= 1900;
        utc.tm_mon -= 1;
        time = timegm(&utc);
    }
    tokens.erase(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(used));
    if (!tokens.empty() && sameLetters(tokens[0], "VOKA")) {
        tokens.erase(tokens.begin());
    }
    if (tokens.size() != 11) {
        return std::nullopt;
    }
    for (std::string& token : tokens) {
        token = token == "-" ? "" : token;
    }
    return std::make_pair(time, tokens);
}

// The Checks of one run, one frame after another, as plainly as they can be written.
class Reference {
  public:
    std::string report(const std::string& log) {
        std::string text;
        std::istringstream lines(log);
        for (std::string line; std::getline(lines, line);) {
            if (const auto frame = frameOf(line)) {
                text += block(frame->first, frame->second);
            }
        }
        return text;
    }

  private:
    std::string block(std::time_t time, const std::vector<std::string>& texts) {
        const check::UtcTime utc = check::toUtc(time);
        std::string text = printed("Input at %04lld-%02d-%02d %02d:%02d:%02dUTC\r\n\r\n", utc.year,
                                   utc.month, utc.day, utc.hour, utc.minute, utc.second);
        constexpr std::array<std::size_t, 5> powerFields{0, 1, 2, 3, 4};
        for (const std::size_t field : powerFields) {
            if (!texts[field].empty()) {
                text += channel(decoders::analogChannels[field], texts[field], raw[field]);
            }
        }
        if (!texts[5].empty()) {
            rawA = static_cast<std::uint16_t>(converted(texts[5]));
            text += "\r\n";
        }
        bool wordDecoded = false;
        if (!texts[6].empty()) {
            wordDecoded = statusWord(converted(texts[6]), text);
        }
        if (wordDecoded && !texts[7].empty() && !texts[8].empty()) {
            text += sunSensor(converted(texts[7]), converted(texts[8]));
        }
        for (const std::size_t field : {9, 10}) {
            if (!texts[field].empty()) {
                text += channel(decoders::analogChannels[field - 4], texts[field], raw[field]);
            }
        }
        text += printed("CW Code = \t\tVOKA %02X %02X %02X %02X %02X %04X %04X", raw[0], raw[1],
                        raw[2], raw[3], raw[4], rawA, static_cast<std::uint32_t>(rawB));
        text += printed(" %02X %02X %02X %02X\r\n", raw[7], raw[8], raw[9], raw[10]);
        return text + std::string(72, '-') + "\r\n";
    }

    static std::string channel(const decoders::AnalogChannel& channel, const std::string& text,
                               unsigned& slot) {
        const auto code = static_cast<std::uint8_t>(converted(text));
        slot = code;
        const double value = decoders::channelValue(channel, code, space::SatelliteStatus{});
        const decoders::ReportLayout& layout = channel.report;
        return std::string(layout.label) + std::string(layout.tabs) +
               printed("%.*f", layout.decimals, value) + std::string(layout.unit) +
               printed("\t\t%02X", code) + std::string(layout.lineEnd);
    }

    bool statusWord(std::int32_t value, std::string& text) {
        rawB = value;
        const auto word = static_cast<std::uint16_t>(value);
        text += printed("<VOKA-I Status>\t\t\t\t%04X\r\n", word);
        for (const decoders::StatusItem& item : decoders::statusItems) {
            const auto code = static_cast<std::uint8_t>(word >> item.firstBit & item.mask);
            space::SatelliteStatus record;
            record.*item.field = item.mapping != nullptr ? item.mapping[code] : code;
            try {
                const std::string shown = item.name != nullptr ? (record.*item.name)()
                                                               : std::to_string(record.*item.field);
                text += std::string(item.label) + std::string(item.separator) + shown + "\r\n";
            } catch (const space::Exception& error) {
                text += error.message + "\r\n\r\n";
                return false;
            }
            if (item.field == &space::SatelliteStatus::sunSensorPower) {
                sunSensorPower = record.sunSensorPower;
            }
        }
        text += "\r\n";
        return true;
    }

    std::string sunSensor(std::int32_t c, std::int32_t d) {
        raw[7] = static_cast<std::uint8_t>(c);
        raw[8] = static_cast<std::uint8_t>(d);
        space::SatelliteStatus record;
        record.sunSensorStatus = 2;  // off
        if (sunSensorPower != 0) {
            record.sunSensorStatus = 1;  // acquiring an image
            for (const unsigned low : {0x8F, 0xA6, 0xBF, 0xD8}) {
                const auto blank = [low](unsigned byte) { return byte == low || byte == low + 1; };
                if (blank(raw[7]) && blank(raw[8])) {
                    record.sunSensorStatus = 0;  // a blank image
                }
            }
        }
        return "Sun Sensor Status =\t\t" + record.getSunSensorStatus() +
               printed("\t\t%d, %d\r\n\r\n", c, d);
    }

    std::array<unsigned, 11> raw{};  // the byte fields' raw values (A and B apart)
    std::uint16_t rawA = 0;
    std::int32_t rawB = 0;
    std::uint8_t sunSensorPower = 0;
};

std::string decoded(const std::string& log, const char* format) {
    std::ostringstream out;
    std::ostringstream errors;
    batch::BatchDecoder decoder(*check::findOutputFormat(format), out, errors, [] { return now; });
    std::istringstream in(log);
    decoder.decodeLog(in, "varied.log");
    decoder.finish();
    return out.str();
}

// The first line where two texts differ, for a message that can be read.
std::string firstDifference(const std::string& got, const std::string& expected) {
    std::size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at]) {
        ++at;
    }
    const std::size_t start = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    return "at byte " + std::to_string(at) + ": got \"" + got.substr(from, 60) + "\", expected \"" +
           expected.substr(from, 60) + "\"";
}

TEST(VariedLog, ReportIsByteForByteTheStraightforwardDecoders) {
    const std::string log = VariedLog(18).lines(100000);
    const std::string report = decoded(log, "report");
    const std::string expected = Reference().report(log);
    ASSERT_EQ(report.size(), expected.size()) << firstDifference(report, expected);
    EXPECT_TRUE(report == expected) << firstDifference(report, expected);
}

}  // namespace
