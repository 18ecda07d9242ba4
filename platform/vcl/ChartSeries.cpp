#include "platform/vcl/ChartSeries.h"

#include "platform/core/Checked.h"

#include <QLineSeries>
#include <QPen>

TChartSeries::TChartSeries(QLineSeries& series, std::function<void()> pointsChanged)
    : series_(series), pointsChanged_(std::move(pointsChanged))
{
    applyPen();
}

void TChartSeries::SetTitle(const QString& title)
{
    title_ = title;
    series_.setName(title);
    pointsChanged_();
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
    pointsChanged_();
}

int TChartSeries::Add(double value, const QString& label, TColor color)
{
    const int index = Count();
    values_.push_back(value);
    labels_.push_back(label);
    colors_.push_back(color);
    series_.append(index, value);
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
    pointsChanged_();
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
