#pragma once
// The 32-bit type word of the data packet (fields and parameters share it) and the way a
// field's values are stored, derived from it.

#include <QString>
#include <cstdint>

namespace PacketType {

inline constexpr std::uint32_t SizeMask = 0x0000FFFF;
inline constexpr std::uint32_t CodeMask = 0x003F0000;
inline constexpr std::uint32_t Varying = 0x00400000;
inline constexpr std::uint32_t Array = 0x00800000;
inline constexpr std::uint32_t Pseudo = 0x01000000;
inline constexpr std::uint32_t CompressedArray = 0x02000000;
inline constexpr std::uint32_t Embedded = 0x04000000;
inline constexpr std::uint32_t DeltaFlag = 0x80000000;

enum Code {
    Unknown = 0,
    Int = 1,
    UInt = 2,
    Bool = 3,
    Float = 4,
    Bcd = 5,
    Date = 6,
    Time = 7,
    Timestamp = 8,
    Ansi = 9,
    Wide = 10,
    Bytes = 11,
    Adt = 12,
    ArrayField = 13,
    NestedTable = 14,
    Reference = 15,
    BigDecimal = 16,
    SqlTimestamp = 17,
    FmtBcd = 18,
    Single = 27,
    SqlTimestampOffset = 36,
};

inline constexpr std::uint32_t Word(int code, std::uint32_t size, std::uint32_t flags = 0)
{
    return (static_cast<std::uint32_t>(code) << 16) | size | flags;
}
inline int CodeOf(std::uint32_t word) { return static_cast<int>((word & CodeMask) >> 16); }
inline std::uint32_t SizeOf(std::uint32_t word) { return word & SizeMask; }
inline bool IsVarying(std::uint32_t word) { return (word & Varying) != 0; }

QString Hex(std::uint32_t word);

} // namespace PacketType

// How one field's values are stored in a row; decided once per field from its type word.
enum class TValueCodec {
    SignedInt,   // size 1, 2, 4 or 8
    UnsignedInt, // size 1, 2, 4 or 8
    Boolean,     // size 1, 2 or 4
    Float64,
    Float32,     // code 4 size 4, or code 27
    Float80,
    Bcd,         // BCD and FMTBCD: the first bytes of a decimal record
    Date,        // int32 day number, 0001-01-01 = 1
    Time,        // int32 milliseconds of the day
    Timestamp,   // double: milliseconds since 0001-01-01, that day counting as day 1
    SqlTimestamp,
    AnsiString,
    WideString,
    FixedBytes,
    VarBytes,    // prefix 1 or 2
    Blob,        // prefix 4
};

inline bool IsFloatCodec(TValueCodec codec)
{
    return codec == TValueCodec::Float64 || codec == TValueCodec::Float32
        || codec == TValueCodec::Timestamp;
}
