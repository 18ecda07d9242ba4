#include "platform/datetime/DateTime.h"

#include "platform/datetime/DateTimeParts.h"

#include <QDateTime>

#include <cmath>
#include <cstdlib>

namespace {

constexpr long long MsPerDay = 86400000;
constexpr long long UnixEpochDay = 25569; // 1970-01-01
constexpr long long FirstDay = -693593;   // 0001-01-01
constexpr long long LastDay = 2958465;    // 9999-12-31

// Days since 1970-01-01 of a proleptic Gregorian date, and back
// (H. Hinnant's civil calendar algorithms).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

[[noreturn]] void InvalidValue(TDateTime value)
{
    throw EConvertError(QStringLiteral("Invalid date-time value %1").arg(value));
}

TDateTime SystemNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const long long days = now.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay();
    return static_cast<double>(days) + now.time().msecsSinceStartOfDay() / double(MsPerDay);
}

std::function<TDateTime()>& NowFunction()
{
    static std::function<TDateTime()> now = SystemNow;
    return now;
}

} // namespace

bool IsValidDateTime(TDateTime value)
{
    if (!std::isfinite(value) || value < FirstDay - 1 || value > LastDay + 1)
        return false;
    const long long days = std::llrint(value * MsPerDay) / MsPerDay;
    return days >= FirstDay && days <= LastDay;
}

DateTimeParts SplitDateTime(TDateTime value)
{
    if (!IsValidDateTime(value))
        InvalidValue(value);
    // Rounded half to even, as the floating-point unit rounds.
    const long long total = std::llrint(value * MsPerDay);
    const long long days = total / MsPerDay;
    const long long ms = std::llabs(total) % MsPerDay;
    DateTimeParts parts;
    CivilFromDays(days - UnixEpochDay, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(ms / 3600000);
    parts.minute = static_cast<int>(ms / 60000 % 60);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.msec = static_cast<int>(ms % 1000);
    return parts;
}

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1
        && day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int msec)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60
        && msec >= 0 && msec < 1000;
}

long long DaysOfDate(int year, int month, int day)
{
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + UnixEpochDay;
}

double FractionOfTime(int hour, int minute, int second, int msec)
{
    return (((hour * 60LL + minute) * 60 + second) * 1000 + msec) / double(MsPerDay);
}

TDateTime CombineDateTime(double date, double time)
{
    return date < 0 ? date - time : date + time;
}

TDateTime Now() { return NowFunction()(); }

void SetNowFunction(std::function<TDateTime()> now) { NowFunction() = std::move(now); }

void ResetNowFunction() { NowFunction() = SystemNow; }

TDateTime EncodeDate(int year, int month, int day)
{
    if (!IsValidDate(year, month, day))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return static_cast<double>(DaysOfDate(year, month, day));
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    if (!IsValidTime(hour, minute, second, msec))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return FractionOfTime(hour, minute, second, msec);
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    return CombineDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, msec));
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    const DateTimeParts parts = SplitDateTime(value);
    year = parts.year;
    month = parts.month;
    day = parts.day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    const DateTimeParts parts = SplitDateTime(value);
    hour = parts.hour;
    minute = parts.minute;
    second = parts.second;
    msec = parts.msec;
}

TDateTime DateOf(TDateTime value)
{
    const DateTimeParts parts = SplitDateTime(value);
    return static_cast<double>(DaysOfDate(parts.year, parts.month, parts.day));
}

TDateTime TimeOf(TDateTime value)
{
    const DateTimeParts parts = SplitDateTime(value);
    return FractionOfTime(parts.hour, parts.minute, parts.second, parts.msec);
}
