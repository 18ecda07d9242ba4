// The data screen's commands: starting a test, the unit size, the learning settings, the
// subset editor and the three clear operations of the popup menus.
#include "screens/data/UfrmData.h"

#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/USubCategory.h"
#include "data/UUnitHistoryControl.h"
#include "data_views/UConstDisplay.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/SpeedButton.h"
#include "screens/data/UfrmDataIni.h"
#include "screens/data/UfrmDataSubsetEditor.h"
#include "screens/test/UfrmTest.h"

#include <QLabel>

using namespace DataScreenIni;

namespace {

const QString RestartQuestion = QStringLiteral(
    "全ての問題が終了しました。もう一度始めから行いますか？\r\n（回答履歴が削除されます）");
const QString AllClearQuestion = QStringLiteral("全ての回答が削除されます。処理を続行しますか？");
const QString UnitClearQuestion = QStringLiteral("対象単位の回答が削除されます。処理を続行しますか？");
const QString AnswerClearQuestion = QStringLiteral("回答履歴が削除されます。処理を続行しますか？");

bool AskWarning(const QString& question)
{
    return MessageDlg(question, TMsgDlgType::mtWarning, mbYesNo) == mrYes;
}

// Every row caption of the list, without its blanks, in row order.
void AddAllCaptions(TListView& listView, TStringList& numbers)
{
    for (int i = 0; i < listView.ItemCount(); ++i)
        numbers.Add(Trim(listView.Item(i).Caption));
}

// Shows the answer list again when a start ends, however it ends.
struct TShowAnswersAtEnd {
    TListView& Answers;
    ~TShowAnswersAtEnd() { Answers.setVisible(true); }
};

} // namespace

void TfrmDataControl::ConfirmRestart(TStringList& numbers)
{
    if (numbers.Count() > 0)
        return;
    if (MessageDlg(RestartQuestion, TMsgDlgType::mtInformation, mbYesNo) != mrYes)
        return;
    AddAllCaptions(*frmData->lvAnswer, numbers);
    ReplyControl->DeleteRecords(numbers);
}

void TfrmDataControl::sbtnStartTestClick()
{
    Tested = true;
    TListView& answers = *frmData->lvAnswer;
    TStringList numbers;
    TShowAnswersAtEnd showAtEnd{answers};
    AddUncheckedCaptions(answers, numbers);
    ConfirmRestart(numbers);
    if (numbers.Count() == 0)
        return;
    const int row = answers.ItemIndex();
    answers.setVisible(false);
    TestControl->Execute(UnitSize, UnitNo, Folder, frmData->cmbCategory->Text(), numbers);
    ReloadAfterTest(row);
}

// The lists show the test's replies and history row; the unit list keeps no selection,
// the answer row selected before the test is selected again.
void TfrmDataControl::ReloadAfterTest(int answerRow)
{
    TfrmData& form = *frmData;
    LoadUnitList();
    LoadUnitHistory(UnitNo);
    LoadAnswerList(UnitNo);
    UnitHistoryControl->ShowChart(UnitSize, UnitNo, form.cmbCategory->Text(), *form.chtUnitHistory);
    if (answerRow < 0 || answerRow >= form.lvAnswer->ItemCount())
        return;
    form.lvAnswer->SetItemIndex(answerRow);
    form.lvAnswer->SetItemFocused(answerRow);
    form.lvAnswer->MakeVisible(answerRow);
}

void TfrmDataControl::sbtnSelectClick(TSpeedButton& sender)
{
    SaveColumnWidths();
    UnitSize = UnitSizeInRange(sender.Tag());
    UnitButtonName = sender.objectName();
    frmData->lblUnit->setText(QStringLiteral("単位一覧：%1単位").arg(UnitSize));
    cmbCategoryChange();
}

void TfrmDataControl::sbtnSettingClick()
{
    if (Setting->Execute() != 1)
        return;
    TfrmData& form = *frmData;
    const int userUnit = UnitSizeInRange(Setting->UserUnit);
    form.sbtnSelectUser->SetTag(userUnit);
    form.sbtnSelectUser->SetHint(QStringLiteral("%1単位").arg(userUnit));
    TSpeedButton* current = form.UnitButton(UnitButtonName);
    sbtnSelectClick(current ? *current : *form.sbtnSelectUser);
}

// Whatever the editor's result, an import in it may have saved another subset as the
// choice: the box is listed anew, and the lists follow whenever the choice moved.
void TfrmDataControl::sbtnCategoryCreateClick()
{
    TComboBox& box = *frmData->cmbCategory;
    const QString before = box.Text();
    const int result = ExecuteSubsetEditor(Folder);
    SubCategory->FillComboBox(box);
    if (result == 1 || box.Text() != before || SubCategory->GetSelectedName() != before)
        cmbCategoryChange();
}

void TfrmDataControl::pmuAnswerUnitAllClearClick()
{
    if (!AskWarning(AllClearQuestion))
        return;
    UnitHistoryControl->ClearAll();
    ReplyControl->ClearAll();
    OpenModel();
    SetupViews();
    cmbCategoryChange();
}

void TfrmDataControl::pmuAnswerUnitLineClearClick()
{
    TfrmData& form = *frmData;
    const int unitRow = form.lvAnswerUnit->ItemIndex();
    if (unitRow < 0 || !AskWarning(UnitClearQuestion))
        return;
    TStringList numbers;
    AddAllCaptions(*form.lvAnswer, numbers);
    const int unitNo = StrToInt(Trim(form.lvAnswerUnit->Item(unitRow).Caption));
    UnitHistoryControl->DeleteRecords(UnitSize, unitNo, form.cmbCategory->Text());
    ReplyControl->DeleteRecords(numbers);
    OpenModel();
    cmbCategoryChange();
}

void TfrmDataControl::pmuLineAnswerClearClick()
{
    TListView& answers = *frmData->lvAnswer;
    const int row = answers.ItemIndex();
    if (row < 0 || !AskWarning(AnswerClearQuestion))
        return;
    TStringList numbers;
    numbers.Add(Trim(answers.Item(row).Caption));
    ReplyControl->DeleteRecords(numbers);
    OpenModel();
    cmbCategoryChange();
}

void TfrmDataControl::pmeUnitPopup()
{
    frmData->pmuAnswerUnitLineClear->SetEnabled(frmData->lvAnswerUnit->ItemIndex() >= 0);
}

void TfrmDataControl::pmeAnswerPopup()
{
    frmData->pmuLineAnswerClear->SetEnabled(frmData->lvAnswer->ItemIndex() >= 0);
}
