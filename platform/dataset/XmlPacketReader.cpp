#include "platform/dataset/XmlPacketReader.h"

#include "platform/dataset/AnsiCut.h"
#include "platform/dataset/ChangeLog.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/DateTimeCodec.h"
#include "platform/dataset/FieldMapping.h"
#include "platform/dataset/FieldValue.h"
#include "platform/dataset/NumberCodec.h"
#include "platform/dataset/RecordOrder.h"
#include "platform/text/Ansi.h"

#include <QDate>
#include <QXmlStreamReader>
#include <map>

using namespace PacketType;

namespace {

constexpr qint64 JulianDayOfDay0 = 1721425;

const std::map<QString, std::uint32_t>& FixedTypes()
{
    static const std::map<QString, std::uint32_t> types = {
        {QStringLiteral("i1"), Word(Int, 1)},        {QStringLiteral("i2"), Word(Int, 2)},
        {QStringLiteral("i4"), Word(Int, 4)},        {QStringLiteral("i8"), Word(Int, 8)},
        {QStringLiteral("ui1"), Word(UInt, 1)},      {QStringLiteral("ui2"), Word(UInt, 2)},
        {QStringLiteral("ui4"), Word(UInt, 4)},      {QStringLiteral("ui8"), Word(UInt, 8)},
        {QStringLiteral("r4"), Word(Single, 4)},     {QStringLiteral("r8"), Word(Float, 8)},
        {QStringLiteral("r10"), Word(Float, 10)},    {QStringLiteral("boolean"), Word(Bool, 2)},
        {QStringLiteral("date"), Word(Date, 4)},     {QStringLiteral("time"), Word(Time, 4)},
        {QStringLiteral("dateTime"), Word(Timestamp, 8)},
        {QStringLiteral("SQLdateTime"), Word(SqlTimestamp, 16)},
        {QStringLiteral("bin.hex"), Word(Bytes, 4, Varying)},
    };
    return types;
}

// Milliseconds of "HH:MM:SSmmm" (seconds and milliseconds as five digits); -1 if invalid.
qint64 ParseTime(QStringView text)
{
    const auto parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return -1;
    bool ok1 = false, ok2 = false, ok3 = false;
    const qint64 h = parts[0].toLongLong(&ok1), m = parts[1].toLongLong(&ok2), ms = parts[2].toLongLong(&ok3);
    if (!ok1 || !ok2 || !ok3 || h < 0 || h > 23 || m < 0 || m > 59 || ms < 0 || ms > 59999)
        return -1;
    return (h * 60 + m) * 60000 + ms;
}

// The day number (0001-01-01 = 1) of "YYYYMMDD"; -1 if invalid.
qint64 ParseDate(QStringView text)
{
    if (text.size() != 8)
        return -1;
    const QDate date = QDate::fromString(text.toString(), QStringLiteral("yyyyMMdd"));
    return date.isValid() ? date.toJulianDay() - JulianDayOfDay0 : -1;
}

// Milliseconds since 0001-01-01 (counted as day 1) of "YYYYMMDD[THH:MM:SSmmm]"; -1 if invalid.
qint64 ParseDateTime(QStringView text)
{
    const qint64 day = ParseDate(text.left(8));
    if (day < 0)
        return -1;
    if (text.size() == 8)
        return day * DateTimeCodec::MsPerDay;
    if (text.size() < 10 || text[8] != QLatin1Char('T'))
        return -1;
    const qint64 ms = ParseTime(text.mid(9));
    return ms < 0 ? -1 : day * DateTimeCodec::MsPerDay + ms;
}

std::vector<std::uint32_t> ParseNumbers(const QString& text, bool* ok)
{
    std::vector<std::uint32_t> numbers;
    *ok = true;
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool good = false;
        numbers.push_back(part.toUInt(&good));
        *ok = *ok && good;
    }
    return numbers;
}

} // namespace

TXmlPacketReader::TXmlPacketReader(const QByteArray& bytes, QString fileName, int codePage)
    : bytes_(bytes), fileName_(std::move(fileName)), codePage_(codePage) {}

void TXmlPacketReader::Fail(const QString& what) const
{
    throw EDataSetError(QStringLiteral("%1: %2").arg(fileName_, what));
}

TDataPacket TXmlPacketReader::Read()
{
    QXmlStreamReader xml(bytes_);
    int depth = 0;
    bool root = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            --depth;
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QStringView name = xml.name();
        if (depth == 1) {
            if (name != QLatin1String("DATAPACKET"))
                Fail(QStringLiteral("not a data packet (root element %1)").arg(name));
            root = true;
        } else if (name == QLatin1String("METADATA")) {
            sawMetadata_ = true;
        } else if (name == QLatin1String("FIELD")) {
            if (rowsStarted_ || depth != 4)
                Fail(QStringLiteral("nested tables are not supported"));
            ReadField(xml.attributes());
        } else if (name == QLatin1String("PARAMS")) {
            ReadParams(xml.attributes());
        } else if (name == QLatin1String("ROW")) {
            if (depth != 3)
                Fail(QStringLiteral("nested rows are not supported"));
            if (!rowsStarted_)
                StartRows();
            ReadRow(xml.attributes());
        } else if (name == QLatin1String("ROWDATA")) {
            if (!rowsStarted_)
                StartRows();
        }
    }
    if (xml.hasError())
        Fail(QStringLiteral("XML error at line %1: %2").arg(xml.lineNumber()).arg(xml.errorString()));
    if (!root || !sawMetadata_)
        Fail(QStringLiteral("not a data packet (no METADATA)"));
    if (!rowsStarted_)
        StartRows();
    try {
        packet_.Order = ApplyChangeLog(packet_.Records, packet_.Fields, statuses_, changeLog_);
        if (const TPacketParam* order = FindParam(packet_.Params, "DEFAULT_ORDER"))
            StableSortRecords(packet_.Order, packet_.Records, packet_.Fields,
                              DefaultOrderFields(order->AsArray(), packet_.Fields.Count()), codePage_);
    } catch (const EDataSetError& e) {
        Fail(e.Message());
    }
    return std::move(packet_);
}

void TXmlPacketReader::ReadField(const QXmlStreamAttributes& a)
{
    const QString attrName = a.value(QLatin1String("attrname")).toString();
    const QString type = a.value(QLatin1String("fieldtype")).toString();
    const QString subtype = a.value(QLatin1String("SUBTYPE")).toString();
    const int width = a.value(QLatin1String("WIDTH")).toInt();
    if (attrName.isEmpty())
        Fail(QStringLiteral("field %1 has no name").arg(packet_.Fields.Count() + 1));
    TFieldDef def;
    def.Name = a.hasAttribute(QLatin1String("fieldname")) ? a.value(QLatin1String("fieldname")).toString() : attrName;
    const QByteArray name = EncodeAnsi(def.Name, codePage_);
    def.PacketName = CutAnsi(name, 31, codePage_);
    if (def.PacketName.size() < name.size())
        def.Params.append(TPacketParam::String("FIELDNAME", name, DeltaFlag));
    const auto fixed = FixedTypes().find(type);
    if (fixed != FixedTypes().end()) {
        def.PacketType = fixed->second;
    } else if (type == QLatin1String("string")) {
        def.PacketType = Word(Ansi, width <= 253 ? 1 : 2, Varying);
    } else if (type == QLatin1String("string.uni")) {
        def.PacketType = Word(Wide, width <= 252 ? 1 : 2, Varying);
    } else if (type == QLatin1String("fixed") || type == QLatin1String("fixedFMT")) {
        const int precision = width > 0 && width <= 64 ? width : 32;
        def.PacketType = Word(type == QLatin1String("fixed") ? Bcd : FmtBcd,
                              static_cast<std::uint32_t>(2 + (precision + 1) / 2));
    } else if (type == QLatin1String("nested") || type == QLatin1String("array") || type == QLatin1String("struct")) {
        Fail(QStringLiteral("field '%1': composite fields (object, array, nested table) are not supported").arg(def.Name));
    } else {
        Fail(QStringLiteral("field '%1': unknown field type '%2'").arg(def.Name, type));
    }
    const auto flag = [&](const char* n) { return a.value(QLatin1String(n)).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0; };
    def.Attributes = static_cast<std::uint16_t>((flag("hidden") ? 1 : 0) | (flag("readonly") ? 2 : 0)
                                                | (flag("required") ? 4 : 0) | (flag("linkfield") ? 8 : 0));
    if (!subtype.isEmpty())
        def.Params.append(TPacketParam::String("SUBTYPE", subtype.toLatin1()));
    if (a.hasAttribute(QLatin1String("DECIMALS")))
        def.Params.append(TPacketParam::UInt16("DECIMALS", static_cast<std::uint16_t>(a.value(QLatin1String("DECIMALS")).toUInt())));
    if (width > 0 && width <= 65535)
        def.Params.append(TPacketParam::UInt16("WIDTH", static_cast<std::uint16_t>(width)));
    try {
        FieldMapping::DescribeFromPacket(def);
    } catch (const EDataSetError& e) {
        Fail(e.Message());
    }
    if (packet_.Fields.IndexOf(def.Name) >= 0)
        Fail(QStringLiteral("field name '%1' appears twice").arg(def.Name));
    packet_.Fields.Append(std::move(def));
    attrNames_.append(attrName);
}

void TXmlPacketReader::ReadParams(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes) {
        const QString name = a.name().toString();
        const QString value = a.value().toString();
        bool ok = false;
        if (name == QLatin1String("CHANGE_LOG")) {
            changeLog_ = ParseNumbers(value, &ok);
            if (!ok || changeLog_.size() % 3 != 0)
                Fail(QStringLiteral("the CHANGE_LOG parameter is damaged"));
        } else if (name == QLatin1String("DEFAULT_ORDER") || name == QLatin1String("PRIMARY_KEY")
                   || name == QLatin1String("UNIQUE_KEY")) {
            const std::vector<std::uint32_t> entries = ParseNumbers(value, &ok);
            if (ok)
                packet_.Params.append(TPacketParam::UInt16Array(name.toLatin1().constData(), entries));
        } else if (name == QLatin1String("LCID") || name == QLatin1String("AUTOINCVALUE")) {
            const int v = value.toInt(&ok);
            if (ok)
                packet_.Params.append(TPacketParam::Int32(name.toLatin1().constData(), v));
        }
    }
}

void TXmlPacketReader::StartRows()
{
    rowsStarted_ = true;
    if (packet_.Fields.Count() == 0)
        Fail(QStringLiteral("the packet has no fields"));
    packet_.Records.Reset(packet_.Fields.Count());
}

void TXmlPacketReader::ReadRow(const QXmlStreamAttributes& attributes)
{
    const int id = packet_.Records.NewRecord();
    const QStringView state = attributes.value(QLatin1String("RowState"));
    bool ok = true;
    statuses_.push_back(state.isEmpty() ? 0 : static_cast<std::uint8_t>(state.toUInt(&ok)));
    if (!ok)
        Fail(QStringLiteral("row %1 has an invalid RowState").arg(statuses_.size()));
    for (int f = 0; f < packet_.Fields.Count(); ++f) {
        const QString& attr = attrNames_[f];
        if (attributes.hasAttribute(attr))
            SetValue(id, f, attributes.value(attr).toString());
    }
}

void TXmlPacketReader::SetValue(int id, int f, const QString& text)
{
    const TFieldDef& def = packet_.Fields[f];
    TRecordStore& records = packet_.Records;
    const TFieldValue value{records, def, id, f, codePage_};
    const auto bad = [&] {
        Fail(QStringLiteral("row %1: invalid value '%2' for field '%3'").arg(statuses_.size()).arg(text, def.Name));
    };
    try {
        switch (def.Codec) {
        case TValueCodec::Boolean:
            if (text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
                records.SetInt(id, f, 1);
            else if (text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0 || text == QLatin1String("0"))
                records.SetInt(id, f, 0);
            else
                bad();
            return;
        case TValueCodec::Date: {
            const qint64 day = ParseDate(text);
            if (day < 0)
                bad();
            records.SetInt(id, f, day);
            return;
        }
        case TValueCodec::Time: {
            const qint64 ms = ParseTime(text);
            if (ms < 0)
                bad();
            records.SetInt(id, f, ms);
            return;
        }
        case TValueCodec::Timestamp:
        case TValueCodec::SqlTimestamp: {
            const qint64 ms = ParseDateTime(text);
            if (ms < 0)
                bad();
            if (def.Codec == TValueCodec::Timestamp)
                records.SetFloat(id, f, static_cast<double>(ms));
            else
                value.SetNumber(DateTimeCodec::FromStored(static_cast<double>(ms)));
            return;
        }
        case TValueCodec::FixedBytes:
        case TValueCodec::VarBytes:
        case TValueCodec::Blob:
            if (def.DataType == ftMemo || def.DataType == ftFmtMemo || def.DataType == ftWideMemo) {
                value.SetText(text);
            } else {
                const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(),
                                                                    QByteArray::AbortOnBase64DecodingErrors);
                if (!decoded)
                    bad();
                if (!decoded.decoded.isEmpty())
                    records.SetBytes(id, f, decoded.decoded);
            }
            return;
        default:
            value.SetText(text);
            return;
        }
    } catch (const EDataSetError&) {
        bad();
    }
}
