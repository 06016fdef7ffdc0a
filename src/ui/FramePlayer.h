// SPDX-License-Identifier: MIT
#pragma once

#include <QBuffer>
#include <QObject>
#include <QString>
#include <memory>

#include "morse/Stretch.h"

class QAudioSink;

namespace ui {

// Plays a stretch of a recording on the system's sound output, optionally slowed down (to
// half speed, which halves the pitch too).
class FramePlayer : public QObject {
    Q_OBJECT

  public:
    explicit FramePlayer(QObject* parent = nullptr);
    ~FramePlayer() override;

    // Why nothing can be played, or empty when a sound output is there.
    static QString unavailableReason();

    // False with the reason in problem when the sound output refused.
    bool play(const morse::AudioStretch& stretch, bool halfSpeed, QString& problem);
    void stop();
    bool playing() const;

  signals:
    void stopped();

  private:
    std::unique_ptr<QAudioSink> sink;
    QBuffer buffer;
    QByteArray bytes;
};

}  // namespace ui
