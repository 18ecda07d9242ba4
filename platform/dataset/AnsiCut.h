#pragma once
// Cutting ANSI text to a byte limit without splitting a double-byte character: in the
// double-byte code pages (932, 936, 949, 950) a lead byte is never left without its
// trailing byte.

#include <QByteArray>

// The longest prefix of bytes that is at most limit bytes and ends on a character boundary.
QByteArray CutAnsi(const QByteArray& bytes, qsizetype limit, int codePage);
// How many of the bytes CutAnsi keeps.
qsizetype AnsiCutLength(QByteArrayView bytes, qsizetype limit, int codePage);

bool IsLeadByte(unsigned char c, int codePage);
