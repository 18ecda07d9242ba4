// What a history row shows: its row of the history list and its points of the history
// chart.
#include "data/UUnitHistory.h"

#include "data/UConst.h"
#include "platform/core/Checked.h"
#include "platform/text/Convert.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/ListItem.h"

#include <algorithm>

namespace {

const QString NoDate = QStringLiteral("-");
const QString NoTime = QStringLiteral("- 秒");

// The seconds within the minute and the milliseconds of a duration's magnitude, as one
// integer (3 s 45 ms gives 3045); 0 for a duration that cannot be shown.
int SecondsAndMs(TDateTime duration)
{
    return StrToIntDef(FormatDateTimeOr(QStringLiteral("szzz"), duration, QString()), 0);
}

} // namespace

const TUnitHistory* TUnitHistory::AddToListView(int count, int no, const QString& subCategory,
                                                TListView&, TRowList& rows) const
{
    if (!Matches(count, no, subCategory))
        return Next.get();
    auto row = std::make_unique<TListItem>();
    row->Caption = FormatDateTimeOr(QStringLiteral("YYYY/MM/DD HH:MM:SS"), TestDate, NoDate);
    row->SubItems = {IntToStr(TestCount),
                     IntToStr(AnswerCount),
                     IntToStr(ClearCount),
                     FormatDateTimeOr(QStringLiteral("n分ss秒"), TestCount * Average, NoTime),
                     FormatDateTimeOr(QStringLiteral("s.zzz秒"), Average, NoTime),
                     FormatPercent(AnswerCount, TestCount),
                     FormatPercent(ClearCount, TestCount)};
    rows.push_back(std::move(row));
    return Next.get();
}

const TUnitHistory* TUnitHistory::AddToChart(int count, int no, const QString& subCategory,
                                             TChart& chart) const
{
    if (!Matches(count, no, subCategory))
        return Next.get();
    const QString label = IntToStr(CheckedAdd(chart.Series(0).Count(), 1));
    chart.Series(4).Add(SecondsAndMs(Average) / 1000.0, label);
    chart.Series(3).Add(std::min(TestCount, ClearCount), label);
    chart.Series(2).Add(std::min(TestCount, AnswerCount), label);
    chart.Series(1).Add(TestCount, label);
    chart.Series(0).Add(0.0, label);
    return Next.get();
}

const TUnitHistory* TUnitHistoryNull::AddToListView(int, int, const QString&, TListView&,
                                                    TRowList&) const
{
    return nullptr;
}

const TUnitHistory* TUnitHistoryNull::AddToChart(int, int, const QString&, TChart&) const
{
    return nullptr;
}
