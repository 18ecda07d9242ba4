#include "platform/files/FolderList.h"

#include "platform/files/WindowsPath.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

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

namespace {

bool IsUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder.decode(bytes); // decodes on conversion
    return !decoder.hasError();
}

// The names in the folder (raw path), "." and ".." left out.
QList<QByteArray> RawNames(const QByteArray& folder)
{
    QList<QByteArray> names;
    DIR* dir = opendir(folder.constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    closedir(dir);
    return names;
}

} // namespace

QList<TUndecodableEntry> ListUndecodableEntries(const QString& path)
{
    QByteArray folder = QFile::encodeName(ResolvePath(path));
    if (!folder.endsWith('/'))
        folder += '/';
    QList<TUndecodableEntry> entries;
    for (const QByteArray& name : RawNames(folder)) {
        if (IsUtf8(name))
            continue;
        TUndecodableEntry entry{name, false, {}};
        struct stat info {};
        entry.isDirectory = stat((folder + name).constData(), &info) == 0 && S_ISDIR(info.st_mode);
        if (entry.isDirectory)
            for (const QByteArray& inner : RawNames(folder + name))
                entry.entries.append(QFile::decodeName(inner));
        entries.append(entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const TUndecodableEntry& a, const TUndecodableEntry& b) { return a.name < b.name; });
    return entries;
}
