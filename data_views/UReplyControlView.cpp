// The reply store: the reply list with its column widths, the reply chart.
#include "data/UReplyControl.h"

#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/ini/IniFile.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ListView.h"

namespace {

const QString WidthSection = QStringLiteral("回答幅");
constexpr double ChartAxisMaximum = 12000.0;

} // namespace

void TReplyControl::SetupColumns(TListView& listView)
{
    listView.ClearItems();
    TListUpdate update(listView);
    listView.ClearColumns();
    const TIniFile ini = ControlInf(Folder);
    for (int i = 0; i < ReplyColumnCount; ++i) {
        TListColumn& column = listView.AddColumn();
        const QString& caption = ReplyColumnCaptions[static_cast<std::size_t>(i)];
        column.SetCaption(caption);
        column.SetAlignment(TAlignment::taCenter);
        column.SetWidth(ReadColumnWidth(ini, WidthSection, caption,
                                        ReplyColumnWidths[static_cast<std::size_t>(i)]));
    }
    listView.Column(1).SetAlignment(TAlignment::taRightJustify);
    listView.Column(2).SetAlignment(TAlignment::taRightJustify);
}

void TReplyControl::SaveColumnWidths(TListView& listView)
{
    TIniFile ini = ControlInf(Folder);
    for (int i = 0; i < listView.ColumnCount(); ++i) {
        const TListColumn& column = listView.Column(i);
        WriteColumnWidth(ini, WidthSection, column.Caption(), column.Width());
    }
}

void TReplyControl::FillListView(int no, TListView& listView, TRowList& rows)
{
    listView.ClearItems();
    for (const TReply* reply : index_.Of(no))
        reply->AddToListView(no, listView, rows);
}

void TReplyControl::SetupChart(TChart& chart)
{
    chart.BottomAxis().SetMaximum(ChartAxisMaximum);
    chart.TopAxis().SetMaximum(ChartAxisMaximum);
    for (int i = 0; i < chart.SeriesCount(); ++i)
        chart.Series(i).Clear();
}

void TReplyControl::ShowChart(int no, TChart& chart)
{
    SetupChart(chart);
    for (const TReply* reply : index_.Of(no))
        reply->AddToChart(no, chart);
    PadChartSeries(chart);
}
