#include "platform/text/AnsiIconv.h"

#include "platform/core/Exception.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>
#include <span>

namespace {

// What a bad sequence becomes: the number of input bytes it takes and the output for them.
struct TReplacement {
    size_t Skip = 1;
    QByteArray Bytes = "?";
};

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

    iconv_t Handle() const { return cd_; }

    // Converts input; at an unconvertible or invalid sequence calls onBad(input, left),
    // which says how many input bytes to skip and what to write for them.
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
            // EILSEQ or EINVAL (truncated sequence at the end): replace and skip. Some
            // converters (CP949) report a cut sequence after taking all of it: it is
            // replaced, and there is nothing left to look at.
            const TReplacement replacement = inLeft > 0 ? onBad(in, inLeft) : TReplacement{};
            const size_t skip = std::min(inLeft, replacement.Skip);
            in += skip;
            inLeft -= skip;
            const auto size = static_cast<size_t>(replacement.Bytes.size());
            if (outLeft < size) {
                const auto used = dst - out.data();
                out.resize(out.size() * 2 + replacement.Bytes.size());
                dst = out.data() + used;
                outLeft = static_cast<size_t>(out.size() - used);
            }
            std::memcpy(dst, replacement.Bytes.data(), size);
            dst += size;
            outLeft -= size;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.truncate(dst - out.data());
        return out;
    }

private:
    iconv_t cd_;
};

QByteArray CodePageName(int codePage) { return "CP" + QByteArray::number(codePage); }

// Single bytes that glibc's tables leave out and Windows maps one to one, so that every
// byte string Windows reads survives a decode and an encode: in code page 932 the bytes
// 0x80, 0xA0 and 0xFD to 0xFF (to U+0080 and private-use characters), in code page 1252
// the five bytes it leaves undefined (to the C1 controls of the same number).
struct TExtraByte {
    unsigned char Byte;
    char16_t Char;
};
constexpr TExtraByte Cp932Extra[] = {{0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
constexpr TExtraByte Cp1252Extra[] = {{0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}};

std::span<const TExtraByte> ExtraBytes(int codePage)
{
    if (codePage == 932)
        return Cp932Extra;
    if (codePage == 1252)
        return Cp1252Extra;
    return {};
}

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsCp932Trail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// A byte sequence the code page's table does not hold: an extra single byte becomes its
// character; in code page 932 a lead byte and a trail byte are one unassigned character,
// as Windows reads them; anything else is one bad byte.
TReplacement DecodeBad(int codePage, const char* at, size_t left)
{
    const auto c = static_cast<unsigned char>(at[0]);
    for (const TExtraByte& extra : ExtraBytes(codePage))
        if (extra.Byte == c)
            return {1, QString(QChar(extra.Char)).toUtf8()};
    if (codePage == 932 && left >= 2 && IsCp932Lead(c) && IsCp932Trail(static_cast<unsigned char>(at[1])))
        return {2};
    return {};
}

enum class TDirection { Encode, Decode, DecodeUtf16 };

Converter& ConverterFor(int codePage, TDirection direction)
{
    thread_local std::map<std::pair<int, TDirection>, std::unique_ptr<Converter>> converters;
    auto& slot = converters[{codePage, direction}];
    if (!slot) {
        switch (direction) {
        case TDirection::Encode: slot = std::make_unique<Converter>(CodePageName(codePage), "UTF-8"); break;
        case TDirection::Decode: slot = std::make_unique<Converter>("UTF-8", CodePageName(codePage)); break;
        case TDirection::DecodeUtf16: slot = std::make_unique<Converter>("UTF-16LE", CodePageName(codePage)); break;
        }
    }
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

// A character the code page's table does not hold: an extra single byte's character
// becomes that byte, anything else "?".
TReplacement EncodeBad(int codePage, const char* at, size_t left)
{
    const size_t length = std::min(left, Utf8Length(static_cast<unsigned char>(*at)));
    const QString character = QString::fromUtf8(at, qsizetype(length));
    for (const TExtraByte& extra : ExtraBytes(codePage))
        if (character.size() == 1 && character[0] == QChar(extra.Char))
            return {length, QByteArray(1, static_cast<char>(extra.Byte))};
    return {length};
}

} // namespace

QByteArray EncodeAnsiByIconv(const QString& text, int codePage)
{
    return ConverterFor(codePage, TDirection::Encode).Run(text.toUtf8(), [codePage](const char* at, size_t left) {
        return EncodeBad(codePage, at, left);
    });
}

QString DecodeAnsiByIconv(QByteArrayView bytes, int codePage)
{
    const QByteArray utf8 = ConverterFor(codePage, TDirection::Decode).Run(bytes, [codePage](const char* at, size_t left) {
        return DecodeBad(codePage, at, left);
    });
    return QString::fromUtf8(utf8);
}

TDecodedUnit DecodeFirstUnitByIconv(QByteArrayView bytes, int codePage)
{
    if (bytes.isEmpty())
        return {};
    const iconv_t cd = ConverterFor(codePage, TDirection::DecodeUtf16).Handle();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // Room for one UTF-16 unit only: iconv stops after the first character.
    char16_t unit = 0;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* dst = reinterpret_cast<char*>(&unit);
    size_t outLeft = sizeof unit;
    const size_t result = iconv(cd, &in, &inLeft, &dst, &outLeft);
    const int taken = static_cast<int>(in - bytes.data());
    if (taken > 0)
        return outLeft == 0 ? TDecodedUnit{unit, taken, false} : TDecodedUnit{};
    if (result != static_cast<size_t>(-1) || errno == E2BIG)
        return {}; // nothing read, or a character of more than one unit
    const TReplacement replacement = DecodeBad(codePage, bytes.data(), inLeft);
    const QString text = QString::fromUtf8(replacement.Bytes);
    if (text.size() != 1)
        return {};
    return {text[0].unicode(), static_cast<int>(std::min(inLeft, replacement.Skip)), true};
}
