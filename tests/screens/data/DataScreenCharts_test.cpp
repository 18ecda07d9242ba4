// The series of the data screen's two charts: their titles, colours, line widths and
// which of them are drawn and named in the legend.
#include "tests/screens/data/DataScreenSupport.h"

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>

namespace {

struct TExpectedSeries {
    QString Title;
    QColor Colour;
    int Width;
    bool Visible;
};

// Checks every series of the chart, in order, against the expected ones: the chart's own
// record and what the Qt series draws (a hidden series draws no line and has no legend
// entry).
void ExpectSeries(TChart& chart, const std::vector<TExpectedSeries>& expected)
{
    ASSERT_EQ(chart.SeriesCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < chart.SeriesCount(); ++i) {
        SCOPED_TRACE(i);
        TChartSeries& series = chart.Series(i);
        const TExpectedSeries& want = expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(series.Title(), want.Title);
        EXPECT_EQ(ToQColor(series.SeriesColor()), want.Colour);
        EXPECT_EQ(series.LineWidth(), want.Width);
        EXPECT_EQ(series.LineVisible(), want.Visible);

        QLineSeries& drawn = series.Series();
        EXPECT_EQ(drawn.name(), want.Title);
        const QList<QLegendMarker*> markers = chart.chart()->legend()->markers(&drawn);
        ASSERT_EQ(markers.size(), 1);
        EXPECT_EQ(markers.first()->isVisible(), want.Visible);
        if (!want.Visible) {
            EXPECT_EQ(drawn.pen().style(), Qt::NoPen);
            continue;
        }
        EXPECT_EQ(drawn.pen().style(), Qt::SolidLine);
        EXPECT_EQ(drawn.pen().color(), want.Colour);
        EXPECT_EQ(drawn.pen().width(), want.Width);
    }
}

} // namespace

TEST_F(DataScreen, TheChartsShowTheirSeriesWithTheirTitlesColoursAndWidths)
{
    WriteCategory(5);
    WriteReplies({{1, base_}, {1, base_ + 0.01}});
    WriteHistory({{10, 1}});
    OpenScreen([&] {
        QApplication::processEvents();
        TfrmData& form = Form();
        // The first series of each chart only labels the bottom axis: no line, no legend.
        ExpectSeries(*form.chtUnitHistory, {
                                               {" ", QColor(0, 128, 0), 1, false},
                                               {"問題数", QColor(0, 0, 255), 3, true},
                                               {"正解数", QColor(128, 255, 128), 2, true},
                                               {"合格数", QColor(255, 0, 0), 1, true},
                                               {"平均時間", QColor(0, 128, 64), 2, true},
                                           });
        ExpectSeries(*form.chtReply, {
                                         {" ", QColor(255, 0, 0), 1, false},
                                         {"ﾃｽﾄ時間", QColor(128, 128, 255), 3, true},
                                         {"開始時刻", QColor(255, 128, 64), 1, true},
                                     });
    });
}

// A unit tested 2,000 times: the history chart keeps every point with its value and
// label, and its bottom axis shows only as many labels as its width holds, each on its
// own point.
TEST_F(DataScreen, AHistoryChartOfThousandsOfRowsLabelsOnlyWhatItsWidthHolds)
{
    constexpr int Rows = 2000;
    WriteCategory(10);
    std::vector<TDataHistory> history;
    for (int i = 0; i < Rows; ++i)
        history.push_back({10, 1, QStringLiteral("全ての問題"), base_ + i * 0.01, 10, i % 11, i % 6});
    WriteHistory(history);
    OpenScreen([&] {
        QTest::qWait(50);
        TChart& chart = *Form().chtUnitHistory;
        ASSERT_EQ(ChartPoints(chart, 2), Rows);
        const QList<QPointF> answered = chart.Series(2).Series().points();
        for (int i = 0; i < Rows; ++i)
            ASSERT_EQ(answered.at(i), QPointF(i, i % 11)) << i;
        EXPECT_EQ(chart.BottomLabels().size(), Rows);
        EXPECT_EQ(chart.BottomLabels().last(), QString::number(Rows));

        auto* axis = qobject_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
        ASSERT_NE(axis, nullptr);
        EXPECT_DOUBLE_EQ(axis->max(), Rows - 0.5);
        const QStringList shown = axis->categoriesLabels();
        ASSERT_FALSE(shown.isEmpty());
        const double widest = QFontMetricsF(axis->labelsFont()).horizontalAdvance(QString::number(Rows));
        EXPECT_LE(shown.size() * widest, chart.chart()->plotArea().width());
        for (const QString& label : shown)
            EXPECT_EQ(QString::number(axis->endValue(label) + 1), label);
    });
}
