#pragma once
// A line series of a chart. Points are added in order: point i stands at position i of
// the bottom axis, with its value and a text label shown under it. A series whose line is
// switched off draws nothing and has no legend entry; its points still count and label
// the bottom axis.

#include "platform/vcl/Color.h"

#include <QString>
#include <functional>
#include <vector>

class QLineSeries;

class TChartSeries {
public:
    // pointsChanged runs when points are added or cleared, lookChanged when the title or
    // the line's visibility changes.
    TChartSeries(QLineSeries& series, std::function<void()> pointsChanged, std::function<void()> lookChanged);

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title);
    TColor SeriesColor() const { return color_; }
    void SetSeriesColor(TColor color);
    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int width);
    bool LineVisible() const { return lineVisible_; }
    void SetLineVisible(bool visible);

    // Adds a point and returns its position; clTeeColor means the series' own colour.
    int Add(double value, const QString& label, TColor color = clTeeColor);
    int Count() const { return static_cast<int>(values_.size()); }
    double YValue(int index) const;
    const QString& Label(int index) const;
    TColor PointColor(int index) const;
    void Clear();

    const std::vector<double>& Values() const { return values_; }
    // The smallest and largest value of the points (0 and 0 for none).
    double Low() const { return low_; }
    double High() const { return high_; }
    // Counts the Clear calls: points of one generation are only ever added at the end.
    int Generation() const { return generation_; }
    const std::vector<QString>& Labels() const { return labels_; }

    // The Qt series, with every point added so far.
    QLineSeries& Series();
    // Hands the points added since the last call to the Qt series in one replacement, so
    // that a long run of Add calls costs one redraw of the line, not one per point.
    void SyncPoints();

private:
    void applyPen();

    QLineSeries& series_;
    std::function<void()> pointsChanged_;
    std::function<void()> lookChanged_;
    QString title_;
    TColor color_ = clRed;
    int lineWidth_ = 1;
    bool lineVisible_ = true;
    std::vector<double> values_;
    std::vector<QString> labels_;
    std::vector<TColor> colors_;
    bool synced_ = true; // the Qt series holds every point of values_
    double low_ = 0.0;
    double high_ = 0.0;
    int generation_ = 0;

    friend class TChart; // reaches the Qt series without syncing its points
};
