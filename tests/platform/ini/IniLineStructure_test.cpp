// The lines of an INI file: every kind of line end is read, and no write can turn its line
// into something else or move other keys to another section.
#include "platform/core/Exception.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "tests/support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

class IniLines : public testing::Test {
protected:
    QString Path() const { return folder.Path() + "Control.inf"; }
    void Put(const QByteArray& bytes) const { folder.Write("Control.inf", bytes); }
    QByteArray Bytes() const { return folder.Read("Control.inf"); }
    TempProgramFolder folder;
};

} // namespace

TEST_F(IniLines, LoneCrCrLfAndLfAllEndLines)
{
    Put(EncodeAnsi(QStringLiteral("[設定]\rﾕｰｻﾞ単位=20\rｸﾘｱｰ回数=3\r\n[単位]\nIndex=4\r")));
    TIniFile ini(Path());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("設定"), QStringLiteral("ﾕｰｻﾞ単位"), 10), 20);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("設定"), QStringLiteral("ｸﾘｱｰ回数"), 5), 3);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("単位"), "Index", 0), 4);

    // A changed line keeps its own line end; new lines end with CR LF.
    ini.WriteInteger(QStringLiteral("設定"), QStringLiteral("ﾕｰｻﾞ単位"), 30);
    ini.WriteInteger(QStringLiteral("単位"), "Top", 1);
    ini.WriteInteger(QStringLiteral("位置"), "Left", 2);
    EXPECT_EQ(DecodeAnsi(Bytes()), QStringLiteral("[設定]\rﾕｰｻﾞ単位=30\rｸﾘｱｰ回数=3\r\n[単位]\nIndex=4\r"
                                                  "Top=1\r\n[位置]\r\nLeft=2\r\n"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("設定"), QStringLiteral("ｸﾘｱｰ回数"), 5), 3);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("単位"), "Index", 0), 4);
}

TEST_F(IniLines, CrsInARowAreEmptyLines)
{
    Put("[A]\r\r\r\nk=1\r\r[B]\rk=2");
    TIniFile ini(Path());
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("B", "k", 0), 2);
    ini.WriteInteger("A", "j", 5);
    EXPECT_EQ(Bytes(), QByteArray("[A]\r\r\r\nk=1\rj=5\r\n\r[B]\rk=2"));
}

TEST_F(IniLines, AMalformedKeyCannotBecomeASectionHeader)
{
    // "[k" without its bracket is a key of [s]; writing "x]" to it would make the line
    // "[k=x]", a section that takes "a" away from [s].
    const QByteArray before = "[s]\r\n[k\r\na=1\r\n";
    Put(before);
    TIniFile ini(Path());
    EXPECT_TRUE(ini.ValueExists("s", "[k"));
    EXPECT_THROW(ini.WriteString("s", "[k", "x]"), Exception);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(ini.ReadInteger("s", "a", 0), 1);
}

TEST_F(IniLines, NamesThatWouldChangeTheStructureAreRefused)
{
    const QByteArray before = "[A]\r\nk=1\r\n";
    Put(before);
    TIniFile ini(Path());
    const struct {
        const char* Section;
        const char* Key;
    } refused[] = {
        {"A", "[new"}, {"A", "  [new"}, {"A", "a=b"}, {"A", "=b"}, {"A", ";note"},
        {"A]", "k"}, {"[A]]", "k"}, {"A\n", "k"}, {"A", "k\r"},
    };
    for (const auto& entry : refused) {
        try {
            ini.WriteString(entry.Section, entry.Key, "1");
            ADD_FAILURE() << "written: [" << entry.Section << "] " << entry.Key;
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().contains(Path())) << e.Message().toStdString();
        }
    }
    EXPECT_EQ(Bytes(), before);

    // Brackets and "=" elsewhere are fine: in values, inside key names, "[" in sections.
    ini.WriteString("A", "k]", "[x]=y");
    ini.WriteString("[B", "a[1]", "2");
    EXPECT_EQ(ini.ReadString("A", "k]", ""), "[x]=y");
    EXPECT_EQ(ini.ReadString("[B", "a[1]", ""), "2");
    EXPECT_EQ(Bytes(), QByteArray("[A]\r\nk=1\r\nk]=[x]=y\r\n[[B]\r\na[1]=2\r\n"));
}
