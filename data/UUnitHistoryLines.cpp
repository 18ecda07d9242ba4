// What history rows contribute to texts: the statistics lines of a unit.
#include "data/UUnitHistory.h"

#include "data/UConst.h"
#include "platform/core/Checked.h"
#include "platform/text/Convert.h"
#include "platform/text/StringList.h"

#include <cmath>

const TUnitHistory* TUnitHistory::CollectStatistics(int count, int no, const QString& subCategory,
                                                    int& tests, TDateTime& latest,
                                                    TDateTime& total) const
{
    if (!Matches(count, no, subCategory))
        return Next.get();
    tests = CheckedAdd(tests, 1);
    // Of rows with equal dates the first in chain order counts.
    if (TestDate > latest) {
        latest = TestDate;
        total = TestCount * Average;
    }
    return Next.get();
}

void TUnitHistory::GetStatistics(int count, int no, const QString& subCategory,
                                 TStringList& lines) const
{
    int tests = 0;
    TDateTime latest = 0.0;
    TDateTime total = 0.0;
    WalkHistory(this, [&](const TUnitHistory& row) {
        return row.CollectStatistics(count, no, subCategory, tests, latest, total);
    });
    UnitHistoryLines(tests, latest, total, lines);
}

void UnitHistoryLines(int tests, TDateTime latest, TDateTime total, TStringList& lines)
{
    lines.Clear();
    if (tests == 0) {
        lines.Add(QStringLiteral("EndDate="));
        lines.Add(QStringLiteral("AllDate="));
    } else {
        lines.Add(QStringLiteral("EndDate=") + DateTimeToStr(latest));
        lines.Add(QStringLiteral("AllDate=") + DateTimeToStr(std::fabs(total)));
    }
    lines.Add(QStringLiteral("TestCount=") + IntToStr(tests));
}

const TUnitHistory* TUnitHistoryNull::CollectStatistics(int, int, const QString&, int&,
                                                        TDateTime&, TDateTime&) const
{
    return nullptr;
}
