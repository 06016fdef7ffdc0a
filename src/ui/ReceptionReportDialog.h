// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "check/CheckOperation.h"
#include "share/Station.h"

class QComboBox;
class QListWidget;

namespace ui {

class Services;

// "Reception report…": the run's Checks, all ticked, of which the operator may untick some;
// the report as plain text (UTF-8) or as an HTML page; Save writes it where the operator
// chooses.
class ReceptionReportDialog : public QDialog {
    Q_OBJECT

  public:
    ReceptionReportDialog(const std::vector<check::CheckRecord>& history,
                          const std::optional<share::Station>& station, Services& services,
                          QWidget* parent = nullptr);

    // Where to save: a full path, or nothing when the operator cancels. Tests replace it.
    std::function<std::optional<QString>(QWidget* parent, bool html)> choosePath;

    // The report of the ticked Checks in the chosen format.
    std::string report() const;
    // Writes the report to the path; false, after telling the operator why, when it failed.
    bool saveTo(const QString& path);

    void accept() override;

  private:
    bool html() const;

    const std::vector<check::CheckRecord>& history;
    const std::optional<share::Station>& station;
    Services& services;
    QListWidget* frames;
    QComboBox* format;
};

}  // namespace ui
