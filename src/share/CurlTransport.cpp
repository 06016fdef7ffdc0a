// SPDX-License-Identifier: MIT
// The HTTP transport of veskar-decode, on libcurl.
#include <curl/curl.h>

#include "share/Transport.h"

namespace share {
namespace {

std::size_t keepBody(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

class CurlTransport : public Transport {
  public:
    explicit CurlTransport(int timeoutSeconds) : timeout(timeoutSeconds) {
        curl_global_init(CURL_GLOBAL_DEFAULT);
    }
    ~CurlTransport() override { curl_global_cleanup(); }
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    HttpResult post(const std::string& url, const std::string& body) override;

  private:
    long timeout;
};

HttpResult CurlTransport::post(const std::string& url, const std::string& body) {
    HttpResult result;
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        result.error = "the HTTP library could not start";
        return result;
    }
    curl_slist* headers =
        curl_slist_append(nullptr, (std::string("Content-Type: ") + formContentType).c_str());
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeout);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
    const std::string agent = "Veskar";
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        result.status = static_cast<int>(status);
    } else {
        result.error = code == CURLE_OPERATION_TIMEDOUT ? "timed out" : curl_easy_strerror(code);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}

}  // namespace

std::unique_ptr<Transport> makeHttpTransport(int timeoutSeconds) {
    return std::make_unique<CurlTransport>(timeoutSeconds);
}

}  // namespace share
