#include "platform/dataset/PacketParam.h"

#include "platform/dataset/ByteReader.h"
#include "platform/dataset/ByteWriter.h"
#include "platform/dataset/DataSetError.h"
#include "platform/dataset/PacketType.h"

using namespace PacketType;

std::int64_t TPacketParam::AsInteger(std::int64_t fallback) const
{
    const std::uint32_t size = SizeOf(Type);
    if ((Type & (Varying | Array)) != 0 || size < 1 || size > 8
        || static_cast<std::uint32_t>(Value.size()) != size)
        return fallback;
    TByteReader in(Value.constData(), static_cast<std::size_t>(Value.size()));
    const std::uint64_t raw = in.Uint(size);
    if (CodeOf(Type) == Int && size < 8) {
        const std::uint64_t sign = std::uint64_t{1} << (8 * size - 1);
        return static_cast<std::int64_t>((raw ^ sign) - sign);
    }
    return static_cast<std::int64_t>(raw);
}

QByteArray TPacketParam::AsString() const
{
    const std::uint32_t size = SizeOf(Type);
    if (!IsVarying(Type) || size < 1 || size > 4 || static_cast<std::uint32_t>(Value.size()) < size)
        return {};
    QByteArray text = Value.mid(size);
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

std::vector<std::uint32_t> TPacketParam::AsArray() const
{
    const std::uint32_t size = SizeOf(Type);
    std::vector<std::uint32_t> values;
    if ((Type & Array) == 0 || IsVarying(Type) || size < 1 || size > 4 || Value.size() < 4)
        return values;
    TByteReader in(Value.constData(), static_cast<std::size_t>(Value.size()));
    const std::uint32_t count = in.U32();
    if (static_cast<std::uint64_t>(count) * size != in.Left())
        return values;
    values.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        values.push_back(static_cast<std::uint32_t>(in.Uint(size)));
    return values;
}

TPacketParam TPacketParam::UInt16(const char* name, std::uint16_t value)
{
    TPacketParam p{name, Word(UInt, 2), {}};
    TByteWriter(p.Value).U16(value);
    return p;
}

TPacketParam TPacketParam::Int32(const char* name, std::int32_t value)
{
    TPacketParam p{name, Word(Int, 4), {}};
    TByteWriter(p.Value).U32(static_cast<std::uint32_t>(value));
    return p;
}

TPacketParam TPacketParam::String(const char* name, const QByteArray& value, std::uint32_t flags)
{
    if (value.size() >= 0xFFFF)
        throw EDataSetError(QStringLiteral("Parameter %1 is too long (%2 bytes)").arg(QLatin1String(name)).arg(value.size()));
    TPacketParam p{name, Word(Ansi, 2, Varying | flags), {}};
    TByteWriter out(p.Value);
    out.U16(static_cast<std::uint16_t>(value.size() + 1));
    out.Bytes(value);
    out.U8(0);
    return p;
}

TPacketParam TPacketParam::UInt16Array(const char* name, const std::vector<std::uint32_t>& values)
{
    TPacketParam p{name, Word(UInt, 2, Array), {}};
    TByteWriter out(p.Value);
    out.U32(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t v : values)
        out.U16(static_cast<std::uint16_t>(v));
    return p;
}

const TPacketParam* FindParam(const TPacketParams& params, const char* name)
{
    for (const TPacketParam& p : params)
        if (p.Is(name))
            return &p;
    return nullptr;
}
