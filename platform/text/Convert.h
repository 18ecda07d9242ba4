#pragma once
// Conversions between numbers and texts.
//
// Integer texts: optional leading blanks (spaces), an optional "+" or "-", then decimal
// digits, or hexadecimal digits after "$", "0x" or "0X". Nothing may follow the digits,
// not even a blank. Decimal values must fit a 32-bit integer; hexadecimal values of up to
// 32 bits are taken as their 32-bit two's complement ("$FFFFFFFF" is -1).
//
// Number patterns of FormatFloat: digit placeholders "#" (optional digit) and "0"
// (required digit) with literal text before and after them, for example "#0" or "#0%".
// The value is rounded to a whole number, halves away from zero; "%" is a literal.

#include "platform/core/Exception.h"

#include <QString>

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

bool TryStrToInt(const QString& text, int& value);
int StrToInt(const QString& text); // raises EConvertError naming the text
int StrToIntDef(const QString& text, int defaultValue);

QString IntToStr(long long value);

// Raises EConvertError for a pattern with elements other than the ones above.
QString FormatFloat(const QString& pattern, double value);

// The integer in decimal, right-aligned in width characters with leading blanks; a wider
// number is printed whole ("%3d": 3 gives "  3", 1234 gives "1234").
QString FormatInt(long long value, int width);
