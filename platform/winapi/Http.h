#pragma once
// Blocking HTTP GET (libcurl). Only a 2xx status counts as success; an error status,
// a failed connection, a time-out or a malformed address is a failure. Redirects are not
// followed and no proxy is used (the environment's proxy settings are ignored).

#include <QByteArray>
#include <QString>

struct THttpTimeouts {
    int ConnectMs = 0; // time allowed to connect; 0 = the library's default
    int TotalMs = 0;   // time allowed for the whole request; 0 = no limit
};

struct THttpResult {
    bool Ok = false;
    long Status = 0;   // the HTTP status, 0 when no reply arrived
    QByteArray Body;   // the reply body, also of an error reply
};

// GET of url (http or https only). Never throws.
THttpResult HttpGet(const QString& url, const THttpTimeouts& timeouts = {});
