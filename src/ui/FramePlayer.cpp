// SPDX-License-Identifier: MIT
#include "ui/FramePlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>

namespace ui {

FramePlayer::FramePlayer(QObject* parent) : QObject(parent) {}

FramePlayer::~FramePlayer() {
    stop();
}

QString FramePlayer::unavailableReason() {
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        return tr("This system has no sound output to play the recording on.");
    }
    return {};
}

bool FramePlayer::play(const morse::AudioStretch& stretch, bool halfSpeed, QString& problem) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        problem = unavailableReason();
        return false;
    }
    QAudioFormat format;
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    format.setSampleRate(static_cast<int>(std::lround(stretch.sampleRate / (halfSpeed ? 2 : 1))));
    if (!device.isFormatSupported(format)) {
        problem = tr("The sound output \"%1\" cannot play %2 Hz sound.")
                      .arg(device.description())
                      .arg(format.sampleRate());
        return false;
    }
    bytes.resize(static_cast<qsizetype>(stretch.samples.size() * sizeof(qint16)));
    auto* out = reinterpret_cast<qint16*>(bytes.data());  // NOLINT: raw PCM bytes
    for (std::size_t i = 0; i < stretch.samples.size(); ++i) {
        out[i] = static_cast<qint16>(std::clamp(stretch.samples[i], -1.0F, 1.0F) * 32767);
    }
    buffer.setBuffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    sink = std::make_unique<QAudioSink>(device, format);
    connect(sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState) {
            emit stopped();
        }
    });
    sink->start(&buffer);
    if (sink->error() != QAudio::NoError) {
        problem = tr("The sound output \"%1\" could not start.").arg(device.description());
        stop();
        return false;
    }
    return true;
}

void FramePlayer::stop() {
    if (sink) {
        sink->disconnect(this);
        sink->stop();
        sink.reset();
    }
    buffer.close();
}

bool FramePlayer::playing() const {
    return sink && sink->state() == QAudio::ActiveState;
}

}  // namespace ui
