#include "platform/dataset/PacketWriter.h"

#include "platform/dataset/AnsiCut.h"
#include "platform/dataset/ByteWriter.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/FieldMapping.h"

using namespace PacketType;

namespace {

constexpr std::uint32_t Magic = 0xBDE01996;
constexpr std::uint32_t FlagMetadata = 0x1;
constexpr std::uint32_t FlagDataOffset = 0x2;
constexpr std::uint32_t HeaderSize = 24;

// Exactly size bytes: cut, or padded with zero bytes.
QByteArray Sized(QByteArrayView bytes, qsizetype size)
{
    QByteArray out = bytes.first(std::min(bytes.size(), size)).toByteArray();
    if (out.size() < size)
        out.append(QByteArray(size - out.size(), '\0'));
    return out;
}

} // namespace

QByteArray TPacketWriter::Write() const
{
    const TFieldDefs& fields = packet_.Fields;
    if (fields.Count() == 0 || fields.Count() > 0xFFFF)
        throw EDataSetError(QStringLiteral("A dataset needs between 1 and 65535 fields to be saved"));
    std::uint16_t major = 1;
    for (int f = 0; f < fields.Count(); ++f)
        if (CodeOf(fields[f].PacketType) > Bytes)
            major = 2;

    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(64 * fields.Count() + 64 + order_.size() * (8 + 12 * fields.Count())));
    TByteWriter out(bytes);
    out.U32(Magic);
    out.U16(major);
    out.U16(0);
    out.U32(HeaderSize);
    out.U16(static_cast<std::uint16_t>(fields.Count()));
    out.U32(static_cast<std::uint32_t>(order_.size()));
    out.U32(0); // flags and data offset are patched below
    out.U16(0);
    for (int f = 0; f < fields.Count(); ++f)
        WriteField(out, fields[f]);
    if (packet_.Params.size() > 0xFFFF)
        throw EDataSetError(QStringLiteral("Too many dataset parameters"));
    out.U16(static_cast<std::uint16_t>(packet_.Params.size()));
    WriteParams(out, packet_.Params);
    const qsizetype dataOffset = out.Size();
    const bool offsetFits = dataOffset <= 0xFFFF;
    out.PatchUint(18, offsetFits ? FlagMetadata | FlagDataOffset : FlagMetadata, 4);
    out.PatchUint(22, offsetFits ? static_cast<std::uint64_t>(dataOffset) : 0, 2);

    QByteArray nulls((fields.Count() + 3) / 4, '\0');
    for (int id : order_)
        WriteRow(out, id, nulls);
    return bytes;
}

void TPacketWriter::WriteField(TByteWriter& out, const TFieldDef& def) const
{
    if (def.PacketName.isEmpty() || def.PacketName.size() > 255)
        throw EDataSetError(QStringLiteral("Field '%1' has no storable name").arg(def.Name));
    if (def.Name.compare(QLatin1String("RowState"), Qt::CaseInsensitive) == 0)
        throw EDataSetError(QStringLiteral("Field name RowState is reserved"));
    if (def.Params.size() > 0xFFFF)
        throw EDataSetError(QStringLiteral("Field '%1' has too many parameters").arg(def.Name));
    out.U8(static_cast<std::uint8_t>(def.PacketName.size()));
    out.Bytes(def.PacketName);
    out.U32(def.PacketType);
    out.U16(def.Attributes);
    out.U16(static_cast<std::uint16_t>(def.Params.size()));
    WriteParams(out, def.Params);
}

void TPacketWriter::WriteParams(TByteWriter& out, const TPacketParams& params)
{
    for (const TPacketParam& p : params) {
        const QByteArray name = p.Name.left(255);
        out.U8(static_cast<std::uint8_t>(name.size()));
        out.Bytes(name);
        out.U32(p.Type);
        out.Bytes(p.Value);
    }
}

bool TPacketWriter::IsStoredNull(int id, int f) const
{
    const TRecordStore& records = packet_.Records;
    if (records.IsNull(id, f))
        return true;
    return packet_.Fields[f].Codec == TValueCodec::Blob && records.Bytes(id, f).isEmpty();
}

void TPacketWriter::WriteRow(TByteWriter& out, int id, QByteArray& nulls) const
{
    const int count = packet_.Fields.Count();
    nulls.fill('\0');
    for (int f = 0; f < count; ++f)
        if (IsStoredNull(id, f))
            nulls[f / 4] = static_cast<char>(nulls[f / 4] | (1 << (2 * (f % 4))));
    out.U8(0);
    out.Bytes(nulls);
    for (int f = 0; f < count; ++f)
        if (!IsStoredNull(id, f))
            WriteValue(out, id, f);
}

void TPacketWriter::WriteValue(TByteWriter& out, int id, int f) const
{
    const TFieldDef& def = packet_.Fields[f];
    const TRecordStore& records = packet_.Records;
    const std::uint32_t size = SizeOf(def.PacketType);
    const auto limit = [&] {
        const qsizetype prefixLimit = FieldMapping::PrefixLimit(size);
        return def.Width > 0 ? std::min<qsizetype>(def.Width, prefixLimit) : prefixLimit;
    };
    switch (def.Codec) {
    case TValueCodec::SignedInt:
    case TValueCodec::UnsignedInt:
    case TValueCodec::Boolean:
    case TValueCodec::Date:
    case TValueCodec::Time:
        out.Uint(static_cast<std::uint64_t>(records.Int(id, f)), size);
        return;
    case TValueCodec::Float64:
    case TValueCodec::Timestamp: out.F64(records.Float(id, f)); return;
    case TValueCodec::Float32: out.F32(static_cast<float>(records.Float(id, f))); return;
    case TValueCodec::Float80:
    case TValueCodec::Bcd:
    case TValueCodec::SqlTimestamp:
    case TValueCodec::FixedBytes: out.Bytes(Sized(records.Bytes(id, f), size)); return;
    case TValueCodec::AnsiString: {
        const QByteArrayView stored = records.Bytes(id, f);
        const QByteArrayView text = stored.first(AnsiCutLength(stored, limit(), codePage_));
        if (text.isEmpty()) { // the engine's form of an empty, non-NULL string
            out.Uint(1, size);
            out.U8(0);
        } else {
            out.Uint(static_cast<std::uint64_t>(text.size()), size);
            out.Bytes(text);
        }
        return;
    }
    case TValueCodec::WideString:
    case TValueCodec::VarBytes: {
        const QByteArrayView stored = records.Bytes(id, f);
        qsizetype n = std::min(stored.size(), limit());
        if (def.Codec == TValueCodec::WideString)
            n &= ~qsizetype{1};
        out.Uint(static_cast<std::uint64_t>(n), size);
        out.Bytes(stored.first(n));
        return;
    }
    case TValueCodec::Blob: {
        const QByteArrayView blob = records.Bytes(id, f);
        const qsizetype n = std::min<qsizetype>(blob.size(), 0x7FFFFFFF);
        out.U32(static_cast<std::uint32_t>(n));
        out.Bytes(blob.first(n));
        return;
    }
    }
}
