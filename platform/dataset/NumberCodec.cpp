#include "platform/dataset/NumberCodec.h"

#include "platform/dataset/ByteReader.h"
#include "platform/dataset/ByteWriter.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/DateTimeCodec.h"

#include <QDate>
#include <cmath>
#include <cstdint>

namespace NumberCodec {

namespace {

constexpr qint64 JulianDayOfDay0 = 1721425; // the Julian day before 0001-01-01

[[noreturn]] void Bad(const QString& what) { throw EDataSetError(what); }

// Rounds the decimal digits int.frac to `decimals` places, half away from zero.
void RoundDigits(QString& intPart, QString& frac, int decimals)
{
    if (frac.size() <= decimals) {
        frac = frac.leftJustified(decimals, QLatin1Char('0'));
        return;
    }
    const bool up = frac[decimals] >= QLatin1Char('5');
    QString digits = intPart + frac.left(decimals);
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
    }
    intPart = digits.left(digits.size() - decimals);
    frac = digits.right(decimals);
}

} // namespace

QString BcdToText(QByteArrayView stored)
{
    if (stored.size() < 2)
        Bad(QStringLiteral("Decimal value is truncated"));
    const int precision = static_cast<unsigned char>(stored[0]);
    const int places = static_cast<unsigned char>(stored[1]) & 0x3F;
    const bool negative = (static_cast<unsigned char>(stored[1]) & 0x80) != 0;
    if (precision > 2 * (stored.size() - 2) || places > precision)
        Bad(QStringLiteral("Decimal value has an invalid precision %1").arg(precision));
    QString digits;
    for (int i = 0; i < precision; ++i) {
        const auto byte = static_cast<unsigned char>(stored[2 + i / 2]);
        const int nibble = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
        if (nibble > 9)
            Bad(QStringLiteral("Decimal value holds an invalid digit"));
        digits.append(QChar('0' + nibble));
    }
    QString intPart = digits.left(precision - places);
    QString frac = digits.right(places);
    while (intPart.size() > 1 && intPart[0] == QLatin1Char('0'))
        intPart.remove(0, 1);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    while (!frac.isEmpty() && frac.back() == QLatin1Char('0'))
        frac.chop(1);
    QString text = frac.isEmpty() ? intPart : intPart + QLatin1Char('.') + frac;
    if (negative && text != QLatin1String("0"))
        text.prepend(QLatin1Char('-'));
    return text;
}

QByteArray BcdFromText(const QString& text, int precision, int decimals, int bytes)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t[0] == QLatin1Char('-');
        t.remove(0, 1);
    }
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    QString intPart = dot < 0 ? t : t.left(dot);
    QString frac = dot < 0 ? QString() : t.mid(dot + 1);
    const auto allDigits = [](const QString& s) {
        for (QChar c : s)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        return true;
    };
    if ((intPart.isEmpty() && frac.isEmpty()) || !allDigits(intPart) || !allDigits(frac))
        Bad(QStringLiteral("'%1' is not a valid decimal value").arg(text));
    RoundDigits(intPart, frac, decimals);
    while (!intPart.isEmpty() && intPart[0] == QLatin1Char('0'))
        intPart.remove(0, 1);
    const QString digits = intPart + frac;
    if (digits.size() > precision || digits.size() > 2 * (bytes - 2) || digits.size() > 63)
        Bad(QStringLiteral("Decimal value %1 does not fit %2 digits").arg(text).arg(precision));
    QByteArray out(bytes, '\0');
    const bool zero = digits.count(QLatin1Char('0')) == digits.size();
    out[0] = static_cast<char>(digits.size());
    out[1] = static_cast<char>(decimals | (negative && !zero ? 0x80 : 0));
    for (int i = 0; i < digits.size(); ++i) {
        const int d = digits[i].unicode() - '0';
        out[2 + i / 2] = static_cast<char>(out[2 + i / 2] | (i % 2 == 0 ? d << 4 : d));
    }
    return out;
}

double Float80ToDouble(QByteArrayView stored)
{
    if (stored.size() != 10)
        Bad(QStringLiteral("Extended value is truncated"));
    TByteReader in(stored.constData(), 10);
    const std::uint64_t mantissa = in.Uint(8);
    const std::uint16_t se = in.U16();
    const bool negative = (se & 0x8000) != 0;
    const int exponent = se & 0x7FFF;
    double v;
    if (exponent == 0x7FFF)
        v = (mantissa << 1) == 0 ? HUGE_VAL : std::nan("");
    else
        v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    return negative ? -v : v;
}

QByteArray Float80FromDouble(double value)
{
    QByteArray out;
    TByteWriter w(out);
    std::uint64_t mantissa = 0;
    std::uint16_t se = std::signbit(value) ? 0x8000 : 0;
    if (std::isnan(value)) {
        mantissa = 0xC000000000000000ull;
        se |= 0x7FFF;
    } else if (std::isinf(value)) {
        mantissa = 0x8000000000000000ull;
        se |= 0x7FFF;
    } else if (value != 0) {
        int e = 0;
        const double m = std::frexp(std::fabs(value), &e); // value = m * 2^e, m in [0.5, 1)
        mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
        se |= static_cast<std::uint16_t>(e - 1 + 16383);
    }
    w.Uint(mantissa, 8);
    w.U16(se);
    return out;
}

double SqlTimestampToDateTime(QByteArrayView stored)
{
    if (stored.size() != 16)
        Bad(QStringLiteral("SQL timestamp is truncated"));
    TByteReader in(stored.constData(), 16);
    const auto year = static_cast<std::int16_t>(in.U16());
    const int month = in.U16(), day = in.U16(), hour = in.U16(), minute = in.U16(), second = in.U16();
    const std::uint32_t fraction = in.U32();
    const QDate date(year, month, day);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59 || fraction > 999)
        Bad(QStringLiteral("SQL timestamp holds an invalid date or time"));
    const qint64 ms = ((hour * 60 + minute) * 60 + second) * 1000LL + fraction;
    return DateTimeCodec::FromTimeStamp({date.toJulianDay() - JulianDayOfDay0, ms});
}

QByteArray SqlTimestampFromDateTime(double dateTime)
{
    const DateTimeCodec::TTimeStamp stamp = DateTimeCodec::ToTimeStamp(dateTime);
    const QDate date = QDate::fromJulianDay(stamp.Date + JulianDayOfDay0);
    if (!date.isValid() || date.year() < -32768 || date.year() > 32767)
        Bad(QStringLiteral("Date-time value %1 is out of range").arg(dateTime));
    QByteArray out;
    TByteWriter w(out);
    w.U16(static_cast<std::uint16_t>(date.year()));
    w.U16(static_cast<std::uint16_t>(date.month()));
    w.U16(static_cast<std::uint16_t>(date.day()));
    const std::int64_t t = stamp.Time;
    w.U16(static_cast<std::uint16_t>(t / 3600000));
    w.U16(static_cast<std::uint16_t>(t / 60000 % 60));
    w.U16(static_cast<std::uint16_t>(t / 1000 % 60));
    w.U32(static_cast<std::uint32_t>(t % 1000));
    return out;
}

} // namespace NumberCodec
