// SPDX-License-Identifier: MIT
#include "ui/RecordingJob.h"

#include <QFile>
#include <QThread>

namespace ui {

RecordingJob::RecordingJob(QObject* parent) : QObject(parent) {}

RecordingJob::~RecordingJob() {
    cancel();
    if (thread != nullptr) {
        thread->wait();
        delete thread;
    }
}

bool RecordingJob::start(const QString& path) {
    if (running()) {
        return false;
    }
    delete thread;
    cancelled = false;
    shownPercent = -1;
    thread = QThread::create([this, path] { run(path); });
    thread->start();
    return true;
}

void RecordingJob::cancel() {
    cancelled = true;
}

bool RecordingJob::running() const {
    return thread != nullptr && !thread->isFinished();
}

// On the worker thread. Posted calls to this object are dropped once it is destroyed, and
// the destructor waits for the thread, so nothing outlives the window.
void RecordingJob::run(const QString& path) {
    auto analysis = std::make_shared<RecordingAnalysis>();
    analysis->path = path;
    std::unique_ptr<morse::Spectrogram> spectrogram;
    morse::DecodeOptions options;
    options.cancel = &cancelled;
    options.progress = [this](double part) { reportProgress(part); };
    options.tone = [&analysis](const morse::TonePoint& point) { analysis->tone.push_back(point); };
    try {
        // The sample rate is known once the decoder has opened the file: the first block of
        // samples makes the spectrogram.
        options.samples = [&spectrogram](const float* samples, std::size_t count, double rate) {
            if (!spectrogram) {
                spectrogram = std::make_unique<morse::Spectrogram>(rate);
            }
            spectrogram->push(samples, count);
        };
        analysis->result = morse::decodeFile(QFile::encodeName(path).toStdString(), options);
        if (spectrogram) {
            analysis->spectrogram = spectrogram->image();
        }
    } catch (const morse::AudioError& error) {
        analysis->error = tr("\"%1\" could not be read as audio: %2")
                              .arg(path, QString::fromStdString(error.reason()));
    }
    QMetaObject::invokeMethod(
        this,
        [this, analysis] {
            if (onFinished) {
                onFinished(analysis);
            }
        },
        Qt::QueuedConnection);
}

// Only whole percents cross to the UI thread.
void RecordingJob::reportProgress(double part) {
    const int percent = static_cast<int>(part * 100);
    if (percent == shownPercent) {
        return;
    }
    shownPercent = percent;
    QMetaObject::invokeMethod(
        this,
        [this, part] {
            if (onProgress) {
                onProgress(part);
            }
        },
        Qt::QueuedConnection);
}

}  // namespace ui
