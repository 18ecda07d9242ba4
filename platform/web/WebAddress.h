#pragma once
// The addresses the embedded browser accepts. An address with a scheme must be http,
// https or file; one without a scheme is completed the way a browser's address bar does:
// an absolute path ("/...") is a local file, anything else is taken as host and path and
// gets "http://" in front. Anything else (blank text, another scheme, text that is no
// valid address) raises EWebBrowser.

#include "platform/core/Exception.h"

#include <QString>
#include <QUrl>

class EWebBrowser : public Exception {
public:
    using Exception::Exception;
};

QUrl WebAddress(const QString& address);

// True for an http, https or file address (the addresses the browser opens).
bool IsWebOrFileAddress(const QUrl& url);
// True for an http or https address.
bool IsWebAddress(const QUrl& url);
