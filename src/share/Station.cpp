// SPDX-License-Identifier: MIT
#include "share/Station.h"

#include <algorithm>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "share/Text.h"

namespace share {
namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "35.6", "-35.6", or with a hemisphere letter: "35.6N", "35.6S" (negative, like "-35.6").
std::optional<double> degreesOf(std::string_view text, char positive, char negative) {
    text = trimmed(text);
    double sign = 1.0;
    const char last = text.empty() ? '\0' : upperCase(text.substr(text.size() - 1))[0];
    if (last == positive || last == negative) {
        sign = last == negative ? -1.0 : 1.0;
        text.remove_suffix(1);
        if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
            return std::nullopt;  // "-35N" says it twice
        }
    }
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return sign * value;
}

Checked<double> checkDegrees(std::string_view text, char positive, char negative, double limit,
                             const char* what) {
    const std::optional<double> degrees = degreesOf(text, positive, negative);
    const std::string range = "-" + degreesText(limit) + " to " + degreesText(limit);
    if (!degrees) {
        return {std::nullopt, std::string("Give the ") + what + " in decimal degrees, " + range +
                                  " (for example 35.6 or 35.6" + positive + ")."};
    }
    if (std::fabs(*degrees) > limit) {
        return {std::nullopt, std::string("The ") + what + " must lie between " + range + "."};
    }
    return {*degrees, {}};
}

template <class T>
void take(const Checked<T>& checked, const char* field, std::vector<Problem>& problems) {
    if (!checked.value) {
        problems.push_back({field, checked.problem});
    }
}

// The position from the latitude and longitude, or from the locator when both are empty.
std::optional<Position> positionOf(const StationForm& form, const Checked<std::string>& locator,
                                   std::vector<Problem>& problems) {
    if (trimmed(form.latitude).empty() && trimmed(form.longitude).empty()) {
        if (locator.value) {
            return centreOf(*locator.value);
        }
        if (trimmed(form.locator).empty()) {
            problems.push_back({"Position", "Give the locator or the latitude and longitude."});
        }
        return std::nullopt;
    }
    const Checked<double> latitude = checkLatitude(form.latitude);
    const Checked<double> longitude = checkLongitude(form.longitude);
    take(latitude, "Latitude", problems);
    take(longitude, "Longitude", problems);
    if (!latitude.value || !longitude.value) {
        return std::nullopt;
    }
    const Position position{*latitude.value, *longitude.value};
    if (locator.value && !contains(*locator.value, position)) {
        problems.push_back({"Locator", "The locator " + *locator.value + " does not contain " +
                                           degreesText(position.latitude) + ", " +
                                           degreesText(position.longitude) + " (that is " +
                                           locatorOf(position, 6) + ")."});
    }
    return position;
}

void checkServers(const std::vector<Server>& servers, std::vector<Problem>& problems) {
    for (std::size_t i = 0; i < servers.size(); ++i) {
        const Checked<std::string> url = checkUrl(servers[i].url);
        if (!url.value) {
            problems.push_back({"Server " + std::to_string(i + 1), url.problem});
        }
    }
}

}  // namespace

std::vector<std::string> Station::enabledUrls() const {
    std::vector<std::string> urls;
    for (const Server& server : servers) {
        if (server.enabled) {
            urls.push_back(server.url);
        }
    }
    return urls;
}

// Letters and digits with at least one of each, and an optional suffix: "JA1ABC",
// "JA1ABC/P", "JA1ABC/1".
Checked<std::string> checkCallSign(std::string_view text) {
    const std::string sign = upperCase(trimmed(text));
    const std::size_t slash = sign.find('/');
    const std::string_view base = std::string_view(sign).substr(0, slash);
    const std::string_view suffix =
        slash == std::string::npos ? std::string_view() : std::string_view(sign).substr(slash + 1);
    bool letter = false;
    bool digit = false;
    bool clean = true;
    for (const char c : base) {
        letter = letter || isLetter(c);
        digit = digit || isDigit(c);
        clean = clean && (isLetter(c) || isDigit(c));
    }
    for (const char c : suffix) {
        clean = clean && (isLetter(c) || isDigit(c));
    }
    const bool suffixFits = slash == std::string::npos || (!suffix.empty() && suffix.size() <= 4);
    if (base.size() < 3 || base.size() > 10 || !letter || !digit || !clean || !suffixFits) {
        return {std::nullopt,
                "A call sign is letters and digits (with at least one of each), with an "
                "optional suffix after a slash, for example JA1ABC or JA1ABC/P."};
    }
    return {sign, {}};
}

Checked<std::string> checkLocator(std::string_view text) {
    text = trimmed(text);
    if (!isLocator(text)) {
        return {std::nullopt,
                "A Maidenhead locator has 4, 6 or 8 characters: two letters A to R, two digits, "
                "then optionally two letters a to x and two digits (for example PM95vq)."};
    }
    return {normalLocator(text), {}};
}

Checked<double> checkLatitude(std::string_view text) {
    return checkDegrees(text, 'N', 'S', 90.0, "latitude");
}

Checked<double> checkLongitude(std::string_view text) {
    return checkDegrees(text, 'E', 'W', 180.0, "longitude");
}

Checked<long> checkNoradId(std::string_view text) {
    text = trimmed(text);
    long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < 1 ||
        number > 99999) {
        return {std::nullopt,
                "Give the satellite's NORAD catalogue number, a whole number from 1 to 99999."};
    }
    return {number, {}};
}

Checked<std::string> checkFrequency(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) {
        return {std::string(), {}};
    }
    double megahertz = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), megahertz);
    if (error != std::errc() || end != text.data() + text.size() || !(megahertz > 0.0) ||
        megahertz > 300000.0 || text[0] == '-') {
        return {std::nullopt,
                "Give the receiving frequency in MHz (for example 437.375), or "
                "leave it empty."};
    }
    return {std::string(text), {}};
}

// http:// or https://, a host, and only printable ASCII without blanks (an international
// name in its xn-- form).
Checked<std::string> checkUrl(std::string_view text) {
    text = trimmed(text);
    const std::string scheme = upperCase(text.substr(0, 8));
    const std::size_t schemeEnd = scheme.rfind("HTTP://", 0) == 0    ? 7
                                  : scheme.rfind("HTTPS://", 0) == 0 ? 8
                                                                     : 0;
    const bool clean = std::all_of(text.begin(), text.end(), [](char c) {
        return c > 0x20 && c < 0x7F;  // printable ASCII: the settings file keeps it as it is
    });
    const bool hasHost = schemeEnd > 0 && text.size() > schemeEnd && text[schemeEnd] != '/';
    if (!hasHost || !clean) {
        return {std::nullopt,
                "A server's address is an http:// or https:// URL with a host and "
                "no blanks, for example https://example.org/api/telemetry/."};
    }
    return {std::string(text), {}};
}

CheckedStation checkStation(const StationForm& form) {
    CheckedStation result;
    std::vector<Problem>& problems = result.problems;
    const Checked<std::string> callSign = checkCallSign(form.callSign);
    take(callSign, "Call sign", problems);
    Checked<std::string> locator;
    if (!trimmed(form.locator).empty()) {
        locator = checkLocator(form.locator);
        take(locator, "Locator", problems);
    }
    const std::optional<Position> position = positionOf(form, locator, problems);
    const Checked<long> norad = checkNoradId(form.noradId);
    take(norad, "NORAD number", problems);
    const Checked<std::string> frequency = checkFrequency(form.frequencyMHz);
    take(frequency, "Frequency", problems);
    checkServers(form.servers, problems);
    if (!problems.empty()) {
        return result;
    }
    Station station;
    station.callSign = *callSign.value;
    station.position = *position;
    station.locator = locator.value ? *locator.value : locatorOf(*position, 6);
    station.noradId = *norad.value;
    station.frequencyMHz = *frequency.value;
    for (const Server& server : form.servers) {
        station.servers.push_back({std::string(trimmed(server.url)), server.enabled});
    }
    station.sendEveryCheck = form.sendEveryCheck;
    result.station = std::move(station);
    return result;
}

namespace {

// The position as it is kept: exactly, so that it reads back into the same locator square
// (rounded to six decimals, a point on a square's edge could move into the next one).
std::string exactDegreesText(double degrees) {
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), degrees);
    return {text.data(), written.ptr};
}

}  // namespace

StationForm formOf(const Station& station) {
    return {station.callSign,
            station.locator,
            exactDegreesText(station.position.latitude),
            exactDegreesText(station.position.longitude),
            std::to_string(station.noradId),
            station.frequencyMHz,
            station.servers,
            station.sendEveryCheck};
}

std::vector<Server> offeredServers() {
    return {{std::string(satnogsTelemetryUrl), false}};
}

std::string degreesText(double degrees) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.6f", degrees);
    std::string result = text.data();
    while (result.back() == '0') {
        result.pop_back();
    }
    if (result.back() == '.') {
        result.pop_back();
    }
    return result == "-0" ? "0" : result;
}

}  // namespace share
