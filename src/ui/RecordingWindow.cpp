// SPDX-License-Identifier: MIT
#include "ui/RecordingWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "morse/Stretch.h"
#include "ui/BeaconDialog.h"
#include "ui/FramePlayer.h"
#include "ui/HeardFrameText.h"
#include "ui/Waterfall.h"

namespace ui {
namespace {

enum Column { TimeColumn, FrameColumn, SnrColumn, WpmColumn, ColumnCount };

// The zoom stays between a whole pass on a screen and single dots, and the picture under
// the width a painter handles well.
constexpr double fewestPixelsPerSecond = 1;
constexpr double mostPixelsPerSecond = 200;
constexpr double widestPicture = 30000;

QPushButton* namedButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(name);
    return button;
}

}  // namespace

RecordingWindow::RecordingWindow(CBeaconDialog& dialog)
    : QWidget(&dialog, Qt::Window), dialog(dialog), player(new FramePlayer(this)) {
    setWindowTitle(tr("Recording"));
    setObjectName(QStringLiteral("recordingWindow"));
    makeJob();
    picture = new Waterfall(this);
    scroller = new QScrollArea(this);
    scroller->setWidget(picture);
    scroller->setWidgetResizable(false);
    scroller->setMinimumHeight(picture->minimumHeight() + 24);
    scroller->setFocusPolicy(Qt::NoFocus);
    connect(picture, &Waterfall::frameClicked, this, &RecordingWindow::selectRow);

    table = new QTableWidget(0, ColumnCount, this);
    table->setHorizontalHeaderLabels({tr("Time (UTC)"), tr("Frame"), tr("SNR (dB)"), tr("WPM")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(FrameColumn, QHeaderView::Stretch);
    table->setItemDelegateForColumn(FrameColumn, new DoubtfulTextDelegate(table));
    table->setAccessibleName(tr("Frames heard"));
    table->setAccessibleDescription(
        tr("Enter or a double-click puts the frame into the boxes; doubtful characters are "
           "marked, their runner-up in the row's tooltip"));
    connect(table, &QTableWidget::activated, this, &RecordingWindow::useSelectedFrame);
    connect(table, &QTableWidget::currentCellChanged, this,
            [this](int row) { picture->selectFrame(row); });

    message = new QLabel(this);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message->setFocusPolicy(Qt::TabFocus);
    message->setAccessibleName(tr("Message"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeFileRow());
    layout->addWidget(scroller);
    layout->addWidget(makeZoomRow());
    auto* framesLabel = new QLabel(tr("&Frames heard:"), this);
    framesLabel->setBuddy(table);
    layout->addWidget(framesLabel);
    layout->addWidget(table, 1);
    layout->addWidget(message);
    layout->addWidget(makeButtonRow());
    resize(900, 600);
}

// The job waits for its thread, which stops at the next block of samples.
RecordingWindow::~RecordingWindow() {
    delete job;
}

void RecordingWindow::makeJob() {
    job = new RecordingJob(this);
    job->onProgress = [this](double part) { progress->setValue(static_cast<int>(part * 1000)); };
    job->onFinished = [this](std::shared_ptr<const RecordingAnalysis> analysis) {
        showAnalysis(std::move(analysis));
    };
}

QWidget* RecordingWindow::makeFileRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* open = namedButton(tr("&Open…"), tr("Open a recording"), row);
    connect(open, &QPushButton::clicked, this, &RecordingWindow::chooseFile);
    fileName = new QLabel(tr("No recording"), row);
    fileName->setAccessibleName(tr("Recording file"));
    start = new QLineEdit(row);
    start->setPlaceholderText(QStringLiteral("YYYY-MM-DDTHH:MM:SSZ"));
    start->setAccessibleName(tr("Start of the recording, UTC"));
    start->setAccessibleDescription(
        tr("Taken from a SatNOGS file name; type it for another recording"));
    start->setMinimumWidth(fontMetrics().horizontalAdvance(start->placeholderText()) + 16);
    connect(start, &QLineEdit::editingFinished, this, &RecordingWindow::startEdited);
    auto* startLabel = new QLabel(tr("&Start (UTC):"), row);
    startLabel->setBuddy(start);
    progress = new QProgressBar(row);
    progress->setRange(0, 1000);
    progress->setTextVisible(true);
    progress->setAccessibleName(tr("Decoding progress"));
    cancel = namedButton(tr("Cancel"), tr("Cancel the decoding"), row);
    cancel->setEnabled(false);
    connect(cancel, &QPushButton::clicked, this, &RecordingWindow::cancelDecoding);
    layout->addWidget(open);
    layout->addWidget(fileName, 1);
    layout->addWidget(startLabel);
    layout->addWidget(start);
    layout->addWidget(progress);
    layout->addWidget(cancel);
    return row;
}

QWidget* RecordingWindow::makeZoomRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* zoomIn = namedButton(tr("Zoom &in"), tr("Zoom in, Ctrl+plus"), row);
    auto* zoomOut = namedButton(tr("Zoom o&ut"), tr("Zoom out, Ctrl+minus"), row);
    connect(zoomIn, &QPushButton::clicked, this, [this] { zoomBy(2); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { zoomBy(0.5); });
    auto* in = new QShortcut(QKeySequence::ZoomIn, this);
    auto* out = new QShortcut(QKeySequence::ZoomOut, this);
    connect(in, &QShortcut::activated, this, [this] { zoomBy(2); });
    connect(out, &QShortcut::activated, this, [this] { zoomBy(0.5); });
    zoomShown = new QLabel(row);
    layout->addWidget(zoomIn);
    layout->addWidget(zoomOut);
    layout->addWidget(zoomShown);
    layout->addStretch(1);
    setPixelsPerSecond(picture->pixelsPerSecond());
    return row;
}

QWidget* RecordingWindow::makeButtonRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    useFrame = namedButton(tr("&Use this frame"), tr("Use this frame"), row);
    checkAll = namedButton(tr("Check &all frames"), tr("Check all frames"), row);
    auto* close = namedButton(tr("&Close"), tr("Close"), row);
    useFrame->setEnabled(false);
    checkAll->setEnabled(false);
    play = namedButton(tr("&Play frame"), tr("Play the selected frame"), row);
    halfSpeed = new QCheckBox(tr("&Half speed"), row);
    halfSpeed->setAccessibleName(tr("Play at half speed"));
    bandPass = new QCheckBox(tr("&Band-pass"), row);
    bandPass->setAccessibleName(tr("Play through a band-pass filter around the tone"));
    bandPass->setChecked(true);
    play->setEnabled(false);
    connect(play, &QPushButton::clicked, this, &RecordingWindow::playSelectedFrame);
    connect(player, &FramePlayer::stopped, this, [this] { play->setText(tr("&Play frame")); });
    connect(useFrame, &QPushButton::clicked, this, &RecordingWindow::useSelectedFrame);
    connect(checkAll, &QPushButton::clicked, this, &RecordingWindow::checkAllFrames);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(useFrame);
    layout->addWidget(checkAll);
    layout->addSpacing(16);
    layout->addWidget(play);
    layout->addWidget(halfSpeed);
    layout->addWidget(bandPass);
    layout->addStretch(1);
    layout->addWidget(close);
    return row;
}

void RecordingWindow::chooseFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open recording"), QString(),
                                     tr("Recordings (*.wav *.flac *.ogg *.oga);;All files (*)"));
    if (!path.isEmpty()) {
        openFile(path);
    }
}

void RecordingWindow::openFile(const QString& path) {
    if (job->running()) {
        // The earlier decoding is dropped: nothing of it reaches the window any more.
        job->cancel();
        job->onProgress = {};
        job->onFinished = {};
        job->deleteLater();  // it waits for its thread when it goes
        makeJob();
    }
    // The frames of the earlier recording go: none of them may reach the boxes now.
    shown.reset();
    picture->showAnalysis(nullptr);
    fillTable();
    fileName->setText(QDir::toNativeSeparators(path));
    startTime = morse::startFromFileName(QFile::encodeName(path).toStdString());
    start->setText(startTime ? QString::fromStdString(morse::formatUtc(*startTime)) : QString());
    progress->setValue(0);
    cancel->setEnabled(true);
    tell(tr("Decoding \"%1\"…").arg(QFileInfo(path).fileName()), false);
    job->start(path);
}

void RecordingWindow::cancelDecoding() {
    job->cancel();
}

void RecordingWindow::closeEvent(QCloseEvent* event) {
    job->cancel();
    player->stop();
    event->accept();
}

void RecordingWindow::showAnalysis(std::shared_ptr<const RecordingAnalysis> analysis) {
    cancel->setEnabled(false);
    shown = std::move(analysis);
    picture->showAnalysis(shown);
    fillTable();
    const QString file = QDir::toNativeSeparators(shown->path);
    if (!shown->error.isEmpty()) {
        tell(shown->error, true);
    } else if (!shown->result.problem.empty()) {
        tell(tr("Only part of \"%1\" could be read: %2")
                 .arg(file, QString::fromStdString(shown->result.problem)),
             true);
    } else if (shown->result.cancelled) {
        tell(tr("Decoding of \"%1\" cancelled after %2 s; %n frame(s) heard so far.", nullptr,
                static_cast<int>(shown->result.frames.size()))
                 .arg(file)
                 .arg(shown->result.seconds, 0, 'f', 1),
             false);
    } else {
        progress->setValue(progress->maximum());
        tell(tr("%n frame(s) heard in %1 s of \"%2\".", nullptr,
                static_cast<int>(shown->result.frames.size()))
                 .arg(shown->result.seconds, 0, 'f', 1)
                 .arg(file),
             false);
    }
    emit decodingEnded();
}

// The frame's UTC time when the recording's start is known.
std::optional<std::time_t> RecordingWindow::heardTime(const morse::HeardFrame& frame) const {
    if (!startTime) {
        return std::nullopt;
    }
    return static_cast<std::time_t>(*startTime + std::llround(frame.start));
}

void RecordingWindow::fillTable() {
    table->setRowCount(0);
    const auto frames = shown ? shown->result.frames : std::vector<morse::HeardFrame>{};
    table->setRowCount(static_cast<int>(frames.size()));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const morse::HeardFrame& frame = frames[i];
        const auto row = static_cast<int>(i);
        const std::optional<std::time_t> time = heardTime(frame);
        const QString when = time ? QString::fromStdString(morse::formatUtc(*time))
                                  : tr("+%1 s").arg(frame.start, 0, 'f', 1);
        const HeardFrameText text = heardFrameText(frame);
        auto* frameItem = new QTableWidgetItem(text.text);
        frameItem->setData(DoubtfulTextDelegate::MarksRole, text.marks);
        frameItem->setToolTip(text.doubts.isEmpty() ? tr("Every character is sure")
                                                    : tr("Doubtful:\n%1").arg(text.doubts));
        table->setItem(row, TimeColumn, new QTableWidgetItem(when));
        table->setItem(row, FrameColumn, frameItem);
        table->setItem(row, SnrColumn, new QTableWidgetItem(QString::number(frame.snrDb, 'f', 1)));
        table->setItem(row, WpmColumn, new QTableWidgetItem(QString::number(frame.wpm, 'f', 1)));
    }
    table->resizeColumnToContents(TimeColumn);
    useFrame->setEnabled(!frames.empty());
    checkAll->setEnabled(!frames.empty());
    enablePlay(!frames.empty());
    if (!frames.empty()) {
        table->setCurrentCell(0, FrameColumn);
    }
}

void RecordingWindow::startEdited() {
    const QString text = start->text().trimmed();
    if (text.isEmpty()) {
        startTime.reset();
    } else if (auto parsed = morse::parseUtc(text.toStdString())) {
        startTime = parsed;
    } else {
        tell(tr("\"%1\" is not a UTC time like 2026-03-14T09:26:53Z.").arg(text), true);
        return;
    }
    const int row = table->currentRow();
    fillTable();
    table->setCurrentCell(row, FrameColumn);
}

void RecordingWindow::selectRow(int row) {
    table->setCurrentCell(row, FrameColumn);
    table->setFocus(Qt::MouseFocusReason);
}

void RecordingWindow::zoomBy(double factor) {
    setPixelsPerSecond(picture->pixelsPerSecond() * factor);
}

void RecordingWindow::setPixelsPerSecond(double pixels) {
    double most = mostPixelsPerSecond;
    if (shown && shown->result.seconds > 0) {
        most = std::min(most, widestPicture / shown->result.seconds);
    }
    const double centre = (scroller->horizontalScrollBar()->value() + scroller->width() / 2.0) /
                          picture->pixelsPerSecond();
    picture->setPixelsPerSecond(std::clamp(pixels, fewestPixelsPerSecond, most));
    scroller->horizontalScrollBar()->setValue(picture->xOf(centre) - scroller->width() / 2);
    zoomShown->setText(tr("%1 pixels a second").arg(picture->pixelsPerSecond()));
}

void RecordingWindow::useSelectedFrame() {
    const int row = table->currentRow();
    if (!shown || row < 0 || row >= static_cast<int>(shown->result.frames.size())) {
        return;
    }
    const morse::HeardFrame& frame = shown->result.frames[static_cast<std::size_t>(row)];
    const check::FrameTexts texts = boxTextsOf(frame);
    dialog.takeHeardFrame(check::Frame{
        texts, heardTime(frame),
        check::FrameOrigin{check::FrameOrigin::Kind::Recording,
                           QFile::encodeName(shown->path).toStdString(), 0, frame.start}});
}

void RecordingWindow::checkAllFrames() {
    if (!shown) {
        return;
    }
    std::vector<const morse::HeardFrame*> inTime;
    for (const morse::HeardFrame& frame : shown->result.frames) {
        inTime.push_back(&frame);
    }
    std::stable_sort(inTime.begin(), inTime.end(),
                     [](const auto* a, const auto* b) { return a->start < b->start; });
    const std::string file = QFile::encodeName(shown->path).toStdString();
    for (const morse::HeardFrame* frame : inTime) {
        const check::FrameTexts texts = boxTextsOf(*frame);
        dialog.takeHeardFrame(check::Frame{
            texts, heardTime(*frame),
            check::FrameOrigin{check::FrameOrigin::Kind::Recording, file, 0, frame->start}});
        dialog.OnCheck();
    }
    tell(tr("%n frame(s) checked.", nullptr, static_cast<int>(inTime.size())), false);
}

// Without a sound output the control stays, disabled, and says why.
void RecordingWindow::enablePlay(bool framesHeard) {
    const QString missing = FramePlayer::unavailableReason();
    play->setEnabled(framesHeard && missing.isEmpty());
    play->setToolTip(missing.isEmpty() ? tr("Plays the selected frame's stretch of the recording")
                                       : missing);
    play->setAccessibleDescription(play->toolTip());
}

void RecordingWindow::playSelectedFrame() {
    const int row = table->currentRow();
    if (player->playing()) {
        player->stop();
        play->setText(tr("&Play frame"));
        return;
    }
    if (!shown || row < 0 || row >= static_cast<int>(shown->result.frames.size())) {
        return;
    }
    const morse::HeardFrame& frame = shown->result.frames[static_cast<std::size_t>(row)];
    try {
        // Half a second either side, so that the first and last dits are heard whole.
        morse::AudioStretch stretch = morse::readStretch(
            QFile::encodeName(shown->path).toStdString(), frame.start - 0.5, frame.end + 0.5);
        if (bandPass->isChecked()) {
            morse::bandPass(stretch, frame.toneHz, 150);
        }
        morse::normalise(stretch);
        QString problem;
        if (player->play(stretch, halfSpeed->isChecked(), problem)) {
            play->setText(tr("Sto&p"));
        } else {
            tell(problem, true);
        }
    } catch (const morse::AudioError& error) {
        tell(
            tr("\"%1\" could not be read as audio: %2")
                .arg(QDir::toNativeSeparators(shown->path), QString::fromStdString(error.reason())),
            true);
    }
}

void RecordingWindow::tell(const QString& text, bool failure) {
    message->setText(text);
    message->setStyleSheet(failure ? QStringLiteral("color: #b00000") : QString());
}

RecordingWindow* recordingWindowOf(CBeaconDialog& dialog) {
    auto* window = dialog.findChild<RecordingWindow*>(QString(), Qt::FindDirectChildrenOnly);
    return window != nullptr ? window : new RecordingWindow(dialog);
}

void attachRecordingWindow(CBeaconDialog& dialog) {
    auto open = [&dialog] {
        RecordingWindow* window = recordingWindowOf(dialog);
        window->show();
        window->raise();
        window->activateWindow();
        window->chooseFile();
    };
    auto* item = new QAction(QObject::tr("Open recording…\tCtrl+O"), &dialog);
    item->setObjectName(QStringLiteral("openRecordingItem"));
    QObject::connect(item, &QAction::triggered, &dialog, open);
    dialog.addWindowCommand(item, QKeySequence(Qt::CTRL | Qt::Key_O));
}

}  // namespace ui
