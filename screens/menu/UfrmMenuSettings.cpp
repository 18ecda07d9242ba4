// The menu's settings: Menu.inf (its defaults, panel height, browser page, selection) and
// the window placement in Menu.dat.
#include "screens/menu/UfrmMenu.h"

#include "data/UConst.h"
#include "platform/files/Files.h"
#include "platform/ini/IniFile.h"
#include "platform/ini/IniText.h"
#include "platform/vcl/ListView.h"
#include "platform/web/WebBrowser.h"
#include "screens/menu/MenuGuard.h"
#include "screens/menu/MenuHelpPages.h"

#include <QUrl>

namespace {

const QString SectionCategory = QStringLiteral("ｶﾃｺﾞﾘｰ");
const QString KeyHeight = QStringLiteral("高さ");
const QString KeyIndex = QStringLiteral("ｲﾝﾃﾞｯｸｽ");
const QString SectionWeb = QStringLiteral("Web");
const QString KeyUrl = QStringLiteral("URL");

QString MenuInf() { return GetAppDir() + QStringLiteral("Menu.inf"); }
QString MenuDat() { return GetAppDir() + QStringLiteral("Menu.dat"); }

} // namespace

void TfrmMenuControl::EnsureMenuIni()
{
    if (FileExists(MenuInf()))
        return;
    TIniText ini;
    ini.SetValue(QStringLiteral("表示設定画面"), QStringLiteral("ｶﾃｺﾞﾘｰ幅"), QStringLiteral("400"));
    ini.SetValue(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("名称"), QStringLiteral("235"));
    ini.SetValue(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("選択回数"), QStringLiteral("85"));
    ini.SetValue(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("問題数"), QStringLiteral("73"));
    ini.SetValue(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("更新日時"), QStringLiteral("175"));
    ini.SetValue(SectionCategory, KeyHeight, QStringLiteral("200"));
    ini.SetValue(SectionCategory, KeyIndex, QStringLiteral("-1"));
    ini.SetValue(SectionWeb, KeyUrl, HelpSitePage(1));
    for (int tag = 1; tag <= 3; ++tag)
        ini.SetValue(SectionWeb, QStringLiteral("PAGE%1").arg(tag), HelpSitePage(tag));
    // All eleven values or none, so that a file that exists always holds them.
    GuardedSave(QStringLiteral("EnsureMenuIni"), [&] { WriteFileAtomic(MenuInf(), ini.Bytes()); });
}

void TfrmMenuControl::LoadMenuSettings()
{
    TfrmMenu& form = *frmMenu;
    const TIniFile ini(MenuInf());
    form.SetCategoryHeight(ini.ReadInteger(SectionCategory, KeyHeight, 200));

    // A local copy stored by an earlier version stands for the site's page of its name.
    const QString address = SitePageOfLocalCopy(ini.ReadString(SectionWeb, KeyUrl, HelpSitePage(1)));
    startPage_ = HelpPageOf(address);
    try {
        form.WebBrowser->Navigate(address, LocalHelpPage(startPage_));
    } catch (...) {
        WriteLog(QStringLiteral("TfrmMenuControl"), QStringLiteral("LoadMenuSettings: ") + ExceptMessage());
        startPage_ = 1;
        try {
            form.WebBrowser->Navigate(LocalHelpPage(1));
        } catch (...) {
        }
    }

    TListView& list = *form.lvCategory;
    int index = -1;
    try {
        const int stored = ini.ReadInteger(SectionCategory, KeyIndex, -1);
        index = stored > list.ItemCount() - 1 ? -1 : std::max(stored, -1);
        list.SetItemIndex(index);
    } catch (...) {
        index = -1;
        list.SetItemIndex(-1);
    }
    if (index >= 0) {
        list.SetItemFocused(index);
        list.MakeVisible(index);
    }
}

void TfrmMenuControl::SaveMenuSettings()
{
    TfrmMenu& form = *frmMenu;
    TIniFile ini(MenuInf());
    GuardedSave(QStringLiteral("SaveMenuSettings"),
                [&] { ini.WriteInteger(SectionCategory, KeyHeight, form.CategoryHeight()); });
    // Only a page of the web that loaded is worth opening next time: while a local copy
    // stands in for the site, the address stored before stays, so the site is asked again.
    // The address is kept percent-encoded, so it survives the file's code page.
    const QUrl shown(form.WebBrowser->LocationURL());
    if (form.WebBrowser->Document() && IsWebAddress(shown))
        GuardedSave(QStringLiteral("SaveMenuSettings"),
                    [&] { ini.WriteString(SectionWeb, KeyUrl, shown.toString(QUrl::FullyEncoded)); });
    GuardedSave(QStringLiteral("SaveMenuSettings"),
                [&] { ini.WriteInteger(SectionCategory, KeyIndex, form.lvCategory->ItemIndex()); });
}

void TfrmMenuControl::KvUserWdwStateReadData(QObject*, TKvWdwStateData& data)
{
    if (!FileExists(MenuDat()))
        return;
    try {
        const QByteArray bytes = ReadFileBytes(MenuDat());
        if (const std::optional<TKvWdwStateData> saved = TKvWdwStateData::FromBytes(bytes))
            data = *saved;
        else
            WriteLog(QStringLiteral("TfrmMenuControl"),
                     QStringLiteral("Menu.dat holds %1 bytes, fewer than the %2 of a window placement; "
                                    "the menu opens at its designed placement")
                         .arg(bytes.size())
                         .arg(TKvWdwStateData::Size));
    } catch (...) {
        WriteLog(QStringLiteral("TfrmMenuControl"), QStringLiteral("Menu.dat: ") + ExceptMessage());
    }
}

void TfrmMenuControl::KvUserWdwStateSaveData(QObject*, const TKvWdwStateData& data)
{
    GuardedSave(QStringLiteral("Menu.dat"), [&] { WriteFileAtomic(MenuDat(), data.ToBytes()); });
}
