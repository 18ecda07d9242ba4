// The unit store: the unit list and its columns, the answer list of one unit.
#include "data/UAnswerUnitControl.h"

#include "data/UConst.h"
#include "data/UUnitHistoryControl.h"
#include "data_views/UConstDisplay.h"
#include "platform/ini/IniFile.h"
#include "platform/vcl/ListView.h"

namespace {

const QString WidthSection = QStringLiteral("単位一覧幅");

} // namespace

const std::array<QString, AnswerUnitColumnCount> AnswerUnitColumnCaptions = {
    QStringLiteral("No."),    QStringLiteral("ﾃｽﾄ回数"), QStringLiteral("問題数"),
    QStringLiteral("ｸﾘｱ数"),  QStringLiteral("ｸﾘｱ率"),   QStringLiteral("残件数"),
    QStringLiteral("回答時間"), QStringLiteral("最終ﾃｽﾄ")};

const std::array<TAlignment, AnswerUnitColumnCount> AnswerUnitColumnAlignments = {
    TAlignment::taRightJustify, TAlignment::taRightJustify, TAlignment::taRightJustify,
    TAlignment::taRightJustify, TAlignment::taRightJustify, TAlignment::taRightJustify,
    TAlignment::taRightJustify, TAlignment::taCenter};

void TAnswerUnitControl::FillListView(int unitSize, TListView& listView, TRowList& rows)
{
    BuildUnits(unitSize);
    // Every unit's row asks for its history figures: one walk of the history answers all.
    const TUnitHistoryControl::TStatisticsBatch history(*UnitHistoryControl);
    AddUnitRows(Head.get(), listView, rows);
}

void TAnswerUnitControl::ShowUnitQuestions(int, int unitNo, TListView& listView, TRowList& rows)
{
    listView.ClearItems();
    ShowUnitChainQuestions(Head.get(), unitNo, listView, rows);
}

void TAnswerUnitControl::SetupColumns(TListView& listView)
{
    TListUpdate update(listView);
    InitListColumns(listView, AnswerUnitColumnCount);
    const TIniFile ini = ControlInf(Folder);
    for (std::size_t i = 0; i < AnswerUnitColumnCount; ++i)
        SetupListColumn(ini, listView, static_cast<int>(i), WidthSection, AnswerUnitColumnCaptions[i],
                        AnswerUnitColumnAlignments[i], AnswerUnitColumnChars[i]);
}

void TAnswerUnitControl::SaveColumnWidths(TListView& listView)
{
    TIniFile ini = ControlInf(Folder);
    for (int i = 0; i < listView.ColumnCount(); ++i) {
        const TListColumn& column = listView.Column(i);
        WriteColumnWidth(ini, WidthSection, column.Caption(), column.Width());
    }
}
