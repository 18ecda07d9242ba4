// The server-text rules: lines and values, the version's text name, and which entries a
// text may carry out.
#include "screens/startup/UServerText.h"
#include "platform/text/Ansi.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TStringList Text(const char* utf8)
{
    TStringList lines;
    SetServerText(lines, EncodeAnsi(QString::fromUtf8(utf8)));
    return lines;
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const QString Program = QStringLiteral("moriva");

} // namespace

TEST(ServerText, IsTheTrimmedBodyInLinesOfNameValuePairs)
{
    const TStringList lines = Text("\r\n  \tversion = 2.1.0.0 \r\nInfo=お知らせ\\今月.txt\nFile =x\rVERSION=9\r\n\r\n");
    EXPECT_EQ(lines.Lines(), QStringList({U("version = 2.1.0.0 "), U("Info=お知らせ\\今月.txt"),
                                          U("File =x"), U("VERSION=9")}));
    // Names without regard to case, the first line wins, values trimmed, names not.
    EXPECT_EQ(ServerValue(lines, U("Version")), U("9"));
    EXPECT_EQ(ServerValue(lines, U("version ")), U("2.1.0.0"));
    EXPECT_EQ(ServerValue(lines, U("INFO")), U("お知らせ\\今月.txt"));
    EXPECT_EQ(ServerValue(lines, U("File")), QString());
    EXPECT_EQ(ServerValue(lines, U("Missing")), QString());

    const TStringList split = Text("a=b=c\r\nnoequals\r\n=empty name");
    EXPECT_EQ(ServerValue(split, U("a")), U("b=c"));
    EXPECT_EQ(ServerValue(split, U("noequals")), QString());
    EXPECT_EQ(ServerValue(split, QString()), U("empty name"));
    EXPECT_EQ(Text("").Count(), 0);
    EXPECT_EQ(Text(" \r\n\t ").Count(), 0);
}

TEST(ServerText, TheVersionsTextIsNamedAfterTheVersionWithoutDots)
{
    EXPECT_EQ(VersionTextName(U("2.0.0.0")), U("info2000.txt"));
    EXPECT_EQ(VersionTextName(U("10.2.3.45")), U("info102345.txt"));
    EXPECT_EQ(VersionTextName(QString()), U("info.txt"));
}

TEST(ServerText, OnlyHttpAndHttpsAddressesWithAHostAreWebAddresses)
{
    for (const char* good : {"http://example.org/a.html", "https://example.org", "HTTP://127.0.0.1:8080/x y",
                             "http://例え.jp/更新"})
        EXPECT_TRUE(IsWebAddress(U(good))) << good;
    for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://example.org/",
                            "example.org/update", "http://", "http:///path", "mailto:a@b.c",
                            "data:text/html,x"})
        EXPECT_FALSE(IsWebAddress(U(bad))) << bad;
}

TEST(ServerText, PathsMustStayBelowTheProgramFolder)
{
    for (const char* good : {"help\\info.html", "help/info.html", "新しい\\file.txt", "a\\.\\b", "...\\x",
                             "x..y"})
        EXPECT_EQ(CheckBelowProgramFolder(U(good)), QString()) << good;
    for (const char* bad : {"", "  ", "/etc/passwd", "\\etc\\passwd", "\\\\server\\share\\x", "C:\\x.txt",
                            "c:x.txt", "..\\x", "../x", "help\\..\\..\\x", "help/../x", "a\\..",
                            "a\tb", "a\x7f"})
        EXPECT_NE(CheckBelowProgramFolder(U(bad)), QString()) << bad;
}

TEST(ServerText, AFileNeverReplacesTheProgramItsLibrariesOrTheLearnersRecords)
{
    for (const char* good : {"help\\info.html", "VEK英語\\Question.cds", "VEK英語\\Answer.cds",
                             "help\\moriva", "moriva.txt", "sound\\so.wav", "docs\\a.sol"})
        EXPECT_EQ(CheckFileTarget(U(good), Program), QString()) << good;
    for (const char* bad : {"moriva", "MORIVA", ".\\moriva", "./Moriva", "libwintab32.so", "lib\\x.so.1",
                            "X.SO", "VEKa\\Reply.cds", "veka\\reply.CDS", "VEKa\\UnitHistory.cds",
                            "VEKa\\part one.sub", "VEKa\\X.SUB", "VEKa\\Control.inf", "Menu.inf",
                            "menu.INF", "VEKa\\Form.dat", "Form.dat", "Menu.dat", "Vek.Log", "vek.log",
                            "VEKa\\ImageAnswer\\1.bmp", "VEKa\\imageanswer\\new.jpg", "help\\", "help/",
                            "..\\moriva", "/usr/bin/moriva"})
        EXPECT_NE(CheckFileTarget(U(bad), Program), QString()) << bad;
}

TEST(ServerText, IniEntriesWriteOnlyIntoIniFilesBelowTheProgramFolder)
{
    for (const char* good : {"Menu.inf", "VEKa\\Control.inf", "new\\settings.INI", "x.Inf"})
        EXPECT_EQ(CheckIniFile(U(good)), QString()) << good;
    for (const char* bad : {"VEKa\\Reply.cds", "Menu.inf.bak", "Menu", "..\\Menu.inf", "/etc/x.ini",
                            "C:\\Windows\\win.ini", ""})
        EXPECT_NE(CheckIniFile(U(bad)), QString()) << bad;
}

TEST(ServerText, FileEntriesAreCarriedOutInOrderOrRefusedWithAReason)
{
    const TStringList lines = Text(
        "File=A, \"B C\",Missing,Local,Short,Up,Exe\r\n"
        "A=http://h/a.html,help\\a.html\r\n"
        "b c=\"https://h/b c.txt\" , \"new folder\\b c.txt\", ignored\r\n"
        "Local=file:///etc/passwd,copy.txt\r\n"
        "Short=http://h/only\r\n"
        "Up=http://h/x,..\\x\r\n"
        "Exe=http://h/x,Moriva\r\n");
    const std::vector<TFileEntry> entries = FileEntries(lines, Program);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0].Name, U("A"));
    EXPECT_EQ(entries[0].Url, U("http://h/a.html"));
    EXPECT_EQ(entries[0].Target, U("help\\a.html"));
    EXPECT_EQ(entries[0].Refusal, QString());
    EXPECT_EQ(entries[1].Name, U("B C"));
    EXPECT_EQ(entries[1].Url, U("https://h/b c.txt"));
    EXPECT_EQ(entries[1].Target, U("new folder\\b c.txt"));
    EXPECT_EQ(entries[1].Refusal, QString());
    for (std::size_t i = 2; i < entries.size(); ++i)
        EXPECT_NE(entries[i].Refusal, QString()) << entries[i].Name.toStdString();
    EXPECT_EQ(entries[2].Refusal, U("fewer than two fields"));
    EXPECT_EQ(entries[4].Refusal, U("fewer than two fields"));

    EXPECT_TRUE(FileEntries(Text("Info=x.txt"), Program).empty());
}

TEST(ServerText, AMalformedIniEntryStopsTheTextsRemainingEntriesARefusedOneDoesNot)
{
    const TStringList lines = Text(
        "Ini=Cds,Good,Short,After\r\n"
        "Cds=VEKa\\Reply.cds,s,k,v\r\n"
        "Good=Menu.inf,Server,File,\"http://h/news/\",extra\r\n"
        "Short=Menu.inf,Server,File\r\n"
        "After=Menu.inf,a,b,c\r\n");
    const std::vector<TIniEntry> entries = IniEntries(lines);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_NE(entries[0].Refusal, QString());
    EXPECT_FALSE(entries[0].Stop);
    EXPECT_EQ(entries[1].Refusal, QString());
    EXPECT_EQ(entries[1].File, U("Menu.inf"));
    EXPECT_EQ(entries[1].Section, U("Server"));
    EXPECT_EQ(entries[1].Key, U("File"));
    EXPECT_EQ(entries[1].Value, U("http://h/news/"));
    EXPECT_TRUE(entries[2].Stop);
    EXPECT_EQ(entries[2].Refusal, U("fewer than four fields"));

    // An entry name without a line of its own has no fields.
    const std::vector<TIniEntry> missing = IniEntries(Text("Ini=Nowhere,Later\r\nLater=a.ini,s,k,v"));
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_TRUE(missing[0].Stop);
}
