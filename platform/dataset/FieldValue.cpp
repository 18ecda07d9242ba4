#include "platform/dataset/FieldValue.h"

#include "platform/dataset/AnsiCut.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/DateTimeCodec.h"
#include "platform/dataset/FieldMapping.h"
#include "platform/dataset/NumberCodec.h"
#include "platform/text/Ansi.h"

#include <QDate>
#include <QStringList>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

using PacketType::SizeOf;

constexpr qint64 JulianDayOfDay0 = 1721425;

bool IsMemo(const TFieldDef& def) { return def.DataType == ftMemo || def.DataType == ftFmtMemo; }
bool IsWide(const TFieldDef& def)
{
    return def.Codec == TValueCodec::WideString || def.DataType == ftWideMemo;
}

QString FromUtf16Bytes(QByteArrayView bytes)
{
    // An empty value's view has no data pointer, which memcpy may not be given.
    if (bytes.size() < 2)
        return QString();
    QString s(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(s.data(), bytes.constData(), static_cast<std::size_t>(s.size()) * 2);
    return s;
}

QByteArray ToUtf16Bytes(const QString& s)
{
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

// UTF-16 bytes cut to at most limit bytes, never inside a character or surrogate pair.
QByteArray CutUtf16(const QString& s, qsizetype limit)
{
    qsizetype chars = std::min(s.size(), limit / 2);
    if (chars > 0 && chars < s.size() && s[chars - 1].isHighSurrogate())
        --chars;
    return ToUtf16Bytes(s.left(chars));
}

QString CalendarText(std::int64_t day, std::int64_t ms, bool withDate, bool withTime)
{
    QString text;
    if (withDate)
        text = QDate::fromJulianDay(day + JulianDayOfDay0).toString(QStringLiteral("yyyy/MM/dd"));
    if (withTime && (ms != 0 || !withDate)) {
        const QString time = QStringLiteral("%1:%2:%3")
                                 .arg(ms / 3600000)
                                 .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'));
        text = withDate ? text + QLatin1Char(' ') + time : time;
    }
    return text;
}

// The date-time of "yyyy/M/d", "yyyy/M/d H:mm[:ss]" or "H:mm[:ss]", the forms AsText gives.
bool ParseCalendarText(const QString& text, double& result)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 2)
        return false;
    double days = 0, time = 0;
    qsizetype timePart = 0;
    if (parts[0].contains(QLatin1Char('/'))) {
        const QDate date = QDate::fromString(parts[0], QStringLiteral("yyyy/M/d"));
        if (!date.isValid())
            return false;
        days = static_cast<double>(date.toJulianDay() - JulianDayOfDay0 - DateTimeCodec::DayOfBaseDate);
        timePart = 1;
    }
    if (timePart < parts.size()) {
        const QStringList hms = parts[timePart].split(QLatin1Char(':'));
        if (hms.size() < 2 || hms.size() > 3)
            return false;
        int values[3] = {0, 0, 0};
        for (qsizetype i = 0; i < hms.size(); ++i) {
            bool ok = false;
            values[i] = hms[i].toInt(&ok);
            if (!ok || values[i] < 0 || values[i] > (i == 0 ? 23 : 59))
                return false;
        }
        time = (values[0] * 3600.0 + values[1] * 60.0 + values[2]) / 86400.0;
    } else if (timePart == 0) {
        return false;
    }
    result = days < 0 ? days - time : days + time;
    return true;
}

std::int64_t RoundToInt(double v, const TFieldValue& field)
{
    const double r = std::nearbyint(v);
    if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18))
        throw EDataSetError(QStringLiteral("Value %1 of field '%2' is not a valid integer").arg(v).arg(field.Def.Name));
    return static_cast<std::int64_t>(r);
}

} // namespace

bool TFieldValue::IsText() const
{
    return Def.Codec == TValueCodec::AnsiString || Def.Codec == TValueCodec::WideString
        || IsMemo(Def) || Def.DataType == ftWideMemo;
}

void TFieldValue::Refuse(const char* as) const
{
    throw EDataSetError(QStringLiteral("Field '%1' of type %2 cannot be accessed as %3")
                            .arg(Def.Name, FieldTypeName(Def.DataType), QLatin1String(as)));
}

std::int64_t TFieldValue::ConvertToLargeInt() const
{
    switch (Def.Codec) {
    case TValueCodec::SignedInt:
    case TValueCodec::UnsignedInt:
        return Store.Int(Record, Field);
    case TValueCodec::Boolean:
        return Store.Int(Record, Field) != 0 ? 1 : 0;
    case TValueCodec::AnsiString:
    case TValueCodec::WideString: {
        bool ok = false;
        const QString text = AsText();
        if (text.trimmed().isEmpty())
            return 0; // an empty string reads as 0, like NULL
        const std::int64_t v = text.trimmed().toLongLong(&ok);
        if (!ok)
            throw EDataSetError(QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(text, Def.Name));
        return v;
    }
    default:
        return RoundToInt(AsNumber(), *this);
    }
}

double TFieldValue::ConvertToNumber() const
{
    const std::int64_t i = Store.Int(Record, Field);
    switch (Def.Codec) {
    case TValueCodec::SignedInt: return static_cast<double>(i);
    case TValueCodec::UnsignedInt:
        return SizeOf(Def.PacketType) == 8 ? static_cast<double>(static_cast<std::uint64_t>(i))
                                           : static_cast<double>(i);
    case TValueCodec::Boolean: return i != 0 ? 1.0 : 0.0;
    case TValueCodec::Float64:
    case TValueCodec::Float32: return Store.Float(Record, Field);
    case TValueCodec::Timestamp: return DateTimeCodec::FromStored(Store.Float(Record, Field));
    case TValueCodec::Date: return static_cast<double>(i - DateTimeCodec::DayOfBaseDate);
    case TValueCodec::Time: return static_cast<double>(i) / static_cast<double>(DateTimeCodec::MsPerDay);
    case TValueCodec::Float80: return NumberCodec::Float80ToDouble(Store.Bytes(Record, Field));
    case TValueCodec::Bcd: return NumberCodec::BcdToText(Store.Bytes(Record, Field)).toDouble();
    case TValueCodec::SqlTimestamp: return NumberCodec::SqlTimestampToDateTime(Store.Bytes(Record, Field));
    case TValueCodec::AnsiString:
    case TValueCodec::WideString: {
        bool ok = false;
        const QString text = AsText();
        if (text.trimmed().isEmpty())
            return 0.0;
        const double v = text.trimmed().toDouble(&ok);
        if (!ok)
            throw EDataSetError(QStringLiteral("'%1' is not a valid number for field '%2'").arg(text, Def.Name));
        return v;
    }
    default:
        Refuse("a number");
    }
}

QString TFieldValue::AsText() const
{
    if (IsNull())
        return {};
    const std::int64_t i = Store.Int(Record, Field);
    switch (Def.Codec) {
    case TValueCodec::SignedInt: return QString::number(i);
    case TValueCodec::UnsignedInt: return QString::number(static_cast<std::uint64_t>(i));
    case TValueCodec::Boolean: return i != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case TValueCodec::Float64:
    case TValueCodec::Float32:
    case TValueCodec::Float80: return QString::number(AsNumber(), 'g', 15);
    case TValueCodec::Bcd: return NumberCodec::BcdToText(Store.Bytes(Record, Field));
    case TValueCodec::Date: return CalendarText(i, 0, true, false);
    case TValueCodec::Time: return CalendarText(0, i, false, true);
    case TValueCodec::Timestamp:
    case TValueCodec::SqlTimestamp: {
        const double dt = AsNumber();
        const DateTimeCodec::TTimeStamp stamp = DateTimeCodec::ToTimeStamp(dt);
        return CalendarText(stamp.Date, stamp.Time, true, true);
    }
    case TValueCodec::AnsiString: return DecodeAnsi(Store.Bytes(Record, Field), CodePage);
    case TValueCodec::WideString: return FromUtf16Bytes(Store.Bytes(Record, Field));
    default:
        if (IsMemo(Def))
            return DecodeAnsi(Store.Bytes(Record, Field), CodePage);
        if (IsWide(Def))
            return FromUtf16Bytes(Store.Bytes(Record, Field));
        return QString::fromLatin1(Store.Bytes(Record, Field));
    }
}

bool TFieldValue::ConvertToBool() const
{
    if (IsText()) {
        const QString text = AsText().trimmed();
        if (text.isEmpty())
            return false;
        const QChar c = text[0].toUpper();
        if (c == QLatin1Char('T') || c == QLatin1Char('Y'))
            return true;
        if (c == QLatin1Char('F') || c == QLatin1Char('N'))
            return false;
        throw EDataSetError(QStringLiteral("'%1' is not a valid Boolean value for field '%2'").arg(text, Def.Name));
    }
    switch (Def.Codec) {
    case TValueCodec::SignedInt:
    case TValueCodec::UnsignedInt:
    case TValueCodec::Boolean: return Store.Int(Record, Field) != 0;
    case TValueCodec::Float64:
    case TValueCodec::Float32: return Store.Float(Record, Field) != 0;
    default: Refuse("a Boolean");
    }
}

void TFieldValue::SetLargeInt(std::int64_t v) const
{
    const std::uint32_t size = SizeOf(Def.PacketType);
    switch (Def.Codec) {
    case TValueCodec::SignedInt:
        if (size < 8) {
            const std::int64_t limit = std::int64_t{1} << (8 * size - 1);
            if (v < -limit || v >= limit)
                throw EDataSetError(QStringLiteral("Value %1 is out of range for field '%2'").arg(v).arg(Def.Name));
        }
        Store.SetInt(Record, Field, v);
        return;
    case TValueCodec::UnsignedInt:
        if (v < 0 || (size < 8 && v >= (std::int64_t{1} << (8 * size))))
            throw EDataSetError(QStringLiteral("Value %1 is out of range for field '%2'").arg(v).arg(Def.Name));
        Store.SetInt(Record, Field, v);
        return;
    case TValueCodec::Boolean: Store.SetInt(Record, Field, v != 0 ? 1 : 0); return;
    case TValueCodec::AnsiString:
    case TValueCodec::WideString: SetText(QString::number(v)); return;
    case TValueCodec::Bcd:
        Store.SetBytes(Record, Field, NumberCodec::BcdFromText(QString::number(v), Def.Width, Def.Decimals,
                                                               static_cast<int>(SizeOf(Def.PacketType))));
        return;
    default: SetNumber(static_cast<double>(v)); return;
    }
}

void TFieldValue::SetNumber(double v) const
{
    switch (Def.Codec) {
    case TValueCodec::Float64: Store.SetFloat(Record, Field, v); return;
    case TValueCodec::Float32: Store.SetFloat(Record, Field, static_cast<double>(static_cast<float>(v))); return;
    case TValueCodec::Float80: Store.SetBytes(Record, Field, NumberCodec::Float80FromDouble(v)); return;
    case TValueCodec::Timestamp: Store.SetFloat(Record, Field, DateTimeCodec::ToStored(v)); return;
    case TValueCodec::Date: Store.SetInt(Record, Field, DateTimeCodec::ToTimeStamp(v).Date); return;
    case TValueCodec::Time: Store.SetInt(Record, Field, DateTimeCodec::ToTimeStamp(v).Time); return;
    case TValueCodec::SqlTimestamp: Store.SetBytes(Record, Field, NumberCodec::SqlTimestampFromDateTime(v)); return;
    case TValueCodec::Bcd:
        if (!std::isfinite(v))
            throw EDataSetError(QStringLiteral("Value %1 is out of range for field '%2'").arg(v).arg(Def.Name));
        Store.SetBytes(Record, Field, NumberCodec::BcdFromText(QString::number(v, 'f', Def.Decimals), Def.Width,
                                                               Def.Decimals, static_cast<int>(SizeOf(Def.PacketType))));
        return;
    case TValueCodec::AnsiString:
    case TValueCodec::WideString: SetText(QString::number(v, 'g', 15)); return;
    case TValueCodec::SignedInt:
    case TValueCodec::UnsignedInt:
    case TValueCodec::Boolean: SetLargeInt(RoundToInt(v, *this)); return;
    default: Refuse("a number");
    }
}

void TFieldValue::SetText(const QString& v) const
{
    const std::uint32_t prefix = SizeOf(Def.PacketType);
    switch (Def.Codec) {
    case TValueCodec::AnsiString: {
        QByteArray bytes = EncodeAnsi(v, CodePage);
        const qsizetype nul = bytes.indexOf('\0');
        if (nul >= 0)
            bytes.truncate(nul);
        const qsizetype limit = std::min<qsizetype>(Def.Width, FieldMapping::PrefixLimit(prefix));
        Store.SetBytes(Record, Field, CutAnsi(bytes, limit, CodePage));
        return;
    }
    case TValueCodec::WideString: {
        const qsizetype limit = std::min<qsizetype>(Def.Width, FieldMapping::PrefixLimit(prefix));
        Store.SetBytes(Record, Field, CutUtf16(v, limit));
        return;
    }
    case TValueCodec::Blob: {
        const QByteArray bytes = IsMemo(Def) ? EncodeAnsi(v, CodePage) : IsWide(Def) ? ToUtf16Bytes(v) : v.toLatin1();
        if (bytes.isEmpty())
            Clear(); // an empty BLOB is stored, and read back, as NULL
        else
            Store.SetBytes(Record, Field, bytes);
        return;
    }
    case TValueCodec::VarBytes:
        Store.SetBytes(Record, Field, v.toLatin1().left(std::min<qsizetype>(Def.Width, FieldMapping::PrefixLimit(prefix))));
        return;
    case TValueCodec::FixedBytes: {
        QByteArray bytes = v.toLatin1().left(prefix);
        bytes.append(QByteArray(prefix - bytes.size(), '\0'));
        Store.SetBytes(Record, Field, bytes);
        return;
    }
    default:
        break;
    }
    const QString text = v.trimmed();
    if (text.isEmpty()) {
        Clear();
        return;
    }
    bool ok = false;
    switch (Def.Codec) {
    case TValueCodec::SignedInt:
    case TValueCodec::UnsignedInt: {
        const std::int64_t i = text.toLongLong(&ok);
        if (ok)
            SetLargeInt(i);
        break;
    }
    case TValueCodec::Boolean: {
        const QChar c = text[0].toUpper();
        ok = c == QLatin1Char('T') || c == QLatin1Char('Y') || c == QLatin1Char('F') || c == QLatin1Char('N');
        if (ok)
            SetBool(c == QLatin1Char('T') || c == QLatin1Char('Y'));
        break;
    }
    case TValueCodec::Bcd:
        Store.SetBytes(Record, Field, NumberCodec::BcdFromText(text, Def.Width, Def.Decimals,
                                                               static_cast<int>(SizeOf(Def.PacketType))));
        ok = true;
        break;
    case TValueCodec::Float64:
    case TValueCodec::Float32:
    case TValueCodec::Float80: {
        const double d = text.toDouble(&ok);
        if (ok)
            SetNumber(d);
        break;
    }
    case TValueCodec::Date:
    case TValueCodec::Time:
    case TValueCodec::Timestamp:
    case TValueCodec::SqlTimestamp: {
        double dt = 0;
        ok = ParseCalendarText(text, dt);
        if (ok)
            SetNumber(dt);
        break;
    }
    default:
        Refuse("a string");
    }
    if (!ok)
        throw EDataSetError(QStringLiteral("'%1' is not a valid value for field '%2'").arg(v, Def.Name));
}

void TFieldValue::SetBool(bool v) const
{
    switch (Def.Codec) {
    case TValueCodec::Boolean:
    case TValueCodec::SignedInt:
    case TValueCodec::UnsignedInt: Store.SetInt(Record, Field, v ? 1 : 0); return;
    case TValueCodec::AnsiString:
    case TValueCodec::WideString: SetText(v ? QStringLiteral("True") : QStringLiteral("False")); return;
    default: Refuse("a Boolean");
    }
}
