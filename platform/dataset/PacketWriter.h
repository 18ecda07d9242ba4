#pragma once
// Writes the merged binary form of a data packet: header, field descriptors with their
// parameters, dataset parameters, then the records of packet.Order, each with status 0.
// Strings longer than their WIDTH are cut there, never inside a double-byte character;
// an empty string is stored as the engine stores it (length 1, one NUL byte) and an empty
// BLOB as NULL.

#include "platform/dataset/DataPacket.h"

#include <QByteArray>

class TByteWriter;

class TPacketWriter {
public:
    // order: the records to write, in that order (a packet's Order, or another one).
    TPacketWriter(const TDataPacket& packet, const std::vector<int>& order, int codePage)
        : packet_(packet), order_(order), codePage_(codePage) {}
    QByteArray Write() const;

private:
    void WriteField(TByteWriter& out, const TFieldDef& def) const;
    static void WriteParams(TByteWriter& out, const TPacketParams& params);
    void WriteRow(TByteWriter& out, int id, QByteArray& nulls) const;
    void WriteValue(TByteWriter& out, int id, int f) const;
    bool IsStoredNull(int id, int f) const;

    const TDataPacket& packet_;
    const std::vector<int>& order_;
    int codePage_;
};
