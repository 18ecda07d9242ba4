#pragma once
// The window-state record a form's owner keeps (Menu.dat, Form.dat): five little-endian
// 32-bit signed integers, 20 bytes, no gaps.

#include <QByteArray>
#include <cstdint>
#include <optional>

struct TKvWdwStateData {
    static constexpr int Size = 20;

    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t State = 0; // 0 normal, 1 minimised, 2 maximised

    // The 20 bytes of the record.
    QByteArray ToBytes() const;
    // The record in the first 20 bytes; absent when there are fewer.
    static std::optional<TKvWdwStateData> FromBytes(const QByteArray& bytes);

    friend bool operator==(const TKvWdwStateData&, const TKvWdwStateData&) = default;
};
