#pragma once
// A minimal 64-bit ELF file built in memory: header, section-name table and one data
// section of a given name and content. Tests of the version record use it, intact or
// with fields damaged on purpose.

#include <QByteArray>
#include <cstring>
#include <elf.h>

struct TinyElf {
    QByteArray bytes;

    Elf64_Ehdr& Header() { return *reinterpret_cast<Elf64_Ehdr*>(bytes.data()); }
    // Section header i (0: the null section, 1: the name table, 2: the data section).
    Elf64_Shdr& Section(int i)
    {
        return reinterpret_cast<Elf64_Shdr*>(bytes.data() + Header().e_shoff)[i];
    }

    static TinyElf Make(const QByteArray& sectionName, const QByteArray& content)
    {
        const QByteArray names = QByteArray(1, '\0') + ".shstrtab" + '\0' + sectionName + '\0';
        Elf64_Ehdr header{};
        std::memcpy(header.e_ident, ELFMAG, SELFMAG);
        header.e_ident[EI_CLASS] = ELFCLASS64;
        header.e_ident[EI_DATA] = ELFDATA2LSB;
        header.e_ident[EI_VERSION] = EV_CURRENT;
        header.e_type = ET_EXEC;
        header.e_ehsize = sizeof header;
        header.e_shentsize = sizeof(Elf64_Shdr);
        header.e_shnum = 3;
        header.e_shstrndx = 1;
        const quint64 namesAt = sizeof header;
        const quint64 contentAt = namesAt + names.size();
        const quint64 padding = (8 - (contentAt + content.size()) % 8) % 8;
        header.e_shoff = contentAt + content.size() + padding; // headers 8-byte aligned

        Elf64_Shdr sections[3]{};
        sections[1] = {1, SHT_STRTAB, 0, 0, namesAt, quint64(names.size()), 0, 0, 1, 0};
        sections[2] = {11, SHT_PROGBITS, SHF_ALLOC, 0, contentAt, quint64(content.size()),
                       0, 0, 1, 0};

        TinyElf elf;
        elf.bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
        elf.bytes.append(names).append(content).append(QByteArray(qsizetype(padding), '\0'));
        elf.bytes.append(reinterpret_cast<const char*>(sections), sizeof sections);
        return elf;
    }
};
