// Subset files: one line of comma text per subset, in CP932 with CR LF.
#include "data/UConst.h"
#include "data/USubCategory.h"
#include "data/USubCategoryFiles.h"

#include "platform/text/Ansi.h"
#include "platform/text/Trim.h"

#include <QFile>

#include <algorithm>

namespace {

const QString SubExtension = QStringLiteral(".sub");
// The longest file name the file systems of the system take, in bytes.
constexpr qsizetype MaxFileNameBytes = 255;

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

TSubsetNameFault SubsetNameFault(const QString& name)
{
    const QString trimmed = Trim(name);
    if (trimmed.isEmpty())
        return TSubsetNameFault::Blank;
    if (trimmed == AllQuestionsName)
        return TSubsetNameFault::AllQuestions;
    if (trimmed == u"." || trimmed == u"..")
        return TSubsetNameFault::Dots;
    for (const QChar c : name) {
        if (c == u'=' || c == u'/' || c == u'\\')
            return TSubsetNameFault::ReservedCharacter;
        if (c.unicode() < 32 || c.unicode() == 127)
            return TSubsetNameFault::ControlCharacter;
    }
    if (DecodeAnsi(EncodeAnsi(name)) != name)
        return TSubsetNameFault::NotInCodePage;
    if (QFile::encodeName(name + SubExtension).size() > MaxFileNameBytes)
        return TSubsetNameFault::TooLong;
    return TSubsetNameFault::None;
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

void WriteSubFileAs(const QString& folder, const QString& fileName, const QString& text)
{
    WriteFileAtomicAs(folder, fileName, EncodeAnsi(text + QStringLiteral("\r\n")));
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
        if (IsUsableSubsetName(SubNameOf(fileName)))
            list.Add(SubNameOf(fileName));
}

void DeleteSubFiles(const QString& folder)
{
    for (const QString& fileName : ListSubFileNames(folder))
        DeleteFile(ResolvePath(folder, fileName)); // a file that cannot be deleted stays
}
