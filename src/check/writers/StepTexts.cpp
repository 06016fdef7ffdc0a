// SPDX-License-Identifier: MIT
#include "check/writers/StepTexts.h"

#include "decoders/AnalogChannels.h"

namespace check {

void StepTexts::writeSteps(decoders::TextWriter& out, const decoders::DecodedFrame& frame) {
    for (std::size_t index = 0; index < decodePlan.size(); ++index) {
        const DecodeStep& step = decodePlan[index];
        const std::optional<std::uint32_t> key = stepKey(step, frame);
        if (!key) {
            write(out, step, frame);
            continue;
        }
        // A channel's texts are made all at once; another step's latest must be this key's.
        const std::vector<Text>& texts = steps[index];
        if (step.kind == ItemKind::Channel && !texts.empty()) {
            out.add(texts[*key].text);
        } else if (step.kind != ItemKind::Channel && !texts.empty() && texts[0].key == key) {
            out.add(texts[0].text);
        } else {
            out.add(made(index, *key, frame));
        }
    }
}

const std::string& StepTexts::made(std::size_t stepIndex, std::uint32_t key,
                                   const decoders::DecodedFrame& frame) {
    const DecodeStep& step = decodePlan[stepIndex];
    std::vector<Text>& texts = steps[stepIndex];
    if (step.kind == ItemKind::Channel) {
        texts = everyChannelText(step);
        return texts[key].text;
    }
    texts.resize(1);
    Text& latest = texts[0];
    latest.key.reset();  // a text left half-made is no key's
    latest.text.clear();
    {
        decoders::TextWriter out(latest.text, 256);
        write(out, step, frame);
    }
    latest.key = key;
    return latest.text;
}

std::vector<StepTexts::Text> StepTexts::everyChannelText(const DecodeStep& step) const {
    const decoders::AnalogChannel& channel = *step.channel;
    const decoders::ChannelTexts& texts = decoders::textsOfChannel(channel);
    std::vector<Text> all(1 + 4 * 256);
    for (std::uint32_t key = 0; key < all.size(); ++key) {
        decoders::DecodedFrame frame;
        if (key > 0) {
            const auto raw = static_cast<std::uint8_t>((key - 1) % 256);
            const auto status = static_cast<std::uint8_t>((key - 1) / 256);
            frame.*channel.places.decoded =
                decoders::ChannelValue{raw, texts.value[raw], status, texts.stateName[status]};
        }
        decoders::TextWriter text(all[key].text, 64);
        write(text, step, frame);
        all[key].key = key;
    }
    return all;
}

}  // namespace check
