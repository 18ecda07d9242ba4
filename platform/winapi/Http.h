#pragma once
// Blocking HTTP GET (libcurl). Only a 2xx status counts as success; an error status,
// a failed connection, a time-out, a body beyond the client's limit or a malformed address
// is a failure. Redirects are not followed and no proxy is used (the environment's proxy
// settings are ignored).

#include <QByteArray>
#include <QString>

struct THttpTimeouts {
    int ConnectMs = 0; // time allowed to connect; 0 = the library's default
    int TotalMs = 0;   // time allowed for the whole request; 0 = no limit
};

// The time-outs of every request the program makes of its own accord (server texts,
// downloads): a host that does not answer holds nothing up for longer than this.
inline constexpr THttpTimeouts HttpLayerTimeouts{5000, 15000};

struct THttpResult {
    bool Ok = false;
    long Status = 0;   // the HTTP status, 0 when no reply arrived
    QByteArray Body;   // the reply body, also of an error reply; empty when too large
    bool TooLarge = false; // the body passed the client's limit
};

// An HTTP client with its settings: the request headers it sends (an empty one is not
// sent, leaving libcurl's default), its time-outs and the largest body it takes.
struct THttpClient {
    QByteArray Accept;
    QByteArray ContentType;
    QByteArray UserAgent;
    THttpTimeouts Timeouts;
    qint64 MaxBodyBytes = 0; // a longer body fails the request; 0 = no limit

    // GET of url (http or https only). Never throws.
    THttpResult Get(const QString& url) const;
};

// GET of url (http or https only) without headers of its own. Never throws.
THttpResult HttpGet(const QString& url, const THttpTimeouts& timeouts = {});
