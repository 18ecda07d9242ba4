#pragma once
// Conversion between the program's strings (QString) and the bytes of a Windows ANSI code
// page, CP932 (Japanese, Shift_JIS with the NEC and IBM extensions) unless another number
// is given. Every file boundary of the system (INI, subset, server and dataset texts)
// goes through here.
//  - Every byte string Windows reads decodes to the characters Windows gives it and
//    encodes back to the same bytes, the single bytes 0x80, 0xA0 and 0xFD to 0xFF of
//    CP932 (U+0080, U+F8F0 to U+F8F3) and 0x81, 0x8D, 0x8F, 0x90, 0x9D of CP1252 (U+0081
//    ...) included. Where a code page has two codes for one character, encoding gives the
//    one Windows writes.
//  - Encoding never fails: a character with no form in the code page is written as "?".
//  - Decoding never fails: what is not valid becomes "?", one per bad byte, or one for a
//    CP932 lead byte and trail byte that name no character.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

inline constexpr int CP_JAPANESE = 932;

QByteArray EncodeAnsi(const QString& text, int codePage = CP_JAPANESE);
QString DecodeAnsi(QByteArrayView bytes, int codePage = CP_JAPANESE);
