// Every single byte and every double-byte code of code page 932, and every byte of code
// page 1252, through DecodeAnsi and EncodeAnsi against the published tables.
#include "platform/text/Ansi.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>

namespace {

struct TCode {
    char16_t Char;
    QByteArray Written; // the bytes the character is written as
};

// tests/data-files/code-pages/cp932.txt: "bytes code-point [written-bytes]" per line.
std::map<QByteArray, TCode> Cp932Table()
{
    QFile file(QStringLiteral(MORIVA_SOURCE_DIR "/tests/data-files/code-pages/cp932.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    std::map<QByteArray, TCode> table;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.split(' ');
        const QByteArray bytes = QByteArray::fromHex(parts[0]);
        const auto code = static_cast<char16_t>(parts[1].toUInt(nullptr, 16));
        table[bytes] = {code, parts.size() > 2 ? QByteArray::fromHex(parts[2]) : bytes};
    }
    return table;
}

bool IsLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

std::string Hex(const QByteArray& bytes) { return bytes.toHex().toStdString(); }

} // namespace

TEST(CodePage932, EveryCodeReadsAndWritesAsWindowsDoes)
{
    const std::map<QByteArray, TCode> table = Cp932Table();
    ASSERT_EQ(table.size(), 9800u); // 196 single bytes, 9604 double-byte codes
    QList<QByteArray> codes;
    for (int b = 0; b < 0x100; ++b)
        codes.append(QByteArray(1, char(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            if (IsLead(lead) && trail != 0x7F)
                codes.append(Bytes({lead, trail}));
    int listed = 0;
    for (const QByteArray& code : codes) {
        const auto found = table.find(code);
        if (found == table.end()) {
            // A lone lead byte, or a double-byte code that names no character: one "?".
            EXPECT_EQ(DecodeAnsi(code), QStringLiteral("?")) << Hex(code);
            continue;
        }
        ++listed;
        const QString text(QChar(found->second.Char));
        EXPECT_EQ(DecodeAnsi(code), text) << Hex(code);
        EXPECT_EQ(EncodeAnsi(text), found->second.Written) << Hex(code);
    }
    EXPECT_EQ(listed, 9800);
}

TEST(CodePage932, SingleBytesBesideLeadBytes)
{
    // 0x80, 0xA0 and 0xFD are trail bytes after a lead byte, single bytes elsewhere.
    EXPECT_EQ(DecodeAnsi(Bytes({0x81, 0x80, 0x80, 0x40})), QStringLiteral("÷\u0080@"));
    EXPECT_EQ(DecodeAnsi(Bytes({0x81, 0xA0, 0xA0, 0xA1})), QStringLiteral("□\uF8F0｡"));
    // 0xFD to 0xFF are no trail bytes: the lead byte alone is bad.
    EXPECT_EQ(DecodeAnsi(Bytes({0x81, 0xFD, 0xFE, 0xFF})), QStringLiteral("?\uF8F1\uF8F2\uF8F3"));
    // A lead byte before a byte that is no trail byte keeps that byte (a line end stays).
    EXPECT_EQ(DecodeAnsi(Bytes({'a', 0x88, '\r', '\n', 0x88})), QStringLiteral("a?\r\n?"));
    // An unassigned code is one character wide, so its trail byte is no "]".
    EXPECT_EQ(DecodeAnsi(Bytes({'[', 0x85, ']', 'x'})), QStringLiteral("[?x"));

    const QByteArray mixed = Bytes({0x80, 0x8A, 0xBF, 0xA0, 0xFD, 'x', 0xFE, 0xB1, 0xFF});
    EXPECT_EQ(EncodeAnsi(DecodeAnsi(mixed)), mixed);
}

TEST(CodePage1252, EveryByteReadsAndWritesAsWindowsDoes)
{
    // 0x80 to 0x9F of the published table; the five bytes it leaves undefined read as
    // the C1 control of the same number, as Windows reads them. The rest is Latin-1.
    static constexpr char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int b = 0; b < 0x100; ++b) {
        const QByteArray byte(1, char(b));
        const QString text(QChar(b >= 0x80 && b < 0xA0 ? High[b - 0x80] : char16_t(b)));
        EXPECT_EQ(DecodeAnsi(byte, 1252), text) << b;
        EXPECT_EQ(EncodeAnsi(text, 1252), byte) << b;
    }
}
