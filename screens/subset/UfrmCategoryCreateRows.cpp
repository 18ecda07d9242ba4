// The subset editor's rows: one per text question, read from Answer.cds and Question.cds
// with the question's statistics, shared out between the left list and the current
// subset on the right, and shown by the owner-data lists.
#include "screens/subset/UfrmCategoryCreate.h"

#include "data/UConst.h"
#include "data/UReplyControl.h"
#include "data_views/ScreenLoading.h"
#include "data_views/UConstDisplay.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/files/WindowsPath.h"
#include "platform/text/CommaText.h"
#include "platform/text/Convert.h"
#include "platform/text/Trim.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/ListView.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

constexpr int TextType = 1;

struct TTextRecord {
    int No = 0;
    QString Data;
};

// The text records (TYPE 1) of a question or answer file, in ascending NO, equal numbers
// in stored order.
std::vector<TTextRecord> TextRecords(const QString& path)
{
    TClientDataSet dataSet;
    dataSet.LoadFromFile(ResolvePath(path));
    dataSet.SetIndexFieldNames(QStringLiteral("NO"));
    dataSet.SetFilter(QStringLiteral("TYPE = %1").arg(TextType));
    dataSet.SetFiltered(true);
    dataSet.Open();
    std::vector<TTextRecord> records;
    records.reserve(static_cast<std::size_t>(dataSet.RecordCount()));
    TField& no = dataSet.FieldByName(QStringLiteral("NO"));
    TField& data = dataSet.FieldByName(QStringLiteral("DATA"));
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        records.push_back({no.AsInteger(), data.AsString()});
    dataSet.Close();
    return records;
}

std::unique_ptr<TListItem> QuestionRow(int no, const QString& question, const QString& answer,
                                       TStringList& statistics)
{
    statistics.Clear();
    ReplyControl->GetStatistics(no, statistics);
    const QString tests = statistics.Values(QStringLiteral("TestCount"));
    const QString correct = statistics.Values(QStringLiteral("AnswerCount"));
    const QString cleared = statistics.Values(QStringLiteral("ClearCount"));
    auto row = std::make_unique<TListItem>();
    row->Caption = FormatInt(no, 3);
    row->SubItems = {question, answer, ZeroIfBlank(tests), ZeroIfBlank(correct), ZeroIfBlank(cleared),
                     FormatPercentStr(correct, tests), FormatPercentStr(cleared, tests)};
    return row;
}

int RowNumber(const TListItem& row)
{
    return StrToIntDef(Trim(row.Caption), 0);
}

void CopyRow(const TRowList& rows, TListItem& item)
{
    if (item.Index < 0 || item.Index >= static_cast<int>(rows.size()))
        return;
    TListItem& row = *rows[static_cast<std::size_t>(item.Index)];
    item.Data = &row;
    item.Caption = row.Caption;
    item.SubItems = row.SubItems;
}

} // namespace

void TfrmCategoryCreateControl::LoadQuestionRows()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    ClearListViewObjects(*form.lvAnswerUnit, LeftRows);
    const std::vector<TTextRecord> answers = TextRecords(Folder + QStringLiteral("Answer.cds"));
    const std::vector<TTextRecord> questions = TextRecords(Folder + QStringLiteral("Question.cds"));
    // Both files in ascending number: a question and an answer of the same number make a
    // row; a number that only one of them holds makes none.
    TStringList statistics;
    LeftRows.reserve(std::min(answers.size(), questions.size()));
    auto answer = answers.begin();
    auto question = questions.begin();
    while (answer != answers.end() && question != questions.end()) {
        if (answer->No < question->No) {
            ++answer;
        } else if (question->No < answer->No) {
            ++question;
        } else {
            LeftRows.push_back(QuestionRow(answer->No, question->Data, answer->Data, statistics));
            ++answer;
            ++question;
        }
    }
    form.lvAnswerUnit->SetItemCount(static_cast<int>(LeftRows.size()));
}

void TfrmCategoryCreateControl::LoadLists()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    ClearListViewObjects(*form.lvAnswerUnit, LeftRows);
    ClearListViewObjects(*form.lvSubCategory, RightRows);
    {
        const TListUpdate updateLeft(*form.lvAnswerUnit);
        const TListUpdate updateRight(*form.lvSubCategory);
        LoadQuestionRows();
        // Where each number stands on the left, equal numbers in row order.
        std::unordered_map<int, std::vector<std::size_t>> positions;
        for (std::size_t i = 0; i < LeftRows.size(); ++i)
            positions[RowNumber(*LeftRows[i])].push_back(i);
        std::unordered_map<int, std::size_t> taken;
        for (const QString& entry : SplitSubsetCommaText(NameValueList->ValueFromIndex(Index))) {
            const int no = StrToIntDef(Trim(entry), 0);
            const auto found = positions.find(no);
            if (no < 1 || found == positions.end())
                continue;
            std::size_t& next = taken[no];
            if (next >= found->second.size())
                continue; // every row of that number is on the right already
            RightRows.push_back(std::move(LeftRows[found->second[next++]]));
        }
        std::erase_if(LeftRows, [](const std::unique_ptr<TListItem>& row) { return !row; });
        ShowRowCounts();
    }
    form.lvSubCategory->setFocus();
}

void TfrmCategoryCreateControl::RefreshCategoryCombo()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    QStringList names;
    for (int i = 0; i < NameValueList->Count(); ++i)
        names << NameValueList->Names(i);
    form.cmbCategory->SetItems(names);
    form.cmbCategory->SetItemIndex(Index);
    LoadScreenStep(form, QStringLiteral("TfrmCategoryCreateControl.LoadLists"),
                   QStringLiteral("問題と答えのファイル（Question.cds、Answer.cds）"), [this] { LoadLists(); });
}

void TfrmCategoryCreateControl::StoreSelection()
{
    if (frmCategoryCreate->LoadFailed())
        return; // the lists are not the subset's
    (*NameValueList)[Index] = NameValueList->Names(Index) + u'=' + GetSelectionText() + u' ';
}

QString TfrmCategoryCreateControl::GetSelectionText() const
{
    QStringList numbers;
    numbers.reserve(static_cast<qsizetype>(RightRows.size()));
    for (const auto& row : RightRows)
        numbers << Trim(row->Caption);
    return numbers.join(u',');
}

void TfrmCategoryCreateControl::ShowRowCounts()
{
    TfrmCategoryCreate& form = *frmCategoryCreate;
    form.lvAnswerUnit->SetItemCount(0);
    form.lvSubCategory->SetItemCount(0);
    form.lvAnswerUnit->SetItemCount(static_cast<int>(LeftRows.size()));
    form.lvSubCategory->SetItemCount(static_cast<int>(RightRows.size()));
}

void TfrmCategoryCreateControl::lvAnswerUnitData(TListView&, TListItem& item)
{
    CopyRow(LeftRows, item);
}

void TfrmCategoryCreateControl::lvSubCategoryData(TListView&, TListItem& item)
{
    CopyRow(RightRows, item);
}
