// Reading INI files written by other programs: layout, letter case, CP932 names, quotes.
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

class IniRead : public testing::Test {
protected:
    TIniFile Ini(const QString& text)
    {
        folder.Write("Menu.inf", EncodeAnsi(text));
        return TIniFile(folder.Path() + "Menu.inf");
    }
    TempProgramFolder folder;
};

} // namespace

TEST_F(IniRead, FileOfAnotherProgram)
{
    // LF line ends, comments, blank lines, blanks around "=", no final line end.
    const TIniFile ini = Ini(QStringLiteral(
        "; written elsewhere\n"
        "\n"
        "[Other]\n"
        "  Name =  Value with blanks  \n"
        "[ｶﾃｺﾞﾘ幅]\n"
        "名称=235\r\n"
        "\t選択回数 = 85\n"
        "[選択回数]\n"
        "Algebra=3\n"
        "[Last]\n"
        "Count=7"));
    EXPECT_EQ(ini.ReadString("other", "NAME", "-"), "Value with blanks");
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("名称"), 0), 235);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("選択回数"), 0), 85);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("選択回数"), "ALGEBRA", 0), 3);
    EXPECT_EQ(ini.ReadInteger("LAST", "count", 0), 7);
}

TEST_F(IniRead, QuotesAroundAValueAreRemovedOnce)
{
    const TIniFile ini = Ini(QStringLiteral(
        "[Web]\r\nURL = \"www.example.com/help/guide.html\"\r\nSingle='x'\r\nTwice=\"\"y\"\"\r\n"
        "Open=\"z\r\nInner=a\"b\"c\r\nMixed=\"w'\r\nInside=\" padded \"\r\n"));
    EXPECT_EQ(ini.ReadString("Web", "URL", ""), "www.example.com/help/guide.html");
    EXPECT_EQ(ini.ReadString("Web", "Single", ""), "x");
    EXPECT_EQ(ini.ReadString("Web", "Twice", ""), "\"y\"");
    EXPECT_EQ(ini.ReadString("Web", "Open", ""), "\"z");
    EXPECT_EQ(ini.ReadString("Web", "Inner", ""), "a\"b\"c");
    EXPECT_EQ(ini.ReadString("Web", "Mixed", ""), "\"w'");
    EXPECT_EQ(ini.ReadString("Web", "Inside", ""), " padded ");
}

TEST_F(IniRead, NamesMatchIgnoringAsciiCaseOnly)
{
    // ア (83 41) and ヂ (83 61) differ only in a trail byte that looks like "A" and "a";
    // ゾ (83 5D) has "]" as its trail byte.
    const TIniFile ini = Ini(QStringLiteral(
        "[ア]\r\nk=1\r\n[ヂ]\r\nk=2\r\n[ゾ]\r\nk=3\r\n[Ａ]\r\nk=4\r\n[カテゴリ幅]\r\nk=5\r\n"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ア"), "K", 0), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ヂ"), "K", 0), 2);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ゾ"), "k", 0), 3);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ａ"), "k", 0), 0);          // full-width letters: exact
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Ａ"), "k", 0), 4);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ｶﾃｺﾞﾘ幅"), "k", 0), 0);     // half-width is another name
}

TEST_F(IniRead, MissingAndEmptyValues)
{
    const TIniFile ini = Ini(QStringLiteral(
        "Stray=1\r\n[A]\r\nEmpty=\r\nBare\r\n;Top=5\r\n[B]\r\nx=1\r\n[A]\r\nLater=2\r\n"));
    EXPECT_EQ(ini.ReadString("A", "Empty", "def"), "");
    EXPECT_TRUE(ini.ValueExists("A", "Empty"));
    EXPECT_TRUE(ini.ValueExists("a", "BARE"));
    EXPECT_EQ(ini.ReadString("A", "Bare", "def"), "");
    EXPECT_FALSE(ini.ValueExists("A", ";Top"));
    EXPECT_FALSE(ini.ValueExists("A", "Top"));
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    EXPECT_FALSE(ini.ValueExists("", "Stray"));
    EXPECT_FALSE(ini.ValueExists("A", "Later")); // only the first [A] counts
    EXPECT_EQ(ini.ReadString("C", "x", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("A", "Empty", 9), 9);
}

TEST_F(IniRead, MissingOrUnreadableFileGivesDefaults)
{
    const TIniFile missing(folder.Path() + "Menu.inf");
    EXPECT_EQ(missing.ReadString("A", "k", "-"), "-");
    EXPECT_EQ(missing.ReadInteger("A", "k", -1), -1);
    EXPECT_TRUE(missing.ReadBool("A", "k", true));
    EXPECT_FALSE(missing.ValueExists("A", "k"));

    folder.MakeDir("Control.inf"); // a folder where the file should be
    const TIniFile folderInstead(folder.Path() + "Control.inf");
    EXPECT_EQ(folderInstead.ReadInteger("A", "k", 5), 5);
}

TEST_F(IniRead, Integers)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"12", 12}, {"-5", -5}, {"+7", 7}, {"007", 7}, {"  12  ", 12}, {"\" 12\"", 12},
        {"0x1F", 31}, {"0X1f", 31}, {"$ff", 255}, {"-$10", -16}, {"-0x10", -16},
        {"$FFFFFFFF", -1}, {"$80000000", INT_MIN}, {"0x000000010", 16},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        // not integers: the default
        {"2147483648", 99}, {"-2147483649", 99}, {"$100000000", 99}, {"12abc", 99},
        {"abc", 99}, {"0x", 99}, {"$", 99}, {"-", 99}, {"1.5", 99}, {"1,000", 99},
        {"\"12 \"", 99}, {"0x-1", 99}, {"--1", 99}, {"x1F", 99}, {"１２", 99}, {"", 99},
    };
    QString text = QStringLiteral("[N]\r\n");
    for (int i = 0; i < int(std::size(cases)); ++i)
        text += QStringLiteral("k%1=%2\r\n").arg(i).arg(QString::fromUtf8(cases[i].text));
    const TIniFile ini = Ini(text);
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(ini.ReadInteger("N", QStringLiteral("k%1").arg(i), 99), cases[i].expected)
            << "value " << cases[i].text;
}

TEST_F(IniRead, BooleansAreNonZeroIntegers)
{
    const TIniFile ini = Ini(QStringLiteral(
        "[表示]\r\none=1\r\nzero=0\r\ntwo=2\r\nminus=-1\r\nhexzero=0x0\r\nword=True\r\n"));
    const QString section = QStringLiteral("表示");
    EXPECT_TRUE(ini.ReadBool(section, "one", false));
    EXPECT_FALSE(ini.ReadBool(section, "zero", true));
    EXPECT_TRUE(ini.ReadBool(section, "two", false));
    EXPECT_TRUE(ini.ReadBool(section, "minus", false));
    EXPECT_FALSE(ini.ReadBool(section, "hexzero", true));
    EXPECT_FALSE(ini.ReadBool(section, "word", false)); // not an integer: the default
    EXPECT_TRUE(ini.ReadBool(section, "word", true));
    EXPECT_TRUE(ini.ReadBool(section, "missing", true));
}

TEST_F(IniRead, EveryReadSeesWhatTheFileHoldsNowAlsoAfterAnInPlaceRewriteOfTheSameSize)
{
    // Rewritten in place within the same instant and size: only the bytes differ.
    const TIniFile ini = Ini(QStringLiteral("[s]\r\na=1\r\nb=2\r\n"));
    EXPECT_EQ(ini.ReadInteger("s", "a", 0), 1);
    EXPECT_EQ(ini.ReadInteger("s", "a", 0), 1);
    folder.Write("Menu.inf", EncodeAnsi(QStringLiteral("[s]\r\na=3\r\nb=2\r\n")));
    EXPECT_EQ(ini.ReadInteger("s", "a", 0), 3);
    folder.Write("Menu.inf", EncodeAnsi(QStringLiteral("[t]\r\na=3\r\nb=2\r\n")));
    EXPECT_EQ(ini.ReadInteger("s", "a", 0), 0);
    EXPECT_EQ(ini.ReadInteger("t", "b", 0), 2);
    // Another name for the same bytes, and a write through another object.
    folder.Write("Other.inf", EncodeAnsi(QStringLiteral("[t]\r\na=3\r\nb=2\r\n")));
    TIniFile other(folder.Path() + "Other.inf");
    other.WriteInteger("t", "b", 5);
    EXPECT_EQ(other.ReadInteger("t", "b", 0), 5);
    EXPECT_EQ(ini.ReadInteger("t", "b", 0), 2);
}
