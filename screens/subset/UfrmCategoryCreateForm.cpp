// The subset editor's form: the layout of UfrmCategoryCreate.ui with its components, the
// eight columns of both lists and the two file dialogs.
#include "screens/subset/UfrmCategoryCreate.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"

#include <QLabel>

namespace {

const QString SubsetFileFilter = QStringLiteral("カテゴリーファイル|*.sub|全てのファイル|*.*");
constexpr int MaxColumnWidth = 300;
constexpr int LeftAlignedColumns = 3;

void AddQuestionColumns(TListView& listView)
{
    for (int i = 0; i < QuestionColumnCount; ++i) {
        const TQuestionColumn& wanted = QuestionColumns[i];
        TListColumn& column = listView.AddColumn();
        column.SetCaption(QString::fromUtf16(wanted.Caption));
        column.SetAlignment(i < LeftAlignedColumns ? TAlignment::taLeftJustify : TAlignment::taRightJustify);
        column.SetMinWidth(wanted.MinWidth);
        column.SetMaxWidth(MaxColumnWidth);
        column.SetWidth(wanted.Width);
    }
}

} // namespace

TfrmCategoryCreate::TfrmCategoryCreate(QWidget* owner)
    : TForm(owner), OpenDialog(std::make_unique<TOpenDialog>()), SaveDialog(std::make_unique<TSaveDialog>())
{
    setupUi(this);
    imgMenu->LoadFromFile(QStringLiteral(":/subset/editor_background.svg"));
    AddQuestionColumns(*lvAnswerUnit);
    AddQuestionColumns(*lvSubCategory);
    OpenDialog->Filter = SubsetFileFilter;
    SaveDialog->Filter = SubsetFileFilter;
}

TfrmCategoryCreate::~TfrmCategoryCreate() = default;
