#include "platform/text/Convert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

std::optional<int> HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return std::nullopt;
}

// Digits from position i to the end in the given base; nullopt when there are none, when
// one is not a digit, or when the magnitude exceeds limit.
std::optional<long long> ParseDigits(const QString& text, qsizetype i, int base, long long limit)
{
    if (i >= text.size())
        return std::nullopt;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const std::optional<int> digit = HexDigit(text[i]);
        if (!digit || *digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + *digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return magnitude;
}

bool IsHexPrefix(const QString& text, qsizetype i, qsizetype& digitsAt)
{
    if (i < text.size() && text[i] == u'$') {
        digitsAt = i + 1;
        return true;
    }
    if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        digitsAt = i + 2;
        return true;
    }
    return false;
}

// The pattern "<prefix><# and 0 placeholders><suffix>".
struct NumberPattern {
    QString prefix;
    QString suffix;
    int minDigits = 0;
};

NumberPattern ParseNumberPattern(const QString& pattern)
{
    NumberPattern result;
    qsizetype i = 0;
    while (i < pattern.size() && pattern[i] != u'#' && pattern[i] != u'0')
        result.prefix += pattern[i++];
    while (i < pattern.size() && (pattern[i] == u'#' || pattern[i] == u'0'))
        result.minDigits += pattern[i++] == u'0' ? 1 : 0;
    result.suffix = pattern.sliced(i);
    for (QChar c : result.prefix + result.suffix)
        if (QStringView(u".,;Ee\"'#0").contains(c))
            throw EConvertError(QStringLiteral("Number pattern '%1' is not supported").arg(pattern));
    return result;
}

// The value rounded to a whole number, halves away from zero. The value is first taken to
// 15 significant digits, so that a quotient such as 57 / 200 * 100 (28.499999999999996
// in binary) counts as the 28.5 it stands for.
double RoundHalfAway(double value)
{
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.14e", value);
    return std::round(std::strtod(digits, nullptr));
}

} // namespace

bool TryStrToInt(const QString& text, int& value)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';

    qsizetype digitsAt = i;
    long long result = 0;
    if (IsHexPrefix(text, i, digitsAt)) {
        const std::optional<long long> magnitude = ParseDigits(text, digitsAt, 16, 0xFFFFFFFFLL);
        if (!magnitude)
            return false;
        result = static_cast<int>(static_cast<unsigned int>(*magnitude));
        result = negative ? -result : result;
        if (result > 2147483647LL) // "-$80000000"
            return false;
    } else {
        const std::optional<long long> magnitude = ParseDigits(text, i, 10, 2147483648LL);
        if (!magnitude || (!negative && *magnitude > 2147483647LL))
            return false;
        result = negative ? -*magnitude : *magnitude;
    }
    value = static_cast<int>(result);
    return true;
}

int StrToInt(const QString& text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

int StrToIntDef(const QString& text, int defaultValue)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

QString IntToStr(long long value) { return QString::number(value); }

QString FormatFloat(const QString& pattern, double value)
{
    const NumberPattern parsed = ParseNumberPattern(pattern);
    if (!std::isfinite(value))
        throw EConvertError(QStringLiteral("Invalid floating point value"));
    const double rounded = RoundHalfAway(value);
    QString digits = QString::number(std::fabs(rounded), 'f', 0);
    if (digits == u"0" && parsed.minDigits == 0)
        digits.clear();
    digits = digits.rightJustified(parsed.minDigits, u'0');
    // A value that rounds to zero prints without a sign.
    const QString sign = rounded < 0 ? QStringLiteral("-") : QString();
    return parsed.prefix + sign + digits + parsed.suffix;
}

QString FormatInt(long long value, int width)
{
    return QString::number(value).rightJustified(width, u' ');
}
