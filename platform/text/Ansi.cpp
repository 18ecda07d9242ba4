#include "platform/text/Ansi.h"

#include "platform/core/Exception.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>

namespace {

// One open conversion per direction and code page, per thread (iconv_open is costly).
class Converter {
public:
    Converter(const QByteArray& to, const QByteArray& from)
        : cd_(iconv_open(to.constData(), from.constData()))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Exception(QStringLiteral("Code page conversion %1 -> %2 is not available")
                                .arg(QString::fromLatin1(from), QString::fromLatin1(to)));
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input; at an unconvertible or invalid sequence calls onBad(input, left),
    // which writes a replacement and says how many input bytes to skip.
    template <class OnBad>
    QByteArray Run(QByteArrayView input, OnBad onBad)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        QByteArray out;
        out.resize(input.size() * 2 + 16);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = static_cast<size_t>(input.size());
        char* dst = out.data();
        size_t outLeft = static_cast<size_t>(out.size());
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG) {
                const auto used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                outLeft = static_cast<size_t>(out.size() - used);
                continue;
            }
            // EILSEQ or EINVAL (truncated sequence at the end): replace and skip.
            const size_t skip = std::min(inLeft, onBad(in, inLeft));
            in += skip;
            inLeft -= skip;
            if (outLeft < 1) {
                const auto used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                outLeft = static_cast<size_t>(out.size() - used);
            }
            *dst++ = '?';
            --outLeft;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.truncate(dst - out.data());
        return out;
    }

private:
    iconv_t cd_;
};

QByteArray CodePageName(int codePage) { return "CP" + QByteArray::number(codePage); }

Converter& ConverterFor(int codePage, bool encode)
{
    thread_local std::map<std::pair<int, bool>, std::unique_ptr<Converter>> converters;
    auto& slot = converters[{codePage, encode}];
    if (!slot)
        slot = encode ? std::make_unique<Converter>(CodePageName(codePage), "UTF-8")
                      : std::make_unique<Converter>("UTF-8", CodePageName(codePage));
    return *slot;
}

// Length of the UTF-8 sequence that starts with lead byte c (1 for a stray byte).
size_t Utf8Length(unsigned char c)
{
    if (c >= 0xF0) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC0) return 2;
    return 1;
}

bool IsAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

QByteArray EncodeAnsi(const QString& text, int codePage)
{
    const QByteArray utf8 = text.toUtf8();
    if (IsAscii(utf8))
        return utf8;
    return ConverterFor(codePage, true).Run(utf8, [](const char* at, size_t) {
        return Utf8Length(static_cast<unsigned char>(*at));
    });
}

QString DecodeAnsi(QByteArrayView bytes, int codePage)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    const QByteArray utf8 = ConverterFor(codePage, false).Run(bytes, [](const char*, size_t) {
        return size_t{1};
    });
    return QString::fromUtf8(utf8);
}
