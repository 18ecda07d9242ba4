// The answer store: showing an answer, the answer list with its column widths.
#include "data/UAnswerControl.h"

#include "data/UConst.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data_views/UConstDisplay.h"
#include "platform/ini/IniFile.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"

#include <algorithm>

namespace {

const QString WidthSection = QStringLiteral("問題一覧幅");
constexpr int SavedMinWidth = 10;

constexpr std::array<TAlignment, AnswerColumnCount> AnswerColumnAlignments = {
    TAlignment::taCenter,       TAlignment::taLeftJustify,  TAlignment::taRightJustify,
    TAlignment::taRightJustify, TAlignment::taRightJustify, TAlignment::taRightJustify,
    TAlignment::taRightJustify, TAlignment::taRightJustify, TAlignment::taCenter};

} // namespace

const std::array<QString, AnswerColumnCount> AnswerColumnCaptions = {
    QStringLiteral("No."),    QStringLiteral("答え"),   QStringLiteral("ﾃｽﾄ回数"),
    QStringLiteral("正解数"), QStringLiteral("合格数"), QStringLiteral("正解率"),
    QStringLiteral("合格率"), QStringLiteral("回答時間"), QStringLiteral("最終ﾃｽﾄ")};

void TAnswerControl::SetupColumns(TListView& listView)
{
    TListUpdate update(listView);
    InitListColumns(listView, AnswerColumnCount);
    const TIniFile ini = ControlInf(Folder);
    for (std::size_t i = 0; i < AnswerColumnCount; ++i)
        SetupListColumn(ini, listView, static_cast<int>(i), WidthSection, AnswerColumnCaptions[i],
                        AnswerColumnAlignments[i], AnswerColumnChars[i]);
}

void TAnswerControl::FillListView(const TStringList& numbers, TListView& listView, TRowList& rows)
{
    SetupColumns(listView);
    for (int i = 0; i < numbers.Count(); ++i)
        AddAnswerRows(Head.get(), DecimalOrZero(numbers[i]), listView, *ReplyControl,
                      Setting->ClearCount, Setting->MaxTestCount, rows);
}

void TAnswerControl::FillAllListView(TListView& listView)
{
    TListUpdate update(listView);
    listView.ClearItems();
    AddAllAnswerRows(Head.get(), listView);
}

void TAnswerControl::SaveColumnWidths(TListView& listView)
{
    // The columns are made with the first rows; a list that never had any (a category
    // without questions) has no widths to save.
    TIniFile ini = ControlInf(Folder);
    const int count = std::min(listView.ColumnCount(), AnswerColumnCount);
    for (int i = 0; i < count; ++i)
        WriteColumnWidth(ini, WidthSection, AnswerColumnCaptions[static_cast<std::size_t>(i)],
                         std::max(listView.Column(i).Width(), SavedMinWidth));
}

void TAnswerControl::Show(int no, QWidget* control)
{
    ShowTextComponent(control, QString());
    if (auto* image = qobject_cast<TImage*>(control))
        DrawControlFrame(*image);
    ShowAnswerChain(Head.get(), no, control);
}
