// The data screen's opening, its model and its four lists with their charts.
#include "screens/data/UfrmData.h"

#include "data/UAnswerControl.h"
#include "data/UAnswerUnitControl.h"
#include "data/UConst.h"
#include "data/UQuestionControl.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/USubCategory.h"
#include "data/UUnitHistoryControl.h"
#include "data_views/ScreenLoading.h"
#include "data_views/UConstDisplay.h"
#include "platform/core/Exception.h"
#include "platform/text/Convert.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FontSubstitutes.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/SpeedButton.h"
#include "screens/data/UfrmDataIni.h"

#include <QLabel>
#include <QSplitter>
#include <QStyle>
#include <exception>

using namespace DataScreenIni;

namespace {

// Sub-items each list's rows carry after the caption.
constexpr int UnitSubItems = 7;
constexpr int AnswerSubItems = 8;
constexpr int HistorySubItems = 7;
constexpr int ReplySubItems = 4;
// The dropped-down subset list is this much wider than its widest name and scroll bar.
constexpr int DropDownPadding = 8;

// The number in a row caption (right-aligned, so with leading blanks); def when the
// caption is not a number.
int CaptionNumber(const QString& caption, int def)
{
    return StrToIntDef(Trim(caption), def);
}

// Caption and the first count sub-items of the row item at the row's position.
const TListItem* CopyRow(const std::unique_ptr<TRowList>& rows, TListItem& item, int count)
{
    if (!rows || item.Index < 0 || item.Index >= static_cast<int>(rows->size()))
        return nullptr;
    const TListItem& row = *(*rows)[static_cast<std::size_t>(item.Index)];
    item.Caption = row.Caption;
    item.SubItems = row.SubItems.mid(0, count);
    return &row;
}

void ClearRows(TListView& listView, std::unique_ptr<TRowList>& rows)
{
    if (!rows)
        rows = std::make_unique<TRowList>();
    ClearListViewObjects(listView, *rows);
}

// Frees the form, then the controller, when Execute ends however it ends; the form's
// window-state component still reaches the controller while the form goes.
struct TOpeningRelease {
    std::unique_ptr<TfrmDataControl>& Control;
    ~TOpeningRelease()
    {
        frmData.reset();
        Control.reset();
    }
};

} // namespace

void TfrmDataControl::Init(const QString& name, const QString& folder)
{
    Folder = folder;
    Name = name;
}

void TfrmDataControl::AttachChangeHandlers()
{
    frmData->lvAnswerUnit->OnChange = [this](TListView& sender, const TListItem& item) {
        lvAnswerUnitChange(sender, item);
    };
    frmData->lvAnswer->OnChange = [this](TListView& sender, const TListItem& item) {
        lvAnswerChange(sender, item);
    };
}

void TfrmDataControl::DetachChangeHandlers()
{
    frmData->lvAnswerUnit->OnChange = nullptr;
    frmData->lvAnswer->OnChange = nullptr;
}

// Every store is made for the folder even when an earlier one fails, so that none of
// them is left over from the category opened before; the first failure passes on.
void TfrmDataControl::OpenModel()
{
    std::exception_ptr failure;
    const auto make = [&failure](auto&& create) {
        try {
            create();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    make([this] { AnswerUnitControlClass->CreateInstance(Folder, UnitSize); });
    make([this] { UnitHistoryControlClass->CreateInstance(Folder); });
    make([this] { QuestionControlClass->CreateInstance(Folder); });
    make([this] { ReplyControlClass->CreateInstance(Folder); });
    make([this] { AnswerControlClass->CreateInstance(Folder); });
    if (failure)
        std::rethrow_exception(failure);
}

void TfrmDataControl::SetupViews()
{
    AnswerUnitControl->SetupColumns(*frmData->lvAnswerUnit);
    UnitHistoryControl->SetupColumns(*frmData->lvUnitHistory);
    ReplyControl->SetupColumns(*frmData->lvReply);
    UnitHistoryControl->SetupChart(UnitSize, *frmData->chtUnitHistory);
    ReplyControl->SetupChart(*frmData->chtReply);
}

void TfrmDataControl::LoadUnitSetting()
{
    const TIniFile ini = ControlInf(Folder);
    UnitButtonName = ini.ReadString(UnitSection, KeyButtonName, DefaultButtonName);
    // A hand-edited name of no size button stands for the user's size.
    if (!frmData->UnitButton(UnitButtonName))
        UnitButtonName = DefaultButtonName;
    UnitSize = UnitSizeInRange(ini.ReadInteger(UnitSection, KeyUnitSize, DefaultUnitSize));
    frmData->lblUnit->setText(QStringLiteral("単位一覧：%1単位").arg(UnitSize));
}

// Widths that cannot be saved are logged; the lists are reloaded all the same.
void TfrmDataControl::SaveColumnWidths()
{
    try {
        AnswerUnitControl->SaveColumnWidths(*frmData->lvAnswerUnit);
        UnitHistoryControl->SaveColumnWidths(*frmData->lvUnitHistory);
        AnswerControl->SaveColumnWidths(*frmData->lvAnswer);
        ReplyControl->SaveColumnWidths(*frmData->lvReply);
    } catch (...) {
        WriteLog(QStringLiteral("TfrmDataControl.SaveColumnWidths"), ExceptMessage());
    }
}

void TfrmDataControl::LoadUnitList()
{
    TListView& list = *frmData->lvAnswerUnit;
    TListUpdate update(list);
    ClearRows(list, UnitRows);
    AnswerUnitControl->FillListView(UnitSize, list, *UnitRows);
    list.SetItemCount(static_cast<int>(UnitRows->size()));
}

void TfrmDataControl::LoadAnswerList(int unitNo)
{
    TListView& list = *frmData->lvAnswer;
    TListUpdate update(list);
    ClearRows(list, AnswerRows);
    AnswerUnitControl->ShowUnitQuestions(UnitSize, unitNo, list, *AnswerRows);
    list.SetItemCount(static_cast<int>(AnswerRows->size()));
}

void TfrmDataControl::LoadUnitHistory(int unitNo)
{
    TListView& list = *frmData->lvUnitHistory;
    TListUpdate update(list);
    ClearRows(list, UnitHistoryRows);
    UnitHistoryControl->FillListView(UnitSize, unitNo, frmData->cmbCategory->Text(), list,
                                     *UnitHistoryRows);
    list.SetItemCount(static_cast<int>(UnitHistoryRows->size()));
}

void TfrmDataControl::LoadReplyList(int no)
{
    TListView& list = *frmData->lvReply;
    TListUpdate update(list);
    ClearRows(list, ReplyRows);
    ReplyControl->FillListView(no, list, *ReplyRows);
    list.SetItemCount(static_cast<int>(ReplyRows->size()));
}

void TfrmDataControl::lvAnswerUnitData(TListView&, TListItem& item)
{
    CopyRow(UnitRows, item, UnitSubItems);
}

void TfrmDataControl::lvAnswerData(TListView& sender, TListItem& item)
{
    sender.SetCheckboxes(true);
    if (const TListItem* row = CopyRow(AnswerRows, item, AnswerSubItems)) {
        item.Checked = row->Checked;
        item.StateIndex = row->Checked ? 1 : 0;
    }
}

void TfrmDataControl::lvUnitHistoryData(TListView&, TListItem& item)
{
    CopyRow(UnitHistoryRows, item, HistorySubItems);
}

void TfrmDataControl::lvReplyData(TListView&, TListItem& item)
{
    CopyRow(ReplyRows, item, ReplySubItems);
}

void TfrmDataControl::lvAnswerUnitChange(TListView&, const TListItem& item)
{
    DetachChangeHandlers();
    try {
        SaveColumnWidths();
        if (frmData->lvAnswerUnit->ItemIndex() >= 0) {
            TfrmData& form = *frmData;
            UnitNo = CaptionNumber(item.Caption, 1);
            LoadUnitHistory(UnitNo);
            LoadAnswerList(UnitNo);
            UnitHistoryControl->ShowChart(UnitSize, UnitNo, form.cmbCategory->Text(),
                                          *form.chtUnitHistory);
            SelectFirstItem(*form.lvAnswer);
            if (form.lvAnswer->ItemCount() > 0) {
                const QString caption = form.lvAnswer->Item(0).Caption;
                const int no = CaptionNumber(caption, 1);
                form.lblQuestion->setText(QStringLiteral("問題一覧：") + Trim(caption));
                LoadReplyList(no);
                ReplyControl->ShowChart(no, *form.chtReply);
            } else {
                // A unit without text answers has no question to show replies of.
                ClearRows(*form.lvReply, ReplyRows);
                ReplyControl->SetupChart(*form.chtReply);
                form.lblQuestion->setText(QStringLiteral("問題一覧"));
            }
            ++unitsShown_;
        }
    } catch (...) {
        AttachChangeHandlers();
        throw;
    }
    AttachChangeHandlers();
}

void TfrmDataControl::FormShow()
{
    UnitRows = std::make_unique<TRowList>();
    AnswerRows = std::make_unique<TRowList>();
    UnitHistoryRows = std::make_unique<TRowList>();
    ReplyRows = std::make_unique<TRowList>();
    DetachChangeHandlers();
    // A failing step is logged and the opening goes on, so that the screen is complete.
    try {
        if (!WindowStateRead)
            sbtnShowSettingClick();
        frmData->SetCaption(Name);
        Tested = false;
        LoadUnitSetting();
        if (OpenCategory())
            cmbCategoryChange();
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
    const int userUnit = UnitSizeInRange(Setting->UserUnit);
    frmData->sbtnSelectUser->SetTag(userUnit);
    frmData->sbtnSelectUser->SetHint(QStringLiteral("%1単位").arg(userUnit));
    AttachChangeHandlers();
}

bool TfrmDataControl::OpenCategory()
{
    try {
        OpenModel();
    } catch (...) {
        WriteLog(QStringLiteral("TfrmDataControl.OpenModel"),
                 ExceptMessage() + QStringLiteral(" <Folder=") + Folder + u'>');
        frmData->FailLoading();
        MessageBox(QStringLiteral("カテゴリー「%1」のデータを読み込めないため、開けません。\r\n"
                                  "原因はログ（Vek.Log）に記録しました。")
                       .arg(Name),
                   QStringLiteral("エラー"), MB_OK | MB_ICONERROR);
        return false;
    }
    modelOpen_ = true;
    TellSetAsideFiles();
    return true;
}

void TfrmDataControl::TellSetAsideFiles()
{
    QStringList moved;
    for (const QString& path : {ReplyControl->SetAsideFile, UnitHistoryControl->SetAsideFile})
        if (!path.isEmpty())
            moved << path;
    if (moved.isEmpty())
        return;
    MessageDlg(QStringLiteral("このカテゴリーのこれまでの記録は、ファイルが壊れていて読み込めないため、"
                              "別の名前で残しました。\r\n新しい記録は新しいファイルに保存します。\r\n\r\n") +
                   moved.join(QStringLiteral("\r\n")),
               TMsgDlgType::mtInformation, mbYes);
}

void TfrmDataControl::lvAnswerChange(TListView&, const TListItem& item)
{
    if (frmData->lvAnswer->ItemIndex() < 0)
        return;
    const QString caption = Trim(item.Caption);
    frmData->lblQuestion->setText(QStringLiteral("問題一覧：") + caption);
    const int no = StrToInt(caption);
    LoadReplyList(no);
    ReplyControl->ShowChart(no, *frmData->chtReply);
}

void TfrmDataControl::lvCustomDrawItem(TListView&, const TListItem& item, TColor& background)
{
    if (item.Index % 2 == 0)
        background = EvenRowColor;
}

void TfrmDataControl::lvAnswerCustomDrawItem(TListView& sender, const TListItem& item,
                                             TColor& background)
{
    lvCustomDrawItem(sender, item, background);
    if (item.Checked)
        background = TickedRowColor;
}

// The lists follow the chosen subset. A choice that cannot be saved is logged and the
// lists still show it; lists that cannot be loaded close the screen (see LoadLists).
void TfrmDataControl::cmbCategoryChange()
{
    TfrmData& form = *frmData;
    const QString subset = form.cmbCategory->Text();
    try {
        SubCategory->SaveSelection(subset);
    } catch (...) {
        WriteLog(QStringLiteral("TfrmDataControl.cmbCategoryChange"), ExceptMessage());
    }
    form.cmbCategory->setToolTip(subset);
    if (!LoadScreenStep(form, QStringLiteral("TfrmDataControl.LoadLists"),
                        QStringLiteral("カテゴリー「%1」の単位の一覧（Answer.cds、カテゴリーファイル）").arg(Name),
                        [this] { LoadLists(); }))
        modelOpen_ = false;
}

void TfrmDataControl::LoadLists()
{
    TfrmData& form = *frmData;
    if (form.lvAnswerUnit->ItemCount() > 0)
        SaveColumnWidths();
    SetupViews();
    LoadUnitList();
    if (form.lvAnswerUnit->ItemCount() == 0)
        return;
    const int shownBefore = unitsShown_;
    SelectFirstItem(*form.lvAnswerUnit);
    if (unitsShown_ != shownBefore)
        return; // the unit list's change handler has shown the unit with its charts
    const int unitNo = form.lvAnswerUnit->ItemIndex() + 1;
    LoadUnitHistory(unitNo);
    LoadAnswerList(unitNo);
    SelectFirstItem(*form.lvAnswer);
    if (const int row = form.lvAnswer->ItemIndex(); row >= 0)
        LoadReplyList(CaptionNumber(form.lvAnswer->Item(row).Caption, 1));
    else
        ClearRows(*form.lvReply, ReplyRows); // no question, so no replies
}

void TfrmDataControl::cmbCategoryDropDown()
{
    TComboBox& box = *frmData->cmbCategory;
    const QFontMetrics metrics = box.fontMetrics();
    int widest = 0;
    for (const QString& item : box.Items())
        widest = std::max(widest, metrics.horizontalAdvance(item));
    const int scrollBar = box.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &box);
    box.SetDroppedWidth(widest + scrollBar + DropDownPadding);
}

void TfrmDataControl::AssignEvents()
{
    TfrmData& form = *frmData;
    form.OnShow = [this] { FormShow(); };
    form.OnClose = [this](TForm::TCloseAction& action) { FormClose(action); };
    form.OnPaint = [this] { FormPaint(); };
    form.OnResize = [this] { FormResize(); };
    form.OnCanResize = [this](int& width, int& height, bool& resize) {
        FormCanResize(width, height, resize);
    };
    form.OnKeyDown = [this](TKey& key, TShiftState shift) { FormKeyDown(key, shift); };
    form.lvAnswerUnit->OnDblClick = [this](TListView&) { sbtnStartTestClick(); };
    const auto drawRow = [this](TListView& sender, const TListItem& item, TColor& background) {
        lvCustomDrawItem(sender, item, background);
    };
    form.lvAnswerUnit->OnCustomDrawItem = drawRow;
    form.lvUnitHistory->OnCustomDrawItem = drawRow;
    form.lvReply->OnCustomDrawItem = drawRow;
    form.lvAnswer->OnCustomDrawItem = [this](TListView& sender, const TListItem& item,
                                             TColor& background) {
        lvAnswerCustomDrawItem(sender, item, background);
    };
    form.lvAnswerUnit->OnData = [this](TListView& sender, TListItem& item) { lvAnswerUnitData(sender, item); };
    form.lvAnswer->OnData = [this](TListView& sender, TListItem& item) { lvAnswerData(sender, item); };
    form.lvUnitHistory->OnData = [this](TListView& sender, TListItem& item) {
        lvUnitHistoryData(sender, item);
    };
    form.lvReply->OnData = [this](TListView& sender, TListItem& item) { lvReplyData(sender, item); };
    form.sbtnStartTest->OnClick = [this] { sbtnStartTestClick(); };
    for (TSpeedButton* button :
         {form.sbtnSelect25, form.sbtnSelect50, form.sbtnSelect100, form.sbtnSelectUser})
        button->OnClick = [this, button] { sbtnSelectClick(*button); };
    form.sbtnSetting->OnClick = [this] { sbtnSettingClick(); };
    form.sbtnShowSetting->OnClick = [this] { sbtnShowSettingClick(); };
    form.sbtnClose->OnClick = [this] { sbtnCloseClick(); };
    form.sbtnCategoryCreate->OnClick = [this] { sbtnCategoryCreateClick(); };
    form.cmbCategory->OnChange = [this] { cmbCategoryChange(); };
    form.cmbCategory->OnDropDown = [this] { cmbCategoryDropDown(); };
    form.KvUserWdwState->OnReadData = [this](QObject* sender, TKvWdwStateData& data) {
        KvUserWdwStateReadData(sender, data);
    };
    form.KvUserWdwState->OnSaveData = [this](QObject* sender, const TKvWdwStateData& data) {
        KvUserWdwStateSaveData(sender, data);
    };
    form.pmuAnswerUnitAllClear->OnClick = [this] { pmuAnswerUnitAllClearClick(); };
    form.pmuAnswerUnitLineClear->OnClick = [this] { pmuAnswerUnitLineClearClick(); };
    form.pmuLineAnswerClear->OnClick = [this] { pmuLineAnswerClearClick(); };
    form.pmeUnit->OnPopup = [this] { pmeUnitPopup(); };
    form.pmeAnswer->OnPopup = [this] { pmeAnswerPopup(); };
    AttachChangeHandlers();
    // A panel the user sizes starts a new base for proportional resizing.
    for (QSplitter* splitter :
         {form.SptBase, form.Splitter1, form.Splitter2, form.Splitter4, form.Splitter3})
        QObject::connect(splitter, &QSplitter::splitterMoved, &form, [this] { ForgetSizingBase(); });
}

void TfrmDataControlClass::Execute(const QString& name, const QString& folder) const
{
    std::unique_ptr<TfrmDataControl> control = Create();
    TOpeningRelease release{control};
    SettingClass->CreateInstance(folder);
    frmData = DataFormClass->Create(nullptr);
    control->Shown = false;
    control->AssignEvents();
    control->Init(name, folder);
    SubCategory->SetFolder(folder);
    SubCategory->FillComboBox(*frmData->cmbCategory);
    frmData->ShowModal();
}

void InitializeUfrmData()
{
    if (!DataFormClass)
        DataFormClass = ClassOf<TfrmData, TfrmDataClass>();
    DataControlClass = ClassOf<TfrmDataControl, TfrmDataControlClass>();
    RegisterFontSubstitutes();
}

void FinalizeUfrmData()
{
    frmData.reset();
    DataControlClass = nullptr;
    DataFormClass = nullptr;
}
