#include "platform/vcl/Chart.h"

#include "platform/core/Checked.h"

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QSet>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// A step of 1, 2 or 5 times a power of ten that divides the range into at most Parts
// parts, so the value labels read as round numbers.
double RoundStep(double range, int parts)
{
    if (range <= 0)
        return 1.0;
    const double rough = range / parts;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (rough <= factor * power)
            return factor * power;
    return 10.0 * power;
}

constexpr int ChartTextPixels = 11;
// Layouts of one sync at most; the axes settle after one or two.
constexpr int MaxLayoutPasses = 4;

QFont SmallFont(const QWidget* parent)
{
    QFont small = parent ? parent->font() : QFont();
    small.setPixelSize(ChartTextPixels);
    return small;
}

// The bottom axis as the chart shows it: the label of every step-th point on that point,
// no grid lines. QCategoryAxis keeps one category per distinct text, so a repeated label
// is made distinct with invisible characters.
QCategoryAxis* NewBottomAxis(const QFont& font, const std::vector<QString>& labels, int step)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsFont(font);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setGridLineVisible(false);
    axis->setStartValue(-0.5);
    QSet<QString> used;
    for (std::size_t i = static_cast<std::size_t>(step) - 1; i < labels.size(); i += static_cast<std::size_t>(step)) {
        QString text = labels[i];
        while (used.contains(text))
            text += QChar(0x200B);
        used.insert(text);
        axis->append(text, static_cast<double>(i));
    }
    return axis;
}

// The round step after Step: 1, 2, 5, 10, 20, 50, ...
int NextRoundStep(int step)
{
    int power = 1;
    while (power * 10 <= step)
        power *= 10;
    const int factor = step / power;
    return factor == 1 ? 2 * power : factor == 2 ? 5 * power : 10 * power;
}

} // namespace

TChart::TChart(QWidget* parent)
    : QChartView(parent),
      leftAxis_(new QValueAxis),
      bottomAxis_(NewBottomAxis(SmallFont(parent), {}, 1)),
      left_([this] { updateLeftRange(); }),
      bottom_([this] { updateBottom(); }),
      top_([] {})
{
    QChart* c = chart();
    c->setTitle({});
    c->legend()->setAlignment(Qt::AlignTop);
    c->setMargins(QMargins(4, 4, 4, 4));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setBackgroundRoundness(0);
    // The small type of a chart on a data screen, so that a low chart keeps room to plot.
    const QFont small = SmallFont(parent);
    c->legend()->setFont(small);
    leftAxis_->setLabelsFont(small);
    c->addAxis(leftAxis_, Qt::AlignLeft);
    c->addAxis(bottomAxis_, Qt::AlignBottom);
    leftAxis_->setLabelFormat(QStringLiteral("%g"));
    leftAxis_->setTickType(QValueAxis::TicksDynamic);
    leftAxis_->setTickAnchor(0.0);
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing);
    updateLeftRange();
    updateBottom();
}

TChart::~TChart() = default;

TChartSeries& TChart::AddSeries()
{
    auto* line = new QLineSeries;
    chart()->addSeries(line);
    line->attachAxis(leftAxis_);
    line->attachAxis(bottomAxis_);
    series_.push_back(std::make_unique<TChartSeries>(*line, [this] { pointsChanged(); },
                                                     [this] { lookChanged(); }));
    lookChanged();
    return *series_.back();
}

TChartSeries& TChart::Series(int index)
{
    return *CheckedAt(series_, index);
}

QStringList TChart::BottomLabels() const
{
    const TChartSeries* longest = nullptr;
    for (const auto& s : series_)
        if (!longest || s->Count() > longest->Count())
            longest = s.get();
    QStringList labels;
    for (int i = 0; longest && i < longest->Count(); ++i)
        labels << longest->Label(i);
    return labels;
}

// A series without a visible line has no legend entry.
void TChart::lookChanged()
{
    for (const auto& s : series_) {
        const auto markers = chart()->legend()->markers(&s->series_);
        for (QLegendMarker* marker : markers)
            marker->setVisible(s->LineVisible());
    }
    pointsChanged();
}

// The sync goes before the events already waiting: the chart's scene paints the whole
// window as soon as it handles its changes, and that paint is to find the points, the
// axes and their layout in place.
void TChart::pointsChanged()
{
    if (!syncPosted_) {
        syncPosted_ = true;
        QCoreApplication::postEvent(this, new QEvent(SyncEvent()), Qt::HighEventPriority);
    }
}

bool TChart::event(QEvent* event)
{
    if (event->type() != SyncEvent())
        return QChartView::event(event);
    if (syncPosted_)
        syncSeries();
    return true;
}

QEvent::Type TChart::SyncEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void TChart::syncSeries()
{
    syncPosted_ = false;
    updateLeftRange();
    updateBottom();
    for (const auto& s : series_)
        s->SyncPoints();
    settleLayout();
}

// The room of the axes depends on their labels and the labels on that room: the chart is
// laid out and its labels chosen again until the plot area stays, so that it is painted
// once, as it ends up, instead of once per step. A chart not shown is laid out when it
// is shown.
void TChart::settleLayout()
{
    if (!isVisible())
        return;
    for (int pass = 0; pass < MaxLayoutPasses; ++pass) {
        const QRectF before = chart()->plotArea();
        chart()->layout()->activate();
        if (chart()->plotArea() == before)
            return;
        updateLeftRange();
        updateBottom();
    }
}

void TChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    updateLeftRange();
    updateBottom();
}

void TChart::paintEvent(QPaintEvent* event)
{
    syncSeries();
    QChartView::paintEvent(event);
}

void TChart::updateLeftRange()
{
    if (!left_.Automatic()) {
        leftAxis_->setRange(left_.Minimum(), left_.Maximum());
        leftAxis_->setTickInterval(RoundStep(left_.Maximum() - left_.Minimum(), LeftParts()));
        return;
    }
    double low = 0.0;
    double high = 1.0;
    for (const auto& s : series_)
        if (s->Count() > 0) {
            low = std::min(low, s->Low());
            high = std::max(high, s->High());
        }
    leftAxis_->setRange(low, high);
    leftAxis_->setTickInterval(RoundStep(high - low, LeftParts()));
}

// About six parts, fewer in a low chart: every value label needs its line height and a
// little room, or the chart shows it as an ellipsis.
int TChart::LeftParts() const
{
    const int height = static_cast<int>(chart()->plotArea().height());
    if (height <= 0)
        return 6;
    const int line = QFontMetrics(leftAxis_->labelsFont()).height() + 2;
    return std::clamp(height / line, 1, 6);
}

// Point i stands at i; its label sits on that position. Like the value axis, the bottom
// axis shows no more labels than its width holds: those of every step-th point, the step
// a round number. Every change of a shown axis lays out all its labels again, so changed
// labels go to a new axis filled before it is shown: one layout instead of one per label.
void TChart::updateBottom()
{
    const TChartSeries* longest = nullptr;
    for (const auto& s : series_)
        if (!longest || s->Count() > longest->Count())
            longest = s.get();
    static const std::vector<QString> none;
    const std::vector<QString>& labels = longest ? longest->Labels() : none;
    const double span = bottom_.Automatic() ? static_cast<double>(labels.size()) : bottom_.Maximum() - bottom_.Minimum();
    const double perPoint = BottomWidth() / std::max(span, 1.0);
    const bool sameLabels = std::equal(shownLabels_.begin(), shownLabels_.end(), labels.begin(), labels.end());
    if (!sameLabels || perPoint != shownPerPoint_) {
        const int step = BottomStep(labels, perPoint);
        if (!sameLabels || step != shownStep_)
            replaceBottomAxis(NewBottomAxis(leftAxis_->labelsFont(), labels, step));
        shownLabels_ = QStringList(labels.begin(), labels.end());
        shownStep_ = step;
        shownPerPoint_ = perPoint;
    }
    if (bottom_.Automatic())
        bottomAxis_->setRange(-0.5, static_cast<double>(std::max<std::size_t>(labels.size(), 1)) - 0.5);
    else
        bottomAxis_->setRange(bottom_.Minimum(), bottom_.Maximum());
}

// The smallest round step (1, 2, 5 times a power of ten) at which the labels of every
// step-th point, the widest of them with a gap of one digit, fit side by side when the
// points stand perPoint pixels apart. Only the labels a step would show are measured.
int TChart::BottomStep(const std::vector<QString>& labels, double perPoint) const
{
    const int count = static_cast<int>(labels.size());
    const QFontMetricsF metrics(leftAxis_->labelsFont());
    const double gap = metrics.horizontalAdvance(QLatin1Char('0'));
    int step = 1;
    while (step < count && step * perPoint < 2 * gap)
        step = NextRoundStep(step);
    for (; step < count; step = NextRoundStep(step)) {
        double widest = 0;
        for (int i = step - 1; i < count; i += step)
            widest = std::max(widest, metrics.horizontalAdvance(labels[static_cast<std::size_t>(i)]));
        if (widest + gap <= step * perPoint)
            break;
    }
    return std::min(step, std::max(count, 1));
}

// The width the bottom axis spans: the plot area once the chart is laid out, before
// that the view's width less the value labels' room.
double TChart::BottomWidth() const
{
    const double plot = chart()->plotArea().width();
    if (plot > 0)
        return plot;
    return std::max(0.0, width() - 4.0 * QFontMetricsF(leftAxis_->labelsFont()).averageCharWidth());
}

void TChart::replaceBottomAxis(QCategoryAxis* axis)
{
    QChart* c = chart();
    c->removeAxis(bottomAxis_);
    delete bottomAxis_;
    bottomAxis_ = axis;
    c->addAxis(bottomAxis_, Qt::AlignBottom);
    for (const auto& s : series_)
        s->series_.attachAxis(bottomAxis_);
}
