// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace share {

// A place on the earth in decimal degrees: north and east positive.
struct Position {
    double latitude = 0.0;
    double longitude = 0.0;
};

// Whether text is a Maidenhead locator of 4, 6 or 8 characters ("PM95", "PM95vq",
// "PM95vq12"), in either case.
bool isLocator(std::string_view text);

// The locator in its usual spelling: field letters upper case, subsquare letters lower case.
std::string normalLocator(std::string_view locator);

// The centre of the locator's square; nothing when it is not a locator.
std::optional<Position> centreOf(std::string_view locator);

// The locator of the given length (4, 6 or 8) whose square holds the position.
std::string locatorOf(const Position& position, int length);

// Whether the position lies in the locator's square.
bool contains(std::string_view locator, const Position& position);

}  // namespace share
