#pragma once
// Date-time values: a double of days since 1899-12-30 00:00, the time of day as fraction.
// For a negative value the date is its integer part (towards zero) and the time of day the
// magnitude of its fraction: -1.25 is 1899-12-29 06:00, -0.0015 is 1899-12-30 00:02:09.600.
// Every decoding first takes the value to the nearest whole millisecond.
// Valid dates run from 0001-01-01 to 9999-12-31; other values raise EConvertError.

#include "platform/text/Convert.h"

#include <QString>
#include <functional>

using TDateTime = double;

// The local date and time; tests may replace the clock the program reads.
TDateTime Now();
void SetNowFunction(std::function<TDateTime()> now);
void ResetNowFunction();

// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// The date and the time combined; before 1899-12-30 the time counts towards the past.
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);

// Whether the value is a valid date-time, that is whether decoding it succeeds; cheaper
// than decoding it.
bool IsValidDateTime(TDateTime value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
TDateTime DateOf(TDateTime value); // midnight of the value's date
TDateTime TimeOf(TDateTime value); // the time of day alone, 0 <= result < 1

// Pattern elements, without regard to letter case:
//   yyyy four-digit year (yy: two digits)    dd / d   day, two digits / no leading zero
//   mm / m  month; the minute when the last element before it is an hour (hh:mm, hhmm)
//   hh / h  hour 0-23                         nn / n   minute
//   ss / s  second                            zzz / z  milliseconds, three digits / unpadded
// "/" and ":" are the date and time separators ("/" and ":"); every other character,
// letters that are no element included, stands for itself.
QString FormatDateTime(const QString& pattern, TDateTime value);

// The default text: "yyyy/mm/dd", a blank and "h:nn:ss"; the time is left out when the
// value is at midnight to the second. 0.0015 gives "1899/12/30 0:02:09".
QString DateTimeToStr(TDateTime value);

// Reads a date, a date and a time, or a time alone (its value below 1), with surrounding
// blanks: "yyyy/m/d", "h:n", "h:n:s" or "h:n:s.zzz". StrToDateTime raises EConvertError.
bool TryStrToDateTime(const QString& text, TDateTime& value);
TDateTime StrToDateTime(const QString& text);
