#pragma once
// An axis of a chart: its range is either automatic (it follows the points) or the
// minimum and maximum set in code.

#include <functional>

class TChartAxis {
public:
    explicit TChartAxis(std::function<void()> changed) : changed_(std::move(changed)) {}

    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool on) { automatic_ = on; changed_(); }
    double Minimum() const { return minimum_; }
    void SetMinimum(double value) { minimum_ = value; changed_(); }
    double Maximum() const { return maximum_; }
    void SetMaximum(double value) { maximum_ = value; changed_(); }

private:
    std::function<void()> changed_;
    bool automatic_ = true;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
};
