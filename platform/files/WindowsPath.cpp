#include "platform/files/WindowsPath.h"

#include "platform/files/FolderList.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool EntryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The entry of folder whose name equals name ignoring case; empty when there is none.
QString MatchInFolder(const QString& folder, const QString& name)
{
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    QString best;
    for (const QString& entry : entries) {
        if (entry == name)
            return entry;
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && (best.isEmpty() || FolderOrderLess(entry, best)))
            best = entry;
    }
    return best;
}

} // namespace

QString ResolvePath(const QString& path)
{
    QString given = path;
    given.replace(u'\\', u'/');
    const bool absolute = given.startsWith(u'/');
    const bool trailing = given.endsWith(u'/');
    const QStringList parts = given.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return absolute ? QStringLiteral("/") : QString();

    QString done = absolute ? QStringLiteral("/") : QString();
    bool missing = false;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        if (!missing && part != u"." && part != u".." && !EntryExists(done + part)) {
            const QString match = MatchInFolder(done.isEmpty() ? QStringLiteral(".") : done, part);
            if (match.isEmpty())
                missing = true; // nothing exists below a missing element
            else
                part = match;
        }
        done += part;
        if (i + 1 < parts.size() || trailing)
            done += u'/';
    }
    return done;
}

QString ResolvePath(const QString& baseFolder, const QString& name)
{
    if (baseFolder.isEmpty())
        return ResolvePath(name);
    return ResolvePath(baseFolder + u'/' + name);
}
