#include "platform/text/Ansi.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

} // namespace

TEST(Cp932, HalfWidthKatakanaAndKanji)
{
    const QString text = QStringLiteral("ｶﾃｺﾞﾘ幅");
    const QByteArray bytes = Bytes({0xB6, 0xC3, 0xBA, 0xDE, 0xD8, 0x95, 0x9D});
    EXPECT_EQ(EncodeAnsi(text), bytes);
    EXPECT_EQ(DecodeAnsi(bytes), text);
}

TEST(Cp932, WindowsMappingsOfTildeMinusAndBackslash)
{
    // Windows maps 0x8160 to the full-width tilde and 0x817C to the full-width minus;
    // 0x5C stays a backslash (strict Shift_JIS would make it a yen sign).
    EXPECT_EQ(EncodeAnsi(QStringLiteral("\uFF5E")), Bytes({0x81, 0x60}));
    EXPECT_EQ(EncodeAnsi(QStringLiteral("\uFF0D")), Bytes({0x81, 0x7C}));
    EXPECT_EQ(DecodeAnsi(Bytes({0x81, 0x60})), QStringLiteral("\uFF5E"));
    EXPECT_EQ(DecodeAnsi(Bytes({0x81, 0x7C})), QStringLiteral("\uFF0D"));
    EXPECT_EQ(EncodeAnsi(QStringLiteral("help\\guide.html")), QByteArray("help\\guide.html"));
    EXPECT_EQ(DecodeAnsi(Bytes({0x5C, 0x8E, 0x9A, 0x5C})), QStringLiteral("\\字\\"));
}

TEST(Cp932, NecAndIbmExtensionsRoundTrip)
{
    for (const QString& s : {QStringLiteral("①"), QStringLiteral("髙"), QStringLiteral("﨑"),
                             QStringLiteral("Ⅹ"), QStringLiteral("ⅰ"), QStringLiteral("㈱")}) {
        const QByteArray bytes = EncodeAnsi(s);
        EXPECT_EQ(bytes.size(), 2) << s.toStdString();
        EXPECT_EQ(DecodeAnsi(bytes), s) << s.toStdString();
    }
    EXPECT_EQ(EncodeAnsi(QStringLiteral("①")), Bytes({0x87, 0x40}));
    EXPECT_EQ(EncodeAnsi(QStringLiteral("髙")), Bytes({0xFB, 0xFC}));
}

TEST(Cp932, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(EncodeAnsi(QStringLiteral("a😀b한c")), QByteArray("a?b?c"));
    EXPECT_EQ(EncodeAnsi(QStringLiteral("漢😀")), Bytes({0x8A, 0xBF, '?'}));
}

TEST(Cp932, InvalidBytesDecodeAsQuestionMarks)
{
    EXPECT_EQ(DecodeAnsi(Bytes({'a', 0x81})), QStringLiteral("a?"));       // cut lead byte
    EXPECT_EQ(DecodeAnsi(Bytes({0x81, ' '})), QStringLiteral("? "));       // no trail byte
    EXPECT_EQ(DecodeAnsi(QByteArray()), QString());
}

TEST(Cp932, OtherCodePagesByNumber)
{
    EXPECT_EQ(DecodeAnsi(Bytes({0xCF, 0xF0, 0xE8}), 1251), QStringLiteral("При"));
    EXPECT_EQ(EncodeAnsi(QStringLiteral("При"), 1251), Bytes({0xCF, 0xF0, 0xE8}));
}

TEST(Cp932, LongTextsGrowTheBuffer)
{
    const QString text = QString(QStringLiteral("日本語ﾃｽﾄ")).repeated(5000);
    EXPECT_EQ(DecodeAnsi(EncodeAnsi(text)), text);
}
