// SPDX-License-Identifier: MIT
// The HTTP transport of veskar-decode, on libcurl. libcurl is loaded when the first frame is
// sent, not when the program starts: it brings some thirty libraries (TLS, Kerberos, LDAP),
// which take more memory than decoding a log of any length, and time to load on every run.
#include <curl/curl.h>
#include <dlfcn.h>

#include <optional>

#include "share/Transport.h"

namespace share {
namespace {

// The functions of libcurl that sending uses, from the library loaded at run time.
struct Curl {
    decltype(&curl_global_init) globalInit;
    decltype(&curl_global_cleanup) globalCleanup;
    decltype(&curl_easy_init) easyInit;
    decltype(&curl_easy_setopt) easySetopt;
    decltype(&curl_easy_perform) easyPerform;
    decltype(&curl_easy_getinfo) easyGetinfo;
    decltype(&curl_easy_strerror) easyStrerror;
    decltype(&curl_easy_cleanup) easyCleanup;
    decltype(&curl_slist_append) slistAppend;
    decltype(&curl_slist_free_all) slistFreeAll;
};

template <typename Function>
bool find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));  // NOLINT: how dlsym is used
    return function != nullptr;
}

// libcurl, loaded once and kept for the run; nothing and why when it cannot be.
const std::optional<Curl>& loadedCurl(std::string& why) {
    static std::string error;
    static const std::optional<Curl> curl = []() -> std::optional<Curl> {
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            error = std::string("libcurl could not be loaded: ") + dlerror();
            return std::nullopt;
        }
        Curl found{};
        if (find(library, "curl_global_init", found.globalInit) &&
            find(library, "curl_global_cleanup", found.globalCleanup) &&
            find(library, "curl_easy_init", found.easyInit) &&
            find(library, "curl_easy_setopt", found.easySetopt) &&
            find(library, "curl_easy_perform", found.easyPerform) &&
            find(library, "curl_easy_getinfo", found.easyGetinfo) &&
            find(library, "curl_easy_strerror", found.easyStrerror) &&
            find(library, "curl_easy_cleanup", found.easyCleanup) &&
            find(library, "curl_slist_append", found.slistAppend) &&
            find(library, "curl_slist_free_all", found.slistFreeAll)) {
            return found;
        }
        error = std::string("libcurl lacks a function: ") + dlerror();
        return std::nullopt;
    }();
    why = error;
    return curl;
}

std::size_t keepBody(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

class CurlTransport : public Transport {
  public:
    explicit CurlTransport(int timeoutSeconds) : timeout(timeoutSeconds) {}
    ~CurlTransport() override {
        if (started) {
            (**library).globalCleanup();
        }
    }
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    HttpResult post(const std::string& url, const std::string& body) override;

  private:
    // Loads and starts libcurl at the first post; false, with why, when it cannot.
    bool start(std::string& why) {
        if (library == nullptr) {
            library = &loadedCurl(why);
        }
        if (!library->has_value()) {
            return false;
        }
        if (!started) {
            started = (**library).globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
            why = started ? "" : "the HTTP library could not start";
        }
        return started;
    }

    long timeout;
    const std::optional<Curl>* library = nullptr;
    bool started = false;
};

HttpResult CurlTransport::post(const std::string& url, const std::string& body) {
    HttpResult result;
    std::string why;
    if (!start(why)) {
        result.error = why;
        return result;
    }
    const Curl& lib = **library;
    CURL* curl = lib.easyInit();
    if (curl == nullptr) {
        result.error = "the HTTP library could not start";
        return result;
    }
    curl_slist* headers =
        lib.slistAppend(nullptr, (std::string("Content-Type: ") + formContentType).c_str());
    lib.easySetopt(curl, CURLOPT_URL, url.c_str());
    lib.easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    lib.easySetopt(curl, CURLOPT_HTTPHEADER, headers);
    lib.easySetopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    lib.easySetopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    lib.easySetopt(curl, CURLOPT_TIMEOUT, timeout);
    lib.easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    lib.easySetopt(curl, CURLOPT_WRITEFUNCTION, keepBody);
    lib.easySetopt(curl, CURLOPT_WRITEDATA, &result.body);
    const std::string agent = "Veskar";
    lib.easySetopt(curl, CURLOPT_USERAGENT, agent.c_str());
    const CURLcode code = lib.easyPerform(curl);
    if (code == CURLE_OK) {
        long status = 0;
        lib.easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        result.status = static_cast<int>(status);
    } else {
        result.error = code == CURLE_OPERATION_TIMEDOUT ? "timed out" : lib.easyStrerror(code);
    }
    lib.slistFreeAll(headers);
    lib.easyCleanup(curl);
    return result;
}

}  // namespace

std::unique_ptr<Transport> makeHttpTransport(int timeoutSeconds) {
    return std::make_unique<CurlTransport>(timeoutSeconds);
}

}  // namespace share
