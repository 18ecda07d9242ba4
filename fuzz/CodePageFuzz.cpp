// Fuzz target of the code page conversions, 932 and 1252. The input is taken both as
// bytes of the code page and as UTF-8 text. Checked: decoding is stable (what a decode
// gives encodes to bytes that decode to it again), and so is encoding (what an encode
// gives decodes to text that encodes to the same bytes).
#include "platform/text/Ansi.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const QString utf8 = QString::fromUtf8(bytes);
    for (int codePage : {932, 1252}) {
        const QString text = DecodeAnsi(bytes, codePage);
        if (DecodeAnsi(EncodeAnsi(text, codePage), codePage) != text)
            std::abort();
        const QByteArray encoded = EncodeAnsi(utf8, codePage);
        if (EncodeAnsi(DecodeAnsi(encoded, codePage), codePage) != encoded)
            std::abort();
    }
    return 0;
}
