// The categories: making one from its folder, the chain, visibility and the unit's class
// references.
#include "data/UCategory.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/text/StringList.h"

namespace {

// The question count of the folder; a file that cannot be read counts 0 and is logged,
// so that one damaged category does not keep the others from being listed.
int ReadQuestionCount(const QString& folder)
{
    try {
        return GetAnswerRecordCount(folder);
    } catch (...) {
        WriteLog(QStringLiteral("TCategory"),
                 QStringLiteral("GetAnswerRecordCount Folder=") + folder
                     + QStringLiteral(" E.Message=") + ExceptMessage());
        return 0;
    }
}

} // namespace

TCategory::TCategory(const QString& folderName)
{
    Folder = GetAppDir() + folderName + u'/';
    QuestionCount = ReadQuestionCount(Folder);
    Name = CategoryDisplayName(folderName);
    if (IsCategoryKeyName(Name))
        KeyName = Name;
    else
        WriteLog(QStringLiteral("TCategory"),
                 QStringLiteral("Name=\"") + Name
                     + QStringLiteral("\" cannot be a key of Menu.inf; its visibility, times "
                                      "chosen and last use are neither read nor stored"));
    Visible = GetCategoryVisible(KeyName);
}

void TCategory::LeaveKeysTo(const QString& firstFolderName)
{
    KeyName.clear();
    Visible = true;
    WriteLog(QStringLiteral("TCategory"),
             QStringLiteral("Name=\"") + Name + QStringLiteral("\" is the same key of Menu.inf as that of the folder \"")
                 + firstFolderName
                 + QStringLiteral("\" before it; its visibility, times chosen and last use are neither read "
                                  "nor stored"));
}

TCategory::~TCategory()
{
    FreeChain(Next);
}

void TCategory::SetVisible(bool value)
{
    Visible = value;
    SetCategoryVisible(KeyName, value);
}

TCategory* TCategory::ShowAll()
{
    SetVisible(true);
    return Next.get();
}

TCategory* TCategory::SaveVisibility()
{
    SetCategoryVisible(KeyName, Visible);
    return Next.get();
}

TCategory* TCategory::ReadChecks(const TCategoryChecks& checks)
{
    if (const auto found = checks.constFind(this); found != checks.cend())
        Visible = found.value();
    return Next.get();
}

TCategoryNull::TCategoryNull(const QString&) : TCategory(TNoFolder{}) {}

TCategory* TCategoryNull::AddToListView(TListView&) { return nullptr; }
TCategory* TCategoryNull::AddToCheckList(TListView&) { return nullptr; }
TCategory* TCategoryNull::ShowAll() { return nullptr; }
TCategory* TCategoryNull::SaveVisibility() { return nullptr; }
TCategory* TCategoryNull::ReadChecks(const TCategoryChecks&) { return nullptr; }

std::unique_ptr<TCategory> TCategoryClass::BuildChain(TStringList& names) const
{
    const QHash<QString, QString> sharers = CategoryKeySharers(names);
    std::unique_ptr<TCategory> head;
    std::unique_ptr<TCategory>* link = &head;
    while (names.Count() > 0) {
        *link = CategoryClass->Create(names[0]);
        if (const auto first = sharers.constFind(names[0]); first != sharers.cend())
            (*link)->LeaveKeysTo(first.value());
        names.Delete(0);
        link = &(*link)->Next;
    }
    *link = CategoryNullClass->Create(QString());
    return head;
}

void TCategoryClass::BuildList(std::unique_ptr<TCategory>& head) const
{
    TStringList names;
    ListCategoryFolders(names);
    head = BuildChain(names);
}

void InitializeUCategory()
{
    CategoryClass = ClassOf<TCategory, TCategoryClass>();
    CategoryNullClass = ClassOf<TCategoryNull, TCategoryClass>();
}

void FinalizeUCategory()
{
    CategoryClass = CategoryNullClass = nullptr;
}
