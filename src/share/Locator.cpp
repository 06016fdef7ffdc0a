// SPDX-License-Identifier: MIT
#include "share/Locator.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace share {
namespace {

// Each pair of characters splits the square of the pair before it: 18 fields of 20 x 10
// degrees, 10 squares, 24 subsquares, 10 extended squares.
struct Division {
    char first;
    int parts;
    double longitudeDegrees;
    double latitudeDegrees;
};
constexpr std::array<Division, 4> divisions{{{'A', 18, 20.0, 10.0},
                                             {'0', 10, 2.0, 1.0},
                                             {'a', 24, 2.0 / 24, 1.0 / 24},
                                             {'0', 10, 0.2 / 24, 0.1 / 24}}};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The index a character stands for in its division, or -1.
int indexOf(char c, const Division& division) {
    const char base = division.first == 'A' ? 'a' : division.first;
    const int index = lower(c) - base;
    return index >= 0 && index < division.parts ? index : -1;
}

// The south-west corner of the locator's square and the square's size.
struct Square {
    Position corner;
    double width;
    double height;
};

std::optional<Square> squareOf(std::string_view locator) {
    if (!isLocator(locator)) {
        return std::nullopt;
    }
    Square square{{-90.0, -180.0}, 360.0, 180.0};
    for (std::size_t pair = 0; pair * 2 < locator.size(); ++pair) {
        const Division& division = divisions[pair];
        square.corner.longitude += indexOf(locator[pair * 2], division) * division.longitudeDegrees;
        square.corner.latitude +=
            indexOf(locator[pair * 2 + 1], division) * division.latitudeDegrees;
        square.width = division.longitudeDegrees;
        square.height = division.latitudeDegrees;
    }
    return square;
}

}  // namespace

bool isLocator(std::string_view text) {
    if (text.size() != 4 && text.size() != 6 && text.size() != 8) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (indexOf(text[i], divisions[i / 2]) < 0) {
            return false;
        }
    }
    return true;
}

std::string normalLocator(std::string_view locator) {
    std::string text(locator);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool field = i < 2;
        const char c = lower(text[i]);
        text[i] = field && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

std::optional<Position> centreOf(std::string_view locator) {
    const std::optional<Square> square = squareOf(locator);
    if (!square) {
        return std::nullopt;
    }
    return Position{square->corner.latitude + square->height / 2,
                    square->corner.longitude + square->width / 2};
}

std::string locatorOf(const Position& position, int length) {
    // The east and north edges of the map belong to the last square.
    double longitude = std::fmin(position.longitude + 180.0, 360.0 - 1e-9);
    double latitude = std::fmin(position.latitude + 90.0, 180.0 - 1e-9);
    longitude = std::fmax(longitude, 0.0);
    latitude = std::fmax(latitude, 0.0);
    std::string locator;
    for (std::size_t pair = 0; pair * 2 < static_cast<std::size_t>(length); ++pair) {
        const Division& division = divisions[pair];
        const int last = division.parts - 1;
        const int east = std::min(static_cast<int>(longitude / division.longitudeDegrees), last);
        const int north = std::min(static_cast<int>(latitude / division.latitudeDegrees), last);
        locator += static_cast<char>(division.first + east);
        locator += static_cast<char>(division.first + north);
        longitude -= east * division.longitudeDegrees;
        latitude -= north * division.latitudeDegrees;
    }
    return locator;
}

bool contains(std::string_view locator, const Position& position) {
    const std::optional<Square> square = squareOf(locator);
    constexpr double slack = 1e-9;
    return square && position.latitude >= square->corner.latitude - slack &&
           position.latitude <= square->corner.latitude + square->height + slack &&
           position.longitude >= square->corner.longitude - slack &&
           position.longitude <= square->corner.longitude + square->width + slack;
}

}  // namespace share
