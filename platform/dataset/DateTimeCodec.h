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

struct TTimeStamp {
    std::int64_t Date; // day number, 0001-01-01 = 1
    std::int64_t Time; // milliseconds of the day, 0 .. MsPerDay - 1
};

// Raises EDataSetError for a value that is not finite or out of the storable range.
TTimeStamp ToTimeStamp(double dateTime);
double FromTimeStamp(TTimeStamp stamp);

double ToStored(double dateTime);   // the double of a timestamp field
double FromStored(double stored);   // raises EDataSetError when stored is not finite

} // namespace DateTimeCodec
