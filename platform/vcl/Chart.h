#pragma once
// A two-dimensional line chart on Qt Charts: series by position, a left value axis, a
// bottom axis that shows the points' labels under them (as many as its width holds), and
// a top axis that only keeps its range (no series is drawn against it). Legend at the
// top; no title, no foot, no zoom and no panning. Added points reach the drawn lines and
// the automatic axes together, laid out, before any other event waiting or before the
// next paint, so that filling a chart point by point lays its axes out once and paints
// it once.

#include "platform/vcl/ChartAxis.h"
#include "platform/vcl/ChartSeries.h"

#include <QChartView>
#include <QEvent>
#include <QStringList>
#include <memory>
#include <vector>

class QCategoryAxis;
class QValueAxis;

class TChart : public QChartView {
    Q_OBJECT
public:
    explicit TChart(QWidget* parent = nullptr);
    ~TChart() override;

    TChartSeries& AddSeries();
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    // Series at Index, raising ERangeError outside [0, SeriesCount()).
    TChartSeries& Series(int index);

    TChartAxis& LeftAxis() { return left_; }
    TChartAxis& BottomAxis() { return bottom_; }
    TChartAxis& TopAxis() { return top_; }

    // The labels under the bottom axis, by position (those of the longest series).
    QStringList BottomLabels() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void lookChanged();
    void pointsChanged();
    void syncSeries();
    void settleLayout();
    static QEvent::Type SyncEvent();
    void updateLeftRange();
    int LeftParts() const;
    void updateBottom();
    int BottomStep(const std::vector<QString>& labels, double perPoint) const;
    double BottomWidth() const;
    void replaceBottomAxis(QCategoryAxis* axis);

    std::vector<std::unique_ptr<TChartSeries>> series_;
    QValueAxis* leftAxis_;
    QCategoryAxis* bottomAxis_;
    TChartAxis left_;
    TChartAxis bottom_;
    TChartAxis top_;
    QStringList shownLabels_;   // the point labels the bottom axis was made for, in order
    int shownStep_ = 0;         // it shows the label of every shownStep_-th point
    double shownPerPoint_ = -1; // the pixels between points that step was chosen for
    bool syncPosted_ = false;   // a sync of the series' points is queued
};
