// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "share/Locator.h"
#include "share/ShareFixture.h"
#include "share/Station.h"
#include "share/StationFile.h"

namespace {

using share::StationForm;

// A field's text and whether it is accepted.
struct FieldCase {
    const char* name;
    share::Checked<std::string> (*check)(std::string_view);
    const char* text;
    const char* accepted;  // the value as kept, or nullptr when refused
};

share::Checked<std::string> latitudeText(std::string_view text) {
    const auto checked = share::checkLatitude(text);
    return {checked.value ? std::optional(share::degreesText(*checked.value)) : std::nullopt,
            checked.problem};
}
share::Checked<std::string> longitudeText(std::string_view text) {
    const auto checked = share::checkLongitude(text);
    return {checked.value ? std::optional(share::degreesText(*checked.value)) : std::nullopt,
            checked.problem};
}
share::Checked<std::string> noradText(std::string_view text) {
    const auto checked = share::checkNoradId(text);
    return {checked.value ? std::optional(std::to_string(*checked.value)) : std::nullopt,
            checked.problem};
}

class FieldCheck : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldCheck, AcceptsOrRefusesWithAMessage) {
    const FieldCase& c = GetParam();
    const share::Checked<std::string> checked = c.check(c.text);
    if (c.accepted != nullptr) {
        ASSERT_TRUE(checked.value) << checked.problem;
        EXPECT_EQ(*checked.value, c.accepted);
    } else {
        EXPECT_FALSE(checked.value);
        EXPECT_FALSE(checked.problem.empty());
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Station, FieldCheck, testing::Values(
    FieldCase{"CallSign",              share::checkCallSign, "ja1abc",      "JA1ABC"},
    FieldCase{"CallSignWithSuffix",    share::checkCallSign, "JA1ABC/P",    "JA1ABC/P"},
    FieldCase{"CallSignWithoutDigit",  share::checkCallSign, "JAABC",       nullptr},
    FieldCase{"CallSignWithBlank",     share::checkCallSign, "JA1 ABC",     nullptr},
    FieldCase{"CallSignEmptySuffix",   share::checkCallSign, "JA1ABC/",     nullptr},
    FieldCase{"CallSignEmpty",         share::checkCallSign, "",            nullptr},
    FieldCase{"Locator4",              share::checkLocator,  "PM95",        "PM95"},
    FieldCase{"Locator6AnyCase",       share::checkLocator,  "pm95VQ",      "PM95vq"},
    FieldCase{"Locator8",              share::checkLocator,  "PM95vq12",    "PM95vq12"},
    FieldCase{"Locator5",              share::checkLocator,  "PM95v",       nullptr},
    FieldCase{"LocatorFieldPastR",     share::checkLocator,  "SM95",        nullptr},
    FieldCase{"LocatorSubsquarePastX", share::checkLocator,  "PM95yq",      nullptr},
    FieldCase{"Latitude",              latitudeText,         "35.6",        "35.6"},
    FieldCase{"LatitudeSouth",         latitudeText,         "33.9S",       "-33.9"},
    FieldCase{"LatitudePole",          latitudeText,         "-90",         "-90"},
    FieldCase{"LatitudePastPole",      latitudeText,         "90.5",        nullptr},
    FieldCase{"LatitudeNotANumber",    latitudeText,         "north",       nullptr},
    FieldCase{"LatitudeSignAndLetter", latitudeText,         "-35N",        nullptr},
    FieldCase{"Longitude",             longitudeText,        "139.7E",      "139.7"},
    FieldCase{"LongitudeWest",         longitudeText,        "-180",        "-180"},
    FieldCase{"LongitudePast180",      longitudeText,        "180.1",       nullptr},
    FieldCase{"Norad",                 noradText,            "99999",       "99999"},
    FieldCase{"NoradZero",             noradText,            "0",           nullptr},
    FieldCase{"NoradTooLarge",         noradText,            "100000",      nullptr},
    FieldCase{"NoradEmpty",            noradText,            "",            nullptr},
    FieldCase{"NoradDecimal",          noradText,            "12.5",        nullptr},
    FieldCase{"Frequency",             share::checkFrequency, "437.375",    "437.375"},
    FieldCase{"FrequencyNotGiven",     share::checkFrequency, "",           ""},
    FieldCase{"FrequencyNegative",     share::checkFrequency, "-437",       nullptr},
    FieldCase{"UrlHttps",              share::checkUrl,      "https://example.org/t/", "https://example.org/t/"},
    FieldCase{"UrlHttp",               share::checkUrl,      "http://127.0.0.1:8080/", "http://127.0.0.1:8080/"},
    FieldCase{"UrlFtp",                share::checkUrl,      "ftp://example.org/",     nullptr},
    FieldCase{"UrlWithoutHost",        share::checkUrl,      "https:///t",             nullptr},
    FieldCase{"UrlNotAscii",           share::checkUrl,      "https://b\xC3\xBC" "cher.example/", nullptr},
    FieldCase{"UrlWithBlank",          share::checkUrl,      "https://exa mple.org/",  nullptr}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });
// clang-format on

struct LocatorCase {
    const char* name;
    double latitude, longitude;
    const char* locator;
};

class LocatorOfPosition : public testing::TestWithParam<LocatorCase> {};

TEST_P(LocatorOfPosition, GivesTheSquareAndItsCentreLiesInIt) {
    const LocatorCase& c = GetParam();
    const std::string locator = share::locatorOf({c.latitude, c.longitude}, 6);
    EXPECT_EQ(locator, c.locator);
    const auto centre = share::centreOf(locator);
    ASSERT_TRUE(centre);
    EXPECT_EQ(share::locatorOf(*centre, 6), locator);
    EXPECT_TRUE(share::contains(locator, {c.latitude, c.longitude}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Locator, LocatorOfPosition, testing::Values(
    LocatorCase{"Tokyo",       35.6,    139.7,   "PM95uo"},
    LocatorCase{"Munich",      48.1467, 11.6083, "JN58td"},
    LocatorCase{"SouthWest",  -34.9,   -56.2,    "GF15vc"},
    LocatorCase{"NorthEastEdge", 90.0, 180.0,    "RR99xx"},
    LocatorCase{"SouthWestEdge", -90.0, -180.0,  "AA00aa"}),
    [](const testing::TestParamInfo<LocatorCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(Locator, CentreOfASquare) {
    const auto centre = share::centreOf("JN58");
    ASSERT_TRUE(centre);
    EXPECT_DOUBLE_EQ(centre->latitude, 48.5);
    EXPECT_DOUBLE_EQ(centre->longitude, 11.0);
    EXPECT_EQ(share::locatorOf({48.1467, 11.6083}, 8), "JN58td25");
}

TEST(Station, PositionFromTheLocatorAlone) {
    const auto checked = share::checkStation({"JA1ABC", "PM95", "", "", "1", "", {}, false});
    ASSERT_TRUE(checked.station);
    EXPECT_DOUBLE_EQ(checked.station->position.latitude, 35.5);
    EXPECT_DOUBLE_EQ(checked.station->position.longitude, 139.0);
    EXPECT_EQ(checked.station->locator, "PM95");
}

TEST(Station, LocatorFromThePositionAlone) {
    const auto checked = share::checkStation({"JA1ABC", "", "35.6", "139.7", "1", "", {}, false});
    ASSERT_TRUE(checked.station);
    EXPECT_EQ(checked.station->locator, "PM95uo");
}

TEST(Station, EveryProblemIsNamed) {
    StationForm form{"J", "PM95", "48.1", "11.6", "", "x", {{"ftp://a", true}}, false};
    const auto checked = share::checkStation(form);
    EXPECT_FALSE(checked.station);
    std::vector<std::string> fields;
    for (const share::Problem& problem : checked.problems) {
        fields.push_back(problem.field);
    }
    EXPECT_EQ(fields, (std::vector<std::string>{"Call sign", "Locator", "NORAD number", "Frequency",
                                                "Server 1"}));
}

TEST(Station, NeedsAPosition) {
    const auto checked = share::checkStation({"JA1ABC", "", "", "", "1", "", {}, false});
    ASSERT_EQ(checked.problems.size(), 1U);
    EXPECT_EQ(checked.problems[0].field, "Position");
}

TEST(Station, TheSatnogsEndpointIsOfferedButNotEnabled) {
    const auto servers = share::offeredServers();
    ASSERT_EQ(servers.size(), 1U);
    EXPECT_EQ(servers[0].url, "https://db.satnogs.org/api/telemetry/");
    EXPECT_FALSE(servers[0].enabled);
    EXPECT_TRUE(exampleStation().enabledUrls().empty());
}

TEST(StationFile, ReadsBackWhatItWrote) {
    share::Station station = exampleStation();
    station.servers.push_back({"https://example.org/t/?a=b,c", true});
    station.sendEveryCheck = true;
    const auto parsed = share::parseStationFile(share::stationFileText(station));
    ASSERT_TRUE(parsed.form) << parsed.problem;
    const auto checked = share::checkStation(*parsed.form);
    ASSERT_TRUE(checked.station);
    EXPECT_EQ(share::stationFileText(*checked.station), share::stationFileText(station));
    EXPECT_EQ(checked.station->enabledUrls(),
              std::vector<std::string>{"https://example.org/t/?a=b,c"});
}

// A position on the edge of its locator square (35 2/3 degrees north is the edge between
// PM95up and PM95uq) is kept exactly: rounded, it would fall into the next square and no
// longer match its own locator.
TEST(StationFile, KeepsAPositionOnASquaresEdgeInItsSquare) {
    share::StationForm form = share::formOf(exampleStation());
    form.locator.clear();
    form.latitude = "35.66666666666666";
    const auto station = share::checkStation(form).station;
    ASSERT_TRUE(station);
    const auto parsed = share::parseStationFile(share::stationFileText(*station));
    ASSERT_TRUE(parsed.form) << parsed.problem;
    const auto checked = share::checkStation(*parsed.form);
    ASSERT_TRUE(checked.station) << "the saved station no longer passes its own checks";
    EXPECT_EQ(checked.station->locator, station->locator);
}

TEST(StationFile, ReadsTheDialogsSettings) {
    const auto parsed = share::parseStationFile(
        "[General]\nother=1\n\n[station]\ncallSign=JA1ABC\nlatitude=35.6\nlongitude=139.7\n"
        "noradId=99999\nservers\\1\\enabled=true\nservers\\1\\url=\"http://h/?a=1\"\n"
        "servers\\size=1\n");
    ASSERT_TRUE(parsed.form);
    EXPECT_EQ(parsed.form->callSign, "JA1ABC");
    ASSERT_EQ(parsed.form->servers.size(), 1U);
    EXPECT_EQ(parsed.form->servers[0].url, "http://h/?a=1");
    EXPECT_TRUE(parsed.form->servers[0].enabled);
}

TEST(StationFile, SaysWhatIsWrong) {
    EXPECT_EQ(share::parseStationFile("[other]\na=1\n").problem, "no [station] group");
    EXPECT_EQ(share::parseStationFile("[station]\ncallSign\n").problem,
              "line 2: not a key=value line");
    const auto loaded = share::loadStation("/nonexistent/station.ini");
    EXPECT_FALSE(loaded.station);
    ASSERT_EQ(loaded.problems.size(), 1U);
    EXPECT_EQ(loaded.problems[0], "/nonexistent/station.ini: No such file or directory");
}

}  // namespace
