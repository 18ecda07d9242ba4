#include "platform/dataset/AnsiCut.h"

bool IsLeadByte(unsigned char c, int codePage)
{
    switch (codePage) {
    case 932:
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:
    case 949:
    case 950:
        return c >= 0x81 && c <= 0xFE;
    default:
        return false;
    }
}

QByteArray CutAnsi(const QByteArray& bytes, qsizetype limit, int codePage)
{
    return bytes.left(AnsiCutLength(bytes, limit, codePage));
}

qsizetype AnsiCutLength(QByteArrayView bytes, qsizetype limit, int codePage)
{
    if (bytes.size() <= limit)
        return bytes.size();
    // Walk character by character so that a trailing byte that looks like a lead byte is
    // never mistaken for one.
    qsizetype end = 0;
    while (end < limit) {
        const qsizetype step = IsLeadByte(static_cast<unsigned char>(bytes[end]), codePage) ? 2 : 1;
        if (end + step > limit)
            break;
        end += step;
    }
    return end;
}
