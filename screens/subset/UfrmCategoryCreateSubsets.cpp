// The subset editor's subset commands: new, rename, delete, choosing another subset, and
// "設　定", which writes every subset back.
#include "screens/subset/UfrmCategoryCreate.h"

#include "data/UConst.h"
#include "data/USubCategory.h"
#include "platform/core/Exception.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Dialogs.h"
#include "screens/subset/UfrmCategoryName.h"

namespace {

const QString LastSubsetCaption = QStringLiteral("終了確認");
const QString LastSubsetText = QStringLiteral("カテゴリー数が１件です。カテゴリーを削除しますか？\r\n"
                                              "「はい」でカテゴリー作成画面を終了します。");
const QString SaveFailedText = QStringLiteral("カテゴリーファイルの書き込みに失敗しました。\r\n"
                                              "編集した内容は画面に残っています。");

// The combo box's items, one per line: the names the name dialog refuses.
QString TakenNames(const TComboBox& comboBox)
{
    TStringList names;
    for (const QString& item : comboBox.Items())
        names.Add(item);
    return names.Text();
}

} // namespace

void TfrmCategoryCreateControl::btnNewClick()
{
    StoreSelection();
    QString name;
    if (CategoryNameControlClass->Execute(name, TakenNames(*frmCategoryCreate->cmbCategory)) != mrOk)
        return;
    NameValueList->Add(name + u'=');
    Index = NameValueList->Count() - 1;
    Name = NameValueList->Names(Index);
    RefreshCategoryCombo();
}

void TfrmCategoryCreateControl::btnEditClick()
{
    TComboBox& combo = *frmCategoryCreate->cmbCategory;
    QString name = combo.Text();
    if (CategoryNameControlClass->Execute(name, TakenNames(combo)) != mrOk)
        return;
    Name = name;
    combo.setItemText(Index, name);
    combo.SetItemIndex(Index);
    (*NameValueList)[Index] = name + u'=' + NameValueList->ValueFromIndex(Index);
}

void TfrmCategoryCreateControl::btnDeleteClick()
{
    if (NameValueList->Count() > 1) {
        NameValueList->Delete(Index);
        Index = 0;
        Name = NameValueList->Names(0);
        RefreshCategoryCombo();
        return;
    }
    if (MessageBox(LastSubsetText, LastSubsetCaption, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
        return;
    if (SaveSubsets(TStringList(), QString())) {
        NameValueList->Clear();
        frmCategoryCreate->SetModalResult(mrOk);
    }
}

void TfrmCategoryCreateControl::cmbCategoryChange()
{
    StoreSelection();
    Index = frmCategoryCreate->cmbCategory->ItemIndex();
    Name = NameValueList->Names(Index);
    RefreshCategoryCombo();
}

void TfrmCategoryCreateControl::btnSettingClick()
{
    StoreSelection();
    // The button's OK would close the editor while the message of a failed write is on
    // screen; it closes only once everything is written, else it stays open with the edits.
    TfrmCategoryCreate& form = *frmCategoryCreate;
    form.SetModalResult(mrNone);
    if (SaveSubsets(*NameValueList, Name))
        form.SetModalResult(mrOk);
}

// Replaces the folder's subsets; false, with the cause logged and the user told, when
// that cannot be done (the old subset files then stay in place).
bool TfrmCategoryCreateControl::SaveSubsets(const TStringList& list, const QString& selected)
{
    if (frmCategoryCreate->LoadFailed())
        return false; // an editor that could not read the subsets writes none
    try {
        SubCategory->SaveAll(list, selected);
        return true;
    } catch (...) {
        WriteLog(QStringLiteral("TfrmCategoryCreateControl.SaveAll"), ExceptMessage());
    }
    MessageDlg(SaveFailedText, TMsgDlgType::mtError, mbYes);
    return false;
}
