// The category store and its categories on list views: the menu list with its column
// widths and the display settings dialog's check list.
#include "data/UCategoryControl.h"

#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/files/Files.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/ListView.h"

#include <QLocale>
#include <algorithm>

namespace {

const QString WidthSection = QStringLiteral("ｶﾃｺﾞﾘ幅");
const QString CheckListSection = QStringLiteral("表示設定画面");
const QString CheckListWidthKey = QStringLiteral("ｶﾃｺﾞﾘｰ幅");
const QString CheckListCaption = QStringLiteral("カテゴリー");

constexpr std::array<TAlignment, CategoryColumnCount> ColumnAlignments = {
    TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taRightJustify,
    TAlignment::taCenter};
// Default widths: the width of "_" times these, plus ColumnPadding.
constexpr std::array<int, CategoryColumnCount> ColumnChars = {35, 10, 8, 25};
constexpr int ColumnPadding = 25;
constexpr int ColumnMinWidth = 50;
constexpr int ColumnMaxWidth = 300;
constexpr int CheckListDefaultWidth = 400;

TIniFile MenuIni()
{
    return TIniFile(ResolvePath(GetAppDir() + QStringLiteral("Menu.inf")));
}

} // namespace

TCategory* TCategory::AddToListView(TListView& listView)
{
    if (Visible) {
        TListItem& item = listView.AddItem();
        item.Caption = Name;
        item.Data = this;
        item.SubItems << QString::number(GetCategorySelectCount(KeyName))
                      << QString::number(QuestionCount) << GetCategoryUpdated(KeyName);
    }
    return Next.get();
}

TCategory* TCategory::AddToCheckList(TListView& listView)
{
    TListItem& item = listView.AddItem();
    item.Caption = Name;
    item.Data = this;
    item.Checked = Visible;
    return Next.get();
}

void TCategoryControl::CreateColumns(TListView& listView)
{
    listView.ClearItems();
    listView.ClearColumns();
    for (int i = 0; i < CategoryColumnCount; ++i) {
        TListColumn& column = listView.AddColumn();
        column.SetCaption(CategoryColumnCaptions[i]);
        column.SetMinWidth(ColumnMinWidth);
        column.SetMaxWidth(ColumnMaxWidth);
        column.SetAlignment(ColumnAlignments[i]);
    }
}

void TCategoryControl::FillListView(TListView& listView)
{
    // Display names are Japanese: sorted as a Japanese reader expects (kana by their
    // reading, half-width like full-width), whatever the system's locale.
    listView.SetSortLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    listView.SetSortType(TSortType::stText);
    TListUpdate update(listView);
    listView.ClearItems();
    WalkChain(Head.get(), [&](TCategory& category) { return category.AddToListView(listView); });
}

void TCategoryControl::SetupColumns(TListView& listView)
{
    TListUpdate update(listView);
    CreateColumns(listView);
    const TIniFile ini = MenuIni();
    const int charWidth = listView.TextWidth(QStringLiteral("_"));
    for (int i = 0; i < CategoryColumnCount; ++i) {
        const int byDefault = charWidth * ColumnChars[i] + ColumnPadding;
        listView.Column(i).SetWidth(
            ReadColumnWidth(ini, WidthSection, CategoryColumnCaptions[i], byDefault));
    }
    ClampColumnWidths(listView);
}

void TCategoryControl::SaveColumnWidths(TListView& listView)
{
    TIniFile ini = MenuIni();
    const int count = std::min(listView.ColumnCount(), CategoryColumnCount);
    for (int i = 0; i < count; ++i)
        ini.WriteInteger(WidthSection, CategoryColumnCaptions[i], listView.Column(i).Width());
}

void TCategoryControl::FillCheckList(TListView& listView)
{
    TListUpdate update(listView);
    const TIniFile ini = MenuIni();
    listView.ClearItems();
    listView.ClearColumns();
    TListColumn& column = listView.AddColumn();
    column.SetCaption(CheckListCaption);
    column.SetAlignment(TAlignment::taLeftJustify);
    int width = ini.ReadInteger(CheckListSection, CheckListWidthKey, CheckListDefaultWidth);
    if (width <= 0)
        width = CheckListDefaultWidth;
    column.SetWidth(std::min(width, listView.width()));
    WalkChain(Head.get(), [&](TCategory& category) { return category.AddToCheckList(listView); });
}

void TCategoryControl::ReadChecks(TListView& listView)
{
    TCategoryChecks checks;
    for (int i = 0; i < listView.ItemCount(); ++i) {
        const TListItem& item = listView.Item(i);
        const auto* category = static_cast<const TCategory*>(item.Data);
        if (!checks.contains(category)) // the first row of a category counts
            checks.insert(category, item.Checked);
    }
    WalkChain(Head.get(), [&](TCategory& category) { return category.ReadChecks(checks); });
}
