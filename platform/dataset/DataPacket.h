#pragma once
// A data packet in memory: the fields, the dataset parameters kept for writing back, the
// records and the order in which the current ones stand.

#include "platform/dataset/FieldDefs.h"
#include "platform/dataset/PacketParam.h"
#include "platform/dataset/RecordStore.h"

#include <vector>

struct TDataPacket {
    TFieldDefs Fields;
    TPacketParams Params; // never holds CHANGE_LOG: a packet in memory is merged
    TRecordStore Records;
    std::vector<int> Order;
};
