#pragma once
// The conversions of Ansi.h done through iconv, one sequence at a time: the general path
// for every code page, and the reference the decode tables are built from (AnsiDecodeTable).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

QByteArray EncodeAnsiByIconv(const QString& text, int codePage);
QString DecodeAnsiByIconv(QByteArrayView bytes, int codePage);

// What DecodeAnsiByIconv makes of the first character of bytes: one UTF-16 unit and the
// bytes it takes. Replaced: iconv could not read it (a bad, cut or unlisted sequence).
// Bytes is 0 when the first character is not one UTF-16 unit read from at most the bytes
// given.
struct TDecodedUnit {
    char16_t Char = 0;
    int Bytes = 0;
    bool Replaced = false;
};
TDecodedUnit DecodeFirstUnitByIconv(QByteArrayView bytes, int codePage);
