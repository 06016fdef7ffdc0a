// SPDX-License-Identifier: MIT
#pragma once

// A small HTTP server for tests, on 127.0.0.1 only, at a port the system picks. It records
// every request and answers each with the next scripted reply (200 "OK" when none is left).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
  public:
    struct Reply {
        int status = 200;
        std::string body = "OK";
        int delayMilliseconds = 0;  // to make a client time out
    };
    struct Request {
        std::string method;
        std::string target;
        std::string headers;  // as received, lower-cased names
        std::string body;
    };

    LocalHttpServer() { start(0); }
    ~LocalHttpServer() { stop(); }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string url(const std::string& path = "/telemetry/") const {
        return "http://127.0.0.1:" + std::to_string(port) + path;
    }
    void script(std::vector<Reply> replies) {
        std::lock_guard lock(mutex);
        this->replies.assign(replies.begin(), replies.end());
    }
    std::vector<Request> requests() {
        std::lock_guard lock(mutex);
        return received;
    }

    // Down: nothing listens at the port any more. Up again: the same port listens.
    void stop() {
        running = false;
        if (worker.joinable()) {
            worker.join();
        }
        if (listener >= 0) {
            ::close(listener);
            listener = -1;
        }
    }
    void restart() { start(port); }

  private:
    void start(int wanted) {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        const int yes = 1;
        ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(wanted));
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener, 8) != 0) {
            throw std::runtime_error("the test server cannot listen on 127.0.0.1");
        }
        socklen_t length = sizeof address;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        running = true;
        worker = std::thread([this] { serve(); });
    }

    void serve() {
        while (running) {
            pollfd waiting{listener, POLLIN, 0};
            if (::poll(&waiting, 1, 20) <= 0) {
                continue;
            }
            const int connection = ::accept(listener, nullptr, nullptr);
            if (connection >= 0) {
                answer(connection);
                ::close(connection);
            }
        }
    }

    static bool readMore(int connection, std::string& data) {
        pollfd waiting{connection, POLLIN, 0};
        if (::poll(&waiting, 1, 2000) <= 0) {
            return false;
        }
        char buffer[4096];
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return false;
        }
        data.append(buffer, static_cast<std::size_t>(got));
        return true;
    }

    void answer(int connection) {
        std::string data;
        while (data.find("\r\n\r\n") == std::string::npos) {
            if (!readMore(connection, data)) {
                return;
            }
        }
        const std::size_t headerEnd = data.find("\r\n\r\n") + 4;
        Request request;
        request.method = data.substr(0, data.find(' '));
        request.target = data.substr(data.find(' ') + 1,
                                     data.find(' ', data.find(' ') + 1) - data.find(' ') - 1);
        request.headers = data.substr(0, headerEnd);
        for (char& c : request.headers) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        std::size_t length = 0;
        const std::size_t at = request.headers.find("content-length:");
        if (at != std::string::npos) {
            length = std::stoul(request.headers.substr(at + 15));
        }
        while (data.size() < headerEnd + length) {
            if (!readMore(connection, data)) {
                return;
            }
        }
        request.body = data.substr(headerEnd, length);
        Reply reply;
        {
            std::lock_guard lock(mutex);
            received.push_back(request);
            if (!replies.empty()) {
                reply = replies.front();
                replies.pop_front();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMilliseconds));
        const std::string response = "HTTP/1.1 " + std::to_string(reply.status) +
                                     " Status\r\nContent-Type: text/plain\r\nContent-Length: " +
                                     std::to_string(reply.body.size()) +
                                     "\r\nConnection: close\r\n\r\n" + reply.body;
        ::send(connection, response.data(), response.size(), MSG_NOSIGNAL);
    }

    int listener = -1;
    int port = 0;
    std::atomic<bool> running{false};
    std::thread worker;
    std::mutex mutex;
    std::deque<Reply> replies;
    std::vector<Request> received;
};
