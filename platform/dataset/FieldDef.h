#pragma once
// One field definition: what the program declares (name, type, size) and the form the field
// takes in the data packet (type word, attributes, name bytes, parameters).

#include "platform/dataset/FieldType.h"
#include "platform/dataset/PacketParam.h"
#include "platform/dataset/PacketType.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

struct TFieldDef {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0; // characters of strings, bytes of byte fields, scale of BCD fields

    // The packet form, filled in by CreateDataSet or by the reader.
    std::uint32_t PacketType = 0;
    std::uint16_t Attributes = 0;
    QByteArray PacketName; // at most 31 bytes; the full name then goes into FIELDNAME
    TPacketParams Params;
    TValueCodec Codec = TValueCodec::SignedInt;
    int Width = 0;    // WIDTH: bytes of a string, precision of a BCD value
    int Decimals = 0; // DECIMALS of a BCD value
};
