#pragma once
// The integer reading of INI values: an optional sign, then decimal digits, or
// hexadecimal digits after "0x", "0X" or "$". Leading blanks are allowed (the value has
// already lost its surrounding blanks, so they can only come from inside quotes);
// anything else, trailing characters included, is not an integer. A decimal number must
// fit in 32 bits; a hexadecimal one may use all 32 bits and is taken as two's
// complement ("$FFFFFFFF" is -1).
//
// This is how the class library's ReadInteger behaves (a string read, then a strict
// conversion), not the Windows GetPrivateProfileInt, which would read "12abc" as 12 and
// "abc" as 0 instead of giving the default.

#include <QString>
#include <optional>

std::optional<int> ParseProfileInteger(const QString& text);
