// The subsets of the current category and the saved subset choice.
#include "data/USubCategory.h"

#include "data/UConst.h"
#include "data/USubCategoryFiles.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/ini/IniFile.h"
#include "platform/files/Files.h"
#include "platform/files/WindowsPath.h"
#include "platform/text/Ansi.h"
#include "platform/text/CommaText.h"
#include "platform/text/Convert.h"

#include <QSet>

namespace {

const QString IndexSection = QStringLiteral("SubCategoryIndex");
const QString IndexKey = QStringLiteral("Index");

struct TSubset {
    QString Name;
    QString Numbers;
};

// A subset name becomes a file name in the category folder and a value of Control.inf, so
// it may neither lead out of the folder nor lose characters.
void CheckSubsetName(const QString& name)
{
    if (!IsUsableSubsetName(name))
        throw Exception(QStringLiteral("The subset name \"%1\" cannot be a file name").arg(name));
}

// The subsets of a name=value list: one per name (the first line of equal names), lines
// without "=" left out; every name checked before anything is written.
QList<TSubset> SubsetsOf(const TStringList& list)
{
    QList<TSubset> subsets;
    QSet<QString> seen;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list[i].contains(u'='))
            continue;
        const QString name = list.Names(i);
        if (seen.contains(name))
            continue;
        CheckSubsetName(name);
        seen.insert(name);
        subsets.append({name, list.ValueFromIndex(i)});
    }
    return subsets;
}

// The subset files of the folder whose names are subset names.
QStringList UsableSubFileNames(const QString& folder)
{
    QStringList names = ListSubFileNames(folder);
    names.removeIf([](const QString& fileName) { return !IsUsableSubsetName(SubNameOf(fileName)); });
    return names;
}

// The file that holds the subset: the one whose name is the subset name exactly, else a
// new one with the extension ".sub".
QString FileNameOf(const QString& name, const QStringList& fileNames)
{
    for (const QString& fileName : fileNames)
        if (SubNameOf(fileName) == name)
            return fileName;
    return name + QStringLiteral(".sub");
}

// Control.inf gives a value back without the blanks around it and without one pair of
// enclosing quotes; a name that would lose either is stored in double quotes.
QString StoredName(const QString& name)
{
    if (name.isEmpty())
        return name;
    const QChar first = name.front();
    const QChar last = name.back();
    const bool blankAround = first.unicode() <= 32 || last.unicode() <= 32;
    const bool quoted = name.size() >= 2 && (first == u'"' || first == u'\'') && last == first;
    return blankAround || quoted ? u'"' + name + u'"' : name;
}

// Every NO of Answer.cds, in stored order, in decimal.
void AddAllQuestionNumbers(const QString& folder, TStringList& list)
{
    TClientDataSet answers;
    answers.LoadFromFile(ResolvePath(folder + QStringLiteral("Answer.cds")));
    answers.Open();
    answers.First();
    if (!answers.Eof()) {
        const TField& no = answers.FieldByName(QStringLiteral("NO"));
        for (; !answers.Eof(); answers.Next())
            list.Add(IntToStr(no.AsInteger()));
    }
    answers.Close();
}

// Why the file's bytes are not CP932 text, or empty when they are: a control character
// other than tab and line breaks, or bytes that do not read and write back the same.
QString WhyNotText(const QString& path)
{
    const QByteArray bytes = ReadFileBytes(path);
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if ((code < 32 && code != '\t' && code != '\r' && code != '\n') || code == 127)
            return QStringLiteral("it holds control characters");
    }
    if (EncodeAnsi(DecodeAnsi(bytes)) != bytes)
        return QStringLiteral("it holds bytes that are not Shift_JIS text");
    return {};
}

// One log line for the category's Control.inf and for each subset file that is not text:
// such a file was damaged or written by something else; the readers take what they can
// from it and use their defaults for the rest.
void LogDamagedTextFiles(const QString& folder, const QStringList& subFiles)
{
    QStringList files = subFiles;
    if (FileExists(ResolvePath(ControlInfPath(folder))))
        files.prepend(QStringLiteral("Control.inf"));
    for (const QString& fileName : files) {
        try {
            const QString reason = WhyNotText(ResolvePath(folder, fileName));
            if (!reason.isEmpty())
                WriteLog(QStringLiteral("TSubCategory.SetFolder"),
                         QStringLiteral("The file \"%1\" of %2 is damaged, %3; its readable entries "
                                        "are used")
                             .arg(fileName, folder, reason));
        } catch (...) {
            WriteLog(QStringLiteral("TSubCategory.SetFolder"), ExceptMessage());
        }
    }
}

} // namespace

const QString AllQuestionsName = QStringLiteral("全ての問題");

TSubCategory::~TSubCategory() = default;

void TSubCategory::SetFolder(const QString& folder)
{
    Folder = folder;
    IniPath = ControlInfPath(folder);
    Names = std::make_unique<TStringList>();
    ListSubFiles(Folder, *Names);
    QStringList usable;
    for (const QString& fileName : ListSubFileNames(Folder)) {
        if (IsUsableSubsetName(SubNameOf(fileName)))
            usable << fileName;
        else
            WriteLog(QStringLiteral("TSubCategory.SetFolder"),
                     QStringLiteral("The subset file \"%1\" is left out: its name cannot be a subset "
                                    "name; rename it to use it")
                         .arg(fileName));
    }
    LogDamagedTextFiles(Folder, usable);
}

void TSubCategory::SaveSelection(const QString& name)
{
    // Each write replaces the whole file; a choice already stored is not written again,
    // so that a file that cannot be written fails only a real change.
    if (GetSelectedName() == name)
        return;
    TIniFile(IniPath).WriteString(IndexSection, IndexKey, StoredName(name));
}

void TSubCategory::GetNameValueList(TStringList& list, int& selIndex)
{
    ListSubFiles(Folder, list);
    for (int i = 0; i < list.Count(); ++i)
        list[i] = list[i] + u'=' + ReadSubFile(Folder + list[i]);
    const QString saved = GetSelectedName();
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Names(i) == saved) {
            selIndex = i;
            return;
        }
    }
}

void TSubCategory::SaveAll(const TStringList& list, const QString& selected)
{
    const QList<TSubset> subsets = SubsetsOf(list);
    // The new files first; a write that fails raises with every old file and the saved
    // choice still there.
    const QStringList oldFiles = UsableSubFileNames(Folder);
    QSet<QString> written;
    for (const TSubset& subset : subsets) {
        const QString fileName = FileNameOf(subset.Name, oldFiles);
        WriteSubFileAs(Folder, fileName, subset.Numbers);
        written.insert(fileName);
    }
    SaveSelection(selected);
    // Then the files of subsets that are no longer in the list.
    for (const QString& fileName : oldFiles)
        if (!written.contains(fileName))
            DeleteFile(ResolvePath(Folder, fileName)); // a file that cannot be deleted stays
}

QString TSubCategory::GetSelectedName()
{
    return TIniFile(IniPath).ReadString(IndexSection, IndexKey, QString());
}

void TSubCategory::GetQuestionNumbers(TStringList& list)
{
    list.Clear();
    for (const QString& entry : SplitSubsetCommaText(ReadSubFile(Folder + GetSelectedName())))
        list.Add(entry);
    if (list.Count() == 0)
        AddAllQuestionNumbers(Folder, list);
}

void InitializeUSubCategory()
{
    SubCategoryClass = ClassOf<TSubCategory, TSubCategoryClass>();
    SubCategory = SubCategoryClass->Create();
}

void FinalizeUSubCategory()
{
    SubCategory.reset();
    SubCategoryClass = nullptr;
}
