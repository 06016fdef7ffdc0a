// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "check/CheckOperation.h"
#include "share/Outbox.h"
#include "share/Station.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;
class QWidget;

namespace ui {

class CBeaconDialog;
class Services;

// Sharing what was heard, for the main dialog: the station, sending Checks to the telemetry
// servers through the outbox (asynchronously with Qt Network, so the dialog never waits),
// and the reception report. Nothing is sent unless a station is set up and the operator
// sends (the Send item) or chose to send every Check.
class Sharing : public QObject {
    Q_OBJECT

  public:
    Sharing(Services& services, QWidget* window);

    // Every Check of the dialog; sent at once when the station says so.
    void takeCheck(const check::CheckRecord& record);
    // Queues the last Check and sends what is due.
    void sendLast();
    // The Station dialog; the station is kept once the operator saves it.
    void editStation();
    // Sends every job due now; the answers come back later.
    void deliverDue();

    const std::optional<share::Station>& station() const { return current; }
    QString statusText() const { return status; }
    // How long a server may take to answer, in milliseconds.
    void setTimeout(int milliseconds) { timeout = milliseconds; }
    int pendingReplies() const { return inFlight; }

  signals:
    // The status line: counts, and the latest problem in words.
    void statusChanged(const QString& text, const QString& details);

  private:
    bool queue(const check::CheckRecord& record, bool operatorAsked);
    void post(const share::Job& job);
    void answered(QNetworkReply* reply, const share::Job& job);
    void updateStatus();
    void outboxFailed();

    Services& services;
    QWidget* window;
    std::optional<share::Station> current;
    std::optional<check::CheckRecord> last;
    share::Outbox outbox;
    QNetworkAccessManager* network;
    QTimer* retry;
    QString status;
    int timeout = 20000;
    int inFlight = 0;
};

// Wires sharing into the main dialog: "Station…", "Send" (F9) and "Reception report…" in the
// window menu, each Check to the sender, and the status line into the information panel.
Sharing* attachSharing(CBeaconDialog& dialog, Services& services);

}  // namespace ui
