// SPDX-License-Identifier: MIT
#include "batch/SendCommand.h"

#include <ostream>

#include "Version.h"
#include "batch/BatchDecoder.h"
#include "share/Outbox.h"
#include "share/SidsForm.h"
#include "share/StationFile.h"
#include "share/Transport.h"

namespace batch {
namespace {

constexpr int timeoutSeconds = 20;
constexpr int leaseSeconds = timeoutSeconds + 40;

// Turns each Check into the form the servers take; says why a frame is not sent.
class FormCollector : public check::FrameWriter {
  public:
    FormCollector(const share::Station& station, std::ostream& errors)
        : station(station), errors(errors) {}

    void frame(const check::CheckRecord& record, std::string& /*out*/) override {
        share::SidsResult result = share::sidsForm(station, record, VESKAR_VERSION);
        if (result.form && !decoder->frameHasItsTime()) {
            result = {std::nullopt,
                      "the line gives no time, and the frame is sent with the "
                      "time it was heard"};
        }
        if (!result.form) {
            errors << record.origin.name << ':' << record.origin.line
                   << ": not sent: " << result.notSent << '\n';
            ++notSent;
            return;
        }
        forms.push_back(std::move(*result.form));
    }

    std::vector<share::SidsForm> forms;
    long notSent = 0;
    const BatchDecoder* decoder = nullptr;  // the decoder this writes for, once it exists

  private:
    const share::Station& station;
    std::ostream& errors;
};

void showRequests(const share::Station& station, const std::vector<share::SidsForm>& forms,
                  std::ostream& out) {
    std::vector<std::string> urls = station.enabledUrls();
    if (urls.empty()) {
        urls.emplace_back("(no server enabled yet)");
    }
    for (const share::SidsForm& form : forms) {
        out << "# " << form.timestamp << ' ' << form.frame << '\n';
        for (const std::string& url : urls) {
            out << "POST " << url << "\nContent-Type: " << share::formContentType << "\n\n"
                << share::formBody(form.fields) << "\n\n";
        }
    }
}

std::optional<share::Station> stationOf(const SendOptions& options, std::ostream& errors) {
    const std::string path = options.stationFile.value_or(share::defaultStationPath());
    const share::LoadedStation loaded = share::loadStation(path);
    for (const std::string& problem : loaded.problems) {
        errors << "veskar-decode: " << problem << '\n';
    }
    if (!loaded.station && !options.stationFile) {
        errors << "veskar-decode: no station is set up: save one in Veskar's Station dialog, "
                  "or give --station FILE\n";
    }
    return loaded.station;
}

// Queues the frames and sends everything due in the outbox; tells of each attempt.
int forward(const share::Station& station, const std::vector<share::SidsForm>& forms,
            std::ostream& out, std::ostream& errors, const check::Clock& clock) {
    const std::unique_ptr<share::Transport> transport = share::makeHttpTransport(timeoutSeconds);
    if (!transport) {
        errors << "veskar-decode: this build has no HTTP transport (it was built without "
                  "libcurl); only --send --dry-run works\n";
        return 2;
    }
    share::Outbox outbox(share::defaultOutboxPath());
    const auto queued = outbox.queue(forms, station.enabledUrls(), clock());
    if (!queued) {
        errors << "veskar-decode: " << outbox.error() << '\n';
        return 2;
    }
    const auto tell = [&out](const share::Attempt& attempt) {
        out << attempt.job.timestamp << ' ' << attempt.job.frame << " -> " << attempt.job.url
            << ": " << share::attemptText(attempt.result) << '\n';
    };
    const share::DeliveryRun run{clock, leaseSeconds, station.enabledUrls()};
    if (!share::deliverDue(outbox, *transport, run, tell)) {
        errors << "veskar-decode: " << outbox.error() << '\n';
        return 2;
    }
    const auto tally = outbox.tally();
    if (!tally) {
        errors << "veskar-decode: " << outbox.error() << '\n';
        return 2;
    }
    out << "outbox " << outbox.path() << ": " << tally->waiting << " waiting, " << tally->sent
        << " sent, " << tally->refused << " refused";
    if (queued->alreadyThere > 0) {
        out << "; " << queued->alreadyThere << " of this run's frames were there already";
    }
    out << '\n';
    return tally->waiting > 0 || tally->refused > 0 ? 1 : 0;
}

}  // namespace

int runSend(const SendOptions& options, LogReader readLogs, std::ostream& out, std::ostream& errors,
            const check::Clock& clock) {
    const std::optional<share::Station> station = stationOf(options, errors);
    if (!station) {
        return 2;
    }
    if (!options.dryRun && station->enabledUrls().empty()) {
        errors << "veskar-decode: no telemetry server is enabled for the station\n";
        return 2;
    }
    auto collector = std::make_unique<FormCollector>(*station, errors);
    FormCollector& forms = *collector;
    BatchDecoder batch(std::move(collector), out, errors, clock);
    forms.decoder = &batch;
    const bool allRead = readLogs(options.logs, batch);
    batch.finish();

    int status = 0;
    if (options.dryRun) {
        showRequests(*station, forms.forms, out);
    } else {
        status = forward(*station, forms.forms, out, errors, clock);
    }
    if (!allRead || status == 2) {
        return 2;
    }
    const bool allSent = batch.skippedLines() == 0 && forms.notSent == 0 && status == 0;
    return allSent ? 0 : 1;
}

}  // namespace batch
