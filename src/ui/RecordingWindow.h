// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "morse/RecordingTime.h"
#include "ui/RecordingJob.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace ui {

class CBeaconDialog;
class FramePlayer;
class Waterfall;

// A recording of a pass: decoded off the UI thread with progress and Cancel, shown as a
// waterfall and as the list of frames heard, with every doubtful character marked. A frame
// goes into the dialog's boxes ("Use this frame"), or every frame is checked in turn
// ("Check all frames"). A window of its own beside the dialog, not modal; closing it
// stops the decoding.
class RecordingWindow : public QWidget {
    Q_OBJECT

  public:
    explicit RecordingWindow(CBeaconDialog& dialog);
    ~RecordingWindow() override;

    // Starts decoding path, after any decoding still running is stopped.
    void openFile(const QString& path);
    void chooseFile();
    void cancelDecoding();
    bool decoding() const { return job->running(); }

    // The frame selected in the list into the dialog's boxes, the dialog brought forward.
    void useSelectedFrame();
    // A Check of every frame in time order, as if each were typed and checked.
    void checkAllFrames();
    void setPixelsPerSecond(double pixels);
    // Plays the selected frame's stretch of the recording, or stops the playing.
    void playSelectedFrame();

    QTableWidget* frameTable() const { return table; }
    Waterfall* waterfall() const { return picture; }
    QLabel* messageLine() const { return message; }
    QLineEdit* startEntry() const { return start; }
    QPushButton* cancelButton() const { return cancel; }
    QPushButton* playButton() const { return play; }
    QProgressBar* progressBar() const { return progress; }
    const RecordingAnalysis* analysis() const { return shown.get(); }

  signals:
    void decodingEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void makeJob();
    QWidget* makeFileRow();
    QWidget* makeZoomRow();
    QWidget* makeButtonRow();
    void showAnalysis(std::shared_ptr<const RecordingAnalysis> analysis);
    void fillTable();
    void startEdited();
    void selectRow(int row);
    void zoomBy(double factor);
    std::optional<std::time_t> heardTime(const morse::HeardFrame& frame) const;
    void enablePlay(bool framesHeard);
    void tell(const QString& text, bool failure);

    CBeaconDialog& dialog;
    RecordingJob* job = nullptr;
    std::shared_ptr<const RecordingAnalysis> shown;
    std::optional<morse::UtcSeconds> startTime;
    QLabel* fileName = nullptr;
    QLineEdit* start = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* cancel = nullptr;
    QScrollArea* scroller = nullptr;
    Waterfall* picture = nullptr;
    QLabel* zoomShown = nullptr;
    QTableWidget* table = nullptr;
    QPushButton* useFrame = nullptr;
    QPushButton* checkAll = nullptr;
    QLabel* message = nullptr;
    FramePlayer* player = nullptr;
    QPushButton* play = nullptr;
    QCheckBox* halfSpeed = nullptr;
    QCheckBox* bandPass = nullptr;
};

// Adds "Open recording…" (Ctrl+O) to the dialog's window menu: it opens the Recording
// window, made on first use, and asks for a file.
void attachRecordingWindow(CBeaconDialog& dialog);
// The dialog's Recording window, made when there is none.
RecordingWindow* recordingWindowOf(CBeaconDialog& dialog);

}  // namespace ui
