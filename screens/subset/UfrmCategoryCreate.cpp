// The subset editor's unit: its globals, the controller's life, the modal run, showing
// and the keys.
#include "screens/subset/UfrmCategoryCreate.h"

#include "data/USubCategory.h"
#include "data_views/ScreenLoading.h"
#include "data_views/UConstDisplay.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/ListView.h"

const TQuestionColumn QuestionColumns[QuestionColumnCount] = {
    {u"番号", 40, 30},   {u"問題", 80, 50},   {u"答え", 70, 50},   {u"回数", 48, 40},
    {u"正解数", 48, 40}, {u"合格数", 48, 40}, {u"正解率", 48, 40}, {u"合格率", 48, 40},
};

const QString NewSubsetName = QStringLiteral("新しいカテゴリー");

namespace {

// Frees the controller (and with it the form) when Execute ends, however it ends.
struct TControlRelease {
    ~TControlRelease() { CategoryCreateControl.reset(); }
};

} // namespace

TfrmCategoryCreateControl::TfrmCategoryCreateControl(const QString& folder) : Folder(folder)
{
    frmCategoryCreate = CategoryCreateFormClass->Create(nullptr);
    AssignHandlers(*frmCategoryCreate);
}

TfrmCategoryCreateControl::~TfrmCategoryCreateControl()
{
    if (frmCategoryCreate) {
        ClearListViewObjects(*frmCategoryCreate->lvAnswerUnit, LeftRows);
        ClearListViewObjects(*frmCategoryCreate->lvSubCategory, RightRows);
    }
    frmCategoryCreate.reset();
}

void TfrmCategoryCreateControl::AssignHandlers(TfrmCategoryCreate& form)
{
    form.OnShow = [this] { FormShow(); };
    form.OnDestroy = [this] { FormDestroy(); };
    form.OnKeyDown = [this](TKey& key, TShiftState shift) { FormKeyDown(key, shift); };
    form.btnNew->OnClick = [this] { btnNewClick(); };
    form.btnEdit->OnClick = [this] { btnEditClick(); };
    form.btnDelete->OnClick = [this] { btnDeleteClick(); };
    form.cmbCategory->OnChange = [this] { cmbCategoryChange(); };
    form.btnSetting->OnClick = [this] { btnSettingClick(); };
    form.lvAnswerUnit->OnDblClick = [this](TListView&) { lvAnswerUnitDblClick(); };
    form.lvSubCategory->OnDblClick = [this](TListView&) { lvSubCategoryDblClick(); };
    form.btnRight->OnClick = [this] { btnRightClick(); };
    form.btnLeft->OnClick = [this] { btnLeftClick(); };
    form.btnRightAll->OnClick = [this] { btnRightAllClick(); };
    form.btnLeftAll->OnClick = [this] { btnLeftAllClick(); };
    for (TButton* button : {form.btnUp, form.btnDown})
        button->OnClick = [this, button] { btnUpDownClick(*button); };
    for (TListView* list : {form.lvAnswerUnit, form.lvSubCategory}) {
        list->OnDragOver = [this](TListView& sender, TListView& source, int x, int y, bool& accept) {
            lvDragOver(sender, source, x, y, accept);
        };
        list->OnDragDrop = [this](TListView& sender, TListView& source, int x, int y) {
            lvDragDrop(sender, source, x, y);
        };
    }
    form.btnImport->OnClick = [this] { btnImportClick(); };
    form.btnExport->OnClick = [this] { btnExportClick(); };
    form.lvAnswerUnit->OnData = [this](TListView& sender, TListItem& item) { lvAnswerUnitData(sender, item); };
    form.lvSubCategory->OnData = [this](TListView& sender, TListItem& item) { lvSubCategoryData(sender, item); };
    form.lvSubCategory->OnColumnClick = [this](TListView& sender, int column) {
        lvSubCategoryColumnClick(sender, column);
    };
    form.lvAnswerUnit->OnColumnClick = [this](TListView& sender, int column) {
        lvAnswerUnitColumnClick(sender, column);
    };
}

// The subsets and both lists; when one cannot be read, the editor closes without
// writing anything (see data_views/ScreenLoading.h).
void TfrmCategoryCreateControl::FormShow()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    form.update();
    NameValueList = std::make_unique<TStringList>();
    Index = 0;
    if (!LoadScreenStep(form, QStringLiteral("TfrmCategoryCreateControl.FormShow"),
                        QStringLiteral("カテゴリーファイル（.sub）"),
                        [this] { SubCategory->GetNameValueList(*NameValueList, Index); }))
        return;
    if (NameValueList->Count() == 0) {
        NameValueList->Add(NewSubsetName + u'=');
        Index = 0;
    }
    if (Index < 1)
        Index = 0;
    Name = NameValueList->Names(Index);
    RefreshCategoryCombo();
    form.lvAnswerUnit->setFocus();
}

void TfrmCategoryCreateControl::FormDestroy()
{
    NameValueList.reset();
}

void TfrmCategoryCreateControl::FormKeyDown(TKey& key, TShiftState)
{
    if (key == VK_ESCAPE)
        frmCategoryCreate->Close();
}

int TfrmCategoryCreateControlClass::Execute(const QString& folder) const
{
    TControlRelease release;
    CategoryCreateControl = Create(folder);
    return frmCategoryCreate->ShowModal();
}

void InitializeUfrmCategoryCreate()
{
    CategoryCreateFormClass = ClassOf<TfrmCategoryCreate, TfrmCategoryCreateClass>();
    CategoryCreateControlClass = ClassOf<TfrmCategoryCreateControl, TfrmCategoryCreateControlClass>();
}

void FinalizeUfrmCategoryCreate()
{
    CategoryCreateControl.reset();
    frmCategoryCreate.reset();
    CategoryCreateControlClass = nullptr;
    CategoryCreateFormClass = nullptr;
}
