// Reading date-time texts back: the counterpart of DateTimeToStr.
#include "platform/datetime/DateTime.h"

#include "platform/datetime/DateTimeParts.h"

#include <optional>

namespace {

class DateTimeReader {
public:
    explicit DateTimeReader(QStringView text) : text_(text) {}

    std::optional<TDateTime> Read()
    {
        SkipBlanks();
        std::optional<double> date = 0.0;
        std::optional<double> time = 0.0;
        if (LooksLikeDate()) {
            date = ReadDate();
            if (date && SkipBlanks() && !AtEnd())
                time = ReadTime();
        } else {
            time = ReadTime();
        }
        SkipBlanks();
        if (!date || !time || !AtEnd())
            return std::nullopt;
        return CombineDateTime(*date, *time);
    }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    bool At(char16_t c) const { return !AtEnd() && text_[pos_] == c; }

    bool SkipBlanks()
    {
        const qsizetype start = pos_;
        while (At(u' '))
            ++pos_;
        return pos_ > start;
    }

    // A date starts with digits followed by the date separator.
    bool LooksLikeDate() const
    {
        qsizetype i = pos_;
        while (i < text_.size() && text_[i].isDigit() && text_[i].unicode() < 128)
            ++i;
        return i > pos_ && i < text_.size() && text_[i] == u'/';
    }

    // An unsigned number of minDigits to maxDigits ASCII digits.
    std::optional<int> Number(int minDigits, int maxDigits)
    {
        int value = 0;
        int digits = 0;
        while (!AtEnd() && text_[pos_] >= u'0' && text_[pos_] <= u'9' && digits < maxDigits) {
            value = value * 10 + (text_[pos_++].unicode() - '0');
            ++digits;
        }
        if (digits < minDigits || (!AtEnd() && text_[pos_] >= u'0' && text_[pos_] <= u'9'))
            return std::nullopt;
        return value;
    }

    bool Expect(char16_t c)
    {
        if (!At(c))
            return false;
        ++pos_;
        return true;
    }

    std::optional<double> ReadDate()
    {
        const std::optional<int> year = Number(4, 4);
        if (!year || !Expect(u'/'))
            return std::nullopt;
        const std::optional<int> month = Number(1, 2);
        if (!month || !Expect(u'/'))
            return std::nullopt;
        const std::optional<int> day = Number(1, 2);
        if (!day || !IsValidDate(*year, *month, *day))
            return std::nullopt;
        return static_cast<double>(DaysOfDate(*year, *month, *day));
    }

    std::optional<double> ReadTime()
    {
        const std::optional<int> hour = Number(1, 2);
        if (!hour || !Expect(u':'))
            return std::nullopt;
        const std::optional<int> minute = Number(1, 2);
        std::optional<int> second = 0;
        std::optional<int> msec = 0;
        if (minute && Expect(u':')) {
            second = Number(1, 2);
            if (second && Expect(u'.'))
                msec = Number(3, 3);
        }
        if (!minute || !second || !msec || !IsValidTime(*hour, *minute, *second, *msec))
            return std::nullopt;
        return FractionOfTime(*hour, *minute, *second, *msec);
    }

    QStringView text_;
    qsizetype pos_ = 0;
};

} // namespace

bool TryStrToDateTime(const QString& text, TDateTime& value)
{
    const std::optional<TDateTime> result = DateTimeReader(text).Read();
    if (result)
        value = *result;
    return result.has_value();
}

TDateTime StrToDateTime(const QString& text)
{
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return value;
}
