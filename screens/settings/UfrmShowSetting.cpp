// The display settings dialog's handlers and its run.
#include "screens/settings/UfrmShowSetting.h"

#include "data/UCategoryControl.h"
#include "data/UConst.h"
#include "data_views/ScreenLoading.h"
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/ListView.h"

namespace {

// Frees the dialog when Execute ends, however it ends.
struct TDialogRelease {
    ~TDialogRelease() { frmShowSetting.reset(); }
};

void SetAllTicks(bool checked)
{
    TListView& list = *frmShowSetting->lvShowList;
    for (int i = 0; i < list.ItemCount(); ++i)
        list.SetItemChecked(i, checked);
}

void InvertClickedRow(TListView& list)
{
    const int row = list.ClickedItem();
    if (row >= 0)
        list.SetItemChecked(row, !list.Item(row).Checked);
}

// [表示設定画面] "ｶﾃｺﾞﾘｰ幅" := the width of the list's column. A failure is logged: it
// must not cost the user the choices made in the dialog.
void SaveColumnWidth(TListView& list) noexcept
{
    try {
        if (list.ColumnCount() == 0)
            return;
        TIniFile(ResolvePath(GetAppDir() + QStringLiteral("Menu.inf")))
            .WriteInteger(QStringLiteral("表示設定画面"), QStringLiteral("ｶﾃｺﾞﾘｰ幅"),
                          list.Column(0).Width());
    } catch (...) {
        WriteLog(QStringLiteral("TfrmShowSettingControl.Execute"),
                 QStringLiteral("Column width not saved: ") + ExceptMessage());
    }
}

// The ticks become the categories' visibility, which is then stored; a failing store is
// logged, and the menu still shows the choice until it closes.
void ApplyTicks(TListView& list)
{
    CategoryControl->ReadChecks(list);
    try {
        CategoryControl->SaveVisibility();
    } catch (...) {
        WriteLog(QStringLiteral("TfrmShowSettingControl.Execute"),
                 QStringLiteral("Visibility not saved: ") + ExceptMessage());
    }
}

} // namespace

void TfrmShowSettingControl::btnSettingClick()
{
    if (frmShowSetting->LoadFailed())
        return; // the ticks are not the stored visibility
    TListView& list = *frmShowSetting->lvShowList;
    for (int i = 0; i < list.ItemCount(); ++i) {
        const TListItem& item = list.Item(i);
        static_cast<TCategory*>(item.Data)->SetVisible(item.Checked);
    }
}

void TfrmShowSettingControl::btnAllDispClick()
{
    SetAllTicks(true);
}

void TfrmShowSettingControl::btnAllNoDispClick()
{
    SetAllTicks(false);
}

void TfrmShowSettingControl::lvShowListCustomDrawItem(TListView&, const TListItem& item,
                                                      TColor& background)
{
    if (item.Checked)
        background = ShownRowColor;
}

void TfrmShowSettingControl::lvShowListClick(TListView& sender)
{
    InvertClickedRow(sender);
}

void TfrmShowSettingControl::lvShowListDblClick(TListView& sender)
{
    InvertClickedRow(sender);
}

void TfrmShowSettingControl::FormKeyDown(TKey& key, TShiftState)
{
    if (key == VK_ESCAPE)
        frmShowSetting->SetModalResult(mrCancel);
}

int TfrmShowSettingControlClass::Execute() const
{
    const std::unique_ptr<TfrmShowSettingControl> control = Create();
    const TDialogRelease release; // the form goes before its controller
    frmShowSetting = ShowSettingFormClass->Create(nullptr);
    TfrmShowSetting& form = *frmShowSetting;
    TfrmShowSettingControl& handlers = *control;
    form.btnSetting->OnClick = [&handlers] { handlers.btnSettingClick(); };
    form.btnAllDisp->OnClick = [&handlers] { handlers.btnAllDispClick(); };
    form.btnAllNoDisp->OnClick = [&handlers] { handlers.btnAllNoDispClick(); };
    form.lvShowList->OnCustomDrawItem = [&handlers](TListView& sender, const TListItem& item,
                                                    TColor& background) {
        handlers.lvShowListCustomDrawItem(sender, item, background);
    };
    form.lvShowList->OnDblClick = [&handlers](TListView& sender) { handlers.lvShowListDblClick(sender); };
    form.lvShowList->OnClick = [&handlers](TListView& sender) { handlers.lvShowListClick(sender); };
    form.OnKeyDown = [&handlers](TKey& key, TShiftState shift) { handlers.FormKeyDown(key, shift); };

    // A list that cannot be filled keeps the dialog from opening; nothing of it is saved.
    LoadScreenStep(form, QStringLiteral("TfrmShowSettingControl.Execute"),
                   QStringLiteral("カテゴリーの一覧"),
                   [&form] { CategoryControl->FillCheckList(*form.lvShowList); });
    const int result = form.ShowModal();
    if (form.LoadFailed())
        return result;
    SaveColumnWidth(*form.lvShowList);
    if (result == mrOk)
        ApplyTicks(*form.lvShowList);
    return result;
}

void InitializeUfrmShowSetting()
{
    ShowSettingFormClass = ClassOf<TfrmShowSetting, TfrmShowSettingClass>();
    ShowSettingControlClass = ClassOf<TfrmShowSettingControl, TfrmShowSettingControlClass>();
}

void FinalizeUfrmShowSetting()
{
    frmShowSetting.reset();
    ShowSettingFormClass = nullptr;
    ShowSettingControlClass = nullptr;
}
