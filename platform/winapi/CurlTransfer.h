#pragma once
// The one libcurl transfer behind HTTP GET and file download: http and https only, no
// proxy, no signals (safe on any thread), the client's headers and time-outs. The body
// goes to a sink in pieces; a sink that returns false ends the transfer as a failure.

#include "platform/winapi/Http.h"

#include <functional>

struct TCurlOutcome {
    bool Completed = false; // the transfer ran to its end without a libcurl error
    long Status = 0;        // the HTTP status of the last reply, 0 when none arrived
    QString Error;          // libcurl's description when not Completed
};

using TCurlSink = std::function<bool(const char* data, size_t size)>;

// followRedirects: follow up to five redirects, to http and https addresses only.
TCurlOutcome CurlGet(const QString& url, const THttpClient& client, bool followRedirects,
                     const TCurlSink& sink);
