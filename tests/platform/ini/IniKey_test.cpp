// Which keys read back as themselves: decided by the layer's own line rules, and borne
// out by a real write and read of each key.
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(IniKey, OnlyKeysThatReadBackAsThemselvesPass)
{
    TempProgramFolder folder;
    const QString path = folder.FilePath(QStringLiteral("Menu.inf"));
    const std::pair<const char*, bool> keys[] = {
        {"Kanji", true}, {"日本語", true}, {"ｶﾃｺﾞﾘ幅", true}, {"a b", true}, {"x]", true},
        {"a=b", false}, {"[x]", false}, {"[x", false}, {";c", false}, {" pad", false},
        {"pad ", false}, {"\tpad", false}, {"日本한", false}, {"a\nb", false}, {"a\rb", false},
        {"", false}};
    for (const auto& [utf8, readsBack] : keys) {
        const QString key = QString::fromUtf8(utf8);
        EXPECT_EQ(TIniFile::KeyReadsBack(key), readsBack) << utf8;
        if (!readsBack)
            continue;
        // A key that passes is written once and read back exactly, beside its look-alikes.
        folder.Write(QStringLiteral("Menu.inf"), EncodeAnsi(QStringLiteral("[s]\r\nother=1\r\n")));
        TIniFile ini(path);
        ini.WriteString(QStringLiteral("s"), key, QStringLiteral("7"));
        ini.WriteString(QStringLiteral("s"), key, QStringLiteral("8"));
        EXPECT_EQ(ini.ReadString(QStringLiteral("s"), key, QString()), QStringLiteral("8")) << utf8;
        EXPECT_EQ(DecodeAnsi(folder.Read(QStringLiteral("Menu.inf"))),
                  QStringLiteral("[s]\r\nother=1\r\n") + key + QStringLiteral("=8\r\n"))
            << utf8;
    }
}

TEST(IniKey, KeysOfEqualMatchFormsAreOneKeyOfTheFile)
{
    TempProgramFolder folder;
    TIniFile ini(folder.FilePath(QStringLiteral("Menu.inf")));
    // ASCII letters only: accented and full-width letters, kana and kanji keep their case.
    const std::tuple<const char*, const char*, bool> pairs[] = {
        {"a", "A", true},    {"VeKa", "vEkA", true}, {"a1_b", "A1_B", true}, {"ä", "Ä", false},
        {"ａ", "Ａ", false}, {"ｱ", "ア", false},     {"a", "b", false}};
    for (const auto& [first, second, same] : pairs) {
        const QString a = QString::fromUtf8(first);
        const QString b = QString::fromUtf8(second);
        folder.Write(QStringLiteral("Menu.inf"), {});
        ini.WriteString(QStringLiteral("s"), a, QStringLiteral("of a"));
        const bool oneKey = ini.ReadString(QStringLiteral("s"), b, QString()) == QStringLiteral("of a");
        EXPECT_EQ(TIniFile::KeyMatchForm(a) == TIniFile::KeyMatchForm(b), oneKey) << first << " " << second;
        EXPECT_EQ(oneKey, same) << first << " " << second;
    }
}
