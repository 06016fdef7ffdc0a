// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "morse/Decoder.h"
#include "morse/Waterfall.h"

class QThread;

namespace ui {

// What the decoding of one recording gave: its frames, the tracked tone and the waterfall,
// or the decoder's message when the file could not be read.
struct RecordingAnalysis {
    QString path;
    morse::DecodeResult result;
    std::vector<morse::TonePoint> tone;
    morse::SpectrogramImage spectrogram;
    QString error;  // empty when the file was read
};

// Decodes a recording in a thread of its own; progress and the outcome come back on the UI
// thread, through the callbacks. Cancel (or destroying the job) stops the work at the next
// block of samples.
class RecordingJob : public QObject {
    Q_OBJECT

  public:
    std::function<void(double)> onProgress;  // 0 to 1
    std::function<void(std::shared_ptr<const RecordingAnalysis>)> onFinished;

    explicit RecordingJob(QObject* parent = nullptr);
    ~RecordingJob() override;
    RecordingJob(const RecordingJob&) = delete;
    RecordingJob& operator=(const RecordingJob&) = delete;

    // Starts decoding path; false while an earlier decoding still runs.
    bool start(const QString& path);
    void cancel();
    bool running() const;

  private:
    void run(const QString& path);
    void reportProgress(double part);

    QThread* thread = nullptr;
    std::atomic<bool> cancelled{false};
    int shownPercent = -1;  // only touched by the worker
};

}  // namespace ui
