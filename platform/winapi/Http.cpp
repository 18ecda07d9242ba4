#include "platform/winapi/Http.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t AppendBody(char* data, size_t size, size_t count, void* userData)
{
    auto* body = static_cast<QByteArray*>(userData);
    const size_t bytes = size * count;
    try {
        body->append(data, static_cast<qsizetype>(bytes));
    } catch (...) {
        return 0; // no exception may cross libcurl; 0 ends the transfer as a failure
    }
    return bytes;
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

} // namespace

THttpResult HttpGet(const QString& url, const THttpTimeouts& timeouts)
{
    THttpResult result;
    try {
        InitCurlOnce();
        std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
        if (!curl)
            return result;
        const QByteArray address = url.toUtf8();
        CURL* h = curl.get();
        curl_easy_setopt(h, CURLOPT_URL, address.constData());
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(h, CURLOPT_PROXY, "");
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.ConnectMs));
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts.TotalMs));
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &AppendBody);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &result.Body);
        const CURLcode code = curl_easy_perform(h);
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result.Status);
        result.Ok = code == CURLE_OK && result.Status >= 200 && result.Status < 300;
    } catch (...) {
        // Out of memory outside the transfer: the request failed.
        result = {};
    }
    return result;
}
