// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "space/SatelliteStatus.h"

namespace decoders {

// One item packed into the status word: (word >> firstBit) & mask. An item with a getter
// prints its name; one without prints its (mapped) number.
struct StatusItem {
    // Names: the panel's label and the CSV column and JSON key.
    std::string_view panelLabel;
    std::string_view key;
    // Report layout: "<label><separator><printed value>".
    std::string_view label;
    std::string_view separator;
    // Where it sits in the word and what its code means.
    int firstBit;
    unsigned mask;
    std::uint8_t space::SatelliteStatus::*field;
    const std::uint8_t* mapping;
    std::string (space::SatelliteStatus::*name)() const;
};

constexpr std::size_t statusItemCount = 11;

// The status word's items in the report's order.
extern const std::array<StatusItem, statusItemCount> statusItems;

// The item the panel shows among the status word's: its name fails for code 3.
constexpr std::size_t memoryStatusItem = 3;

}  // namespace decoders
