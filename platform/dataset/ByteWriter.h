#pragma once
// Little-endian appending to a byte buffer, for the packet writer.

#include <QByteArray>
#include <cstdint>
#include <cstring>

class TByteWriter {
public:
    explicit TByteWriter(QByteArray& out) : out_(out) {}

    void U8(std::uint8_t v) { out_.append(static_cast<char>(v)); }
    void U16(std::uint16_t v) { Uint(v, 2); }
    void U32(std::uint32_t v) { Uint(v, 4); }

    void Uint(std::uint64_t v, std::size_t bytes)
    {
        char b[8];
        for (std::size_t i = 0; i < bytes; ++i)
            b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        out_.append(b, static_cast<qsizetype>(bytes));
    }

    void F64(double d)
    {
        char b[8];
        std::memcpy(b, &d, 8);
        out_.append(b, 8);
    }

    void F32(float f)
    {
        char b[4];
        std::memcpy(b, &f, 4);
        out_.append(b, 4);
    }

    void Bytes(QByteArrayView bytes) { out_.append(bytes); }

    // Overwrites a little-endian number at an earlier position.
    void PatchUint(qsizetype at, std::uint64_t v, std::size_t bytes)
    {
        for (std::size_t i = 0; i < bytes; ++i)
            out_[at + static_cast<qsizetype>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }

    qsizetype Size() const { return out_.size(); }

private:
    QByteArray& out_;
};
