#include "platform/dataset/DateTimeCodec.h"

#include "platform/dataset/DataSetError.h"

#include <cmath>

namespace DateTimeCodec {

namespace {
// Beyond this many milliseconds a double no longer holds every whole number.
constexpr double MaxStoredMs = 9007199254740992.0 / 2;
} // namespace

TTimeStamp ToTimeStamp(double dateTime)
{
    const double ms = std::nearbyint(dateTime * static_cast<double>(MsPerDay)); // halves to even
    if (!std::isfinite(ms) || std::fabs(ms) > MaxStoredMs)
        throw EDataSetError(QStringLiteral("Date-time value %1 is out of range").arg(dateTime));
    const auto l = static_cast<std::int64_t>(ms);
    return {DayOfBaseDate + l / MsPerDay, (l < 0 ? -l : l) % MsPerDay};
}

double FromTimeStamp(TTimeStamp stamp)
{
    const double days = static_cast<double>(stamp.Date - DayOfBaseDate);
    const double time = static_cast<double>(stamp.Time) / static_cast<double>(MsPerDay);
    return days < 0 ? days - time : days + time;
}

double ToStored(double dateTime)
{
    const TTimeStamp stamp = ToTimeStamp(dateTime);
    return static_cast<double>(stamp.Date * MsPerDay + stamp.Time);
}

double FromStored(double stored)
{
    if (!std::isfinite(stored) || std::fabs(stored) > MaxStoredMs)
        throw EDataSetError(QStringLiteral("Stored date-time %1 is out of range").arg(stored));
    // A whole number of milliseconds, what the engine writes, splits in integers: within
    // the storable range the floor of the double quotient below is the exact one.
    if (const auto whole = static_cast<std::int64_t>(stored); static_cast<double>(whole) == stored) {
        std::int64_t day = whole / MsPerDay;
        if (whole % MsPerDay < 0)
            --day;
        return FromTimeStamp({day, whole - day * MsPerDay});
    }
    const double ms = std::nearbyint(stored);
    const double day = std::floor(ms / static_cast<double>(MsPerDay));
    return FromTimeStamp({static_cast<std::int64_t>(day),
                          static_cast<std::int64_t>(ms - day * static_cast<double>(MsPerDay))});
}

} // namespace DateTimeCodec
