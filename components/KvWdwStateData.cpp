#include "components/KvWdwStateData.h"

#include <QtEndian>

QByteArray TKvWdwStateData::ToBytes() const
{
    QByteArray bytes(Size, '\0');
    char* out = bytes.data();
    for (std::int32_t value : {Left, Top, Width, Height, State}) {
        qToLittleEndian(value, out);
        out += 4;
    }
    return bytes;
}

std::optional<TKvWdwStateData> TKvWdwStateData::FromBytes(const QByteArray& bytes)
{
    if (bytes.size() < Size)
        return std::nullopt;
    const char* in = bytes.constData();
    auto next = [&in] {
        const auto value = qFromLittleEndian<std::int32_t>(in);
        in += 4;
        return value;
    };
    TKvWdwStateData data;
    data.Left = next();
    data.Top = next();
    data.Width = next();
    data.Height = next();
    data.State = next();
    return data;
}
