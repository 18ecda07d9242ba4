#pragma once
// Internal: a date-time value split into its calendar fields, shared by the formatter,
// the reader and the decoders so that all of them round the same way.

#include "platform/datetime/DateTime.h"

struct DateTimeParts {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, msec = 0;
};

// Raises EConvertError for a value outside 0001-01-01 .. 9999-12-31 or not finite.
DateTimeParts SplitDateTime(TDateTime value);

bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int msec);
// Days since 1899-12-30 of a valid date; the time of day as a fraction of a valid time.
long long DaysOfDate(int year, int month, int day);
double FractionOfTime(int hour, int minute, int second, int msec);
// The date and the time of day combined (the time counts towards the past before day 0).
TDateTime CombineDateTime(double date, double time);
