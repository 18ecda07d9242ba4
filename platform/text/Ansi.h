#pragma once
// Conversion between the program's strings (QString) and the bytes of a Windows ANSI code
// page, CP932 (Japanese, Shift_JIS with the NEC and IBM extensions) unless another number
// is given. Every file boundary of the system (INI, subset, server and dataset texts)
// goes through here.
//  - Encoding never fails: a character with no form in the code page is written as "?".
//  - Decoding never fails: a byte sequence that is not valid becomes "?" per bad byte.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

inline constexpr int CP_JAPANESE = 932;

QByteArray EncodeAnsi(const QString& text, int codePage = CP_JAPANESE);
QString DecodeAnsi(QByteArrayView bytes, int codePage = CP_JAPANESE);
