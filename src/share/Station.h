// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "share/Locator.h"

namespace share {

// A telemetry server that takes frames by HTTP POST, and whether to send to it.
struct Server {
    std::string url;
    bool enabled = false;
};

// The SatNOGS DB telemetry endpoint: offered in the server list, never enabled for the
// operator.
inline constexpr std::string_view satnogsTelemetryUrl = "https://db.satnogs.org/api/telemetry/";

// The receiving station as the operator set it up; every field already checked.
struct Station {
    std::string callSign;  // upper case
    std::string locator;   // 4, 6 or 8 characters, containing the position
    Position position;
    long noradId = 0;
    std::string frequencyMHz;  // empty when not given
    std::vector<Server> servers;
    bool sendEveryCheck = false;

    std::vector<std::string> enabledUrls() const;
};

// The station as typed, before it is checked: every field a text.
struct StationForm {
    std::string callSign;
    std::string locator;
    std::string latitude;
    std::string longitude;
    std::string noradId;
    std::string frequencyMHz;
    std::vector<Server> servers;
    bool sendEveryCheck = false;
};

// What is wrong with one field, in words for the operator.
struct Problem {
    std::string field;  // "Call sign", "Locator", ... or "Server 2"
    std::string message;
};

// A value as checked: the value, or what is wrong with the text.
template <class T>
struct Checked {
    std::optional<T> value;
    std::string problem;
};

Checked<std::string> checkCallSign(std::string_view text);
Checked<std::string> checkLocator(std::string_view text);
Checked<double> checkLatitude(std::string_view text);
Checked<double> checkLongitude(std::string_view text);
Checked<long> checkNoradId(std::string_view text);
Checked<std::string> checkFrequency(std::string_view text);
Checked<std::string> checkUrl(std::string_view text);

// The whole station: a position from the latitude and longitude, or from the locator's
// centre when they are empty; the locator from the position when it is empty. Every problem
// of every field, or the station.
struct CheckedStation {
    std::optional<Station> station;
    std::vector<Problem> problems;
};
CheckedStation checkStation(const StationForm& form);

// The form that shows a station as it is.
StationForm formOf(const Station& station);

// The server list a new station starts with: the SatNOGS DB endpoint, not enabled.
std::vector<Server> offeredServers();

// "35.6", the shortest decimal of up to six places.
std::string degreesText(double degrees);

}  // namespace share
