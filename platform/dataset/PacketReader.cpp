#include "platform/dataset/PacketReader.h"

#include "platform/dataset/ChangeLog.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/DateTimeCodec.h"
#include "platform/dataset/FieldMapping.h"
#include "platform/dataset/RecordOrder.h"
#include "platform/dataset/XmlPacketReader.h"
#include "platform/text/Ansi.h"

#include <cmath>
#include <cstring>

using namespace PacketType;

namespace {

constexpr std::uint32_t Magic = 0xBDE01996;
constexpr std::uint32_t OldMagic = 0x0000ABCD;
constexpr std::uint32_t FlagMetadata = 0x1;
constexpr std::uint32_t FlagDataOffset = 0x2;
constexpr std::uint32_t FlagXmlBody = 0x8000;
constexpr std::uint32_t HeaderSize = 24;
constexpr std::uint32_t BlobNotFetched = 0x80000000;

bool LooksLikeXml(const QByteArray& bytes)
{
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return i < bytes.size() && bytes[i] == '<';
}

bool HasMagic(const QByteArray& bytes)
{
    return bytes.size() >= 4
        && (std::memcmp(bytes.constData(), "\x96\x19\xE0\xBD", 4) == 0
            || std::memcmp(bytes.constData(), "\xCD\xAB\x00\x00", 4) == 0);
}

// How the values of one field are read: the field's codec and the size of its type, and
// for the common kinds a step that reads them without looking at the size again.
struct TValueRead {
    enum TStep : std::uint8_t { Int16, Int32, UInt8, UInt16, Float64, Timestamp, AnsiShort, Other };

    TValueRead(TValueCodec codec, std::uint32_t size) : Codec(codec), Size(size), Step(StepOf(codec, size)) {}

    TValueCodec Codec;
    std::uint32_t Size;
    TStep Step;

private:
    static TStep StepOf(TValueCodec codec, std::uint32_t size)
    {
        switch (codec) {
        case TValueCodec::SignedInt: return size == 2 ? Int16 : size == 4 ? Int32 : Other;
        case TValueCodec::Date:
        case TValueCodec::Time: return Int32;
        case TValueCodec::UnsignedInt:
        case TValueCodec::Boolean: return size == 1 ? UInt8 : size == 2 ? UInt16 : Other;
        case TValueCodec::Float64: return Float64;
        case TValueCodec::Timestamp: return Timestamp;
        case TValueCodec::AnsiString: return size == 1 ? AnsiShort : Other;
        default: return Other;
        }
    }
};

template <typename T>
T Read(TByteReader& in)
{
    T value;
    std::memcpy(&value, in.Take(sizeof(T)), sizeof(T));
    return qFromLittleEndian(value);
}

// The text up to its first NUL byte, if it has one.
QByteArrayView CutAtNul(QByteArrayView text)
{
    const void* nul = std::memchr(text.data(), 0, static_cast<std::size_t>(text.size()));
    return nul ? text.first(static_cast<const char*>(nul) - text.data()) : text;
}

// Reads one value of a row into the record being built. False for a date-time that is not
// a finite number.
[[gnu::always_inline]] inline bool ReadValue(TByteReader& in, TRecordStore::TRecordBuilder& row, int f,
                                             TValueRead read)
{
    switch (read.Step) {
    case TValueRead::Int16: row.SetInt(f, Read<std::int16_t>(in)); return true;
    case TValueRead::Int32: row.SetInt(f, Read<std::int32_t>(in)); return true;
    case TValueRead::UInt8: row.SetInt(f, Read<std::uint8_t>(in)); return true;
    case TValueRead::UInt16: row.SetInt(f, Read<std::uint16_t>(in)); return true;
    case TValueRead::Float64: row.SetFloat(f, in.F64()); return true;
    case TValueRead::Timestamp: {
        const double stored = in.F64();
        row.SetFloat(f, stored);
        return std::isfinite(stored);
    }
    case TValueRead::AnsiShort: row.SetBytes(f, CutAtNul(in.View(Read<std::uint8_t>(in)))); return true;
    case TValueRead::Other: break; // read by its codec, below
    }
    const std::uint32_t size = read.Size;
    switch (read.Codec) {
    case TValueCodec::SignedInt: {
        const std::uint64_t raw = in.Uint(size);
        const std::uint64_t sign = std::uint64_t{1} << (8 * size - 1);
        row.SetInt(f, static_cast<std::int64_t>((raw ^ sign) - sign));
        return true;
    }
    case TValueCodec::UnsignedInt:
    case TValueCodec::Boolean: row.SetInt(f, static_cast<std::int64_t>(in.Uint(size))); return true;
    case TValueCodec::Date:
    case TValueCodec::Time:
        row.SetInt(f, static_cast<std::int32_t>(static_cast<std::uint32_t>(in.Uint(size))));
        return true;
    case TValueCodec::Float64: row.SetFloat(f, in.F64()); return true;
    case TValueCodec::Float32: row.SetFloat(f, static_cast<double>(in.F32())); return true;
    case TValueCodec::Timestamp: {
        const double stored = in.F64();
        row.SetFloat(f, stored);
        return std::isfinite(stored);
    }
    case TValueCodec::Float80:
    case TValueCodec::Bcd:
    case TValueCodec::SqlTimestamp:
    case TValueCodec::FixedBytes: row.SetBytes(f, in.View(size)); return true;
    case TValueCodec::AnsiString: {
        row.SetBytes(f, CutAtNul(in.View(static_cast<std::size_t>(in.Uint(size)))));
        return true;
    }
    case TValueCodec::WideString:
    case TValueCodec::VarBytes: row.SetBytes(f, in.View(static_cast<std::size_t>(in.Uint(size)))); return true;
    case TValueCodec::Blob: {
        const std::uint32_t length = in.U32();
        if ((length & BlobNotFetched) == 0 && length > 0)
            row.SetBytes(f, in.View(length));
        return true;
    }
    }
    return true;
}

} // namespace

TPacketReader::TPacketReader(const QByteArray& bytes, QString fileName, int codePage)
    : bytes_(bytes),
      in_(bytes.constData(), static_cast<std::size_t>(bytes.size())),
      fileName_(std::move(fileName)),
      codePage_(codePage) {}

void TPacketReader::Fail(const QString& what) const
{
    throw EDataSetError(QStringLiteral("%1: %2").arg(fileName_, what));
}

void TPacketReader::Truncated() const
{
    switch (part_) {
    case TPart::Header: Fail(QStringLiteral("the header is truncated"));
    case TPart::Field: Fail(QStringLiteral("field descriptor %1 is truncated").arg(index_ + 1));
    case TPart::DataSetParams: Fail(QStringLiteral("the dataset parameters are truncated"));
    case TPart::Row: Fail(QStringLiteral("row %1 is truncated").arg(index_ + 1));
    }
    Fail(QStringLiteral("the file is truncated"));
}

TDataPacket TPacketReader::Read()
{
    if (!HasMagic(bytes_)) {
        if (LooksLikeXml(bytes_))
            return TXmlPacketReader(bytes_, fileName_, codePage_).Read();
        if (bytes_.size() < static_cast<qsizetype>(HeaderSize))
            Fail(QStringLiteral("the file is too short for a data packet (%1 bytes)").arg(bytes_.size()));
        Fail(QStringLiteral("bad magic number %1 (not a data packet)")
                 .arg(QString::fromLatin1(bytes_.left(4).toHex(' ').toUpper())));
    }
    try {
        ReadHeader();
        part_ = TPart::Field;
        for (index_ = 0; index_ < columnCount_; ++index_)
            ReadField(static_cast<int>(index_));
        part_ = TPart::DataSetParams;
        packet_.Params = ReadParams(in_.U16());
        if ((flags_ & FlagDataOffset) != 0 && in_.Pos() != dataOffset_)
            Fail(QStringLiteral("the data offset %1 in the header does not match the end of the metadata (%2)")
                     .arg(dataOffset_).arg(in_.Pos()));
        ReadRows();
    } catch (TByteReader::Short) {
        Truncated();
    }
    if (in_.Left() > 0)
        Fail(QStringLiteral("%1 trailing bytes after the last row").arg(in_.Left()));
    MergeChangeLog();
    return std::move(packet_);
}

void TPacketReader::ReadHeader()
{
    part_ = TPart::Header;
    const std::uint32_t magic = in_.U32();
    const std::uint16_t major = in_.U16(), minor = in_.U16();
    headerSize_ = in_.U32();
    columnCount_ = in_.U16();
    rowCount_ = in_.U32();
    flags_ = in_.U32();
    dataOffset_ = in_.U16();
    if (magic != Magic && magic != OldMagic)
        Fail(QStringLiteral("bad magic number"));
    if (major > 3 || minor > 3)
        Fail(QStringLiteral("unsupported packet version %1.%2").arg(major).arg(minor));
    if ((flags_ & FlagXmlBody) != 0)
        Fail(QStringLiteral("packets with an XML body are not supported"));
    if ((flags_ & FlagMetadata) == 0)
        Fail(QStringLiteral("the packet holds no metadata"));
    if (headerSize_ < HeaderSize || headerSize_ > static_cast<std::uint32_t>(bytes_.size()))
        Fail(QStringLiteral("invalid header size %1").arg(headerSize_));
    if (columnCount_ == 0)
        Fail(QStringLiteral("the packet has no fields"));
    in_.Seek(headerSize_);
}

void TPacketReader::ReadField(int index)
{
    TFieldDef def;
    const std::uint8_t nameLength = in_.U8();
    if (nameLength == 0)
        Fail(QStringLiteral("field %1 has an empty name").arg(index + 1));
    def.PacketName = in_.Bytes(nameLength);
    def.PacketType = in_.U32();
    def.Attributes = in_.U16();
    def.Params = ReadParams(in_.U16());
    const TPacketParam* fullName = FindParam(def.Params, "FIELDNAME");
    def.Name = DecodeAnsi(fullName && !fullName->AsString().isEmpty() ? fullName->AsString() : def.PacketName,
                          codePage_);
    try {
        FieldMapping::DescribeFromPacket(def);
    } catch (const EDataSetError& e) {
        Fail(e.Message());
    }
    if (packet_.Fields.IndexOf(def.Name) >= 0)
        Fail(QStringLiteral("field name '%1' appears twice").arg(def.Name));
    packet_.Fields.Append(std::move(def));
}

TPacketParams TPacketReader::ReadParams(std::size_t count)
{
    TPacketParams params;
    for (std::size_t i = 0; i < count; ++i)
        params.append(ReadParam());
    return params;
}

TPacketParam TPacketReader::ReadParam()
{
    TPacketParam param;
    param.Name = in_.Bytes(in_.U8());
    param.Type = in_.U32();
    const std::size_t start = in_.Pos();
    const std::uint32_t type = param.Type & ~DeltaFlag;
    const std::uint32_t size = SizeOf(type);
    if (IsVarying(type)) {
        if (size != 1 && size != 2 && size != 4)
            Fail(QStringLiteral("parameter %1 has an invalid type %2")
                     .arg(QString::fromLatin1(param.Name), Hex(param.Type)));
        in_.Take(static_cast<std::size_t>(in_.Uint(size)));
    } else if ((type & Array) != 0) {
        const std::uint64_t bytes = std::uint64_t{in_.U32()} * size;
        if (bytes > in_.Left())
            throw TByteReader::Short{};
        in_.Take(static_cast<std::size_t>(bytes));
    } else {
        in_.Take(size);
    }
    param.Value = QByteArray(bytes_.constData() + start, static_cast<qsizetype>(in_.Pos() - start));
    return param;
}

void TPacketReader::ReadRows()
{
    const int fields = packet_.Fields.Count();
    const std::size_t nullBytes = (static_cast<std::size_t>(fields) + 3) / 4;
    // Every row takes at least its status and null bytes: a row count beyond what the file
    // can hold is refused before anything is allocated for it.
    if (rowCount_ > in_.Left() / (1 + nullBytes))
        Fail(QStringLiteral("the header announces %1 rows, more than the file can hold").arg(rowCount_));
    // How each field is read is decided once, not per value.
    std::vector<TValueRead> reads;
    for (int f = 0; f < fields; ++f)
        reads.emplace_back(packet_.Fields[f].Codec, SizeOf(packet_.Fields[f].PacketType));
    TRecordStore& records = packet_.Records;
    records.Reset(fields);
    // The values of the rows are no more than the bytes left.
    records.Reserve(rowCount_, in_.Left());
    statuses_.reserve(rowCount_);
    // Record i is row i + 1 of the file, as the change log expects.
    TRecordStore::TRecordBuilder row(records);
    // A copy of the reader that the compiler can keep in registers for the whole loop.
    TByteReader in = in_;
    part_ = TPart::Row;
    for (index_ = 0; index_ < rowCount_; ++index_) {
        statuses_.push_back(in.U8());
        const char* nulls = in.Take(nullBytes);
        // Two bits a field, four fields a byte, lowest bits first.
        unsigned states = 0;
        for (int f = 0; f < fields; ++f, states >>= 2) {
            if (f % 4 == 0)
                states = static_cast<unsigned char>(nulls[f / 4]);
            const unsigned state = states & 3;
            if (state == 0) {
                if (!ReadValue(in, row, f, reads[static_cast<std::size_t>(f)]))
                    Fail(QStringLiteral("row %1: field '%2' holds an invalid date-time")
                             .arg(index_ + 1)
                             .arg(packet_.Fields[f].Name));
            } else if (state == TRecordStore::NotChanged) {
                row.SetState(f, TRecordStore::NotChanged);
            }
        }
        row.Append();
    }
    in_ = in;
}

void TPacketReader::MergeChangeLog()
{
    std::vector<std::uint32_t> log;
    for (qsizetype i = 0; i < packet_.Params.size(); ++i) {
        if (!packet_.Params[i].Is("CHANGE_LOG"))
            continue;
        const TPacketParam& param = packet_.Params[i];
        log = param.AsArray();
        if (log.size() % 3 != 0 || (log.empty() && param.Value.size() != 4))
            Fail(QStringLiteral("the CHANGE_LOG parameter is damaged"));
        packet_.Params.removeAt(i);
        break;
    }
    try {
        packet_.Order = ApplyChangeLog(packet_.Records, packet_.Fields, statuses_, log);
        if (const TPacketParam* order = FindParam(packet_.Params, "DEFAULT_ORDER"))
            StableSortRecords(packet_.Order, packet_.Records, packet_.Fields,
                              DefaultOrderFields(order->AsArray(), packet_.Fields.Count()), codePage_);
    } catch (const EDataSetError& e) {
        Fail(e.Message());
    }
}
