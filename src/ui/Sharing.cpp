// SPDX-License-Identifier: MIT
#include "ui/Sharing.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include "Version.h"
#include "share/SidsForm.h"
#include "share/StationFile.h"
#include "share/Transport.h"
#include "ui/Services.h"
#include "ui/StationDialog.h"
#include "ui/StationSettings.h"

namespace ui {
namespace {

constexpr int leaseMargin = 40;  // seconds beyond the timeout before a lost job is due again

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

share::HttpResult resultOf(QNetworkReply* reply) {
    share::HttpResult result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.status = status.isValid() ? status.toInt() : 0;
    result.body = reply->readAll().toStdString();
    if (result.status == 0) {
        result.error = reply->error() == QNetworkReply::OperationCanceledError
                           ? std::string("timed out")
                           : reply->errorString().toStdString();
    }
    return result;
}

}  // namespace

Sharing::Sharing(Services& services, QWidget* window)
    : QObject(window),
      services(services),
      window(window),
      outbox(share::defaultOutboxPath()),
      network(new QNetworkAccessManager(this)),
      retry(new QTimer(this)) {
    retry->setSingleShot(true);
    connect(retry, &QTimer::timeout, this, &Sharing::deliverDue);
    QString problem;
    current = loadSavedStation(problem);
    if (!problem.isEmpty()) {
        services.showWarning(window, QStringLiteral("The saved station cannot be used; nothing "
                                                    "is sent until it is saved again.\n\n") +
                                         problem);
    }
    // Frames left from an earlier run go out once the dialog is up.
    QTimer::singleShot(0, this, &Sharing::deliverDue);
}

void Sharing::takeCheck(const check::CheckRecord& record) {
    last = record;
    if (current && current->sendEveryCheck) {
        queue(record, false);
    }
}

void Sharing::sendLast() {
    if (!current) {
        services.showMessage(window, QStringLiteral("Set up the station first: window menu, "
                                                    "Station…"));
        return;
    }
    if (!last) {
        services.showMessage(window, QStringLiteral("There is no Check to send yet."));
        return;
    }
    queue(*last, true);
}

// The operator hears why a frame is not sent when they asked to send it.
bool Sharing::queue(const check::CheckRecord& record, bool operatorAsked) {
    const std::vector<std::string> urls = current->enabledUrls();
    const share::SidsResult result = share::sidsForm(*current, record, VESKAR_VERSION);
    if (urls.empty() || !result.form) {
        const QString why = urls.empty() ? QStringLiteral(
                                               "no telemetry server is ticked in the "
                                               "Station dialog")
                                         : text(result.notSent);
        if (operatorAsked) {
            services.showMessage(window, QStringLiteral("This frame is not sent: %1.").arg(why));
        }
        status = QStringLiteral("Not sent: %1").arg(why);
        emit statusChanged(status, status);
        return false;
    }
    if (!outbox.queue({*result.form}, urls, services.now())) {
        outboxFailed();
        return false;
    }
    deliverDue();
    return true;
}

void Sharing::deliverDue() {
    const std::vector<std::string> urls =
        current ? current->enabledUrls() : std::vector<std::string>{};
    const std::optional<std::vector<share::Job>> jobs =
        outbox.takeDue(services.now(), timeout / 1000 + leaseMargin, urls);
    if (!jobs) {
        outboxFailed();
        return;
    }
    for (const share::Job& job : *jobs) {
        post(job);
    }
    updateStatus();
}

void Sharing::post(const share::Job& job) {
    QNetworkRequest request(QUrl(text(job.url)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(share::formContentType));
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("Veskar"));
    request.setTransferTimeout(timeout);
    QNetworkReply* reply = network->post(request, QByteArray::fromStdString(job.body));
    ++inFlight;
    connect(reply, &QNetworkReply::finished, this, [this, reply, job] { answered(reply, job); });
}

void Sharing::answered(QNetworkReply* reply, const share::Job& job) {
    reply->deleteLater();
    --inFlight;
    const share::HttpResult result = resultOf(reply);
    if (!outbox.record(job, result, services.now())) {
        outboxFailed();
        return;
    }
    const bool refused = result.status >= 400 && result.status <= 499 && result.status != 408 &&
                         result.status != 429;
    if (refused) {
        services.showWarning(window, QStringLiteral("%1 refused the frame %2 heard at %3:\n\n%4")
                                         .arg(text(job.url), text(job.frame), text(job.timestamp),
                                              text(share::attemptText(result))));
    }
    updateStatus();
}

void Sharing::updateStatus() {
    const std::optional<share::OutboxTally> tally = outbox.tally();
    if (!tally) {
        outboxFailed();
        return;
    }
    const bool nothingYet = tally->sent + tally->waiting + tally->refused == 0;
    status = QStringLiteral("Sent %1, queued %2, failed %3")
                 .arg(tally->sent)
                 .arg(tally->waiting)
                 .arg(tally->refused);
    if (nothingYet) {
        status = current ? QStringLiteral("Nothing sent yet") : QString();
    }
    QString details = status;
    if (!tally->lastProblem.empty()) {
        details += QStringLiteral("\nLast problem: ") + text(tally->lastProblem);
    }
    if (inFlight == 0 && tally->nextAttempt) {
        const std::time_t wait = *tally->nextAttempt - services.now();
        retry->start(static_cast<int>(std::clamp<std::time_t>(wait, 1, 3600)) * 1000);
    }
    emit statusChanged(status, details);
}

void Sharing::outboxFailed() {
    status = QStringLiteral("Outbox unusable");
    emit statusChanged(status, text(outbox.error()));
    services.showError(window, QStringLiteral("Frames cannot be queued or sent.\n\n%1\n\nThe "
                                              "Checks stay in the result; nothing was sent.")
                                   .arg(text(outbox.error())));
}

void Sharing::editStation() {
    StationDialog dialog(current, window);
    if (dialog.exec() != QDialog::Accepted || !dialog.station()) {
        return;
    }
    current = dialog.station();
    QString problem;
    if (!saveStation(*current, problem)) {
        services.showError(window, problem + QStringLiteral("\n\nThe station is used until "
                                                            "Veskar ends."));
    }
    deliverDue();  // a server ticked again gets what waited for it
}

}  // namespace ui
