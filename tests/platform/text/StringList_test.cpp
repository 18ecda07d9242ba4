#include "platform/text/StringList.h"

#include "platform/core/Checked.h"
#include "platform/text/Ansi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TStringList ListOf(std::initializer_list<const char*> lines)
{
    TStringList list;
    for (const char* s : lines)
        list.Add(QString::fromUtf8(s));
    return list;
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(StringList, EditingAndRangeChecks)
{
    TStringList list = ListOf({"b", "d"});
    EXPECT_EQ(list.Add(QStringLiteral("e")), 2);
    list.Insert(0, QStringLiteral("a"));
    list.Insert(2, QStringLiteral("c"));
    list.Insert(5, QStringLiteral("f")); // at the end
    EXPECT_EQ(list.Lines(), QStringList({"a", "b", "c", "d", "e", "f"}));
    list.Delete(5);
    list.Delete(0);
    list[0] = QStringLiteral("B");
    EXPECT_EQ(list.Lines(), QStringList({"B", "c", "d", "e"}));
    EXPECT_EQ(list.Strings(3), QStringLiteral("e"));

    EXPECT_THROW(list.Strings(4), ERangeError);
    EXPECT_THROW(list.Strings(-1), ERangeError);
    EXPECT_THROW(list[4] = QString(), ERangeError);
    EXPECT_THROW(list.Delete(4), ERangeError);
    EXPECT_THROW(list.Insert(5, QString()), ERangeError);
    EXPECT_THROW(list.Insert(-1, QString()), ERangeError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Delete(0), ERangeError);
}

TEST(StringList, IndexOfIgnoresCaseButNothingElse)
{
    const TStringList list = ListOf({"Alpha", " beta", "ＡＢＣ", "かな", "ｶﾅ", "Alpha"});
    EXPECT_EQ(list.IndexOf(QStringLiteral("ALPHA")), 0); // the first of equal lines
    EXPECT_EQ(list.IndexOf(QStringLiteral("ａｂｃ")), 2); // full-width letters fold too
    EXPECT_EQ(list.IndexOf(QStringLiteral("beta")), -1); // lines are not trimmed
    EXPECT_EQ(list.IndexOf(QStringLiteral("カナ")), -1); // kana type and width count
    EXPECT_EQ(list.IndexOf(QStringLiteral("ｶﾅ")), 4);
    EXPECT_EQ(TStringList().IndexOf(QString()), -1);
}

TEST(StringList, SortIsAscendingWithoutRegardToCase)
{
    TStringList list = ListOf({"VEKc", "vekB", "VEKa", "VEK_x", "VEK1"});
    list.Sort();
    EXPECT_EQ(list.Lines(), QStringList({"VEK1", "VEK_x", "VEKa", "vekB", "VEKc"}));
}

TEST(StringList, TextJoinsWithCrLfSplitsAtAnyLineBreakAndCommaText)
{
    TStringList list = ListOf({"a", "", "名前"});
    EXPECT_EQ(list.Text(), QStringLiteral("a\r\n\r\n名前\r\n"));
    EXPECT_EQ(TStringList().Text(), QString());

    list.SetText(QStringLiteral("1\r\n2\n3\r4\r\n"));
    EXPECT_EQ(list.Lines(), QStringList({"1", "2", "3", "4"}));
    list.SetText(QStringLiteral("x\n\ry\n\nz"));
    EXPECT_EQ(list.Lines(), QStringList({"x", "", "y", "", "z"}));
    list.SetText(QString());
    EXPECT_EQ(list.Count(), 0);
    list.SetText(QStringLiteral("\r\n"));
    EXPECT_EQ(list.Lines(), QStringList({""}));
    list.SetText(QStringLiteral(" padded \t"));
    EXPECT_EQ(list.Lines(), QStringList({" padded \t"}));

    list.SetCommaText(QStringLiteral("\"- 秒\",\"- 秒\",○,×"));
    EXPECT_EQ(list.Lines(), QStringList({"- 秒", "- 秒", "○", "×"}));
    EXPECT_EQ(list.CommaText(), QStringLiteral("\"- 秒\",\"- 秒\",○,×"));
}

TEST(StringList, NameValueLines)
{
    TStringList list = ListOf({"plain", "TestCount=3", "EndDate=", "=nameless", "Key=a=b", "key=second"});
    EXPECT_EQ(list.Names(0), QString());
    EXPECT_EQ(list.ValueFromIndex(0), QString());
    EXPECT_EQ(list.Names(1), QStringLiteral("TestCount"));
    EXPECT_EQ(list.ValueFromIndex(4), QStringLiteral("a=b")); // split at the first "="
    EXPECT_EQ(list.Names(3), QString());
    EXPECT_EQ(list.ValueFromIndex(3), QStringLiteral("nameless"));
    EXPECT_THROW(list.Names(6), ERangeError);

    EXPECT_EQ(list.IndexOfName(QStringLiteral("testcount")), 1);
    EXPECT_EQ(list.IndexOfName(QStringLiteral("plain")), -1); // a line without "=" has no name
    EXPECT_EQ(list.IndexOfName(QStringLiteral("KEY")), 4);    // the first line of a name wins
    EXPECT_EQ(list.Values(QStringLiteral("key")), QStringLiteral("a=b"));
    EXPECT_EQ(list.Values(QStringLiteral("EndDate")), QString());
    EXPECT_EQ(list.Values(QStringLiteral("missing")), QString());
    EXPECT_EQ(list.Values(QStringLiteral(" TestCount")), QString()); // names are not trimmed
}

TEST(StringList, SetValueReplacesAddsAndRemovesOnEmpty)
{
    TStringList list = ListOf({"A=1", "選択=2", "C=3"});
    list.SetValue(QStringLiteral("a"), QStringLiteral("10"));
    EXPECT_EQ(list.Strings(0), QStringLiteral("a=10")); // the line takes the given name
    list.SetValue(QStringLiteral("D"), QStringLiteral("4"));
    EXPECT_EQ(list.Strings(3), QStringLiteral("D=4"));
    list.SetValue(QStringLiteral("選択"), QString());
    EXPECT_EQ(list.Lines(), QStringList({"a=10", "C=3", "D=4"}));
    list.SetValue(QStringLiteral("missing"), QString()); // nothing to remove
    EXPECT_EQ(list.Count(), 3);
}

class StringListFile : public testing::Test {
protected:
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir_;
};

TEST_F(StringListFile, SavesCp932WithCrLfAndLoadsItBack)
{
    const TStringList list = ListOf({"全ての問題", "ｶﾃｺﾞﾘ幅=5", "help\\guide.html"});
    list.SaveToFile(Path("list.txt"));
    EXPECT_EQ(ReadBytes(Path("list.txt")), EncodeAnsi(QStringLiteral("全ての問題\r\nｶﾃｺﾞﾘ幅=5\r\nhelp\\guide.html\r\n")));

    TStringList loaded = ListOf({"old"});
    loaded.LoadFromFile(Path("list.txt"));
    EXPECT_EQ(loaded.Lines(), list.Lines());
}

TEST_F(StringListFile, LoadsUnixLineEndsAndEmptyFiles)
{
    QFile file(Path("lf.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(EncodeAnsi(QStringLiteral("一\n二")));
    file.close();
    TStringList list;
    list.LoadFromFile(Path("lf.txt"));
    EXPECT_EQ(list.Lines(), QStringList({"一", "二"}));

    TStringList().SaveToFile(Path("empty.txt"));
    EXPECT_EQ(ReadBytes(Path("empty.txt")), QByteArray());
    list.LoadFromFile(Path("empty.txt"));
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(StringListFile, FailuresNameTheFileAndKeepTheOldContent)
{
    TStringList list;
    try {
        list.LoadFromFile(Path("missing.txt"));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains(Path("missing.txt")));
    }

    // A folder that does not exist: nothing is created.
    try {
        ListOf({"x"}).SaveToFile(Path("no/such/folder.txt"));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains(Path("no/such/folder.txt")));
    }

    // A name that cannot be replaced (a folder of that name): the folder stays and no
    // temporary file is left behind.
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("taken")));
    ListOf({"old"}).SaveToFile(Path("kept.txt"));
    EXPECT_THROW(ListOf({"new"}).SaveToFile(Path("taken")), Exception);
    EXPECT_TRUE(QFileInfo(Path("taken")).isDir());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"kept.txt"}));
    EXPECT_EQ(ReadBytes(Path("kept.txt")), QByteArray("old\r\n"));
}
