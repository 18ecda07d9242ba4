#include "platform/winapi/Http.h"

#include "platform/winapi/CurlTransfer.h"

THttpResult THttpClient::Get(const QString& url) const
{
    THttpResult result;
    try {
        const TCurlOutcome outcome = CurlGet(url, *this, false, [&](const char* data, size_t size) {
            result.Body.append(data, static_cast<qsizetype>(size));
            return true;
        });
        result.Status = outcome.Status;
        result.TooLarge = outcome.TooLarge;
        if (outcome.TooLarge)
            result.Body.clear();
        result.Ok = outcome.Completed && result.Status >= 200 && result.Status < 300;
    } catch (...) {
        // Out of memory outside the transfer: the request failed.
        result = {};
    }
    return result;
}

THttpResult HttpGet(const QString& url, const THttpTimeouts& timeouts)
{
    THttpClient client;
    client.Timeouts = timeouts;
    return client.Get(url);
}
