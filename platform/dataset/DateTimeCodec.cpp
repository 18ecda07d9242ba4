#include "platform/dataset/DateTimeCodec.h"

#include "platform/dataset/DataSetError.h"

#include <cmath>

namespace DateTimeCodec {

TTimeStamp ToTimeStamp(double dateTime)
{
    const double ms = std::nearbyint(dateTime * static_cast<double>(MsPerDay)); // halves to even
    if (!std::isfinite(ms) || std::fabs(ms) > MaxStoredMs)
        throw EDataSetError(QStringLiteral("Date-time value %1 is out of range").arg(dateTime));
    const auto l = static_cast<std::int64_t>(ms);
    return {DayOfBaseDate + l / MsPerDay, (l < 0 ? -l : l) % MsPerDay};
}

double ToStored(double dateTime)
{
    const TTimeStamp stamp = ToTimeStamp(dateTime);
    return static_cast<double>(stamp.Date * MsPerDay + stamp.Time);
}

double FromStoredRounded(double stored)
{
    if (!std::isfinite(stored) || std::fabs(stored) > MaxStoredMs)
        throw EDataSetError(QStringLiteral("Stored date-time %1 is out of range").arg(stored));
    const double ms = std::nearbyint(stored);
    const double day = std::floor(ms / static_cast<double>(MsPerDay));
    return FromTimeStamp({static_cast<std::int64_t>(day),
                          static_cast<std::int64_t>(ms - day * static_cast<double>(MsPerDay))});
}

} // namespace DateTimeCodec
