// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "decoders/AnalogChannels.h"

namespace check {

// A stretch of a channel's engineering values that its classification gives one health.
struct ValueBand {
    double low;
    double high;
    decoders::Health health;
};

// What the classifications read besides the raw code: the day/night setting and the
// battery voltage of the latest frame.
struct BandContext {
    bool daylight = false;
    double lastBatteryVoltage = 0.0;
};

// The channel's bands from its lowest to its highest value, found by classifying each of
// its 256 raw codes; a border lies halfway between the values of two neighbouring codes.
std::vector<ValueBand> channelBands(const decoders::AnalogChannel& channel,
                                    const BandContext& context);

// The channel's value in a frame, where the frame decoded it.
const std::optional<decoders::ChannelValue>& channelValueIn(const decoders::AnalogChannel& channel,
                                                            const decoders::DecodedFrame& frame);

}  // namespace check
