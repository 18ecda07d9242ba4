#include "platform/wintab/PacketLayout.h"

#include <cstring>
#include <vector>

namespace {

std::vector<std::uint32_t> Fields(WTPKT mask, const TPacketValues& v)
{
    std::vector<std::uint32_t> fields;
    auto add = [&](WTPKT bit, std::initializer_list<std::uint32_t> values) {
        if (mask & bit)
            fields.insert(fields.end(), values);
    };
    add(PK_CONTEXT, {v.Context});
    add(PK_STATUS, {v.Status});
    add(PK_TIME, {v.Time});
    add(PK_CHANGED, {v.Changed});
    add(PK_SERIAL_NUMBER, {v.Serial});
    add(PK_CURSOR, {v.Cursor});
    add(PK_BUTTONS, {v.Buttons});
    add(PK_X, {std::uint32_t(v.X)});
    add(PK_Y, {std::uint32_t(v.Y)});
    add(PK_Z, {std::uint32_t(v.Z)});
    add(PK_NORMAL_PRESSURE, {v.NormalPressure});
    add(PK_TANGENT_PRESSURE, {v.TangentPressure});
    add(PK_ORIENTATION, {std::uint32_t(v.Azimuth), std::uint32_t(v.Altitude), std::uint32_t(v.Twist)});
    add(PK_ROTATION, {std::uint32_t(v.Pitch), std::uint32_t(v.Roll), std::uint32_t(v.Yaw)});
    return fields;
}

} // namespace

std::size_t PacketSize(WTPKT mask)
{
    return Fields(mask, {}).size() * sizeof(std::uint32_t);
}

void WritePacket(WTPKT mask, const TPacketValues& values, void* target)
{
    const std::vector<std::uint32_t> fields = Fields(mask, values);
    std::memcpy(target, fields.data(), fields.size() * sizeof(std::uint32_t));
}
