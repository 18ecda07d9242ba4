#include "platform/ini/IniTextCache.h"

#include <QHash>
#include <mutex>

namespace {

struct Parsed {
    QByteArray bytes;
    TIniText text;
};

// A program reads a handful of INI files; more than this many means names that come and
// go (temporary folders), so the cache then starts afresh.
constexpr qsizetype MaxFiles = 16;

std::mutex& CacheLock()
{
    static std::mutex lock;
    return lock;
}

QHash<QString, Parsed>& Cache()
{
    static QHash<QString, Parsed> cache;
    return cache;
}

} // namespace

TIniText ParsedIniText(const QString& fileName, const QByteArray& bytes)
{
    {
        const std::lock_guard<std::mutex> guard(CacheLock());
        const auto found = Cache().constFind(fileName);
        if (found != Cache().constEnd() && found->bytes == bytes)
            return found->text;
    }
    TIniText text(bytes);
    RememberIniText(fileName, bytes, text);
    return text;
}

void RememberIniText(const QString& fileName, const QByteArray& bytes, const TIniText& text)
{
    const std::lock_guard<std::mutex> guard(CacheLock());
    if (Cache().size() >= MaxFiles && !Cache().contains(fileName))
        Cache().clear();
    Cache().insert(fileName, Parsed{bytes, text});
}
