// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <optional>

#include "share/Station.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace ui {

// The station: call sign, position (the locator, or latitude and longitude, each derived
// from the other as the operator types), the satellite's NORAD number, the receiving
// frequency, the telemetry servers and whether each Check is sent at once. Save checks
// every field and says what is wrong beside the buttons; only a sound station is accepted.
class StationDialog : public QDialog {
    Q_OBJECT

  public:
    explicit StationDialog(const std::optional<share::Station>& station, QWidget* parent = nullptr);

    // The station as saved, once the dialog was accepted.
    const std::optional<share::Station>& station() const { return accepted; }

    // The problems shown, one a line.
    QString problemText() const;

    void accept() override;

  private:
    void buildForm();
    void buildServers();
    void fill(const share::StationForm& form);
    share::StationForm typedForm() const;
    void locatorEdited();
    void positionEdited();
    void addServer(const share::Server& server);
    void removeServer();
    void showProblems(const std::vector<share::Problem>& problemsFound);

    QLineEdit* callSign;
    QLineEdit* locator;
    QLineEdit* latitude;
    QLineEdit* longitude;
    QLineEdit* noradId;
    QLineEdit* frequency;
    QCheckBox* sendEveryCheck;
    QTableWidget* servers;
    QLabel* problems;
    std::optional<share::Station> accepted;
};

}  // namespace ui
