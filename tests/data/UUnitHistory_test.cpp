// History rows as the data screen and the unit list see them: list rows (latest first,
// new rows at once), chart points with the axis maximum and the ten-point padding,
// statistics lines read back as the unit list reads them, and a long chain on a small
// stack.
#include "UUnitHistoryTestSupport.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"

#include <QThread>

namespace {

using HistoryRows = HistoryFolder;

const TDateTime Day = EncodeDateTime(2024, 5, 1, 13, 7, 9, 0);
const QString All = QStringLiteral("全ての問題");

std::vector<double> Points(TChart& chart, int series)
{
    std::vector<double> values;
    for (int i = 0; i < chart.Series(series).Count(); ++i)
        values.push_back(chart.Series(series).YValue(i));
    return values;
}

QStringList Labels(TChart& chart, int series)
{
    QStringList labels;
    for (int i = 0; i < chart.Series(series).Count(); ++i)
        labels << chart.Series(series).Label(i);
    return labels;
}

} // namespace

TEST_F(HistoryRows, TenQuestionsOfMinusThreePointFiveSecondsShowAsTheirMagnitude)
{
    // The same test once from the file (its mean read back positive) and once new.
    WriteHistory({{10, 1, All, Day, -3.5 * HistorySecond, 10, 7, 3}});
    Open();
    Add({10, 1, All, Day + 1, -3.5 * HistorySecond, 10, 7, 3});
    TListView list;
    TRowList rows;
    UnitHistoryControl->FillListView(10, 1, All, list, rows);
    EXPECT_EQ(HistoryRowTexts(rows),
              (QStringList{QStringLiteral("2024/05/02 13:07:09|10|7|3|0分35秒|3.500秒|70%|30%"),
                           QStringLiteral("2024/05/01 13:07:09|10|7|3|0分35秒|3.500秒|70%|30%")}));

    TChart chart;
    AddHistorySeries(chart);
    UnitHistoryControl->ShowChart(10, 1, All, chart);
    EXPECT_EQ(Points(chart, 4), (std::vector<double>{3.5, 3.5}));
    EXPECT_EQ(Points(chart, 1), (std::vector<double>{10, 10}));
    EXPECT_EQ(Points(chart, 2), (std::vector<double>{7, 7}));
    EXPECT_EQ(Points(chart, 3), (std::vector<double>{3, 3}));

    // "AllDate" reads back through the default parse as the positive duration of the
    // latest test: 10 x 3.5 s.
    const QStringList lines = HistoryStatistics(10, 1, All);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("EndDate=") + DateTimeToStr(Day + 1));
    EXPECT_EQ(lines[1], QStringLiteral("AllDate=1899/12/30 0:00:35"));
    EXPECT_EQ(lines[2], QStringLiteral("TestCount=2"));
    EXPECT_NEAR(StrToDateTime(lines[1].mid(8)), 35 * HistorySecond, 1e-9);
    EXPECT_EQ(FormatMinSec(lines[1].mid(8)), QStringLiteral("0分35秒"));
    EXPECT_EQ(FormatDateTimeOrDash(lines[0].mid(8)), QStringLiteral("2024/05/02 13:07:09"));
}

TEST_F(HistoryRows, ANewRowShowsAtOnceAtTheTopOfTheListAndAsTheLastPoint)
{
    WriteHistory({{10, 1, All, Day, -2.0 * HistorySecond, 10, 9, 8},
                  {10, 2, All, Day, -2.0 * HistorySecond, 10, 9, 8},
                  {10, 1, All, Day + 1, -1.25 * HistorySecond, 10, 6, 4}});
    Open();
    Add({10, 1, All, Day + 2, -0.5 * HistorySecond, 4, 5, 6});
    TListView list;
    TRowList rows;
    UnitHistoryControl->FillListView(10, 1, All, list, rows);
    QStringList captions;
    for (const auto& row : rows)
        captions << row->Caption;
    EXPECT_EQ(captions, (QStringList{"2024/05/03 13:07:09", "2024/05/02 13:07:09",
                                     "2024/05/01 13:07:09"}));
    EXPECT_EQ(rows[0]->SubItems.mid(3, 2), (QStringList{"0分02秒", "0.500秒"}));
    EXPECT_EQ(rows[1]->SubItems.mid(3, 2), (QStringList{"0分12秒", "1.250秒"}));

    TChart chart;
    AddHistorySeries(chart);
    UnitHistoryControl->ShowChart(10, 1, All, chart);
    EXPECT_EQ(Points(chart, 4).back(), 0.5);
    // Correct and passed replies never stand above the questions tested.
    EXPECT_EQ(Points(chart, 2), (std::vector<double>{9, 6, 4}));
    EXPECT_EQ(Points(chart, 3), (std::vector<double>{8, 4, 4}));
    EXPECT_EQ(HistoryStatistics(10, 1, All)[1], QStringLiteral("AllDate=1899/12/30 0:00:02"));
}

TEST_F(HistoryRows, NoQuestionsTestedShowsNoPercentages)
{
    Open();
    Add({5, 1, All, Day, 0.0, 0, 0, 0});
    TListView list;
    TRowList rows;
    UnitHistoryControl->FillListView(5, 1, All, list, rows);
    EXPECT_EQ(HistoryRowTexts(rows),
              QStringList{QStringLiteral("2024/05/01 13:07:09|0|0|0|0分00秒|0.000秒|- %|- %")});
    EXPECT_EQ(HistoryStatistics(5, 1, All)[1], QStringLiteral("AllDate=1899/12/30"));
}

TEST_F(HistoryRows, RowsOfEqualDatesTakeTheTotalOfTheFirstInFileOrder)
{
    WriteHistory({{10, 1, All, Day - 1, -9.0 * HistorySecond, 10, 1, 1},
                  {10, 1, All, Day, -1.0 * HistorySecond, 10, 1, 1},
                  {10, 1, All, Day, -2.0 * HistorySecond, 10, 1, 1},
                  {10, 1, All, Day - 2, -3.0 * HistorySecond, 10, 1, 1}});
    Open();
    const QStringList lines = HistoryStatistics(10, 1, All);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("EndDate=2024/05/01 13:07:09"),
                                  QStringLiteral("AllDate=1899/12/30 0:00:10"),
                                  QStringLiteral("TestCount=4")}));
}

TEST_F(HistoryRows, ADateOrTimeThatCannotBeShownIsADashAndEveryOtherRowStillCounts)
{
    const TDateTime beyond = EncodeDate(9999, 12, 31) + 2.5; // past the last date
    WriteHistory({{10, 1, All, Day, -2.0 * HistorySecond, 10, 9, 8},
                  {10, 1, All, beyond, -1.0 * HistorySecond, 10, 5, 4},
                  {10, 1, All, Day + 1, -3.0e6, 10, 3, 2}, // a mean of three million days
                  {10, 2, All, Day, -3.0e6, 4, 1, 1},
                  {10, 3, All, Day, -1.0 * HistorySecond, 10, 1, 1}});
    Open();
    // One line for the file, naming it and the two rows of unit 1 and the row of unit 2.
    const QString log = Log();
    EXPECT_EQ(log.count(QStringLiteral("\r\n")), 1) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("UnitHistory.cds: 3 row(s)"))) << log.toStdString();

    TListView list;
    TRowList rows;
    UnitHistoryControl->FillListView(10, 1, All, list, rows);
    EXPECT_EQ(HistoryRowTexts(rows),
              (QStringList{QStringLiteral("2024/05/02 13:07:09|10|3|2|- 秒|- 秒|30%|20%"),
                           QStringLiteral("-|10|5|4|0分10秒|1.000秒|50%|40%"),
                           QStringLiteral("2024/05/01 13:07:09|10|9|8|0分20秒|2.000秒|90%|80%")}));

    TChart chart;
    AddHistorySeries(chart);
    UnitHistoryControl->ShowChart(10, 1, All, chart);
    EXPECT_EQ(Points(chart, 1), (std::vector<double>{10, 10, 10}));
    EXPECT_EQ(Points(chart, 2), (std::vector<double>{9, 5, 3}));
    EXPECT_EQ(Points(chart, 4), (std::vector<double>{2.0, 1.0, 0.0}));

    // The latest test is the one past the last date: its date is blank, its total shown.
    EXPECT_EQ(HistoryStatistics(10, 1, All),
              (QStringList{QStringLiteral("EndDate="), QStringLiteral("AllDate=1899/12/30 0:00:10"),
                           QStringLiteral("TestCount=3")}));
    EXPECT_EQ(HistoryStatistics(10, 2, All),
              (QStringList{QStringLiteral("EndDate=2024/05/01 13:07:09"), QStringLiteral("AllDate="),
                           QStringLiteral("TestCount=1")}));
    EXPECT_EQ(HistoryStatistics(10, 3, All)[1], QStringLiteral("AllDate=1899/12/30 0:00:10"));

    // The rows are kept as they are, and the next new row goes in beside them.
    Add({10, 3, All, Day + 3, -1.0 * HistorySecond, 10, 1, 1});
    UnitHistoryControl->SavePending();
    const std::vector<THistoryRow> stored = StoredHistory();
    ASSERT_EQ(stored.size(), 6u);
    EXPECT_EQ(stored[1].TestDate, beyond);
    EXPECT_EQ(stored[2].Average, -3.0e6);
}

TEST_F(HistoryRows, TheLeftAxisRunsToTheUnitSizePlusOneAndAtLeastEleven)
{
    Open();
    TChart chart;
    AddHistorySeries(chart);
    chart.Series(2).Add(1.0, QStringLiteral("old"));
    UnitHistoryControl->ShowChart(5, 1, All, chart);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 11.0);
    EXPECT_EQ(chart.Series(2).Count(), 0);
    UnitHistoryControl->ShowChart(10, 1, All, chart);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 11.0);
    UnitHistoryControl->ShowChart(20, 1, All, chart);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 21.0);
    // With no rows the label series is padded to ten zero points.
    EXPECT_EQ(chart.Series(0).Count(), 10);
}

TEST_F(HistoryRows, ThreeRowsGiveThreeLabelledPointsPaddedToTen)
{
    WriteHistory({{10, 1, All, Day, -2.0 * HistorySecond, 10, 9, 8},
                  {10, 1, QStringLiteral("other"), Day, -2.0 * HistorySecond, 10, 9, 8},
                  {10, 1, All, Day + 1, -2.0 * HistorySecond, 10, 9, 8},
                  {10, 1, All, Day + 2, -2.0 * HistorySecond, 10, 9, 8}});
    Open();
    TChart chart;
    AddHistorySeries(chart);
    UnitHistoryControl->ShowChart(10, 1, All, chart);
    EXPECT_EQ(Labels(chart, 0), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(Points(chart, 0), std::vector<double>(10, 0.0));
    EXPECT_EQ(Labels(chart, 4), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Labels(chart, 1), (QStringList{"1", "2", "3"}));
}

TEST_F(HistoryRows, FiftyThousandRowsLoadWalkAndFreeOnASmallStack)
{
    std::vector<THistoryRow> rows;
    for (int i = 0; i < 50000; ++i)
        rows.push_back({10, i % 50 + 1, All, Day + i / 100.0, -2.0 * HistorySecond, 10, 5, 5});
    WriteHistory(rows);
    QString error = QStringLiteral("not run");
    QStringList lines;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            TUnitHistoryControl store(Folder());
            store.AddRecord(10, 7, All, Day + 1000, -1.0 * HistorySecond, 10, 1, 1);
            TStringList statistics;
            store.GetStatistics(10, 7, All, statistics);
            lines = statistics.Lines();
            store.SavePending();
            error.clear();
        } catch (...) {
            error = ExceptMessage();
        }
    }));
    thread->setStackSize(256 * 1024);
    thread->start();
    thread->wait();
    EXPECT_EQ(error, QString());
    EXPECT_EQ(lines.value(2), QStringLiteral("TestCount=1001"));
    EXPECT_EQ(StoredHistory().size(), 50001u);
    EXPECT_EQ(StoredHistory()[49999].No, 7);
}
