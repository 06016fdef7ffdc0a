// SPDX-License-Identifier: MIT
#include "share/StationFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "share/Text.h"

namespace share {
namespace {

constexpr std::string_view stationGroup = "station";

// A value as the settings write it: plain, or in double quotes with backslash escapes when
// it holds a comma, semicolon, equals sign or quote.
std::string valueOf(std::string_view text) {
    text = trimmed(text);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return std::string(text);
    }
    std::string value;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && i + 2 < text.size()) {
            ++i;
        }
        value += text[i];
    }
    return value;
}

// Keys use '\' between levels; the settings may also write '/'.
std::string keyOf(std::string_view text) {
    std::string key(trimmed(text));
    std::replace(key.begin(), key.end(), '/', '\\');
    return key;
}

using Values = std::map<std::string, std::string>;

std::string valueOr(const Values& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

std::vector<Server> serversOf(const Values& values) {
    std::vector<Server> servers;
    long size = 0;
    const std::string sizeText = valueOr(values, "servers\\size");
    std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    for (long i = 1; i <= std::min(size, 100L); ++i) {
        const std::string prefix = "servers\\" + std::to_string(i) + "\\";
        servers.push_back(
            {valueOr(values, prefix + "url"), valueOr(values, prefix + "enabled") == "true"});
    }
    return servers;
}

std::string quotedIfNeeded(const std::string& value) {
    if (value.find_first_of(",;=\"\\") == std::string::npos && trimmed(value) == value) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string homeFolder(const char* variable, const char* underHome) {
    const char* set = std::getenv(variable);
    if (set != nullptr && set[0] == '/') {
        return set;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + underHome;
}

}  // namespace

StationFileForm parseStationFile(std::string_view text) {
    Values values;
    std::string group;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (long number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string_view content = trimmed(line);
        if (content.empty() || content[0] == ';' || content[0] == '#') {
            continue;
        }
        if (content.front() == '[' && content.back() == ']') {
            group = content.substr(1, content.size() - 2);
            continue;
        }
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos) {
            return {std::nullopt, "line " + std::to_string(number) + ": not a key=value line"};
        }
        if (group == stationGroup) {
            values[keyOf(content.substr(0, equals))] = valueOf(content.substr(equals + 1));
        }
    }
    if (values.empty()) {
        return {std::nullopt, "no [station] group"};
    }
    StationForm form;
    form.callSign = valueOr(values, "callSign");
    form.locator = valueOr(values, "locator");
    form.latitude = valueOr(values, "latitude");
    form.longitude = valueOr(values, "longitude");
    form.noradId = valueOr(values, "noradId");
    form.frequencyMHz = valueOr(values, "frequencyMHz");
    form.sendEveryCheck = valueOr(values, "sendEveryCheck") == "true";
    form.servers = serversOf(values);
    return {form, {}};
}

std::string stationFileText(const Station& station) {
    const StationForm form = formOf(station);
    std::string text = "[station]\n";
    auto add = [&text](const std::string& key, const std::string& value) {
        text += key + "=" + quotedIfNeeded(value) + "\n";
    };
    add("callSign", form.callSign);
    add("frequencyMHz", form.frequencyMHz);
    add("latitude", form.latitude);
    add("locator", form.locator);
    add("longitude", form.longitude);
    add("noradId", form.noradId);
    add("sendEveryCheck", form.sendEveryCheck ? "true" : "false");
    for (std::size_t i = 0; i < form.servers.size(); ++i) {
        const std::string prefix = "servers\\" + std::to_string(i + 1) + "\\";
        add(prefix + "enabled", form.servers[i].enabled ? "true" : "false");
        add(prefix + "url", form.servers[i].url);
    }
    add("servers\\size", std::to_string(form.servers.size()));
    return text;
}

LoadedStation loadStation(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {std::nullopt, {path + ": " + std::strerror(errno)}};
    }
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const StationFileForm parsed = parseStationFile(text);
    if (!parsed.form) {
        return {std::nullopt, {path + ": " + parsed.problem}};
    }
    CheckedStation checked = checkStation(*parsed.form);
    LoadedStation loaded{std::move(checked.station), {}};
    for (const Problem& problem : checked.problems) {
        loaded.problems.push_back(path + ": " + problem.field + ": " + problem.message);
    }
    return loaded;
}

std::string defaultStationPath() {
    return homeFolder("XDG_CONFIG_HOME", "/.config") + "/veskar/station.ini";
}

std::string defaultOutboxPath() {
    return homeFolder("XDG_DATA_HOME", "/.local/share") + "/veskar/outbox.txt";
}

}  // namespace share
