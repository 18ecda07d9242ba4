#pragma once
// TTimer: a repeating timer that raises OnTimer (through Dispatch) every Interval ms while
// Enabled. A new timer is enabled with 1000 ms and starts counting at once. Switching it
// off and on again, or giving it another interval, starts a fresh period; switching it on
// while it is on, or setting the interval it has, changes nothing. An interval of 0 stops
// the ticks.

#include <QObject>
#include <QTimer>
#include <functional>

class TTimer : public QObject {
public:
    explicit TTimer(QObject* owner = nullptr);

    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int interval);

private:
    void Restart();

    QTimer timer_;
    bool enabled_ = true;
    int interval_ = 1000;
};
