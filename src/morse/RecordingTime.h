// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morse {

// Seconds since 1970-01-01 00:00:00 UTC.
using UtcSeconds = std::int64_t;

// "YYYY-MM-DDTHH:MM:SSZ", a real date and time of day; nothing otherwise.
std::optional<UtcSeconds> parseUtc(std::string_view text);

// The start of a SatNOGS recording from its file name,
// satnogs_<observation>_<YYYY-MM-DDTHH-MM-SS>.<extension>, in any folder; nothing for
// another name.
std::optional<UtcSeconds> startFromFileName(std::string_view path);

// "YYYY-MM-DDTHH:MM:SSZ".
std::string formatUtc(UtcSeconds seconds);

}  // namespace morse
