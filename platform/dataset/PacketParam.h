#pragma once
// One optional parameter of the data packet (a field's or the dataset's): a name, a type
// word and the value bytes exactly as stored, so that parameters this engine does not
// interpret are written back unchanged.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

struct TPacketParam {
    QByteArray Name;
    std::uint32_t Type = 0;
    QByteArray Value; // the bytes after the type word: prefix or count included

    bool Is(const char* name) const { return Name.compare(name, Qt::CaseInsensitive) == 0; }

    // Readers of the common value shapes; they return the fallback when the shape differs.
    std::int64_t AsInteger(std::int64_t fallback = 0) const;
    QByteArray AsString() const;                  // without the terminating NUL
    std::vector<std::uint32_t> AsArray() const;   // elements of an array parameter

    static TPacketParam UInt16(const char* name, std::uint16_t value);
    static TPacketParam Int32(const char* name, std::int32_t value);
    static TPacketParam String(const char* name, const QByteArray& value, std::uint32_t flags = 0);
    static TPacketParam UInt16Array(const char* name, const std::vector<std::uint32_t>& values);
};

using TPacketParams = QList<TPacketParam>;

// The parameter of that name (case-insensitive), or nullptr.
const TPacketParam* FindParam(const TPacketParams& params, const char* name);
