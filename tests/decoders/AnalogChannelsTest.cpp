// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "DecoderFixture.h"

namespace {

using decoders::Analyzer;
using decoders::DecodedFrame;
using decoders::ProgramState;

// One analog decoder with the field it reads, the raw slot it writes and its summary.
struct Channel {
    const char* name;
    void (Analyzer::*decode)();
    std::string ProgramState::*field;
    std::uint8_t ProgramState::*rawSlot;
    std::optional<decoders::ChannelValue> DecodedFrame::*decoded;
};

const Channel sMeter{"S meter", &Analyzer::analyzeSMeter, &ProgramState::fieldH0,
                     &ProgramState::rawH0, &DecodedFrame::sMeter};
const Channel battery{"battery voltage", &Analyzer::analyzeBatteryVoltage, &ProgramState::fieldH1,
                      &ProgramState::rawH1, &DecodedFrame::batteryVoltage};
const Channel current{"battery current", &Analyzer::analyzeBatteryCurrent, &ProgramState::fieldH2,
                      &ProgramState::rawH2, &DecodedFrame::batteryCurrent};
const Channel bus{"3.3 V bus", &Analyzer::analyzeBus33Voltage, &ProgramState::fieldH3,
                  &ProgramState::rawH3, &DecodedFrame::bus33Voltage};
const Channel solar{"solar cell", &Analyzer::analyzeSolarCellVoltage, &ProgramState::fieldH4,
                    &ProgramState::rawH4, &DecodedFrame::solarCellVoltage};
const Channel eps{"EPS temperature", &Analyzer::analyzeBatteryTemperature, &ProgramState::fieldE,
                  &ProgramState::rawE, &DecodedFrame::batteryTemperature};
const Channel comms{"communication temperature", &Analyzer::analyzeCommunicationTemperature,
                    &ProgramState::fieldF, &ProgramState::rawF,
                    &DecodedFrame::communicationTemperature};

class AnalogChannels : public DecoderFixture {
  protected:
    std::string decode(const Channel& channel, const std::string& text) {
        result.clear();
        state.*channel.field = text;
        (analyzer.*channel.decode)();
        return result;
    }
    std::string statusOf(const Channel& channel, const std::string& text) {
        decode(channel, text);
        return std::string((decoded.*channel.decoded)->statusName);
    }
};

struct LineCase {
    const Channel* channel;
    const char* text;
    const char* line;
    std::uint8_t raw;
};

TEST_F(AnalogChannels, AppendTheirLinesAndStoreTheRawCode) {
    const LineCase cases[] = {
        {&sMeter, "86", "S Meter =\t\t\t1.703\t\t86\r\n\r\n", 0x86},
        {&sMeter, "ff", "S Meter =\t\t\t3.240\t\tFF\r\n\r\n", 0xFF},
        {&sMeter, "00", "S Meter =\t\t\t0.000\t\t00\r\n\r\n", 0x00},
        {&battery, "A6", "Battery Voltage =\t\t4.218 [V]\t\tA6\r\n\r\n", 0xA6},
        {&battery, "00", "Battery Voltage =\t\t0.000 [V]\t\t00\r\n\r\n", 0x00},
        {&battery, "FF", "Battery Voltage =\t\t6.480 [V]\t\tFF\r\n\r\n", 0xFF},
        {&current, "00", "Battery Current =\t\t0.345 [A]\t\t00\r\n\r\n", 0x00},
        {&current, "FF", "Battery Current =\t\t-0.384 [A]\t\tFF\r\n\r\n", 0xFF},
        {&current, "78", "Battery Current =\t\t0.002 [A]\t\t78\r\n\r\n", 0x78},
        {&current, "79", "Battery Current =\t\t-0.001 [A]\t\t79\r\n\r\n", 0x79},
        {&bus, "7F", "3.3V Bus Voltage =\t\t3.227 [V]\t\t7F\r\n\r\n", 0x7F},
        {&bus, "00", "3.3V Bus Voltage =\t\t0.000 [V]\t\t00\r\n\r\n", 0x00},
        {&bus, "FF", "3.3V Bus Voltage =\t\t6.480 [V]\t\tFF\r\n\r\n", 0xFF},
        {&solar, "C0", "Solar Cell Voltage =\t\t4.879 [V]\t\tC0\r\n", 0xC0},
        {&solar, "00", "Solar Cell Voltage =\t\t0.000 [V]\t\t00\r\n", 0x00},
        {&solar, "FF", "Solar Cell Voltage =\t\t6.480 [V]\t\tFF\r\n", 0xFF},
        {&eps, "80", "Temperature of EPS Circuit =\t25.8 [\x81\x8E]\t\t80\r\n\r\n", 0x80},
        {&eps, "00", "Temperature of EPS Circuit =\t84.1 [\x81\x8E]\t\t00\r\n\r\n", 0x00},
        {&eps, "FF", "Temperature of EPS Circuit =\t-32.1 [\x81\x8E]\t\tFF\r\n\r\n", 0xFF},
        {&eps, "35", "Temperature of EPS Circuit =\t60.0 [\x81\x8E]\t\t35\r\n\r\n", 0x35},
        {&comms, "80", "Communication Temperature =\t25.8 [\x81\x8E]\t\t80\r\n\r\n", 0x80},
        {&comms, "00", "Communication Temperature =\t86.6 [\x81\x8E]\t\t00\r\n\r\n", 0x00},
        {&comms, "ff", "Communication Temperature =\t-34.5 [\x81\x8E]\t\tFF\r\n\r\n", 0xFF},
        {&comms, "38", "Communication Temperature =\t60.0 [\x81\x8E]\t\t38\r\n\r\n", 0x38},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(decode(*c.channel, c.text), c.line) << c.channel->name << " " << c.text;
        EXPECT_EQ(state.*c.channel->rawSlot, c.raw) << c.channel->name << " " << c.text;
    }
}

TEST_F(AnalogChannels, TakeTheLowByteOfWhatWasTyped) {
    // One digit, lower case, more digits, a sign and no digits at all.
    const struct {
        const char* text;
        const char* hex;
    } cases[] = {{"5", "05"},  {"ab", "AB"}, {"1FF", "FF"}, {"-1", "FF"},
                 {"G1", "00"}, {"  ", "00"}, {"1A3", "A3"}};
    for (const auto& c : cases) {
        for (const Channel* channel : {&sMeter, &battery, &current, &bus, &solar, &eps, &comms}) {
            const std::string line = decode(*channel, c.text);
            EXPECT_EQ(line.substr(line.find_last_of('\t') + 1, 2), c.hex)
                << channel->name << " " << c.text;
        }
    }
    EXPECT_EQ(decode(eps, "1A3"), "Temperature of EPS Circuit =\t9.8 [\x81\x8E]\t\tA3\r\n\r\n");
}

TEST_F(AnalogChannels, BatteryVoltageIsKeptForTheSolarCell) {
    decode(battery, "A6");
    EXPECT_DOUBLE_EQ(state.lastBatteryVoltage, 166 / 255.0 * 3.24 * 2);
    decode(sMeter, "FF");
    EXPECT_DOUBLE_EQ(state.lastBatteryVoltage, 166 / 255.0 * 3.24 * 2);
}

struct StatusCase {
    const Channel* channel;
    const char* text;
    const char* status;
};

TEST_F(AnalogChannels, ClassifyAtTheBoundariesInEclipse) {
    const StatusCase cases[] = {
        {&sMeter, "86", "Low"},
        {&sMeter, "87", "Nominal"},
        {&sMeter, "8C", "Nominal"},
        {&sMeter, "8D", "High"},
        {&battery, "89", "LowerLimit"},
        {&battery, "8A", "Normal"},
        {&battery, "A5", "Normal"},
        {&battery, "A6", "UpperLimit"},
        {&current, "78", "DischargeFault"},
        {&current, "79", "ChargeFault"},
        {&bus, "7E", "LowerLimit"},
        {&bus, "7F", "Normal"},
        {&bus, "8C", "Normal"},
        {&bus, "8D", "UpperLimit"},
        {&eps, "34", "UpperLimit"},
        {&eps, "35", "Normal"},
        {&eps, "FA", "Normal"},
        {&eps, "FB", "Fault"},
        {&comms, "38", "UpperLimit"},
        {&comms, "39", "Normal"},
        {&comms, "FF", "Normal"},
    };
    for (const StatusCase& c : cases) {
        EXPECT_EQ(statusOf(*c.channel, c.text), c.status) << c.channel->name << " " << c.text;
    }
}

TEST_F(AnalogChannels, SolarCellInEclipseComparesWithTheLastBatteryVoltage) {
    EXPECT_EQ(statusOf(solar, "00"), "EclipseFault") << "no battery voltage decoded yet";
    decode(battery, "A6");  // 4.218 V
    EXPECT_EQ(statusOf(solar, "A5"), "EclipseNormal");
    EXPECT_EQ(statusOf(solar, "A6"), "EclipseFault");
    EXPECT_EQ(statusOf(solar, "C0"), "EclipseFault");
}

TEST_F(AnalogChannels, DaylightSelectsTheDaylightRows) {
    state.dayNightMode = 'd';
    EXPECT_EQ(statusOf(current, "78"), "ChargeNormal");
    EXPECT_EQ(statusOf(current, "79"), "DischargeNormal");
    EXPECT_EQ(statusOf(solar, "BC"), "DaylightFault");
    EXPECT_EQ(statusOf(solar, "BD"), "DaylightNormal");
    EXPECT_EQ(statusOf(solar, "C0"), "DaylightNormal");
    EXPECT_EQ(statusOf(solar, "C1"), "DaylightFault");
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(AnalogChannels, AnUnknownDayNightSettingAsksOnceAndCountsAsDaylight) {
    state.dayNightMode = 'x';
    EXPECT_EQ(statusOf(current, "78"), "ChargeNormal");
    ASSERT_EQ(notifier.messages.size(), 1U);
    EXPECT_EQ(notifier.messages[0],
              "d\x82\xA9n\x82\xF0\x8E\x77\x92\xE8\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x44");
    decode(sMeter, "00");
    EXPECT_EQ(notifier.messages.size(), 1U) << "only the current and the solar cell ask";
}

}  // namespace
