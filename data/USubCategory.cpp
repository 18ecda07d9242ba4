// The subsets of the current category and the saved subset choice.
#include "data/USubCategory.h"

#include "data/UConst.h"
#include "data/USubCategoryFiles.h"
#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/ini/IniFile.h"
#include "platform/text/CommaText.h"
#include "platform/text/Convert.h"

#include <QFileInfo>
#include <QSet>

namespace {

const QString IndexSection = QStringLiteral("SubCategoryIndex");
const QString IndexKey = QStringLiteral("Index");

struct TSubset {
    QString Name;
    QString Numbers;
};

// A subset name becomes a file name in the category folder, so it may not lead out of it.
void CheckSubsetName(const QString& name)
{
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QChar(u'\0')))
        throw Exception(QStringLiteral("The subset name \"%1\" cannot be a file name").arg(name));
}

// The subsets of a name=value list: one per name (the first line of names equal but for
// case), lines without "=" left out; every name checked before anything is written.
QList<TSubset> SubsetsOf(const TStringList& list)
{
    QList<TSubset> subsets;
    TStringList seen;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list[i].contains(u'='))
            continue;
        const QString name = list.Names(i);
        if (seen.IndexOf(name) >= 0)
            continue;
        CheckSubsetName(name);
        seen.Add(name);
        subsets.append({name, list.ValueFromIndex(i)});
    }
    return subsets;
}

// Every NO of Answer.cds, in stored order, in decimal.
void AddAllQuestionNumbers(const QString& folder, TStringList& list)
{
    TClientDataSet answers;
    answers.LoadFromFile(ResolvePath(folder + QStringLiteral("Answer.cds")));
    answers.Open();
    answers.First();
    while (!answers.Eof()) {
        list.Add(IntToStr(answers.FieldByName(QStringLiteral("NO")).AsInteger()));
        answers.Next();
    }
    answers.Close();
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
}

void TSubCategory::SaveSelection(const QString& name)
{
    TIniFile(IniPath).WriteString(IndexSection, IndexKey, name);
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
    SaveSelection(selected);
    // The new files first; a write that fails raises with every old file still there.
    QSet<QString> written;
    for (const TSubset& subset : subsets) {
        const QString path = Folder + subset.Name;
        written.insert(QFileInfo(ResolvePath(path + QStringLiteral(".sub"))).fileName());
        WriteSubFile(path, subset.Numbers);
    }
    // Then the files of subsets that are no longer in the list.
    for (const QString& fileName : ListSubFileNames(Folder))
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
