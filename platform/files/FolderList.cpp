#include "platform/files/FolderList.h"

#include "platform/files/WindowsPath.h"

#include <QDir>
#include <algorithm>

bool FolderOrderLess(const QString& a, const QString& b)
{
    const int caseless = a.compare(b, Qt::CaseInsensitive);
    return caseless != 0 ? caseless < 0 : a < b;
}

QList<TFolderEntry> ListFolder(const QString& path)
{
    const QFileInfoList infos = QDir(ResolvePath(path)).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    QList<TFolderEntry> entries;
    entries.reserve(infos.size());
    for (const QFileInfo& info : infos)
        entries.append({info.fileName(), info.isDir(), info.fileName().startsWith(u'.')});
    std::sort(entries.begin(), entries.end(),
              [](const TFolderEntry& a, const TFolderEntry& b) { return FolderOrderLess(a.name, b.name); });
    return entries;
}
