#pragma once
// Date-time values (days since 1899-12-30, the time of day as the fraction) to and from
// their stored forms, exactly as the engine's run-time library converts them:
//  - a timestamp is a whole number of milliseconds since 0001-01-01, that day counting as
//    day 1; a date is that day number; a time is the milliseconds of the day;
//  - a negative value keeps its whole days but its time part is stored as a magnitude, and
//    reading subtracts the time part only when the day offset is negative, so every value
//    between -1 and 0 reads back as its magnitude.

#include <cstdint>

namespace DateTimeCodec {

inline constexpr std::int64_t MsPerDay = 86400000;
inline constexpr std::int64_t DayOfBaseDate = 693594; // 1899-12-30
// Beyond this many milliseconds a double no longer holds every whole number.
inline constexpr double MaxStoredMs = 9007199254740992.0 / 2;

struct TTimeStamp {
    std::int64_t Date; // day number, 0001-01-01 = 1
    std::int64_t Time; // milliseconds of the day, 0 .. MsPerDay - 1
};

// Raises EDataSetError for a value that is not finite or out of the storable range.
TTimeStamp ToTimeStamp(double dateTime);

inline double FromTimeStamp(TTimeStamp stamp)
{
    const double days = static_cast<double>(stamp.Date - DayOfBaseDate);
    const double time = static_cast<double>(stamp.Time) / static_cast<double>(MsPerDay);
    return days < 0 ? days - time : days + time;
}

double ToStored(double dateTime); // the double of a timestamp field

// The stored value rounded to whole milliseconds; raises EDataSetError when it is not
// finite or out of the storable range.
double FromStoredRounded(double stored);

// Inline for what the engine writes, a whole number of milliseconds within range: it
// splits in integers (within the storable range the floor of the double quotient that
// FromStoredRounded takes is the exact one).
inline double FromStored(double stored)
{
    if (stored >= -MaxStoredMs && stored <= MaxStoredMs) {
        const auto whole = static_cast<std::int64_t>(stored);
        if (static_cast<double>(whole) == stored) {
            std::int64_t day = whole / MsPerDay;
            if (whole % MsPerDay < 0)
                --day;
            return FromTimeStamp({day, whole - day * MsPerDay});
        }
    }
    return FromStoredRounded(stored);
}

} // namespace DateTimeCodec
