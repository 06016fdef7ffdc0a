// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QIcon>
#include <QString>
#include <array>
#include <optional>
#include <string>

#include "check/FrameFields.h"
#include "check/Session.h"
#include "ui/DialogNotifier.h"
#include "ui/TemplateDialog.h"

namespace ui {

class Announcer;
class CloseGuard;
class PanelPresenter;
class ResultBox;
class Services;

// The main dialog: eleven entry boxes for a frame, Check, Clear, Save and Close, and the
// result box. It wires the controls to the core and holds no decoding of its own. It owns
// the program's one Session and tells of every Check by frameChecked.
class CBeaconDialog : public TemplateDialog {
    Q_OBJECT

  public:
    explicit CBeaconDialog(Services& services, QWidget* parent = nullptr);

    void OnCheck();
    void OnSave();
    void OnClear();
    void OnCancel();
    void OnHelp();
    void OnAboutBox();
    void OnNextFrame();
    void OnFramePasted();
    void OnChangeH0();
    void OnChangeH1();
    void OnChangeH2();
    void OnChangeH3();
    void OnChangeH4();
    void OnChangeA();
    void OnChangeB();
    void OnChangeC();
    void OnChangeD();
    void OnChangeE();
    void OnChangeF();

    // Puts a frame heard elsewhere (in a recording) into the boxes and brings the dialog
    // forward with the focus on Check. The next Check of these same texts records the frame
    // with its time and origin; its heading shows the Check's time, as for any Check.
    void takeHeardFrame(const check::Frame& frame);

    const check::Session& checkSession() const { return session; }
    const decoders::ProgramState& programState() const { return session.programState(); }
    const std::string& analysisText() const { return resultText; }
    InfoPanel* informationPanel() const;

    // Enter (the OK command) runs Check and never ends the dialog; Esc and the close box
    // end it through OnCancel.
    void accept() override { OnCheck(); }
    void reject() override { OnCancel(); }

  signals:
    // After every Check, with its record in the Session's history.
    void frameChecked(const check::CheckRecord& record);

  protected:
    void OnSysCommand(int command) override;

  private:
    bool OnInitDialog();
    void DoDataExchange(bool saveAndValidate);
    void UpdateData(bool saveAndValidate);
    void exchangeResult(bool saveAndValidate);
    void advanceIfFull(std::size_t field);
    bool saveResult();
    bool writeSavedFile(const QString& path);
    void wireControls();
    void wireJumpKeys();
    void nameControls();

    Services& services;
    DialogNotifier notifier;
    check::Session session;

    QString savedPathName;
    ResultBox* resultEdit = nullptr;
    std::string entryH0, entryH1, entryH2, entryH3, entryH4, entryA, entryB, entryC, entryD, entryE;
    std::string& resultText;  // the Session's
    std::string entryF;
    QIcon dialogIcon;
    // The frame takeHeardFrame put into the boxes; its texts are views of heardTexts.
    std::optional<check::Frame> heardFrame;
    check::FrameTexts heardTexts;

    // How much of resultText the result box shows; between two exchanges the handlers only
    // append to resultText or empty it, so the box needs only the rest.
    std::size_t resultShown = 0;
    PanelPresenter* panel = nullptr;
    CloseGuard* closeGuard = nullptr;
    Announcer* announcer = nullptr;

    static const std::array<std::string CBeaconDialog::*, check::fieldCount> entryTexts;
};

}  // namespace ui
