// Subset files: one line of comma text per subset, in CP932 with CR LF.
#include "data/UConst.h"
#include "data/USubCategoryFiles.h"

#include "platform/text/Ansi.h"

#include <algorithm>

namespace {

const QString SubExtension = QStringLiteral(".sub");

bool SubFileOrderLess(const QString& a, const QString& b)
{
    const QString nameA = SubNameOf(a);
    const QString nameB = SubNameOf(b);
    return nameA != nameB ? FolderOrderLess(nameA, nameB) : a < b;
}

// The text up to the first CR or LF.
QString FirstLine(const QString& text)
{
    const auto end = std::find_if(text.begin(), text.end(),
                                  [](QChar c) { return c == u'\r' || c == u'\n'; });
    return text.first(end - text.begin());
}

} // namespace

bool IsSubFileName(const QString& fileName)
{
    return fileName.endsWith(SubExtension, Qt::CaseInsensitive);
}

QString SubNameOf(const QString& fileName)
{
    return fileName.first(std::max<qsizetype>(fileName.size() - SubExtension.size(), 0));
}

QStringList ListSubFileNames(const QString& folder)
{
    QStringList names;
    for (const TFolderEntry& entry : ListFolder(folder))
        if (!entry.isDirectory && IsSubFileName(entry.name))
            names.append(entry.name);
    std::sort(names.begin(), names.end(), SubFileOrderLess);
    return names;
}

void WriteSubFile(const QString& path, const QString& text)
{
    WriteFileAtomic(path + SubExtension, EncodeAnsi(text + QStringLiteral("\r\n")));
}

QString ReadSubFile(const QString& path)
{
    const QString file = ResolvePath(path + SubExtension);
    if (!FileExists(file))
        return QString();
    return FirstLine(DecodeAnsi(ReadFileBytes(file)));
}

void ListSubFiles(const QString& folder, TStringList& list)
{
    list.Clear();
    for (const QString& fileName : ListSubFileNames(folder))
        list.Add(SubNameOf(fileName));
}

void DeleteSubFiles(const QString& folder)
{
    for (const QString& fileName : ListSubFileNames(folder))
        DeleteFile(ResolvePath(folder, fileName)); // a file that cannot be deleted stays
}
