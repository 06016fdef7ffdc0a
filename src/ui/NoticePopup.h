// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QTimer>

namespace ui {

// A short notice in a tool-tip window beside a control. Each showing gets the full display
// time, also when the same notice comes again while it is up (a tool tip with an unchanged
// text keeps its earlier timer and vanishes early).
class NoticePopup : public QLabel {
  public:
    static constexpr int displayMilliseconds = 8000;

    explicit NoticePopup(QWidget* parent = nullptr);

    void showNear(QWidget* near, const QString& text);
    // How long the notice stays up from now; 0 when it is hidden.
    int remainingMilliseconds() const;

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QTimer expiry;
};

}  // namespace ui
