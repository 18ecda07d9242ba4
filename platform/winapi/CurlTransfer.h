#pragma once
// The one libcurl transfer behind HTTP GET and file download: http and https only, no
// proxy, no signals (safe on any thread), the client's headers, time-outs and body limit.
// The body goes to a sink in pieces; a sink that returns false ends the transfer as a
// failure. A body beyond the client's limit ends it as a failure too, before the sink sees
// a byte beyond the limit: at once when the reply announces its length, else when the
// limit is passed.

#include "platform/winapi/Http.h"

#include <functional>

struct TCurlOutcome {
    bool Completed = false; // the transfer ran to its end without a libcurl error
    long Status = 0;        // the HTTP status of the last reply, 0 when none arrived
    QString Error;          // libcurl's description when not Completed
    bool TooLarge = false;  // ended because the body passed the client's limit
};

using TCurlSink = std::function<bool(const char* data, size_t size)>;

// followRedirects: follow up to five redirects, to http and https addresses only.
TCurlOutcome CurlGet(const QString& url, const THttpClient& client, bool followRedirects,
                     const TCurlSink& sink);
