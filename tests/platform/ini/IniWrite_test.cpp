// Writing INI files: only the key's line changes, new keys and sections go where Windows
// puts them, and a write is complete or not done at all.
#include "platform/core/Exception.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class IniWrite : public testing::Test {
protected:
    QString IniPath() const { return folder.Path() + "Menu.inf"; }
    void Put(const QString& text) const { folder.Write("Menu.inf", EncodeAnsi(text)); }
    QString Content() const { return DecodeAnsi(folder.Read("Menu.inf")); }
    QStringList Entries() const { return QDir(folder.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
    TempProgramFolder folder;
};

} // namespace

TEST_F(IniWrite, KeepsEverythingElseOfAForeignFile)
{
    const QString before = QStringLiteral(
        "; comment\n"
        "\n"
        "[Other]\n"
        "  Name =  kept as is  \n"
        "[選択回数]\n"
        "  algebra = 3 \n"
        "Geometry=1\n"
        "\n"
        "; about the next section\n"
        "[Last]\n"
        "Count=7");
    Put(before);
    TIniFile ini(IniPath());
    ini.WriteInteger(QStringLiteral("選択回数"), "Algebra", 4);   // rewritten in place, LF kept
    ini.WriteString(QStringLiteral("選択回数"), QStringLiteral("英単語"), "1"); // after the last key
    ini.WriteString(QStringLiteral("更新日時"), "Algebra", "2011/05/12 14:03:09"); // new section at the end
    EXPECT_EQ(Content(), QStringLiteral(
        "; comment\n"
        "\n"
        "[Other]\n"
        "  Name =  kept as is  \n"
        "[選択回数]\n"
        "algebra=4\n"
        "Geometry=1\n"
        "英単語=1\r\n"
        "\n"
        "; about the next section\n"
        "[Last]\n"
        "Count=7\r\n"
        "[更新日時]\r\n"
        "Algebra=2011/05/12 14:03:09\r\n"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("選択回数"), "ALGEBRA", 0), 4);
    EXPECT_EQ(ini.ReadString("last", "count", ""), "7");
}

TEST_F(IniWrite, BytesOfUntouchedLinesStayExact)
{
    // Bytes that are not valid CP932 and a lone CR inside a line survive a write.
    QByteArray before = "[A]\r\nodd=\x81\xFF\x80\r\nx=1\ry\r\n[B]\r\nk=1\r\n";
    folder.Write("Menu.inf", before);
    TIniFile(IniPath()).WriteInteger("B", "k", 2);
    EXPECT_EQ(folder.Read("Menu.inf"), QByteArray("[A]\r\nodd=\x81\xFF\x80\r\nx=1\ry\r\n[B]\r\nk=2\r\n"));
}

TEST_F(IniWrite, CreatesMissingFileAndSections)
{
    TIniFile ini(IniPath());
    ini.WriteInteger(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("名称"), 235);
    ini.WriteInteger(QStringLiteral("ｶﾃｺﾞﾘ幅"), QStringLiteral("選択回数"), 85);
    ini.WriteBool(QStringLiteral("表示"), "Algebra", false);
    ini.WriteBool(QStringLiteral("表示"), "Geometry", true);
    ini.WriteInteger(QStringLiteral("ｶﾃｺﾞﾘｰ"), QStringLiteral("ｲﾝﾃﾞｯｸｽ"), -1);
    EXPECT_EQ(folder.Read("Menu.inf"), EncodeAnsi(QStringLiteral(
        "[ｶﾃｺﾞﾘ幅]\r\n名称=235\r\n選択回数=85\r\n"
        "[表示]\r\nAlgebra=0\r\nGeometry=1\r\n"
        "[ｶﾃｺﾞﾘｰ]\r\nｲﾝﾃﾞｯｸｽ=-1\r\n")));
    EXPECT_EQ(folder.Read("Menu.inf").left(10), QByteArray("[\xB6\xC3\xBA\xDE\xD8\x95\x9D]\r"));
}

TEST_F(IniWrite, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    Put(QStringLiteral("[A]\r\nx=1\r\n; trailing comment\r\n\r\n[Empty]\r\n\r\n[B]\r\ny=1"));
    TIniFile ini(IniPath());
    ini.WriteString("a", "z", "2");
    ini.WriteString("EMPTY", "w", "3");
    EXPECT_EQ(Content(), QStringLiteral(
        "[A]\r\nx=1\r\nz=2\r\n; trailing comment\r\n\r\n[Empty]\r\nw=3\r\n\r\n[B]\r\ny=1"));
}

TEST_F(IniWrite, OnlyTheFirstOfDuplicatesChanges)
{
    Put(QStringLiteral("[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\n"));
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadInteger("a", "K", 0), 1);
    ini.WriteInteger("A", "k", 9);
    EXPECT_EQ(Content(), QStringLiteral("[A]\r\nk=9\r\nK=2\r\n[a]\r\nk=3\r\n"));
}

TEST_F(IniWrite, NamesWithSurroundingBlanksAreTrimmed)
{
    // A category folder "VEK 英単語" has the display name " 英単語".
    TIniFile ini(IniPath());
    ini.WriteInteger(QStringLiteral(" 選択回数 "), QStringLiteral(" 英単語"), 1);
    ini.WriteInteger(QStringLiteral("選択回数"), QStringLiteral(" 英単語"), 2);
    EXPECT_EQ(Content(), QStringLiteral("[選択回数]\r\n英単語=2\r\n"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("選択回数"), QStringLiteral(" 英単語"), 0), 2);
}

TEST_F(IniWrite, NamesWithTrailBytesRoundTrip)
{
    TIniFile ini(IniPath());
    ini.WriteString(QStringLiteral("ゾ"), QStringLiteral("ソ"), QStringLiteral("表"));
    ini.WriteString(QStringLiteral("ア"), "k", "1");
    ini.WriteString(QStringLiteral("ヂ"), "k", "2");
    EXPECT_EQ(ini.ReadString(QStringLiteral("ゾ"), QStringLiteral("ソ"), ""), QStringLiteral("表"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("ア"), "k", ""), "1");
    EXPECT_EQ(ini.ReadString(QStringLiteral("ヂ"), "k", ""), "2");
    EXPECT_EQ(folder.Read("Menu.inf").left(10), QByteArray("[\x83]]\r\n\x83\\=\x95"));
}

TEST_F(IniWrite, ValuesAreStoredAsGivenAndReadTheWindowsWay)
{
    TIniFile ini(IniPath());
    ini.WriteString("A", "padded", "  x  ");
    ini.WriteString("A", "quoted", "\"q\"");
    ini.WriteString("A", "empty", "");
    EXPECT_EQ(Content(), QStringLiteral("[A]\r\npadded=  x  \r\nquoted=\"q\"\r\nempty=\r\n"));
    EXPECT_EQ(ini.ReadString("A", "padded", ""), "x");
    EXPECT_EQ(ini.ReadString("A", "quoted", ""), "q");
    EXPECT_TRUE(ini.ValueExists("A", "empty"));
}

TEST_F(IniWrite, LineBreaksAreRefused)
{
    Put(QStringLiteral("[A]\r\nk=1\r\n"));
    TIniFile ini(IniPath());
    EXPECT_THROW(ini.WriteString("A", "k", "x\r\n[Injected]"), Exception);
    EXPECT_THROW(ini.WriteString("A", "a\nb", "1"), Exception);
    EXPECT_THROW(ini.WriteString("A\r", "k", "1"), Exception);
    EXPECT_EQ(Content(), QStringLiteral("[A]\r\nk=1\r\n"));
}

TEST_F(IniWrite, LeavesNoTemporaryFiles)
{
    TIniFile ini(IniPath());
    for (int i = 0; i < 5; ++i)
        ini.WriteInteger("A", QStringLiteral("k%1").arg(i), i);
    EXPECT_EQ(Entries(), QStringList{"Menu.inf"});
}

TEST_F(IniWrite, ReadOnlyFolderRaisesAndKeepsTheFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; see FailedWriteKeepsTheOldFile";
    Put(QStringLiteral("[A]\r\nk=1\r\n"));
    QFile::setPermissions(folder.Path(), QFile::ReadOwner | QFile::ExeOwner);
    try {
        TIniFile(IniPath()).WriteInteger("A", "k", 2);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains(IniPath())) << e.Message().toStdString();
    }
    QFile::setPermissions(folder.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Content(), QStringLiteral("[A]\r\nk=1\r\n"));
    EXPECT_EQ(Entries(), QStringList{"Menu.inf"});
}

TEST_F(IniWrite, FailedWriteKeepsTheOldFile)
{
    // A file size limit makes the write of the new content fail half-way, like a full disk.
    const QString old = QStringLiteral("[A]\r\n") + QString(200, u'x') + QStringLiteral("=1\r\n");
    Put(old);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    bool raised = false;
    try {
        TIniFile(IniPath()).WriteInteger("A", "k", 2);
    } catch (const Exception& e) {
        raised = e.Message().contains(IniPath());
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(raised);
    EXPECT_EQ(Content(), old);
    EXPECT_EQ(Entries(), QStringList{"Menu.inf"});
}

TEST_F(IniWrite, UnreadableFileIsNotOverwritten)
{
    folder.MakeDir("Menu.inf");
    EXPECT_THROW(TIniFile(IniPath()).WriteInteger("A", "k", 1), Exception);
    EXPECT_TRUE(QFileInfo(IniPath()).isDir());
}

TEST_F(IniWrite, MissingFolderRaises)
{
    EXPECT_THROW(TIniFile(folder.Path() + "VEKgone/Control.inf").WriteInteger("A", "k", 1), Exception);
    EXPECT_FALSE(QFileInfo::exists(folder.Path() + "VEKgone"));
}

TEST_F(IniWrite, WhatAWriteLeavesReadsAsTheFileDoesWhenReadAfresh)
{
    // The last line lacks its line end; the values need their quotes and blanks kept.
    Put(QStringLiteral("[a]\r\nx=1\r\n[b]\ry=\"2\"\nlast=3"));
    TIniFile ini(IniPath());
    ini.WriteString("b", "new", QStringLiteral("\"  padded  \""));
    ini.WriteString("a", "x", QStringLiteral("'q'"));
    ini.WriteString(QStringLiteral("カテゴリ"), QStringLiteral("名称"), QStringLiteral("表示"));
    ini.WriteString("b", "last", QString());
    const QStringList keys = {"a/x", "b/y", "b/last", "b/new", QStringLiteral("カテゴリ/名称"), "b/x"};
    QStringList written;
    for (const QString& key : keys)
        written << ini.ReadString(key.section('/', 0, 0), key.section('/', 1), "-");
    // The same file under another name has never been read or written: a fresh parse.
    folder.Write("Copy.inf", folder.Read("Menu.inf"));
    const TIniFile copy(folder.Path() + "Copy.inf");
    QStringList fresh;
    for (const QString& key : keys)
        fresh << copy.ReadString(key.section('/', 0, 0), key.section('/', 1), "-");
    EXPECT_EQ(written, fresh);
    EXPECT_EQ(written, QStringList({"q", "2", "", "  padded  ", QStringLiteral("表示"), "-"}));
}
