#include "platform/text/Ansi.h"

#include "platform/text/AnsiDecodeTable.h"
#include "platform/text/AnsiIconv.h"

namespace {

bool IsAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool IsAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QByteArray EncodeAnsi(const QString& text, int codePage)
{
    if (IsAscii(text))
        return text.toLatin1();
    return EncodeAnsiByIconv(text, codePage);
}

QString DecodeAnsi(QByteArrayView bytes, int codePage)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    if (const TAnsiDecodeTable* table = TAnsiDecodeTable::For(codePage))
        return table->Decode(bytes);
    return DecodeAnsiByIconv(bytes, codePage);
}
