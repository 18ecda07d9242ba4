#pragma once
// The mapping between field types and their packet form, both ways.

#include "platform/dataset/FieldDef.h"

namespace FieldMapping {

// Fills in the packet form of a field declared in code (type word, attributes, name bytes
// in the code page, SUBTYPE/DECIMALS/WIDTH parameters). Raises EDataSetError for a type or
// size that cannot be stored.
void DescribeForPacket(TFieldDef& def, int codePage);

// Fills in DataType, Size, Codec, Width and Decimals from the type word and parameters of a
// field read from a packet. Raises EDataSetError (without the file name) for composite and
// unknown types and for a string field without WIDTH.
void DescribeFromPacket(TFieldDef& def);

// The largest value a length prefix of that many bytes can hold.
inline std::uint32_t PrefixLimit(std::uint32_t prefixBytes)
{
    return prefixBytes >= 4 ? 0x7FFFFFFFu : (1u << (8 * prefixBytes)) - 1;
}

} // namespace FieldMapping
