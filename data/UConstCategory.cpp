// Category folders of the program folder and their keys in Menu.inf.
#include "data/UConst.h"

#include "platform/core/Checked.h"
#include "platform/datetime/DateTime.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "platform/text/Trim.h"

#include <QFileInfo>

namespace {

const QString VisibleSection = QStringLiteral("表示");
const QString SelectCountSection = QStringLiteral("選択回数");
const QString UpdatedSection = QStringLiteral("更新日時");

// Menu.inf of the program folder; a fresh object per access, as every access opens and
// closes the file.
TIniFile MenuIni()
{
    return TIniFile(ResolvePath(GetAppDir() + QStringLiteral("Menu.inf")));
}

// The first three characters, upper-cased (ASCII letters only), are "VEK".
bool HasCategoryPrefix(const QString& name)
{
    if (name.size() < 3)
        return false;
    static const char prefix[] = "VEK";
    for (int i = 0; i < 3; ++i) {
        const QChar c = name[i];
        const QChar upper = c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
        if (upper != QLatin1Char(prefix[i]))
            return false;
    }
    return true;
}

bool HoldsFile(const QStringList& entries, const QString& name)
{
    return entries.contains(name, Qt::CaseInsensitive);
}

// A folder that would be a category folder but for its name, which is not UTF-8.
bool IsUndecodableCategory(const TUndecodableEntry& entry)
{
    const QString name = DecodeAnsi(entry.name);
    return entry.isDirectory && !name.startsWith(u'.') && HasCategoryPrefix(name)
        && Trim(name).size() > 3 && HoldsFile(entry.entries, QStringLiteral("Answer.cds"))
        && HoldsFile(entry.entries, QStringLiteral("Question.cds"));
}

void LogUndecodableCategories(const QString& appDir)
{
    for (const TUndecodableEntry& entry : ListUndecodableEntries(appDir))
        if (IsUndecodableCategory(entry))
            WriteLog(QStringLiteral("ListCategoryFolders"),
                     QStringLiteral("The folder name \"%1\" (read as code page 932) is not UTF-8; "
                                    "rename the folder to have it listed")
                         .arg(DecodeAnsi(entry.name)));
}

// A folder holding one of the two data files of a category but not the other is most
// likely a category that lost a file: named in the log, as it is not listed.
void LogHalfCategory(const QString& folder, const QString& name)
{
    const bool question = FileExists(folder + QStringLiteral("\\Question.cds"));
    const bool answer = FileExists(folder + QStringLiteral("\\Answer.cds"));
    if (question == answer)
        return;
    WriteLog(QStringLiteral("ListCategoryFolders"),
             QStringLiteral("The folder \"%1\" holds no %2; it is not listed as a category")
                 .arg(name, question ? QStringLiteral("Answer.cds") : QStringLiteral("Question.cds")));
}

// The category folders of the program folder in list order; with log, the folders that
// look like categories but are not listed are logged.
void CollectCategoryFolders(TStringList& names, bool log)
{
    names.Clear();
    const QString appDir = GetAppDir();
    for (const TFolderEntry& entry : ListFolder(appDir)) {
        if (!entry.isDirectory || entry.isHidden || !HasCategoryPrefix(entry.name)
            || Trim(entry.name).size() <= 3)
            continue;
        if (IsCategoryFolder(appDir + entry.name))
            names.Add(entry.name);
        else if (log)
            LogHalfCategory(appDir + entry.name, entry.name);
    }
    names.Sort();
    if (log)
        LogUndecodableCategories(appDir);
}

} // namespace

bool IsCategoryFolder(const QString& folder)
{
    return FileExists(folder + QStringLiteral("\\Answer.cds"))
        && FileExists(folder + QStringLiteral("\\Question.cds"));
}

void ListCategoryFolders(TStringList& names)
{
    CollectCategoryFolders(names, true);
}

QHash<QString, QString> CategoryKeySharers(const TStringList& folderNames)
{
    QHash<QString, QString> firstOfKey; // key match form -> folder name
    QHash<QString, QString> sharers;
    for (const QString& folderName : folderNames.Lines()) {
        const QString name = CategoryDisplayName(folderName);
        if (!IsCategoryKeyName(name))
            continue;
        const QString form = TIniFile::KeyMatchForm(name);
        if (const auto first = firstOfKey.constFind(form); first != firstOfKey.cend())
            sharers.insert(folderName, first.value());
        else
            firstOfKey.insert(form, folderName);
    }
    return sharers;
}

QString CategoryKeyName(const QString& folder)
{
    const QString folderName = QFileInfo(folder.endsWith(u'/') ? folder.chopped(1) : folder).fileName();
    const QString name = CategoryDisplayName(folderName);
    if (!IsCategoryKeyName(name))
        return {};
    TStringList names;
    CollectCategoryFolders(names, false);
    return CategoryKeySharers(names).contains(folderName) ? QString() : name;
}

QString CategoryDisplayName(const QString& folderName)
{
    return folderName.mid(3);
}

bool IsCategoryKeyName(const QString& name)
{
    return TIniFile::KeyReadsBack(name);
}

bool GetCategoryVisible(const QString& name)
{
    return !IsCategoryKeyName(name) || MenuIni().ReadBool(VisibleSection, name, true);
}

void SetCategoryVisible(const QString& name, bool visible)
{
    if (IsCategoryKeyName(name))
        MenuIni().WriteBool(VisibleSection, name, visible);
}

int GetCategorySelectCount(const QString& name)
{
    return IsCategoryKeyName(name) ? MenuIni().ReadInteger(SelectCountSection, name, 0) : 0;
}

QString GetCategoryUpdated(const QString& name)
{
    const QString none = QStringLiteral("-");
    return IsCategoryKeyName(name) ? MenuIni().ReadString(UpdatedSection, name, none) : none;
}

void CountCategorySelection(const QString& name)
{
    if (!IsCategoryKeyName(name))
        return;
    const int count = MenuIni().ReadInteger(SelectCountSection, name, 0);
    MenuIni().WriteInteger(SelectCountSection, name, CheckedAdd(count, 1));
    MenuIni().WriteString(UpdatedSection, name,
                          FormatDateTime(QStringLiteral("yyyy/mm/dd hh:nn:ss"), Now()));
}

QString ControlInfPath(const QString& folder)
{
    return folder + QStringLiteral("Control.inf");
}

TIniFile ControlInf(const QString& folder)
{
    return TIniFile(ControlInfPath(folder));
}
