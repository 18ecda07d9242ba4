#include "platform/winapi/Download.h"

#include "platform/files/WindowsPath.h"
#include "platform/winapi/CurlTransfer.h"

#include <QSaveFile>

namespace {

TDownloadResult Download(const QString& url, const QString& target, const THttpTimeouts& timeouts)
{
    TDownloadResult result;
    // Unbuffered, so a short write (disk full) shows at once and ends the transfer.
    QSaveFile file(ResolvePath(target));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.Error = QStringLiteral("cannot write %1: %2").arg(target, file.errorString());
        return result;
    }
    THttpClient client;
    client.Timeouts = timeouts;
    const TCurlOutcome outcome = CurlGet(url, client, true, [&file](const char* data, size_t size) {
        return file.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
    });
    result.Status = outcome.Status;
    if (!outcome.Completed)
        result.Error = file.error() != QFileDevice::NoError
            ? QStringLiteral("cannot write %1: %2").arg(target, file.errorString())
            : outcome.Error;
    else if (outcome.Status < 200 || outcome.Status >= 300)
        result.Error = QStringLiteral("HTTP status %1").arg(outcome.Status);
    else if (!file.commit())
        result.Error = QStringLiteral("cannot replace %1: %2").arg(target, file.errorString());
    else
        result.Ok = true;
    return result; // an uncommitted temporary file is removed with `file`
}

} // namespace

TDownloadResult URLDownloadToFile(const QString& url, const QString& target,
                                  const THttpTimeouts& timeouts)
{
    try {
        return Download(url, target, timeouts);
    } catch (...) {
        TDownloadResult failed;
        failed.Error = QStringLiteral("out of memory");
        return failed;
    }
}
