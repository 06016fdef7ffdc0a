// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <array>
#include <vector>

#include "check/CheckOperation.h"
#include "check/FrameSummary.h"
#include "check/Session.h"

class QLineEdit;

namespace ui {

class InfoPanel;

// Feeds the information panel: the items of the last Check, or, while an entry box has the
// focus, that field decoded as it stands, on every keystroke. It also marks an entry box
// whose text is not a clean number of its width and says how it will be read. Previews
// decode a copy of the program state, never the state itself.
class PanelPresenter : public QObject {
    Q_OBJECT

  public:
    using Boxes = std::array<QLineEdit*, check::fieldCount>;

    PanelPresenter(InfoPanel* panel, const Boxes& boxes, const check::Session& session,
                   QObject* parent);

    void showCheck(const check::CheckOutcome& outcome);

  private:
    void focusMoved(QWidget* now);
    void boxChanged(std::size_t field);
    void showLastCheck();
    void showPreview(std::size_t field);
    void markBox(std::size_t field);
    check::FrameTexts boxTexts() const;
    int fieldOf(const QWidget* widget) const;

    InfoPanel* panel;
    Boxes boxes;
    const check::Session& session;
    std::vector<check::SummaryLine> lastCheck;
    std::array<bool, check::fieldCount> isMarked{};
};

}  // namespace ui
