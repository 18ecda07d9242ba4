#pragma once
// Reading one named section of an ELF file (32- or 64-bit, the machine's byte order),
// without loading the rest of the file. Every offset, size and name of the file is
// checked against the file's bounds: a damaged, truncated or foreign file gives "absent",
// never a crash or an unbounded allocation.

#include <QByteArray>
#include <QString>
#include <optional>

// The bytes of the first section called `name` in the ELF file `path`; absent when the
// file cannot be read, is not an ELF file, has no such section, the section holds no
// bytes in the file (SHT_NOBITS) or is larger than maxSize.
std::optional<QByteArray> ReadElfSection(const QString& path, const char* name,
                                         qint64 maxSize);
