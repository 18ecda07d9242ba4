// The log Vek.Log: one appended line per event, never a failure towards the caller.
#include "data/UConst.h"

#include "data/Version.h"
#include "platform/core/Exception.h"
#include "platform/datetime/DateTime.h"
#include "platform/text/Ansi.h"

#include <QFile>
#include <QSet>
#include <mutex>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray LogLine(std::uint32_t address, const QString& place, const QString& message)
{
    const QString line = QLatin1Char('[')
        + FormatDateTime(QStringLiteral("yyyy/mm/dd hh:mm:ss"), Now())
        + QStringLiteral("]Moriva.exe Version:") + AppVersion.VersionString
        + QStringLiteral(" Address:$")
        + QStringLiteral("%1").arg(address, 8, 16, QLatin1Char('0')).toUpper()
        + QLatin1Char(' ') + place + QLatin1Char('.') + message;
    return EncodeAnsi(line) + "\r\n";
}

// Appends bytes to the file in one write. A write that stops short (a full disk) is
// taken back, so the file never ends in part of a line.
void AppendWhole(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return;
    struct stat before {};
    const bool sized = ::fstat(fd, &before) == 0;
    ssize_t written;
    do {
        written = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
    } while (written < 0 && errno == EINTR);
    if (written >= 0 && written < bytes.size() && sized) {
        [[maybe_unused]] const int undone = ::ftruncate(fd, before.st_size);
    }
    ::close(fd);
}

} // namespace

void WriteLog(const QString& place, const QString& message) noexcept
{
    // The address first: nothing done below may change which exception is being handled.
    const std::uint32_t address = ExceptAddr();
    try {
        const QString path = ResolvePath(GetAppDir() + QStringLiteral("Vek.Log"));
        AppendWhole(QFile::encodeName(path), LogLine(address, place, message));
    } catch (...) {
        // A line that cannot be made or written is lost; the caller never hears of it.
    }
}

void WriteLogOnce(const QString& place, const QString& message) noexcept
{
    static std::mutex guard;
    static QSet<QString> written;
    try {
        const std::lock_guard<std::mutex> lock(guard);
        const QString key = place + QLatin1Char('.') + message;
        if (written.contains(key))
            return;
        written.insert(key);
    } catch (...) {
        // Without memory to remember it, the line is written every time.
    }
    WriteLog(place, message);
}

void LogUnshowableRows(const QString& place, const QString& path, int count) noexcept
{
    if (count > 0)
        WriteLog(place, QStringLiteral("%1: %2 row(s) hold a date or time outside 0001/01/01 .. "
                                       "9999/12/31; it is shown as \"-\"")
                            .arg(path)
                            .arg(count));
}
