// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "share/Outbox.h"

namespace share {

// Posts a form to a server and waits for the answer (veskar-decode's way; the dialog sends
// with Qt Network, without waiting).
class Transport {
  public:
    virtual ~Transport() = default;
    virtual HttpResult post(const std::string& url, const std::string& body) = 0;
};

constexpr const char* formContentType = "application/x-www-form-urlencoded";

// The transport this build has (libcurl), or nullptr when it was built without one.
std::unique_ptr<Transport> makeHttpTransport(int timeoutSeconds);

// One attempt of a delivery run, for the operator to read.
struct Attempt {
    Job job;
    HttpResult result;
};

// Sends every job due now to the servers given, one after the other, recording each answer
// as it comes; tells of each attempt. False when the outbox could not be read or written
// (outbox.error()).
struct DeliveryRun {
    std::function<std::time_t()> clock;
    int leaseSeconds;
    std::vector<std::string> urls;
};
bool deliverDue(Outbox& outbox, Transport& transport, const DeliveryRun& run,
                const std::function<void(const Attempt&)>& tell);

// "sent", "refused: HTTP 400: bad frame", "will retry: timed out".
std::string attemptText(const HttpResult& result);

}  // namespace share
