#pragma once
// Bounded little-endian reading of a byte buffer. Every read checks the bytes left first;
// running short throws TByteReader::Short, which the packet reader turns into a message
// that says which part of the file is truncated.

#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <cstring>

class TByteReader {
public:
    struct Short {};

    TByteReader(const char* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Pos() const { return pos_; }
    std::size_t Left() const { return size_ - pos_; }
    void Seek(std::size_t pos)
    {
        if (pos > size_)
            throw Short{};
        pos_ = pos;
    }

    std::uint8_t U8() { return static_cast<std::uint8_t>(*Take(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Uint(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Uint(4)); }

    // An unsigned little-endian number of 1 to 8 bytes.
    std::uint64_t Uint(std::size_t bytes)
    {
        const char* p = Take(bytes);
        switch (bytes) {
        case 1: return static_cast<std::uint8_t>(*p);
        case 2: return qFromLittleEndian<std::uint16_t>(p);
        case 4: return qFromLittleEndian<std::uint32_t>(p);
        case 8: return qFromLittleEndian<std::uint64_t>(p);
        default: break;
        }
        std::uint64_t v = 0;
        for (std::size_t i = bytes; i-- > 0;)
            v = (v << 8) | static_cast<std::uint8_t>(p[i]);
        return v;
    }

    double F64()
    {
        double d;
        std::memcpy(&d, Take(8), 8);
        return d;
    }

    float F32()
    {
        float f;
        std::memcpy(&f, Take(4), 4);
        return f;
    }

    // The next n bytes, after checking that they exist.
    const char* Take(std::size_t n)
    {
        if (n > size_ - pos_)
            throw Short{};
        const char* p = data_ + pos_;
        pos_ += n;
        return p;
    }

    QByteArray Bytes(std::size_t n) { return View(n).toByteArray(); }

    // The next n bytes, not copied.
    QByteArrayView View(std::size_t n) { return QByteArrayView(Take(n), static_cast<qsizetype>(n)); }

private:
    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};
