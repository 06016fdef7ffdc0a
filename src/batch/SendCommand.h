// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "check/CheckOperation.h"

namespace batch {

// veskar-decode --send: the frames of the logs forwarded to the station's telemetry servers
// through the outbox, or with dryRun only shown as the requests that would be made.
struct SendOptions {
    bool dryRun = false;
    std::optional<std::string> stationFile;  // the dialog's settings when not given
    std::vector<std::string> logs;
};

// Where the logs come from: decodes each into the decoder given.
class BatchDecoder;
using LogReader = bool (*)(const std::vector<std::string>& logs, BatchDecoder& decoder);

// The exit status: 0 when every frame was sent (or shown), 1 when a line was skipped, a
// frame could not be sent, a server refused one or one still waits in the outbox, 2 when
// the station, a log or the outbox could not be used.
int runSend(const SendOptions& options, LogReader readLogs, std::ostream& out, std::ostream& errors,
            const check::Clock& clock);

}  // namespace batch
