// The menu's category commands: opening a category's data screen, hiding categories,
// showing them all, the display settings dialog.
#include "screens/menu/UfrmMenu.h"

#include "data/UCategoryControl.h"
#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/vcl/ListView.h"
#include "screens/data/UfrmData.h"
#include "screens/menu/MenuGuard.h"
#include "screens/settings/UfrmShowSetting.h"

void TfrmMenuControl::StartTest()
{
    TListView& list = *frmMenu->lvCategory;
    const int index = list.ItemIndex();
    if (index < 0)
        return;
    const TListItem& item = list.Item(index);
    const QString name = item.Caption;
    const QString folder = static_cast<const TCategory*>(item.Data)->Folder;
    OpenDataScreen(name, folder);
    // Counts and dates may have changed.
    CategoryControl->FillListView(list);
    if (index < list.ItemCount()) {
        list.SetItemIndex(index);
        list.SetItemFocused(index);
        list.MakeVisible(index);
    }
}

void TfrmMenuControl::OpenDataScreen(const QString& name, const QString& folder)
{
    DataControlClass->Execute(name, folder);
}

void TfrmMenuControl::sbtnTestStartClick()
{
    StartTest();
}

void TfrmMenuControl::sbtnDisplayClick()
{
    pmuDisplaySettingClick();
}

void TfrmMenuControl::pmuDisplaySettingClick()
{
    if (ShowSettingControlClass->Execute() == 1)
        CategoryControl->FillListView(*frmMenu->lvCategory);
}

void TfrmMenuControl::pmuNonDisplayClick()
{
    TListView& list = *frmMenu->lvCategory;
    if (const int index = list.ItemIndex(); index >= 0) {
        auto* category = static_cast<TCategory*>(list.Item(index).Data);
        GuardedSave(QStringLiteral("問題非表示"), [category] { category->SetVisible(false); });
    }
    CategoryControl->FillListView(list);
}

void TfrmMenuControl::pmuAllDisplayClick()
{
    TListView& list = *frmMenu->lvCategory;
    GuardedSave(QStringLiteral("全問題表示"), [] { CategoryControl->ShowAll(); });
    CategoryControl->FillListView(list);
    SelectFirstItem(list);
}
