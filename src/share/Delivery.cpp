// SPDX-License-Identifier: MIT
#include "share/Transport.h"

#include "share/Text.h"

namespace share {

bool deliverDue(Outbox& outbox, Transport& transport, const DeliveryRun& run,
                const std::function<void(const Attempt&)>& tell) {
    const std::optional<std::vector<Job>> jobs =
        outbox.takeDue(run.clock(), run.leaseSeconds, run.urls);
    if (!jobs) {
        return false;
    }
    for (const Job& job : *jobs) {
        const HttpResult result = transport.post(job.url, job.body);
        if (!outbox.record(job, result, run.clock())) {
            return false;
        }
        tell({job, result});
    }
    return true;
}

std::string attemptText(const HttpResult& result) {
    if (result.status >= 200 && result.status <= 299) {
        return "sent";
    }
    std::string said = result.status != 0 ? "HTTP " + std::to_string(result.status) : result.error;
    if (result.status != 0 && !result.body.empty()) {
        said += ": " + oneLine(result.body.substr(0, 200));
    }
    const bool refused = result.status >= 400 && result.status <= 499 && result.status != 408 &&
                         result.status != 429;
    return (refused ? "refused: " : "will retry: ") + said;
}

}  // namespace share
