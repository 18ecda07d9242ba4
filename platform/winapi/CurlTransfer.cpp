#include "platform/winapi/CurlTransfer.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The sink of a transfer and the body bytes it may still take.
struct TLimitedSink {
    const TCurlSink& sink;
    qint64 room; // < 0: no limit
    bool passed = false;
};

size_t WriteToSink(char* data, size_t size, size_t count, void* userData)
{
    auto* target = static_cast<TLimitedSink*>(userData);
    const size_t bytes = size * count;
    if (target->room >= 0) {
        if (qint64(bytes) > target->room) {
            target->passed = true;
            return 0;
        }
        target->room -= qint64(bytes);
    }
    try {
        return target->sink(data, bytes) ? bytes : 0;
    } catch (...) {
        return 0; // no exception may cross libcurl; 0 ends the transfer as a failure
    }
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

void AddHeader(HeaderList& list, const char* name, const QByteArray& value)
{
    if (value.isEmpty())
        return;
    const QByteArray line = QByteArray(name) + ": " + value;
    curl_slist* longer = curl_slist_append(list.get(), line.constData());
    if (longer) {
        (void)list.release();
        list.reset(longer);
    }
}

} // namespace

TCurlOutcome CurlGet(const QString& url, const THttpClient& client, bool followRedirects,
                     const TCurlSink& sink)
{
    TCurlOutcome outcome;
    InitCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        outcome.Error = QStringLiteral("the HTTP library could not start a request");
        return outcome;
    }
    HeaderList headers;
    AddHeader(headers, "Accept", client.Accept);
    AddHeader(headers, "Content-Type", client.ContentType);
    char errorText[CURL_ERROR_SIZE] = {};
    const QByteArray address = url.toUtf8();
    const QByteArray userAgent = client.UserAgent;
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, address.constData());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_PROXY, "");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(client.Timeouts.ConnectMs));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(client.Timeouts.TotalMs));
    if (!userAgent.isEmpty())
        curl_easy_setopt(h, CURLOPT_USERAGENT, userAgent.constData());
    if (headers)
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    if (followRedirects) {
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    }
    TLimitedSink target{sink, client.MaxBodyBytes > 0 ? client.MaxBodyBytes : -1};
    if (client.MaxBodyBytes > 0) // refuses an announced length beyond it unread
        curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(client.MaxBodyBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &WriteToSink);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &target);
    const CURLcode code = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &outcome.Status);
    outcome.Completed = code == CURLE_OK;
    outcome.TooLarge = target.passed || code == CURLE_FILESIZE_EXCEEDED;
    if (!outcome.Completed)
        outcome.Error = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(code));
    return outcome;
}
