#include "platform/vcl/Chart.h"

#include "platform/core/Checked.h"

#include <QCategoryAxis>
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

QFont SmallFont(const QWidget* parent)
{
    QFont small = parent ? parent->font() : QFont();
    small.setPixelSize(ChartTextPixels);
    return small;
}

// The bottom axis as the chart shows it: labels on their points, no grid lines.
QCategoryAxis* NewBottomAxis(const QFont& font)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsFont(font);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setGridLineVisible(false);
    axis->setStartValue(-0.5);
    return axis;
}

} // namespace

TChart::TChart(QWidget* parent)
    : QChartView(parent),
      leftAxis_(new QValueAxis),
      bottomAxis_(NewBottomAxis(SmallFont(parent))),
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
    series_.push_back(std::make_unique<TChartSeries>(*line, [this] { pointsChanged(); }));
    pointsChanged();
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

void TChart::pointsChanged()
{
    for (const auto& s : series_) {
        const auto markers = chart()->legend()->markers(&s->series_);
        for (QLegendMarker* marker : markers)
            marker->setVisible(s->LineVisible());
    }
    if (!syncPosted_) {
        syncPosted_ = true;
        QMetaObject::invokeMethod(this, [this] { syncSeries(); }, Qt::QueuedConnection);
    }
}

void TChart::syncSeries()
{
    syncPosted_ = false;
    updateLeftRange();
    updateBottom();
    for (const auto& s : series_)
        s->SyncPoints();
}

void TChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    updateLeftRange();
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

// Point i stands at i; its label sits on that position. QCategoryAxis keeps one category
// per distinct text, so a repeated label is made distinct with invisible characters.
// Every change of a shown axis lays out all its labels again, so changed labels go to a
// new axis filled before it is shown: one layout instead of one per label.
void TChart::updateBottom()
{
    const TChartSeries* longest = nullptr;
    for (const auto& s : series_)
        if (!longest || s->Count() > longest->Count())
            longest = s.get();
    static const std::vector<QString> none;
    const std::vector<QString>& labels = longest ? longest->Labels() : none;
    if (!std::equal(shownLabels_.begin(), shownLabels_.end(), labels.begin(), labels.end())) {
        QCategoryAxis* axis = NewBottomAxis(leftAxis_->labelsFont());
        usedLabels_.clear();
        for (std::size_t i = 0; i < labels.size(); ++i) {
            QString text = labels[i];
            while (usedLabels_.contains(text))
                text += QChar(0x200B);
            usedLabels_.insert(text);
            axis->append(text, static_cast<double>(i));
        }
        shownLabels_ = QStringList(labels.begin(), labels.end());
        replaceBottomAxis(axis);
    }
    if (bottom_.Automatic())
        bottomAxis_->setRange(-0.5, static_cast<double>(std::max<std::size_t>(labels.size(), 1)) - 0.5);
    else
        bottomAxis_->setRange(bottom_.Minimum(), bottom_.Maximum());
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
