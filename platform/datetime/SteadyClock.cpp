#include "platform/datetime/SteadyClock.h"

#include <chrono>
#include <utility>

namespace {

qint64 SystemSteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::function<qint64()>& SteadyFunction()
{
    static std::function<qint64()> steady = SystemSteadyMs;
    return steady;
}

} // namespace

qint64 SteadyMs() { return SteadyFunction()(); }

void SetSteadyFunction(std::function<qint64()> steady) { SteadyFunction() = std::move(steady); }

void ResetSteadyFunction() { SteadyFunction() = SystemSteadyMs; }
