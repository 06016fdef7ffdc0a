// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "share/SidsForm.h"

namespace share {

// What became of a frame at one server.
enum class DeliveryState { Waiting, Sent, Refused };

struct Delivery {
    std::string url;
    DeliveryState state = DeliveryState::Waiting;
    int attempts = 0;             // failed attempts so far
    std::time_t nextAttempt = 0;  // not before this time
    std::string message;          // the last failure, or the server's refusal
};

// A frame waiting in the outbox, with its delivery to each server enabled when it was queued.
struct OutboxEntry {
    long id = 0;
    std::time_t queued = 0;
    std::string timestamp;  // when it was heard, as the form gives it
    std::string frame;      // "VOKA 86 A6 ..."
    std::string body;       // the form, encoded
    std::vector<Delivery> deliveries;
};

// One POST to make: the frame's body to one server.
struct Job {
    long id = 0;
    std::string url;
    std::string body;
    std::string frame;
    std::string timestamp;
};

// A server's answer: its HTTP status (0 when none came) and body, or the transport's error.
struct HttpResult {
    int status = 0;
    std::string body;
    std::string error;  // "timed out", "connection refused", ...
};

// Frames by their state, for the status line: a frame waits while any server has not
// taken it yet, is refused when a server refused it, sent when every server took it.
struct OutboxTally {
    int waiting = 0;
    int sent = 0;
    int refused = 0;
    std::string lastProblem;  // the newest refusal or failure, in words
    std::optional<std::time_t> nextAttempt;
};

// How long to wait after the n-th failure: one minute, doubling up to an hour.
int backoffSeconds(int failures);

// The frames to be sent, kept on disk until every server they were queued for took them.
// Each change locks the file, reads it afresh, changes it and replaces it whole (a new file
// renamed over the old), so a crash leaves either the old or the new outbox, and the dialog
// and veskar-decode can share it. A job handed out is leased, not lost: if its answer never
// comes back (a crash), it is due again once the lease runs out.
class Outbox {
  public:
    explicit Outbox(std::string path);

    // Adds the frames for the servers; a frame already in the outbox (same time and frame)
    // is not added twice. Fully sent entries older than 30 days are dropped.
    struct Added {
        int added = 0;
        int alreadyThere = 0;
    };
    std::optional<Added> queue(const std::vector<SidsForm>& forms,
                               const std::vector<std::string>& urls, std::time_t now);

    // The jobs due at now for the servers given (the ones the operator still sends to),
    // leased for leaseSeconds. Frames for other servers wait until these are given again.
    std::optional<std::vector<Job>> takeDue(std::time_t now, int leaseSeconds,
                                            const std::vector<std::string>& urls);

    // What the server answered: 2xx sent; 4xx (but 408 and 429) refused, with the server's
    // message, and not tried again; anything else waits for the next attempt with backoff.
    bool record(const Job& job, const HttpResult& result, std::time_t now);

    std::optional<std::vector<OutboxEntry>> entries();
    std::optional<OutboxTally> tally();

    // Why the last call failed: the file's name and the reason.
    const std::string& error() const { return failure; }
    const std::string& path() const { return file; }

  private:
    using Change = std::function<void(std::vector<OutboxEntry>&, long& nextId)>;
    // Nothing is created on disk until a frame is queued.
    enum class Access { Read, Change, Create };
    bool update(const Change& change, Access access);
    bool load(std::vector<OutboxEntry>& entries, long& nextId);
    bool save(const std::vector<OutboxEntry>& entries, long nextId);
    bool fail(const std::string& reason);

    std::string file;
    std::string failure;
};

}  // namespace share
