// SPDX-License-Identifier: MIT
#include "ui/BeaconDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <cerrno>
#include <cstring>
#include <functional>

#include "Templates.h"
#include "check/CheckOperation.h"
#include "check/SavedFile.h"
#include "ui/AboutDialog.h"
#include "ui/Announcer.h"
#include "ui/Artwork.h"
#include "ui/CharacterGuard.h"
#include "ui/CheckWords.h"
#include "ui/CloseGuard.h"
#include "ui/CodePage.h"
#include "ui/EntryValidator.h"
#include "ui/FramePaster.h"
#include "ui/InfoPanel.h"
#include "ui/KeyboardHelp.h"
#include "ui/PanelPresenter.h"
#include "ui/PassView.h"
#include "ui/RecordingWindow.h"
#include "ui/ResultBox.h"
#include "ui/Services.h"

namespace ui {
namespace {

using Handler = void (CBeaconDialog::*)();

// One handler per entry box, in frame order.
constexpr std::array<Handler, check::fieldCount> changeHandlers{
    &CBeaconDialog::OnChangeH0, &CBeaconDialog::OnChangeH1, &CBeaconDialog::OnChangeH2,
    &CBeaconDialog::OnChangeH3, &CBeaconDialog::OnChangeH4, &CBeaconDialog::OnChangeA,
    &CBeaconDialog::OnChangeB,  &CBeaconDialog::OnChangeC,  &CBeaconDialog::OnChangeD,
    &CBeaconDialog::OnChangeE,  &CBeaconDialog::OnChangeF};

int entryId(std::size_t field) {
    return res::idEntryH0 + static_cast<int>(field);
}

// The control that the focus moves to once a box holds its field's width.
int nextControlId(std::size_t field) {
    return field + 1 < check::fieldCount ? entryId(field + 1) : res::idCheck;
}

}  // namespace

const std::array<std::string CBeaconDialog::*, check::fieldCount> CBeaconDialog::entryTexts{
    &CBeaconDialog::entryH0, &CBeaconDialog::entryH1, &CBeaconDialog::entryH2,
    &CBeaconDialog::entryH3, &CBeaconDialog::entryH4, &CBeaconDialog::entryA,
    &CBeaconDialog::entryB,  &CBeaconDialog::entryC,  &CBeaconDialog::entryD,
    &CBeaconDialog::entryE,  &CBeaconDialog::entryF};

CBeaconDialog::CBeaconDialog(Services& services, QWidget* parent)
    : TemplateDialog(res::mainDialog, parent),
      services(services),
      notifier(services, this),
      session(notifier, [&services] { return services.now(); }),
      resultEdit(resultBox(res::idResult)),
      resultText(session.resultText()),
      dialogIcon(applicationIcon()) {
    session.addListener([this](const check::CheckRecord& record) { emit frameChecked(record); });
    wireControls();
    OnInitDialog();
    attachPassView(*this);
    attachRecordingWindow(*this);
}

// Adds the about box to the window menu, sets the icon and puts the focus on Check.
bool CBeaconDialog::OnInitDialog() {
    DoDataExchange(false);
    if (GetSystemMenu() != nullptr) {
        const QString text = QString::fromUtf8(res::aboutBoxMenuText);
        if (!text.isEmpty()) {
            GetSystemMenu()->addSeparator();
            appendSystemMenuItem(res::idmAboutBox, text);
        }
    }
    setWindowIcon(dialogIcon);
    button(res::idCheck)->setFocus();
    return true;
}

void CBeaconDialog::OnSysCommand(int command) {
    if ((command & 0xFFF0) == res::idmAboutBox) {
        OnAboutBox();
    } else {
        TemplateDialog::OnSysCommand(command);
    }
}

InfoPanel* CBeaconDialog::informationPanel() const {
    return infoPanel(res::idInfoPanel);
}

// The about box is the main dialog's child: one task-bar entry, no minimise or maximise.
void CBeaconDialog::OnAboutBox() {
    CAboutDialog about(this);
    about.exec();
}

void CBeaconDialog::OnHelp() {
    if (services.showHelp(this, keyboardHelp())) {
        OnAboutBox();
    }
}

// The next frame: empty boxes, so that a field not copied is not decoded again from the
// previous frame, and the focus in H0.
void CBeaconDialog::OnNextFrame() {
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        lineEdit(entryId(field))->clear();
    }
    UpdateData(true);
    nextDialogControl(entryId(0));
}

// A whole frame was pasted into the boxes: it is ready for Check.
void CBeaconDialog::OnFramePasted() {
    UpdateData(true);
    nextDialogControl(res::idCheck);
}

void CBeaconDialog::wireControls() {
    announcer = new Announcer(this);
    auto refused = [this](QWidget* near) {
        return [this, near](const QString& notice) {
            services.showNotice(near, notice);
            announcer->announce(notice);
        };
    };
    auto* characterGuard = new CharacterGuard(
        [refused](QLineEdit* box, const QString& notice) { refused(box)(notice); }, this);
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        QLineEdit* edit = lineEdit(entryId(field));
        edit->setValidator(new EntryValidator(refused(edit), edit));
        characterGuard->guard(edit);
        // Only the operator's edits advance; the program's write-back does not.
        connect(edit, &QLineEdit::textEdited, this, changeHandlers[field]);
    }
    resultEdit->onRefused = refused(resultEdit);
    PanelPresenter::Boxes boxes{};
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        boxes[field] = lineEdit(entryId(field));
    }
    panel = new PanelPresenter(infoPanel(res::idInfoPanel), boxes, session, this);
    connect(this, &CBeaconDialog::frameChecked, panel, &PanelPresenter::showCheck);
    panel->onMarked = [this](QLineEdit* /*box*/, const QString& hint) {
        announcer->announce(hint);
    };
    connect(button(res::idCheck), &QPushButton::clicked, this, &CBeaconDialog::OnCheck);
    connect(button(res::idSave), &QPushButton::clicked, this, &CBeaconDialog::OnSave);
    connect(button(res::idClear), &QPushButton::clicked, this, &CBeaconDialog::OnClear);
    connect(button(res::idCancel), &QPushButton::clicked, this, &CBeaconDialog::OnCancel);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CBeaconDialog::OnHelp);
    auto* nextFrame = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    connect(nextFrame, &QShortcut::activated, this, &CBeaconDialog::OnNextFrame);
    new FramePaster(
        boxes, [this] { OnFramePasted(); }, this);
    closeGuard = new CloseGuard(
        resultEdit, services, [this] { return saveResult(); }, this);
    wireJumpKeys();
    nameControls();
}

// Keys that take the focus where an operator who cannot see the dialog needs it.
void CBeaconDialog::wireJumpKeys() {
    const std::array<std::pair<Qt::Key, std::function<void()>>, 4> jumps{{
        {Qt::Key_H, [this] { nextDialogControl(entryId(0)); }},
        {Qt::Key_R, [this] { resultEdit->setFocus(Qt::ShortcutFocusReason); }},
        {Qt::Key_L, [this] { resultEdit->goToNewestBlock(); }},
        {Qt::Key_P, [this] { informationPanel()->setFocus(Qt::ShortcutFocusReason); }},
    }};
    for (const auto& [key, jump] : jumps) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
        connect(shortcut, &QShortcut::activated, this, jump);
    }
}

// Names for screen readers: each box by its label (a labelled-by relation), its field and
// its width; the result box by its label.
void CBeaconDialog::nameControls() {
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        const check::FrameField& frameField = check::frameFields[field];
        const QString name = QString::fromUtf8(frameField.name);
        QLineEdit* box = lineEdit(entryId(field));
        const QString spoken = tr("%1, %2 hexadecimal digits").arg(name).arg(frameField.digits);
        box->setAccessibleName(spoken);
        if (QLabel* over = label(name)) {
            over->setBuddy(box);
            over->setAccessibleName(spoken);  // screen readers name a box by its label
        }
    }
    const QString resultName = QStringLiteral("CW Analysis Result");
    resultEdit->setAccessibleName(resultName);
    resultEdit->setAccessibleDescription(
        tr("The analysis of every Check, newest at the end; you may edit it"));
    if (QLabel* over = label(resultName)) {
        over->setBuddy(resultEdit);
    }
}

void CBeaconDialog::DoDataExchange(bool saveAndValidate) {
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        QLineEdit* edit = lineEdit(entryId(field));
        std::string& text = this->*entryTexts[field];
        if (saveAndValidate) {
            text = toCp932(edit->text());
        } else if (toCp932(edit->text()) != text) {
            edit->setText(fromCp932(text));
        }
    }
    exchangeResult(saveAndValidate);
}

// The result box is read back only when the operator has edited it, and written by
// appending what the handlers appended, so that neither grows with the result's size.
void CBeaconDialog::exchangeResult(bool saveAndValidate) {
    if (saveAndValidate) {
        if (resultEdit->editedSinceExchange()) {
            resultText = resultEdit->exchangeToText();
        }
    } else if (resultText.size() >= resultShown && !resultEdit->editedSinceExchange()) {
        resultEdit->appendExchangedText(std::string_view(resultText).substr(resultShown));
    } else {
        resultEdit->exchangeFromText(resultText);
    }
    resultShown = resultText.size();
}

void CBeaconDialog::UpdateData(bool saveAndValidate) {
    DoDataExchange(saveAndValidate);
}

void CBeaconDialog::OnCheck() {
    UpdateData(true);
    check::FrameTexts texts;
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        texts[field] = this->*entryTexts[field];
    }
    check::Frame frame{texts, {}, {}};
    if (heardFrame && heardTexts == texts) {
        frame = *heardFrame;
        frame.heading = check::Heading::CheckTime;
    }
    heardFrame.reset();
    const check::CheckRecord& outcome = session.check(frame);
    UpdateData(false);
    resultEdit->showNewestBlock();
    resultEdit->document()->setModified(true);
    announcer->announce(checkAnnouncement(resultText, outcome));
    if (outcome.decodingError) {
        services.showWarning(this, decodingErrorInWords(*outcome.decodingError));
    }
}

void CBeaconDialog::takeHeardFrame(const check::Frame& frame) {
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        lineEdit(entryId(field))->setText(fromCp932(frame.texts[field]));
    }
    UpdateData(true);
    heardTexts = frame.texts.copies();
    heardFrame = frame;
    heardFrame->texts = heardTexts;
    show();
    raise();
    activateWindow();
    nextDialogControl(res::idCheck);
}

void CBeaconDialog::OnSave() {
    saveResult();
}

// Save: true once the result is written. A cancelled choice clears the modified mark as
// before, but the result still counts as not saved when the dialog closes.
bool CBeaconDialog::saveResult() {
    const std::optional<QString> path = services.chooseSavePath(this);
    if (path) {
        if (!writeSavedFile(*path)) {
            return false;  // the caption and the modified mark stay as they were
        }
        savedPathName = QFileInfo(*path).absoluteFilePath();
        setWindowTitle(savedPathName);
        closeGuard->markSaved();
    }
    resultEdit->document()->setModified(false);
    return path.has_value();
}

// Writes the result as the box shows it, replacing the file only once every byte is on
// disk; on failure the earlier file stays whole and the operator is told why. A folder that
// refuses the temporary file (no write permission) leaves one way: writing over the file
// itself, when the file may be written.
bool CBeaconDialog::writeSavedFile(const QString& path) {
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    errno = 0;
    if (file.open(QIODevice::WriteOnly)) {
        UpdateData(true);
        const std::string bytes = check::savedFileBytes(resultText);
        const auto size = static_cast<qint64>(bytes.size());
        if (file.write(bytes.data(), size) == size && file.flush() && file.commit()) {
            return true;
        }
    }
    // A full disk shows as a short write that Qt does not count as an error; the system
    // still knows why.
    const int failure = errno;
    QString reason = file.errorString();
    if (file.error() == QFileDevice::NoError) {
        reason = failure != 0 ? QString::fromLocal8Bit(std::strerror(failure))
                              : tr("Not every byte could be written.");
    }
    services.showError(this, tr("The analysis could not be saved to \"%1\".\n\n%2")
                                 .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

void CBeaconDialog::OnClear() {
    session.clear();
    UpdateData(false);
}

void CBeaconDialog::OnCancel() {
    if (closeGuard->mayClose(this)) {
        QDialog::reject();
    }
}

// Moves the focus on once the box holds exactly its field's width in code page 932 bytes.
void CBeaconDialog::advanceIfFull(std::size_t field) {
    UpdateData(true);
    const auto width = static_cast<std::size_t>(check::frameFields[field].digits);
    if ((this->*entryTexts[field]).size() == width) {
        nextDialogControl(nextControlId(field));
    }
}

void CBeaconDialog::OnChangeH0() {
    advanceIfFull(0);
}
void CBeaconDialog::OnChangeH1() {
    advanceIfFull(1);
}
void CBeaconDialog::OnChangeH2() {
    advanceIfFull(2);
}
void CBeaconDialog::OnChangeH3() {
    advanceIfFull(3);
}
void CBeaconDialog::OnChangeH4() {
    advanceIfFull(4);
}
void CBeaconDialog::OnChangeA() {
    advanceIfFull(5);
}
void CBeaconDialog::OnChangeB() {
    advanceIfFull(6);
}
void CBeaconDialog::OnChangeC() {
    advanceIfFull(7);
}
void CBeaconDialog::OnChangeD() {
    advanceIfFull(8);
}
void CBeaconDialog::OnChangeE() {
    advanceIfFull(9);
}
void CBeaconDialog::OnChangeF() {
    advanceIfFull(10);
}

}  // namespace ui
