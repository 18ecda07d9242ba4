// Formats shared by every list and chart, and the question-number filter.
#include "data/UConst.h"

#include "platform/datetime/DateTime.h"
#include "platform/text/Convert.h"
#include "platform/text/Trim.h"

#include <cstdlib>

QString FormatPercent(int part, int whole)
{
    if (whole == 0)
        return QStringLiteral("- %");
    if (std::llabs(part) > std::llabs(whole))
        return FormatFloat(QStringLiteral("#0%"), double(part) / double(whole) * 100.0);
    // A part no larger than the whole (every real count): the "#0%" figure, the
    // percentage rounded half away from zero, from the exact ratio in integers. Such a
    // ratio is never so near a half that the number format would round it otherwise.
    long long scaled = 100LL * part;
    long long divisor = whole;
    if (divisor < 0) {
        scaled = -scaled;
        divisor = -divisor;
    }
    const long long rounded = (2 * std::llabs(scaled) + divisor) / (2 * divisor);
    return QString::number(scaled < 0 ? -rounded : rounded) + u'%';
}

namespace {

// Counts stored as text are decimal; a hexadecimal form is not a count and reads as 0.
int DecimalOrZero(const QString& text)
{
    if (text.contains(QLatin1Char('$')) || text.contains(QLatin1Char('x'), Qt::CaseInsensitive))
        return 0;
    return StrToIntDef(text, 0);
}

} // namespace

QString FormatPercentStr(const QString& part, const QString& whole)
{
    return FormatPercent(DecimalOrZero(part), DecimalOrZero(whole));
}

QString FormatMinSec(const QString& text)
{
    if (IsBlank(text))
        return QStringLiteral("- 秒");
    return FormatDateTime(QStringLiteral("n分ss秒"), StrToDateTime(text));
}

QString FormatDateTimeOrDash(const QString& text)
{
    if (IsBlank(text))
        return QStringLiteral("-");
    return FormatDateTime(QStringLiteral("YYYY/MM/DD HH:MM:SS"), StrToDateTime(text));
}

bool IsShowableDateTime(TDateTime value)
{
    // Every value from the first day to the last day itself is valid whatever its
    // milliseconds round to; only the values beyond need the full check.
    constexpr TDateTime firstDay = -693593.0; // 0001-01-01
    constexpr TDateTime lastDay = 2958465.0;  // 9999-12-31
    return (value >= firstDay && value <= lastDay) || IsValidDateTime(value);
}

QString FormatDateTimeOr(const QString& pattern, TDateTime value, const QString& fallback)
{
    return IsShowableDateTime(value) ? FormatDateTime(pattern, value) : fallback;
}

QString DateTimeToStrOrEmpty(TDateTime value)
{
    return IsShowableDateTime(value) ? DateTimeToStr(value) : QString();
}

QString ZeroIfBlank(const QString& text)
{
    return IsBlank(text) ? QStringLiteral("0") : text;
}

QString BuildNoFilter(const TStringList& numbers)
{
    QString filter;
    for (int i = 0; i < numbers.Count(); ++i)
        filter += QStringLiteral(" or (NO=") + numbers[i] + QLatin1Char(')');
    return filter.mid(4);
}
