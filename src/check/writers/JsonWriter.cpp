// SPDX-License-Identifier: MIT
#include "check/writers/JsonWriter.h"

#include <array>
#include <cstdio>

#include "check/DecodePlan.h"
#include "check/UtcTime.h"
#include "check/writers/StepTexts.h"
#include "check/writers/TelemetryColumns.h"
#include "decoders/Formatting.h"
#include "decoders/StatusItems.h"
#include "decoders/TextWriter.h"

namespace check {
namespace {

using decoders::DecodedFrame;
using decoders::TextWriter;

// Writes one JSON object straight into the output, member by member.
class Object {
  public:
    explicit Object(TextWriter& out) : out(out) { out.add('{'); }
    // More members of an object whose braces and first member are written elsewhere.
    struct Continued {};
    Object(TextWriter& out, Continued /*tag*/) : out(out), first(false), braces(false) {}
    ~Object() {
        if (braces) {
            out.add('}');
        }
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // Starts a member; its value follows. Keys are the program's own plain identifiers.
    TextWriter& key(std::string_view name) {
        out.add(first ? "\"" : ",\"");
        out.add(name);
        out.add("\":");
        first = false;
        return out;
    }
    void text(std::string_view name, std::string_view value) { string(key(name), value); }
    void number(std::string_view name, std::string_view digits) { key(name).add(digits); }
    void number(std::string_view name, std::int32_t value) {
        key(name).add(decoders::DecimalText(value).view());
    }
    void null(std::string_view name) { key(name).add("null"); }

    // A JSON string. The decoders' texts are ASCII; any other byte passes through unchanged.
    static void string(TextWriter& out, std::string_view text) {
        out.add('"');
        std::size_t plain = 0;  // the start of a run of characters that need no escape
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20) {
                continue;
            }
            out.add(text.substr(plain, i - plain));
            plain = i + 1;
            if (c == '"' || c == '\\') {
                out.add('\\');
                out.add(c);
            } else {
                std::array<char, 8> escape{};
                std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
                out.add(escape.data());
            }
        }
        out.add(text.substr(plain));
        out.add('"');
    }

  private:
    TextWriter& out;
    bool first = true;
    bool braces = true;
};

std::string_view healthName(decoders::Health health) {
    switch (health) {
        case decoders::Health::Normal:
            return "normal";
        case decoders::Health::Limit:
            return "limit";
        case decoders::Health::Fault:
            return "fault";
        case decoders::Health::NotCopied:
            break;
    }
    return "not copied";
}

void state(TextWriter& out, unsigned code, std::string_view name) {
    Object state(out);
    state.number("code", static_cast<std::int32_t>(code));
    state.text("name", name);
}

void channel(Object& object, const decoders::AnalogChannel& channel, const DecodedFrame& frame) {
    const auto& value = frame.*channel.places.decoded;
    if (!value) {
        object.null(channel.names.key);
        return;
    }
    Object item(object.key(channel.names.key));
    item.number("raw", value->raw);
    item.number("value", decoders::textsOfChannel(channel).shortestValue[value->raw]);
    item.text("unit", channel.names.unit);
    state(item.key("state"), value->status, value->statusName);
    item.text("health", healthName(channel.meaning.health[value->status]));
}

void statusWord(Object& object, const DecodedFrame& frame) {
    if (!frame.statusWord) {
        object.null("status_word");
        return;
    }
    Object word(object.key("status_word"));
    word.number("word", frame.statusWord->word);
    const auto& items = frame.statusWord->items;
    for (std::size_t i = 0; i < decoders::statusItems.size(); ++i) {
        const std::string_view key = decoders::statusItems[i].key;
        if (i >= items.size()) {
            word.null(key);
            continue;
        }
        Object item(word.key(key));
        item.number("code", items[i].code);
        if (items[i].name.empty()) {
            item.number("value", items[i].value);
        } else {
            item.text("name", items[i].name);
        }
    }
}

void sunSensor(Object& object, const DecodedFrame& frame) {
    if (!frame.sunSensor) {
        object.null("sun_sensor");
        return;
    }
    Object sun(object.key("sun_sensor"));
    state(sun.key("state"), frame.sunSensor->status, frame.sunSensor->statusName);
    sun.number("c", frame.sunSensor->c);
    sun.number("d", frame.sunSensor->d);
}

void stepMember(Object& object, const DecodeStep& step, const DecodedFrame& frame) {
    switch (step.kind) {
        case ItemKind::Channel:
            channel(object, *step.channel, frame);
            break;
        case ItemKind::UplinkCommand:
            if (frame.uplinkCommand) {
                object.number("uplink_command", *frame.uplinkCommand);
            } else {
                object.null("uplink_command");
            }
            break;
        case ItemKind::StatusWord:
            statusWord(object, frame);
            break;
        case ItemKind::SunSensor:
            sunSensor(object, frame);
            break;
    }
}

void raws(Object& object, const DecodedFrame& frame) {
    Object raw(object.key("raw"));
    for (std::size_t field = 0; field < fieldCount; ++field) {
        if (const std::optional<std::uint32_t> value = rawValue(frame, field)) {
            raw.text(frameFields[field].name,
                     decoders::HexText(*value, frameFields[field].digits).view());
        } else {
            raw.null(frameFields[field].name);
        }
    }
}

}  // namespace

void writeJsonStep(TextWriter& out, const DecodeStep& step, const DecodedFrame& frame) {
    Object object(out, Object::Continued{});
    stepMember(object, step, frame);
}

void appendJsonObject(std::string& text, const CheckRecord& record) {
    const DecodedFrame& frame = record.decoded;
    TextWriter out(text, 2048);
    Object object(out);
    TextWriter& time = object.key("time");
    time.add('"');
    writeUtc(time, frame.time, 'T');  // "2010-01-02T03:04:05Z"
    time.add("Z\"");
    raws(object, frame);
    thread_local StepTexts items(writeJsonStep);
    items.writeSteps(out, frame);
    if (record.decodingError) {
        object.text("decoding_error", *record.decodingError);
    } else {
        object.null("decoding_error");
    }
}

std::string jsonObject(const CheckRecord& record) {
    std::string text;
    appendJsonObject(text, record);
    return text;
}

void JsonWriter::frame(const CheckRecord& record, std::string& out) {
    appendJsonObject(out, record);
    out += '\n';
}

}  // namespace check
