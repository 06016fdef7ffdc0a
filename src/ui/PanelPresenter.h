// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <array>
#include <functional>
#include <vector>

#include "check/CheckOperation.h"
#include "check/FrameSummary.h"
#include "check/Session.h"

class QLineEdit;

namespace ui {

class InfoPanel;

// Feeds the information panel: the items of the last Check, or, while an entry box has the
// focus, that field decoded as it stands, on every keystroke. It also marks an entry box
// whose text cannot be a clean number of its width, or that was left incomplete, and says
// how it will be read. Previews decode a copy of the program state, never the state itself.
//
// The panel's colours follow the built-in eclipse setting unless the operator switches the
// panel's view to daylight; the report and the program state keep the built-in setting.
class PanelPresenter : public QObject {
    Q_OBJECT

  public:
    using Boxes = std::array<QLineEdit*, check::fieldCount>;

    PanelPresenter(InfoPanel* panel, const Boxes& boxes, const check::Session& session,
                   QObject* parent);

    void showCheck(const check::CheckOutcome& outcome);

    // Called once each time a box becomes marked, with the hint ("H0 8G read as 08").
    std::function<void(QLineEdit* box, const QString& hint)> onMarked;

  private:
    void focusMoved(QWidget* before, QWidget* now);
    void boxChanged(std::size_t field);
    void showLastCheck();
    void showPreview(std::size_t field);
    void markBox(std::size_t field);
    void setDaylightView(bool daylight);
    check::FrameTexts boxTexts() const;
    int fieldOf(const QWidget* widget) const;

    InfoPanel* panel;
    Boxes boxes;
    const check::Session& session;
    std::vector<check::SummaryLine> lastCheck;
    check::FrameTexts lastCheckTexts;
    bool daylightView = false;
    std::array<bool, check::fieldCount> isMarked{};
};

}  // namespace ui
