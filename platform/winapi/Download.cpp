#include "platform/winapi/Download.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/WindowsPath.h"
#include "platform/winapi/CurlTransfer.h"

namespace {

TDownloadResult Download(const QString& url, const QString& target, const THttpTimeouts& timeouts,
                         qint64 maxBytes)
{
    TDownloadResult result;
    TAtomicFile file(ResolvePath(target));
    if (!file.Open()) {
        result.Error = QStringLiteral("cannot write %1: %2").arg(target, file.ErrorString());
        return result;
    }
    THttpClient client;
    client.Timeouts = timeouts;
    client.MaxBodyBytes = maxBytes;
    bool written = true;
    const TCurlOutcome outcome = CurlGet(url, client, true, [&](const char* data, size_t size) {
        return written = file.Write(QByteArrayView(data, static_cast<qsizetype>(size)));
    });
    result.Status = outcome.Status;
    if (!written)
        result.Error = QStringLiteral("cannot write %1: %2").arg(target, file.ErrorString());
    else if (outcome.TooLarge)
        result.Error = QStringLiteral("the file is larger than %1 bytes").arg(maxBytes);
    else if (!outcome.Completed)
        result.Error = outcome.Error;
    else if (outcome.Status < 200 || outcome.Status >= 300)
        result.Error = QStringLiteral("HTTP status %1").arg(outcome.Status);
    else if (!file.Commit())
        result.Error = QStringLiteral("cannot replace %1: %2").arg(target, file.ErrorString());
    else
        result.Ok = true;
    return result; // an uncommitted temporary file is removed with `file`
}

} // namespace

TDownloadResult URLDownloadToFile(const QString& url, const QString& target,
                                  const THttpTimeouts& timeouts, qint64 maxBytes)
{
    try {
        return Download(url, target, timeouts, maxBytes);
    } catch (...) {
        TDownloadResult failed;
        failed.Error = QStringLiteral("out of memory");
        return failed;
    }
}
