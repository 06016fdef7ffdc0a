// SPDX-License-Identifier: MIT
#include "check/ChannelBands.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace check {

std::vector<ValueBand> channelBands(const decoders::AnalogChannel& channel,
                                    const BandContext& context) {
    const space::SatelliteStatus record;
    const decoders::ChannelMeaning& meaning = channel.meaning;
    const bool daylight = meaning.readsDayNight && context.daylight;
    std::vector<std::pair<double, decoders::Health>> codes;
    codes.reserve(256);
    for (unsigned code = 0; code < 256; ++code) {
        const auto raw = static_cast<std::uint8_t>(code);
        const double value = decoders::channelValue(channel, raw, record);
        const std::uint8_t status =
            meaning.classify({raw, value, daylight, context.lastBatteryVoltage});
        codes.emplace_back(value, meaning.health.at(status));
    }
    // Falling conversions give the highest value for code 0.
    std::sort(codes.begin(), codes.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ValueBand> bands;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const double low = i == 0 ? codes[i].first : (codes[i - 1].first + codes[i].first) / 2;
        if (bands.empty() || bands.back().health != codes[i].second) {
            if (!bands.empty()) {
                bands.back().high = low;
            }
            bands.push_back({low, codes[i].first, codes[i].second});
        } else {
            bands.back().high = codes[i].first;
        }
    }
    return bands;
}

const std::optional<decoders::ChannelValue>& channelValueIn(const decoders::AnalogChannel& channel,
                                                            const decoders::DecodedFrame& frame) {
    return frame.*channel.places.decoded;
}

}  // namespace check
