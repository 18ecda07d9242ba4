#include "platform/winapi/ElfSection.h"

#include <QFile>
#include <bit>
#include <cstring>
#include <elf.h>
#include <vector>

namespace {

// Reads `size` bytes at `offset` when they lie wholly inside the file.
bool ReadAt(QFile& file, quint64 offset, quint64 size, void* out)
{
    const quint64 fileSize = static_cast<quint64>(file.size());
    if (offset > fileSize || size > fileSize - offset)
        return false;
    if (!file.seek(static_cast<qint64>(offset)))
        return false;
    return file.read(static_cast<char*>(out), static_cast<qint64>(size))
        == static_cast<qint64>(size);
}

template <class Ehdr, class Shdr>
std::optional<QByteArray> FindSection(QFile& file, const char* name, qint64 maxSize)
{
    Ehdr header;
    if (!ReadAt(file, 0, sizeof header, &header) || header.e_shoff == 0
        || header.e_shentsize != sizeof(Shdr))
        return std::nullopt;

    // Counts and the name-table index too large for the header live in section 0.
    Shdr first;
    if (!ReadAt(file, header.e_shoff, sizeof first, &first))
        return std::nullopt;
    const quint64 count = header.e_shnum != 0 ? header.e_shnum : quint64(first.sh_size);
    const quint64 namesIndex =
        header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : quint64(first.sh_link);
    const quint64 fileSize = static_cast<quint64>(file.size());
    if (count == 0 || namesIndex >= count || count > fileSize / sizeof(Shdr))
        return std::nullopt;

    std::vector<Shdr> sections(count);
    if (!ReadAt(file, header.e_shoff, count * sizeof(Shdr), sections.data()))
        return std::nullopt;

    const Shdr& namesHeader = sections[namesIndex];
    if (namesHeader.sh_type == SHT_NOBITS)
        return std::nullopt;
    QByteArray names;
    if (namesHeader.sh_size > fileSize)
        return std::nullopt;
    names.resize(static_cast<qsizetype>(namesHeader.sh_size));
    if (!ReadAt(file, namesHeader.sh_offset, namesHeader.sh_size, names.data()))
        return std::nullopt;

    const QByteArrayView wanted(name, static_cast<qsizetype>(std::strlen(name)));
    for (const Shdr& section : sections) {
        // The name must end, with its terminating zero, inside the name table.
        const quint64 at = section.sh_name;
        if (at >= quint64(names.size()))
            continue;
        const char* start = names.constData() + at;
        const void* end = std::memchr(start, '\0', static_cast<size_t>(names.size() - at));
        if (!end || QByteArrayView(start, static_cast<const char*>(end) - start) != wanted)
            continue;
        if (section.sh_type == SHT_NOBITS || section.sh_size > quint64(maxSize))
            return std::nullopt;
        QByteArray bytes(static_cast<qsizetype>(section.sh_size), '\0');
        if (!ReadAt(file, section.sh_offset, section.sh_size, bytes.data()))
            return std::nullopt;
        return bytes;
    }
    return std::nullopt;
}

constexpr unsigned char HostByteOrder =
    std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;

} // namespace

std::optional<QByteArray> ReadElfSection(const QString& path, const char* name,
                                         qint64 maxSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    unsigned char ident[EI_NIDENT];
    if (!ReadAt(file, 0, sizeof ident, ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0
        || ident[EI_DATA] != HostByteOrder)
        return std::nullopt;
    switch (ident[EI_CLASS]) {
    case ELFCLASS64:
        return FindSection<Elf64_Ehdr, Elf64_Shdr>(file, name, maxSize);
    case ELFCLASS32:
        return FindSection<Elf32_Ehdr, Elf32_Shdr>(file, name, maxSize);
    default:
        return std::nullopt;
    }
}
