#include "platform/core/Checked.h"
#include "platform/vcl/Chart.h"

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QLegend>
#include <QLegendMarker>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>
#include <functional>
#include <gtest/gtest.h>

namespace {

QCategoryAxis* BottomAxisOf(TChart& chart)
{
    return qobject_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
}

QValueAxis* LeftAxisOf(TChart& chart)
{
    return qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
}

// Added points reach the axes on the next turn of the event loop.
void Settle(TChart& chart)
{
    QCoreApplication::sendPostedEvents(&chart);
}

} // namespace

TEST(Chart, SeriesByPositionHoldValuesLabelsAndColours)
{
    TChart chart;
    chart.AddSeries();
    TChartSeries& total = chart.AddSeries();
    total.SetSeriesColor(RGBColor(128, 128, 255));
    total.SetLineWidth(3);
    EXPECT_EQ(&chart.Series(1), &total);
    EXPECT_THROW(chart.Series(2), ERangeError);

    EXPECT_EQ(total.Add(2.5, QStringLiteral("1")), 0);
    EXPECT_EQ(total.Add(1.25, QStringLiteral("2"), clRed), 1);
    EXPECT_EQ(total.PointColor(0), RGBColor(128, 128, 255));
    EXPECT_EQ(total.PointColor(1), clRed);
    EXPECT_EQ(total.Series().points().at(1), QPointF(1, 1.25));
    EXPECT_EQ(total.Series().pen().width(), 3);
    EXPECT_EQ(total.Series().pen().color(), QColor(128, 128, 255));

    total.Clear();
    EXPECT_EQ(total.Count(), 0);
    EXPECT_TRUE(total.Series().points().isEmpty());
    EXPECT_THROW(total.YValue(0), ERangeError);
}

TEST(Chart, LabelsStandUnderTheirPoints)
{
    TChart chart;
    TChartSeries& labels = chart.AddSeries();
    TChartSeries& values = chart.AddSeries();
    for (int i = 1; i <= 3; ++i) {
        labels.Add(0, QString::number(i));
        values.Add(i * 1.5, QString::number(i));
    }
    EXPECT_EQ(chart.BottomLabels(), (QStringList{"1", "2", "3"}));
    Settle(chart);
    QCategoryAxis* axis = BottomAxisOf(chart);
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->categoriesLabels(), (QStringList{"1", "2", "3"}));
    EXPECT_DOUBLE_EQ(axis->endValue(QStringLiteral("2")), 1.0);
    EXPECT_EQ(axis->labelsPosition(), QCategoryAxis::AxisLabelsPositionOnValue);
    EXPECT_DOUBLE_EQ(axis->min(), -0.5);
    EXPECT_DOUBLE_EQ(axis->max(), 2.5);

    labels.Add(0, QStringLiteral("3")); // a repeated label still gets its own place
    Settle(chart);
    axis = BottomAxisOf(chart);
    EXPECT_EQ(axis->categoriesLabels().size(), 4);
    EXPECT_DOUBLE_EQ(axis->max(), 3.5);

    // A new run of points with other labels replaces them all.
    labels.Clear();
    values.Clear();
    values.Add(1, QStringLiteral("a"));
    values.Add(2, QStringLiteral("a"));
    Settle(chart);
    EXPECT_EQ(BottomAxisOf(chart)->categoriesLabels().size(), 2);
    EXPECT_EQ(BottomAxisOf(chart)->categoriesLabels().value(0), QStringLiteral("a"));
    EXPECT_DOUBLE_EQ(BottomAxisOf(chart)->max(), 1.5);
    EXPECT_EQ(values.Series().attachedAxes().size(), 2);
}

TEST(Chart, AxisRangesSetInCodeOrFollowingThePoints)
{
    TChart chart;
    TChartSeries& series = chart.AddSeries();
    series.Add(4, QStringLiteral("1"));
    Settle(chart);
    EXPECT_DOUBLE_EQ(LeftAxisOf(chart)->max(), 4.0);

    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMinimum(0);
    chart.LeftAxis().SetMaximum(10.5);
    series.Add(20, QStringLiteral("2"));
    Settle(chart);
    EXPECT_DOUBLE_EQ(LeftAxisOf(chart)->min(), 0.0);
    EXPECT_DOUBLE_EQ(LeftAxisOf(chart)->max(), 10.5);

    chart.TopAxis().SetMaximum(12000.0);
    EXPECT_DOUBLE_EQ(chart.TopAxis().Maximum(), 12000.0);
    chart.BottomAxis().SetMaximum(12000.0); // kept, the automatic range still rules
    EXPECT_DOUBLE_EQ(BottomAxisOf(chart)->max(), 1.5);
    chart.BottomAxis().SetAutomatic(false);
    EXPECT_DOUBLE_EQ(BottomAxisOf(chart)->max(), 12000.0);
}

TEST(Chart, AnInvisibleLineDrawsNothingAndHasNoLegendEntry)
{
    TChart chart;
    TChartSeries& hidden = chart.AddSeries();
    TChartSeries& shown = chart.AddSeries();
    hidden.SetTitle(QStringLiteral(" "));
    hidden.SetLineVisible(false);
    shown.SetTitle(QStringLiteral("問題数"));
    chart.show();
    EXPECT_EQ(hidden.Series().pen().style(), Qt::NoPen);
    EXPECT_FALSE(hidden.Series().pointsVisible());
    EXPECT_FALSE(chart.chart()->legend()->markers(&hidden.Series()).value(0)->isVisible());
    EXPECT_TRUE(chart.chart()->legend()->markers(&shown.Series()).value(0)->isVisible());
    EXPECT_EQ(chart.chart()->legend()->alignment(), Qt::AlignTop);
    EXPECT_TRUE(chart.chart()->title().isEmpty());
    EXPECT_EQ(chart.rubberBand(), QChartView::NoRubberBand);
}

TEST(Chart, EveryValueLabelHasRoomInALowChart)
{
    // As low as the data screen's charts: fewer labels, each with its line height.
    for (const int height : {130, 200, 400}) {
        TChart chart;
        chart.resize(500, height);
        chart.LeftAxis().SetAutomatic(false);
        chart.LeftAxis().SetMinimum(0);
        chart.LeftAxis().SetMaximum(10.5);
        chart.AddSeries().Add(4, QStringLiteral("1"));
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        QTest::qWait(20);
        QValueAxis* axis = LeftAxisOf(chart);
        const double labels = (axis->max() - axis->min()) / axis->tickInterval() + 1;
        const double room = chart.chart()->plotArea().height() / labels;
        EXPECT_GE(room, QFontMetrics(axis->labelsFont()).height()) << height;
        EXPECT_GE(labels, 3) << height;
        if (height == 400) { // about six parts when there is room
            EXPECT_DOUBLE_EQ(axis->tickInterval(), 2.0);
        }
    }
}

namespace {

// Which of these category texts the chart draws whole: its shown text items, sorted.
QStringList Drawn(TChart& chart, QStringList categories)
{
    QStringList drawn;
    for (QGraphicsItem* item : chart.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item);
            text && text->isVisible() && categories.contains(text->toPlainText()))
            drawn << text->toPlainText();
    drawn.sort();
    return drawn;
}

QStringList Sorted(QStringList texts)
{
    texts.sort();
    return texts;
}

// Positions of the labelled points, checking that each label is its point's own label.
std::vector<int> LabelledPoints(QCategoryAxis& axis, const TChartSeries& series)
{
    std::vector<int> points;
    for (const QString& category : axis.categoriesLabels()) {
        const int point = static_cast<int>(axis.endValue(category));
        EXPECT_DOUBLE_EQ(axis.endValue(category), point);
        EXPECT_EQ(QString(category).remove(QChar(0x200B)), series.Label(point));
        points.push_back(point);
    }
    return points;
}

} // namespace

TEST(Chart, ABottomAxisOfManyPointsShowsNoMoreLabelsThanItsWidthHolds)
{
    constexpr int Count = 5000;
    TChart chart;
    chart.resize(600, 200);
    TChartSeries& labels = chart.AddSeries();
    TChartSeries& values = chart.AddSeries();
    for (int i = 0; i < Count; ++i) {
        labels.Add(0, QString::number(i + 1));
        values.Add(i % 11, QString::number(i + 1));
    }
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QTest::qWait(20);

    // What the points say is unchanged: every value and label, the full range.
    const QList<QPointF> points = values.Series().points();
    ASSERT_EQ(points.size(), Count);
    for (int i = 0; i < Count; ++i)
        ASSERT_EQ(points.at(i), QPointF(i, i % 11)) << i;
    EXPECT_EQ(chart.BottomLabels().size(), Count);
    EXPECT_EQ(chart.BottomLabels().last(), QStringLiteral("5000"));
    QCategoryAxis* axis = BottomAxisOf(chart);
    ASSERT_NE(axis, nullptr);
    EXPECT_DOUBLE_EQ(axis->min(), -0.5);
    EXPECT_DOUBLE_EQ(axis->max(), Count - 0.5);

    // Each shown label stands on its own point, neighbours far enough apart for the widest
    // of them, and the chart draws every one of them.
    const double widest = QFontMetricsF(axis->labelsFont()).horizontalAdvance(QStringLiteral("5000"));
    for (const int width : {600, 1200, 300}) {
        SCOPED_TRACE(width);
        chart.resize(width, 200);
        QTest::qWait(20);
        axis = BottomAxisOf(chart);
        const std::vector<int> shown = LabelledPoints(*axis, labels);
        ASSERT_GE(shown.size(), 2u);
        EXPECT_LE(static_cast<double>(shown.size()) * widest, chart.chart()->plotArea().width());
        for (std::size_t i = 1; i < shown.size(); ++i) {
            const double left = chart.chart()->mapToPosition(QPointF(shown[i - 1], 0)).x();
            const double right = chart.chart()->mapToPosition(QPointF(shown[i], 0)).x();
            EXPECT_GT(right - left, widest) << shown[i];
        }
        EXPECT_EQ(Drawn(chart, axis->categoriesLabels()), Sorted(axis->categoriesLabels()));
    }
}

TEST(Chart, AWideChartLabelsEveryPointAndANarrowOneFewer)
{
    TChart chart;
    chart.resize(600, 200);
    TChartSeries& series = chart.AddSeries();
    for (int i = 1; i <= 12; ++i)
        series.Add(i, QString::number(i));
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QTest::qWait(20);
    EXPECT_EQ(BottomAxisOf(chart)->categoriesLabels(), chart.BottomLabels());

    chart.resize(120, 200);
    QTest::qWait(20);
    const QStringList few = BottomAxisOf(chart)->categoriesLabels();
    EXPECT_LT(few.size(), 12);
    EXPECT_GE(few.size(), 1);
    LabelledPoints(*BottomAxisOf(chart), series);

    // A repeated label shown more than once keeps its own place.
    series.Clear();
    for (int i = 0; i < 200; ++i)
        series.Add(i, QStringLiteral("a"));
    chart.resize(600, 200);
    QTest::qWait(20);
    const std::vector<int> shown = LabelledPoints(*BottomAxisOf(chart), series);
    EXPECT_GT(shown.size(), 1u);
    EXPECT_LT(shown.size(), 200u);
}

namespace {

// Runs a function when it gets its posted event.
class TProbe : public QObject {
public:
    std::function<void()> OnEvent;
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        OnEvent();
        return true;
    }
};

} // namespace

// A paint that an event already waiting starts (the chart's scene paints the window as it
// handles its changes) finds the new points on the line and the axes laid out for them.
TEST(Chart, NewPointsAreInPlaceBeforeTheEventsAlreadyWaiting)
{
    TChart chart;
    chart.resize(600, 200);
    TChartSeries& series = chart.AddSeries();
    series.Add(1, QStringLiteral("1"));
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QTest::qWait(20);

    TProbe probe;
    qsizetype pointsSeen = -1;
    QRectF plotSeen;
    double rangeSeen = 0;
    probe.OnEvent = [&] {
        pointsSeen = qobject_cast<QLineSeries*>(chart.chart()->series().value(0))->count();
        plotSeen = chart.chart()->plotArea();
        rangeSeen = BottomAxisOf(chart)->max();
    };
    QCoreApplication::postEvent(&probe, new QEvent(QEvent::User));
    series.Clear();
    for (int i = 0; i < 1000; ++i)
        series.Add(i % 7, QString::number(10000 + i));
    QTest::qWait(50);

    EXPECT_EQ(pointsSeen, 1000);
    EXPECT_EQ(rangeSeen, 999.5);
    EXPECT_EQ(plotSeen, chart.chart()->plotArea());
}
