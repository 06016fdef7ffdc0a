// SPDX-License-Identifier: MIT
#include "share/Outbox.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "share/AtomicFile.h"
#include "share/Text.h"

namespace share {
namespace {

constexpr std::string_view header = "veskar-outbox 1";
constexpr std::time_t keepSentFor = std::time_t{30} * 24 * 3600;
constexpr std::size_t longestMessage = 300;

// Holds an exclusive lock on a file beside the outbox while it lives.
class FileLock {
  public:
    explicit FileLock(const std::string& path)
        : descriptor(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (descriptor >= 0 && ::flock(descriptor, LOCK_EX) != 0) {
            ::close(descriptor);
            descriptor = -1;
        }
    }
    ~FileLock() {
        if (descriptor >= 0) {
            ::close(descriptor);  // releases the lock
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return descriptor >= 0; }

  private:
    int descriptor;
};

// Texts in the file are one field of a tab-separated line: '%', tab and line ends escaped.
std::string escaped(std::string_view text) {
    std::string result;
    for (const char c : text) {
        switch (c) {
            case '%':
                result += "%25";
                break;
            case '\t':
                result += "%09";
                break;
            case '\n':
                result += "%0A";
                break;
            case '\r':
                result += "%0D";
                break;
            default:
                result += c;
        }
    }
    return result;
}

std::string unescaped(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned byte = 0;
        if (text[i] == '%' && i + 2 < text.size() + 0 &&
            std::from_chars(text.data() + i + 1, text.data() + i + 3, byte, 16).ptr ==
                text.data() + i + 3) {
            result += static_cast<char>(byte);
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
         tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

template <class T>
bool numberOf(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

const char* stateName(DeliveryState state) {
    switch (state) {
        case DeliveryState::Sent:
            return "sent";
        case DeliveryState::Refused:
            return "refused";
        case DeliveryState::Waiting:
            break;
    }
    return "waiting";
}

std::optional<DeliveryState> stateOf(std::string_view name) {
    constexpr std::array<DeliveryState, 3> states{DeliveryState::Waiting, DeliveryState::Sent,
                                                  DeliveryState::Refused};
    const auto found = std::find_if(states.begin(), states.end(), [name](DeliveryState state) {
        return name == stateName(state);
    });
    return found != states.end() ? std::optional(*found) : std::nullopt;
}

// "frame ID QUEUED TIMESTAMP FRAME BODY"
bool readEntry(const std::vector<std::string_view>& fields, OutboxEntry& entry) {
    if (fields.size() != 6) {
        return false;
    }
    long long queued = 0;
    entry.timestamp = unescaped(fields[3]);
    entry.frame = unescaped(fields[4]);
    entry.body = unescaped(fields[5]);
    const bool read = numberOf(fields[1], entry.id) && numberOf(fields[2], queued);
    entry.queued = static_cast<std::time_t>(queued);
    return read;
}

// "to STATE ATTEMPTS NEXT URL MESSAGE"
bool readDelivery(const std::vector<std::string_view>& fields, Delivery& delivery) {
    if (fields.size() != 6) {
        return false;
    }
    const std::optional<DeliveryState> state = stateOf(fields[1]);
    long long next = 0;
    delivery.url = unescaped(fields[4]);
    delivery.message = unescaped(fields[5]);
    delivery.state = state.value_or(DeliveryState::Waiting);
    const bool read = state && numberOf(fields[2], delivery.attempts) && numberOf(fields[3], next);
    delivery.nextAttempt = static_cast<std::time_t>(next);
    return read;
}

void writeEntries(std::ostream& out, const std::vector<OutboxEntry>& entries, long nextId) {
    out << header << "\nnext\t" << nextId << '\n';
    for (const OutboxEntry& entry : entries) {
        out << "frame\t" << entry.id << '\t' << static_cast<long long>(entry.queued) << '\t'
            << escaped(entry.timestamp) << '\t' << escaped(entry.frame) << '\t'
            << escaped(entry.body) << '\n';
        for (const Delivery& delivery : entry.deliveries) {
            out << "to\t" << stateName(delivery.state) << '\t' << delivery.attempts << '\t'
                << static_cast<long long>(delivery.nextAttempt) << '\t' << escaped(delivery.url)
                << '\t' << escaped(delivery.message) << '\n';
        }
    }
}

bool fullySent(const OutboxEntry& entry) {
    return std::all_of(entry.deliveries.begin(), entry.deliveries.end(),
                       [](const Delivery& d) { return d.state == DeliveryState::Sent; });
}

// The server's own words, on one line and not too long.
std::string serverMessage(const HttpResult& result) {
    std::string message = "HTTP " + std::to_string(result.status);
    const std::string said(trimmed(oneLine(result.body.substr(0, longestMessage))));
    if (!said.empty()) {
        message += ": " + said;
    }
    return message;
}

bool isRefusal(int status) {
    return status >= 400 && status <= 499 && status != 408 && status != 429;
}

}  // namespace

int backoffSeconds(int failures) {
    int seconds = 60;
    for (int i = 1; i < failures && seconds < 3600; ++i) {
        seconds *= 2;
    }
    return std::min(seconds, 3600);
}

Outbox::Outbox(std::string path) : file(std::move(path)) {}

bool Outbox::fail(const std::string& reason) {
    failure = "outbox " + file + ": " + reason;
    return false;
}

bool Outbox::load(std::vector<OutboxEntry>& entries, long& nextId) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) {
            return true;  // an empty outbox
        }
        return fail(std::strerror(errno));
    }
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        const std::vector<std::string_view> fields = fieldsOf(line);
        bool read = true;
        if (number == 1) {
            read = line == header;
        } else if (fields[0] == "next") {
            read = fields.size() == 2 && numberOf(fields[1], nextId);
        } else if (fields[0] == "frame") {
            read = readEntry(fields, entries.emplace_back());
        } else if (fields[0] == "to" && !entries.empty()) {
            read = readDelivery(fields, entries.back().deliveries.emplace_back());
        } else {
            read = false;
        }
        if (!read) {
            return fail("line " + std::to_string(number) +
                        " is damaged; the file was left as it is");
        }
    }
    if (in.bad()) {
        return fail("reading failed");
    }
    return true;
}

bool Outbox::save(const std::vector<OutboxEntry>& entries, long nextId) {
    AtomicFile out(file);
    if (!out.isOpen()) {
        return fail(out.error());
    }
    writeEntries(out.stream(), entries, nextId);
    return out.commit() || fail(out.error());
}

bool Outbox::update(const Change& change, Access access) {
    failure.clear();
    std::error_code folderError;
    if (access != Access::Create && !std::filesystem::exists(file, folderError) && !folderError) {
        std::vector<OutboxEntry> none;
        long nextId = 1;
        change(none, nextId);
        return true;
    }
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), folderError);
    if (folderError) {
        return fail("cannot create its folder: " + folderError.message());
    }
    const FileLock lock(file + ".lock");
    if (!lock.held()) {
        return fail(std::string("cannot lock it: ") + std::strerror(errno));
    }
    std::vector<OutboxEntry> stored;
    long nextId = 1;
    if (!load(stored, nextId)) {
        return false;
    }
    change(stored, nextId);
    return access == Access::Read || save(stored, nextId);
}

std::optional<Outbox::Added> Outbox::queue(const std::vector<SidsForm>& forms,
                                           const std::vector<std::string>& urls, std::time_t now) {
    Added added;
    const bool done = update(
        [&](std::vector<OutboxEntry>& entries, long& nextId) {
            std::erase_if(entries, [now](const OutboxEntry& entry) {
                return fullySent(entry) && entry.queued + keepSentFor < now;
            });
            for (const SidsForm& form : forms) {
                const bool there =
                    std::any_of(entries.begin(), entries.end(), [&form](const OutboxEntry& entry) {
                        return entry.timestamp == form.timestamp && entry.frame == form.frame;
                    });
                if (there) {
                    ++added.alreadyThere;
                    continue;
                }
                OutboxEntry& entry = entries.emplace_back();
                entry = {nextId++, now, form.timestamp, form.frame, formBody(form.fields), {}};
                for (const std::string& url : urls) {
                    entry.deliveries.push_back({url, DeliveryState::Waiting, 0, now, {}});
                }
                ++added.added;
            }
        },
        Access::Create);
    return done ? std::optional<Added>(added) : std::nullopt;
}

std::optional<std::vector<Job>> Outbox::takeDue(std::time_t now, int leaseSeconds,
                                                const std::vector<std::string>& urls) {
    std::vector<Job> jobs;
    const bool done = update(
        [&](std::vector<OutboxEntry>& entries, long&) {
            for (OutboxEntry& entry : entries) {
                for (Delivery& delivery : entry.deliveries) {
                    const bool sendingThere =
                        std::find(urls.begin(), urls.end(), delivery.url) != urls.end();
                    if (delivery.state == DeliveryState::Waiting && delivery.nextAttempt <= now &&
                        sendingThere) {
                        delivery.nextAttempt = now + leaseSeconds;
                        jobs.push_back(
                            {entry.id, delivery.url, entry.body, entry.frame, entry.timestamp});
                    }
                }
            }
        },
        Access::Change);
    return done ? std::optional<std::vector<Job>>(std::move(jobs)) : std::nullopt;
}

bool Outbox::record(const Job& job, const HttpResult& result, std::time_t now) {
    return update(
        [&](std::vector<OutboxEntry>& entries, long&) {
            for (OutboxEntry& entry : entries) {
                if (entry.id != job.id) {
                    continue;
                }
                for (Delivery& delivery : entry.deliveries) {
                    if (delivery.url != job.url || delivery.state != DeliveryState::Waiting) {
                        continue;
                    }
                    if (result.status >= 200 && result.status <= 299) {
                        delivery.state = DeliveryState::Sent;
                        delivery.message.clear();
                    } else if (isRefusal(result.status)) {
                        delivery.state = DeliveryState::Refused;
                        delivery.message = serverMessage(result);
                    } else {
                        ++delivery.attempts;
                        delivery.nextAttempt = now + backoffSeconds(delivery.attempts);
                        delivery.message =
                            result.status != 0 ? serverMessage(result) : result.error;
                    }
                }
            }
        },
        Access::Change);
}

std::optional<std::vector<OutboxEntry>> Outbox::entries() {
    std::vector<OutboxEntry> all;
    const bool done = update(
        [&all](std::vector<OutboxEntry>& stored, long&) { all = std::move(stored); }, Access::Read);
    return done ? std::optional<std::vector<OutboxEntry>>(std::move(all)) : std::nullopt;
}

std::optional<OutboxTally> Outbox::tally() {
    const std::optional<std::vector<OutboxEntry>> all = entries();
    if (!all) {
        return std::nullopt;
    }
    OutboxTally tally;
    for (const OutboxEntry& entry : *all) {
        bool waiting = false;
        bool refused = false;
        for (const Delivery& delivery : entry.deliveries) {
            waiting = waiting || delivery.state == DeliveryState::Waiting;
            refused = refused || delivery.state == DeliveryState::Refused;
            if (delivery.state == DeliveryState::Waiting &&
                (!tally.nextAttempt || delivery.nextAttempt < *tally.nextAttempt)) {
                tally.nextAttempt = delivery.nextAttempt;
            }
            if (!delivery.message.empty() && delivery.state != DeliveryState::Sent) {
                tally.lastProblem = delivery.url + ": " + delivery.message;
            }
        }
        tally.refused += refused ? 1 : 0;
        tally.waiting += waiting && !refused ? 1 : 0;
        tally.sent += fullySent(entry) ? 1 : 0;
    }
    return tally;
}

}  // namespace share
