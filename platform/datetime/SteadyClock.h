#pragma once
// The clock for durations: milliseconds that only go forward, whatever happens to the
// system's date and time meanwhile (a manual change, a time-server correction, a change
// of daylight-saving time). Its zero is arbitrary, so only differences of two readings
// mean anything; a moment to store is read from Now() instead. Tests may replace it.

#include <QtGlobal>
#include <functional>

qint64 SteadyMs();
void SetSteadyFunction(std::function<qint64()> steady);
void ResetSteadyFunction();
