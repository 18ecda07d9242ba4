#pragma once
// Readable GoogleTest output for Qt strings and byte arrays: text in quotes, bytes with
// everything outside printable ASCII as \xNN (so CR LF and CP932 bytes show).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    *os << '}';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    static const char digits[] = "0123456789ABCDEF";
    *os << '"';
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && u != '\\')
            *os << c;
        else
            *os << "\\x" << digits[u >> 4] << digits[u & 15];
    }
    *os << '"';
}
