#pragma once
// Download of an address into a file (http and https, following up to five redirects).
// The body goes into a temporary file in the target's folder, which replaces the target
// only when the transfer has ended completely with a 2xx status; any failure (no
// connection, time-out, error status, a cut transfer, a full disk, a file larger than
// maxBytes) writes nothing and leaves an existing target as it was. The body is never held
// in memory whole. The target's folder must exist. Never throws; may
// run on any thread.

#include "platform/winapi/Http.h"

#include <QString>

struct TDownloadResult {
    bool Ok = false;
    long Status = 0; // the HTTP status, 0 when no reply arrived
    QString Error;   // what went wrong, for the log; empty when Ok
};

TDownloadResult URLDownloadToFile(const QString& url, const QString& target,
                                  const THttpTimeouts& timeouts = HttpLayerTimeouts,
                                  qint64 maxBytes = 0); // 0 = no limit
