// SPDX-License-Identifier: MIT
#include "ui/BeaconDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <cerrno>
#include <cstring>

#include "Templates.h"
#include "check/CheckOperation.h"
#include "check/SavedFile.h"
#include "ui/AboutDialog.h"
#include "ui/Artwork.h"
#include "ui/CodePage.h"
#include "ui/EntryValidator.h"
#include "ui/InfoPanel.h"
#include "ui/PanelPresenter.h"
#include "ui/PassView.h"
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
        CAboutDialog about;
        about.exec();
    } else {
        TemplateDialog::OnSysCommand(command);
    }
}

InfoPanel* CBeaconDialog::informationPanel() const {
    return infoPanel(res::idInfoPanel);
}

void CBeaconDialog::OnHelp() {
    services.showMessage(this, QString::fromUtf8(res::keyboardHelp));
}

void CBeaconDialog::wireControls() {
    auto refused = [this](QWidget* near) {
        return [this, near](const QString& notice) { services.showNotice(near, notice); };
    };
    for (std::size_t field = 0; field < check::fieldCount; ++field) {
        QLineEdit* edit = lineEdit(entryId(field));
        edit->setValidator(new EntryValidator(refused(edit), edit));
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
    connect(button(res::idCheck), &QPushButton::clicked, this, &CBeaconDialog::OnCheck);
    connect(button(res::idSave), &QPushButton::clicked, this, &CBeaconDialog::OnSave);
    connect(button(res::idClear), &QPushButton::clicked, this, &CBeaconDialog::OnClear);
    connect(button(res::idCancel), &QPushButton::clicked, this, &CBeaconDialog::OnCancel);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CBeaconDialog::OnHelp);
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
    const check::CheckRecord& outcome = session.check(check::Frame{texts, {}, {}});
    UpdateData(false);
    resultEdit->scrollToEnd();
    resultEdit->document()->setModified(true);
    if (outcome.decodingError) {
        services.showWarning(this, fromCp932(*outcome.decodingError));
    }
}

void CBeaconDialog::OnSave() {
    if (const std::optional<QString> path = services.chooseSavePath(this)) {
        if (!writeSavedFile(*path)) {
            return;  // the caption and the modified mark stay as they were
        }
        savedPathName = QFileInfo(*path).absoluteFilePath();
        setWindowTitle(savedPathName);
    }
    resultEdit->document()->setModified(false);
}

// Writes the result as the box shows it, replacing the file only once every byte is on
// disk; on failure the earlier file stays whole and the operator is told why.
bool CBeaconDialog::writeSavedFile(const QString& path) {
    QSaveFile file(path);
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
                              : QStringLiteral("Not every byte could be written.");
    }
    services.showError(this, QStringLiteral("The analysis could not be saved to \"%1\".\n\n%2")
                                 .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

void CBeaconDialog::OnClear() {
    session.clear();
    UpdateData(false);
}

void CBeaconDialog::OnCancel() {
    QDialog::reject();
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
