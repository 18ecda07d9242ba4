#include "platform/dataset/FieldMapping.h"

#include "platform/dataset/AnsiCut.h"
#include "platform/dataset/DataSetError.h"
#include "platform/text/Ansi.h"

#include <algorithm>

using namespace PacketType;

namespace {

constexpr std::uint16_t AttrReadOnly = 0x02;

struct TCodeForm {
    std::uint32_t word;
    const char* subtype;
};

int BcdBytes(int precision) { return 2 + (precision + 1) / 2; }

[[noreturn]] void Refuse(const TFieldDef& def, const QString& why)
{
    throw EDataSetError(QStringLiteral("Field '%1': %2").arg(def.Name, why));
}

// Type word and SUBTYPE of a declared field; Width and Decimals are set on the way.
TCodeForm CodeForm(TFieldDef& def)
{
    const int size = def.Size;
    switch (def.DataType) {
    case ftSmallint: return {Word(Int, 2), nullptr};
    case ftInteger: return {Word(Int, 4), nullptr};
    case ftAutoInc: return {Word(Int, 4), "Autoinc"};
    case ftLargeint: return {Word(Int, 8), nullptr};
    case ftShortint: return {Word(Int, 1), nullptr};
    case ftWord: return {Word(UInt, 2), nullptr};
    case ftLongWord: return {Word(UInt, 4), nullptr};
    case ftByte: return {Word(UInt, 1), nullptr};
    case ftBoolean: return {Word(Bool, 2), nullptr};
    case ftFloat: return {Word(Float, 8), nullptr};
    case ftCurrency: return {Word(Float, 8), "Money"};
    case ftExtended: return {Word(Float, 10), nullptr};
    case ftSingle: return {Word(Single, 4), nullptr};
    case ftBCD:
    case ftFMTBcd:
        def.Width = 32;
        def.Decimals = size;
        if (size < 0 || size > def.Width)
            Refuse(def, QStringLiteral("invalid scale %1").arg(size));
        return {Word(def.DataType == ftBCD ? Bcd : FmtBcd, static_cast<std::uint32_t>(BcdBytes(def.Width))),
                nullptr};
    case ftDate: return {Word(Date, 4), nullptr};
    case ftTime: return {Word(Time, 4), nullptr};
    case ftDateTime: return {Word(Timestamp, 8), nullptr};
    case ftTimeStamp: return {Word(SqlTimestamp, 16), nullptr};
    case ftString:
    case ftFixedChar:
    case ftGuid:
        def.Width = def.DataType == ftGuid ? 38 : (size > 0 ? size : 20);
        if (def.Width > 65534)
            Refuse(def, QStringLiteral("string size %1 is too large").arg(def.Width));
        def.Size = def.Width;
        return {Word(Ansi, def.Width <= 253 ? 1 : 2, Varying),
                def.DataType == ftFixedChar ? "FixedChar" : def.DataType == ftGuid ? "Guid" : nullptr};
    case ftWideString:
    case ftFixedWideChar:
        def.Size = size > 0 ? size : 20;
        def.Width = 2 * def.Size;
        if (def.Width > 65534)
            Refuse(def, QStringLiteral("string size %1 is too large").arg(def.Size));
        return {Word(Wide, def.Size <= 126 ? 1 : 2, Varying),
                def.DataType == ftFixedWideChar ? "FixedChar" : nullptr};
    case ftBytes:
        if (size <= 0 || size > 65535)
            Refuse(def, QStringLiteral("invalid byte field size %1").arg(size));
        return {Word(Bytes, static_cast<std::uint32_t>(size)), nullptr};
    case ftVarBytes:
        if (size <= 0 || size > 65533)
            Refuse(def, QStringLiteral("invalid byte field size %1").arg(size));
        def.Width = size;
        return {Word(Bytes, size <= 252 ? 1 : 2, Varying), nullptr};
    case ftMemo: def.Width = size; return {Word(Bytes, 4, Varying), "Text"};
    case ftWideMemo: def.Width = size; return {Word(Bytes, 4, Varying), "WideText"};
    case ftBlob: def.Width = size; return {Word(Bytes, 4, Varying), "Binary"};
    case ftGraphic: def.Width = size; return {Word(Bytes, 4, Varying), "Graphics"};
    case ftTypedBinary: def.Width = size; return {Word(Bytes, 4, Varying), "TypedBinary"};
    case ftFmtMemo: def.Width = size; return {Word(Bytes, 4, Varying), "Formatted"};
    case ftUnknown:
        break;
    }
    Refuse(def, QStringLiteral("type %1 cannot be stored").arg(FieldTypeName(def.DataType)));
}

TValueCodec CodecOf(const TFieldDef& def)
{
    const std::uint32_t w = def.PacketType;
    const std::uint32_t size = SizeOf(w);
    switch (CodeOf(w)) {
    case Int: return TValueCodec::SignedInt;
    case UInt: return TValueCodec::UnsignedInt;
    case Bool: return TValueCodec::Boolean;
    case Float:
        return size == 8 ? TValueCodec::Float64 : size == 10 ? TValueCodec::Float80 : TValueCodec::Float32;
    case Single: return TValueCodec::Float32;
    case Bcd:
    case FmtBcd: return TValueCodec::Bcd;
    case Date: return TValueCodec::Date;
    case Time: return TValueCodec::Time;
    case Timestamp: return TValueCodec::Timestamp;
    case SqlTimestamp: return TValueCodec::SqlTimestamp;
    case Ansi: return TValueCodec::AnsiString;
    case Wide: return TValueCodec::WideString;
    default:
        if (!IsVarying(w))
            return TValueCodec::FixedBytes;
        return size == 4 ? TValueCodec::Blob : TValueCodec::VarBytes;
    }
}

} // namespace

void FieldMapping::DescribeForPacket(TFieldDef& def, int codePage)
{
    if (def.Name.isEmpty())
        throw EDataSetError(QStringLiteral("A field has no name"));
    if (def.Name.compare(QLatin1String("RowState"), Qt::CaseInsensitive) == 0)
        Refuse(def, QStringLiteral("the name RowState is reserved"));
    def.Width = 0;
    def.Decimals = 0;
    const TCodeForm form = CodeForm(def);
    def.PacketType = form.word;
    def.Attributes = def.DataType == ftAutoInc ? AttrReadOnly : 0;
    def.Codec = CodecOf(def);
    def.Params.clear();
    if (form.subtype)
        def.Params.append(TPacketParam::String("SUBTYPE", form.subtype));
    if (def.DataType == ftBCD || def.DataType == ftFMTBcd)
        def.Params.append(TPacketParam::UInt16("DECIMALS", static_cast<std::uint16_t>(def.Decimals)));
    if (def.Width > 0)
        def.Params.append(TPacketParam::UInt16("WIDTH", static_cast<std::uint16_t>(def.Width)));
    const QByteArray name = EncodeAnsi(def.Name, codePage);
    def.PacketName = CutAnsi(name, 31, codePage);
    if (def.PacketName.size() < name.size())
        def.Params.append(TPacketParam::String("FIELDNAME", name, DeltaFlag));
}

void FieldMapping::DescribeFromPacket(TFieldDef& def)
{
    const std::uint32_t w = def.PacketType;
    const std::uint32_t size = SizeOf(w);
    const int code = CodeOf(w);
    if ((w & (Pseudo | CompressedArray | Embedded)) != 0 || (code >= Adt && code <= Reference))
        Refuse(def, QStringLiteral("composite fields (object, array, nested table, reference) are "
                                   "not supported (type %1)").arg(Hex(w)));
    if ((w & Array) != 0)
        Refuse(def, QStringLiteral("invalid field type %1").arg(Hex(w)));
    const TPacketParam* width = FindParam(def.Params, "WIDTH");
    const TPacketParam* subtypeParam = FindParam(def.Params, "SUBTYPE");
    const QByteArray subtype = subtypeParam ? subtypeParam->AsString() : QByteArray();
    const auto isSub = [&](const char* s) { return subtype.compare(s, Qt::CaseInsensitive) == 0; };
    def.Width = width ? static_cast<int>(width->AsInteger()) : 0;
    def.Decimals = 0;
    def.Size = 0;
    const bool varying = IsVarying(w);
    const auto fixed = [&](std::initializer_list<std::uint32_t> sizes) {
        if (varying || std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            Refuse(def, QStringLiteral("invalid field type %1").arg(Hex(w)));
    };
    const auto needWidth = [&] {
        if (!width || def.Width <= 0)
            Refuse(def, QStringLiteral("the field has no WIDTH parameter"));
    };
    switch (code) {
    case Int:
        fixed({1, 2, 4, 8});
        def.DataType = size == 1 ? ftShortint : size == 2 ? ftSmallint : size == 8 ? ftLargeint
                     : isSub("Autoinc") ? ftAutoInc : ftInteger;
        break;
    case UInt:
        fixed({1, 2, 4, 8});
        def.DataType = size == 1 ? ftByte : size == 2 ? ftWord : size == 4 ? ftLongWord : ftLargeint;
        break;
    case Bool: fixed({1, 2, 4}); def.DataType = ftBoolean; break;
    case Float:
        fixed({4, 8, 10});
        def.DataType = size == 4 ? ftSingle : size == 10 ? ftExtended : isSub("Money") ? ftCurrency : ftFloat;
        break;
    case Single: fixed({4}); def.DataType = ftSingle; break;
    case Bcd:
    case FmtBcd: {
        if (varying || size < 2 || size > 34)
            Refuse(def, QStringLiteral("invalid field type %1").arg(Hex(w)));
        const TPacketParam* decimals = FindParam(def.Params, "DECIMALS");
        def.Decimals = decimals ? static_cast<int>(decimals->AsInteger()) : 0;
        if (def.Width <= 0)
            def.Width = static_cast<int>(2 * (size - 2));
        def.Size = def.Decimals;
        def.DataType = code == Bcd ? ftBCD : ftFMTBcd;
        break;
    }
    case Date: fixed({4}); def.DataType = ftDate; break;
    case Time: fixed({4}); def.DataType = ftTime; break;
    case Timestamp: fixed({8}); def.DataType = ftDateTime; break;
    case SqlTimestamp: fixed({16}); def.DataType = ftTimeStamp; break;
    case Ansi:
    case Wide:
        if (!varying || (size != 1 && size != 2))
            Refuse(def, QStringLiteral("invalid field type %1").arg(Hex(w)));
        needWidth();
        if (code == Ansi) {
            def.DataType = isSub("FixedChar") ? ftFixedChar : isSub("Guid") ? ftGuid : ftString;
            def.Size = def.Width;
        } else {
            def.DataType = isSub("FixedChar") ? ftFixedWideChar : ftWideString;
            def.Size = def.Width / 2;
        }
        break;
    case Bytes:
        if (!varying) {
            if (size == 0)
                Refuse(def, QStringLiteral("invalid field type %1").arg(Hex(w)));
            def.DataType = ftBytes;
            def.Size = static_cast<int>(size);
        } else if (size == 1 || size == 2) {
            needWidth();
            def.DataType = ftVarBytes;
            def.Size = def.Width;
        } else if (size == 4) {
            def.DataType = isSub("Text") ? ftMemo : isSub("WideText") ? ftWideMemo
                         : isSub("Graphics") ? ftGraphic : isSub("TypedBinary") ? ftTypedBinary
                         : isSub("Formatted") ? ftFmtMemo : ftBlob;
            def.Size = def.Width;
        } else {
            Refuse(def, QStringLiteral("invalid field type %1").arg(Hex(w)));
        }
        break;
    default:
        Refuse(def, QStringLiteral("unknown field type %1").arg(Hex(w)));
    }
    def.Codec = CodecOf(def);
}
