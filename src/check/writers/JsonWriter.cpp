// SPDX-License-Identifier: MIT
#include "check/writers/JsonWriter.h"

#include <cstdio>

#include "check/DecodePlan.h"
#include "check/writers/TelemetryColumns.h"
#include "decoders/StatusItems.h"

namespace check {
namespace {

using decoders::DecodedFrame;

// A JSON string. The decoders' texts are ASCII; any other byte passes through unchanged.
std::string quoted(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
            json += escape.data();
        } else {
            json += c;
        }
    }
    return json + '"';
}

// Builds an object member by member.
class Members {
  public:
    void add(std::string_view key, const std::string& json) {
        text += (text.empty() ? "{" : ",") + quoted(key) + ":" + json;
    }
    std::string object() const { return text.empty() ? "{}" : text + "}"; }

  private:
    std::string text;
};

const std::string null = "null";

std::string stateObject(unsigned code, std::string_view name) {
    Members state;
    state.add("code", std::to_string(code));
    state.add("name", quoted(name));
    return state.object();
}

std::string healthName(decoders::Health health) {
    switch (health) {
        case decoders::Health::Normal:
            return quoted("normal");
        case decoders::Health::Limit:
            return quoted("limit");
        case decoders::Health::Fault:
            return quoted("fault");
        case decoders::Health::NotCopied:
            break;
    }
    return null;
}

std::string channelJson(const decoders::AnalogChannel& channel, const DecodedFrame& frame) {
    const auto& value = frame.*channel.slots.decoded;
    if (!value) {
        return null;
    }
    Members item;
    item.add("raw", std::to_string(value->raw));
    item.add("value", shortestText(value->value));
    item.add("unit", quoted(channel.names.unit));
    item.add("state", stateObject(value->status, value->statusName));
    item.add("health", healthName(channel.meaning.health[value->status]));
    return item.object();
}

std::string statusWordJson(const DecodedFrame& frame) {
    if (!frame.statusWord) {
        return null;
    }
    Members word;
    word.add("word", std::to_string(frame.statusWord->word));
    const auto& items = frame.statusWord->items;
    for (std::size_t i = 0; i < decoders::statusItems.size(); ++i) {
        Members item;
        if (i < items.size()) {
            item.add("code", std::to_string(items[i].code));
            if (items[i].name.empty()) {
                item.add("value", std::to_string(items[i].value));
            } else {
                item.add("name", quoted(items[i].name));
            }
        }
        word.add(decoders::statusItems[i].key, i < items.size() ? item.object() : null);
    }
    return word.object();
}

std::string sunSensorJson(const DecodedFrame& frame) {
    if (!frame.sunSensor) {
        return null;
    }
    Members sun;
    sun.add("state", stateObject(frame.sunSensor->status, frame.sunSensor->statusName));
    sun.add("c", std::to_string(frame.sunSensor->c));
    sun.add("d", std::to_string(frame.sunSensor->d));
    return sun.object();
}

void addItem(Members& object, const DecodeStep& step, const DecodedFrame& frame) {
    switch (step.kind) {
        case ItemKind::Channel:
            object.add(step.channel->names.key, channelJson(*step.channel, frame));
            break;
        case ItemKind::UplinkCommand:
            object.add("uplink_command",
                       frame.uplinkCommand ? std::to_string(*frame.uplinkCommand) : null);
            break;
        case ItemKind::StatusWord:
            object.add("status_word", statusWordJson(frame));
            break;
        case ItemKind::SunSensor:
            object.add("sun_sensor", sunSensorJson(frame));
            break;
    }
}

}  // namespace

std::string jsonObject(const CheckRecord& record) {
    const DecodedFrame& frame = record.decoded;
    Members object;
    object.add("time", quoted(isoTime(frame.time)));
    Members raw;
    for (std::size_t field = 0; field < fieldCount; ++field) {
        const std::string text = rawText(frame, field);
        raw.add(frameFields[field].name, text.empty() ? null : quoted(text));
    }
    object.add("raw", raw.object());
    for (const DecodeStep& step : decodePlan) {
        addItem(object, step, frame);
    }
    object.add("decoding_error", record.decodingError ? quoted(*record.decodingError) : null);
    return object.object();
}

void JsonWriter::frame(const CheckRecord& record, std::string& out) {
    out += jsonObject(record);
    out += '\n';
}

}  // namespace check
