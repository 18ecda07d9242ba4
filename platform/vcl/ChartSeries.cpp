#include "platform/vcl/ChartSeries.h"

#include "platform/core/Checked.h"

#include <QLineSeries>
#include <QPen>
#include <algorithm>

TChartSeries::TChartSeries(QLineSeries& series, std::function<void()> pointsChanged,
                           std::function<void()> lookChanged)
    : series_(series), pointsChanged_(std::move(pointsChanged)), lookChanged_(std::move(lookChanged))
{
    applyPen();
}

void TChartSeries::SetTitle(const QString& title)
{
    title_ = title;
    series_.setName(title);
    lookChanged_();
}

void TChartSeries::SetSeriesColor(TColor color)
{
    color_ = color;
    applyPen();
}

void TChartSeries::SetLineWidth(int width)
{
    lineWidth_ = width;
    applyPen();
}

void TChartSeries::SetLineVisible(bool visible)
{
    lineVisible_ = visible;
    applyPen();
    lookChanged_();
}

int TChartSeries::Add(double value, const QString& label, TColor color)
{
    const int index = Count();
    low_ = index == 0 ? value : std::min(low_, value);
    high_ = index == 0 ? value : std::max(high_, value);
    values_.push_back(value);
    labels_.push_back(label);
    colors_.push_back(color);
    synced_ = false;
    pointsChanged_();
    return index;
}

double TChartSeries::YValue(int index) const
{
    return CheckedAt(values_, index);
}

const QString& TChartSeries::Label(int index) const
{
    return CheckedAt(labels_, index);
}

TColor TChartSeries::PointColor(int index) const
{
    const TColor color = CheckedAt(colors_, index);
    return color == clTeeColor ? color_ : color;
}

void TChartSeries::Clear()
{
    values_.clear();
    labels_.clear();
    colors_.clear();
    series_.clear();
    synced_ = true;
    low_ = high_ = 0.0;
    ++generation_;
    pointsChanged_();
}

QLineSeries& TChartSeries::Series()
{
    SyncPoints();
    return series_;
}

void TChartSeries::SyncPoints()
{
    if (synced_)
        return;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(values_.size()));
    for (std::size_t i = 0; i < values_.size(); ++i)
        points.append(QPointF(static_cast<double>(i), values_[i]));
    series_.replace(points);
    synced_ = true;
}

void TChartSeries::applyPen()
{
    if (!lineVisible_) {
        series_.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(color_));
    pen.setWidth(std::max(1, lineWidth_));
    series_.setPen(pen);
}
