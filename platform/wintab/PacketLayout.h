#pragma once
// One tablet sample and its packet: the fields a context's packet-data mask selects, each
// 32 bits, in the order of the mask's bits (orientation and rotation three fields each).

#include "platform/wintab/Wintab.h"

#include <cstddef>

struct TPacketValues {
    HCTX Context = 0;
    WTUINT Status = 0;
    WTDWORD Time = 0;
    WTPKT Changed = 0;
    WTUINT Serial = 0;
    WTUINT Cursor = 0;
    WTDWORD Buttons = 0;
    WTLONG X = 0;
    WTLONG Y = 0;
    WTLONG Z = 0;
    WTUINT NormalPressure = 0;
    WTUINT TangentPressure = 0;
    std::int32_t Azimuth = 0;
    std::int32_t Altitude = 0;
    std::int32_t Twist = 0;
    std::int32_t Pitch = 0;
    std::int32_t Roll = 0;
    std::int32_t Yaw = 0;
};

// The size in bytes of a packet with the mask.
std::size_t PacketSize(WTPKT mask);
// Writes the packet of values for the mask to target (PacketSize(mask) bytes).
void WritePacket(WTPKT mask, const TPacketValues& values, void* target);
