// FormatDateTime and the default date-time text.
#include "platform/datetime/DateTime.h"

#include "platform/datetime/DateTimeParts.h"

namespace {

QString Number(int value, int digits)
{
    return QString::number(value).rightJustified(digits, u'0');
}

// Padded to `padded` digits when the element is written twice or more, else unpadded.
QString Element(int value, qsizetype count, int padded)
{
    return Number(value, count >= 2 ? padded : 1);
}

char16_t UpperAscii(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u;
}

bool IsAsciiLetter(char16_t u) { return u >= 'A' && u <= 'Z'; }

QString FormatElement(char16_t token, qsizetype count, const DateTimeParts& p)
{
    switch (token) {
    case 'Y': return count <= 2 ? Number(p.year % 100, 2) : Number(p.year, 4);
    case 'M': return Element(p.month, count, 2);
    case 'D': return Element(p.day, count, 2);
    case 'H': return Element(p.hour, count, 2);
    case 'N': return Element(p.minute, count, 2);
    case 'S': return Element(p.second, count, 2);
    case 'Z': return count >= 3 ? Number(p.msec, 3) : Number(p.msec, 1);
    default: return {};
    }
}

bool IsElement(char16_t token) { return QStringView(u"YMDHNSZ").contains(QChar(token)); }

} // namespace

QString FormatDateTime(const QString& pattern, TDateTime value)
{
    const DateTimeParts parts = SplitDateTime(value);
    QString out;
    char16_t lastElement = 0;
    qsizetype i = 0;
    while (i < pattern.size()) {
        char16_t token = UpperAscii(pattern[i]);
        if (!IsAsciiLetter(token)) {
            out += pattern[i++]; // separators and literals stand for themselves
            continue;
        }
        qsizetype count = 1;
        while (i + count < pattern.size() && UpperAscii(pattern[i + count]) == token)
            ++count;
        if (token == 'M' && lastElement == 'H')
            token = 'N';
        if (IsElement(token)) {
            lastElement = token;
            out += FormatElement(token, count, parts);
        } else {
            out += pattern.sliced(i, count); // a letter that is no element stands for itself
        }
        i += count;
    }
    return out;
}

QString DateTimeToStr(TDateTime value)
{
    const DateTimeParts parts = SplitDateTime(value);
    QString text = FormatDateTime(QStringLiteral("yyyy/mm/dd"), value);
    if (parts.hour != 0 || parts.minute != 0 || parts.second != 0)
        text += u' ' + FormatDateTime(QStringLiteral("h:nn:ss"), value);
    return text;
}
