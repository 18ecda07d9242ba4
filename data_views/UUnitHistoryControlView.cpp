// The history store: the history list with its column widths, the history chart.
#include "data/UUnitHistoryControl.h"

#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/core/Checked.h"
#include "platform/ini/IniFile.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ListView.h"

#include <algorithm>

namespace {

const QString WidthSection = QStringLiteral("単位履歴幅");
constexpr int SavedMinWidth = 10;
constexpr int AxisMinMaximum = 11;

} // namespace

void TUnitHistoryControl::FillListView(int count, int no, const QString& subCategory,
                                       TListView& listView, TRowList& rows)
{
    listView.ClearItems();
    const auto given = static_cast<std::ptrdiff_t>(rows.size());
    WalkChain(static_cast<const TUnitHistory*>(Head.get()), [&](const TUnitHistory& row) {
        return row.AddToListView(count, no, subCategory, listView, rows);
    });
    // The list shows the last row of the chain first, before the rows given.
    std::reverse(rows.begin() + given, rows.end());
    std::rotate(rows.begin(), rows.begin() + given, rows.end());
}

void TUnitHistoryControl::SetupChart(int count, TChart& chart)
{
    chart.LeftAxis().SetMaximum(std::max(CheckedAdd(count, 1), AxisMinMaximum));
    for (int i = 0; i < chart.SeriesCount(); ++i)
        chart.Series(i).Clear();
}

void TUnitHistoryControl::ShowChart(int count, int no, const QString& subCategory, TChart& chart)
{
    SetupChart(count, chart);
    WalkChain(static_cast<const TUnitHistory*>(Head.get()), [&](const TUnitHistory& row) {
        return row.AddToChart(count, no, subCategory, chart);
    });
    PadChartSeries(chart);
}

void TUnitHistoryControl::SetupColumns(TListView& listView)
{
    const TIniFile ini = ControlInf(Folder);
    TListUpdate update(listView);
    listView.ClearItems();
    listView.ClearColumns();
    for (std::size_t i = 0; i < UnitHistoryColumnCount; ++i) {
        TListColumn& column = listView.AddColumn();
        column.SetCaption(UnitHistoryColumnCaptions[i]);
        column.SetAlignment(TAlignment::taRightJustify);
        column.SetWidth(ReadColumnWidth(ini, WidthSection, UnitHistoryColumnCaptions[i],
                                        UnitHistoryColumnWidths[i]));
    }
}

void TUnitHistoryControl::SaveColumnWidths(TListView& listView)
{
    TIniFile ini = ControlInf(Folder);
    for (std::size_t i = 0; i < UnitHistoryColumnCount; ++i)
        WriteColumnWidth(ini, WidthSection, UnitHistoryColumnCaptions[i],
                         std::max(listView.Column(static_cast<int>(i)).Width(), SavedMinWidth));
}
