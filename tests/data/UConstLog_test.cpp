#include "data/UConst.h"
#include "data/Version.h"
#include "platform/datetime/DateTime.h"
#include "platform/text/Ansi.h"
#include "tests/support/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

class Log : public testing::Test {
protected:
    void SetUp() override
    {
        InitializeVersion();
        SetNowFunction([] { return EncodeDateTime(2011, 5, 12, 14, 3, 9, 0); });
    }
    void TearDown() override
    {
        ResetNowFunction();
        FinalizeVersion();
    }

    TempProgramFolder folder_;
};

[[gnu::noinline]] void Fail() { throw Exception(QStringLiteral("boom")); }

} // namespace

TEST_F(Log, AMissingLogIsCreatedWithOneLine)
{
    WriteLog(QStringLiteral("ShowTextComponent"), QStringLiteral("Show ShowComponent Error"));
    EXPECT_EQ(folder_.Read(QStringLiteral("Vek.Log")),
              "[2011/05/12 14:03:09]Moriva.exe Version:2.0.0.0 Address:$00000000 "
              "ShowTextComponent.Show ShowComponent Error\r\n");
}

TEST_F(Log, LinesAreAppendedToWhatIsThere)
{
    folder_.Write(QStringLiteral("Vek.Log"), "earlier line\r\n");
    WriteLog(QStringLiteral("A"), QStringLiteral("one"));
    WriteLog(QStringLiteral("B"), QStringLiteral("two"));
    const QList<QByteArray> lines = folder_.Read(QStringLiteral("Vek.Log")).split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines and the empty rest after the last line end
    EXPECT_EQ(lines[0], "earlier line\r");
    EXPECT_TRUE(lines[1].endsWith(" A.one\r"));
    EXPECT_TRUE(lines[2].endsWith(" B.two\r"));
}

TEST_F(Log, ALogFileNamedInAnotherCaseIsAppendedTo)
{
    folder_.Write(QStringLiteral("vek.log"), "old\r\n");
    WriteLog(QStringLiteral("A"), QStringLiteral("one"));
    EXPECT_FALSE(QFileInfo::exists(folder_.FilePath(QStringLiteral("Vek.Log"))));
    EXPECT_TRUE(folder_.Read(QStringLiteral("vek.log")).startsWith("old\r\n["));
}

TEST_F(Log, TheAddressIsThatOfTheExceptionBeingHandled)
{
    std::uint32_t address = 0;
    try {
        Fail();
    } catch (const Exception& e) {
        address = ExceptAddr();
        WriteLog(QStringLiteral("Moriva"), QStringLiteral("E.Message=") + e.Message());
    }
    ASSERT_NE(address, 0u);
    const QString hex = QStringLiteral("%1").arg(address, 8, 16, QLatin1Char('0')).toUpper();
    const QString expected = QStringLiteral(" Address:$") + hex
        + QStringLiteral(" Moriva.E.Message=boom\r\n");
    const QString line = QString::fromLatin1(folder_.Read(QStringLiteral("Vek.Log")));
    EXPECT_TRUE(line.endsWith(expected)) << line.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(Address:\$[0-9A-F]{8} )")).match(line).hasMatch());
}

TEST_F(Log, JapaneseTextIsWrittenInCodePage932)
{
    WriteLog(QStringLiteral("TAnswerImage"), QStringLiteral("表示エラー"));
    const QByteArray bytes = folder_.Read(QStringLiteral("Vek.Log"));
    // 表 is 0x95 0x5C in code page 932: its trail byte is the backslash.
    EXPECT_TRUE(bytes.endsWith(" TAnswerImage.\x95\x5C\x8E\xA6\x83\x47\x83\x89\x81\x5B\r\n"))
        << bytes.toHex().toStdString();
    EXPECT_EQ(bytes, EncodeAnsi(DecodeAnsi(bytes)));
}

TEST_F(Log, AnUnwritableLogIsLeftAloneQuietly)
{
    // Permission bits do not stop root; a folder in the log's place stops anyone.
    folder_.MakeDir(QStringLiteral("Vek.Log"));
    WriteLog(QStringLiteral("A"), QStringLiteral("lost"));
    EXPECT_TRUE(QFileInfo(folder_.FilePath(QStringLiteral("Vek.Log"))).isDir());
    EXPECT_TRUE(QDir(folder_.FilePath(QStringLiteral("Vek.Log"))).isEmpty());

    SetAppDirOverride(folder_.Path() + QStringLiteral("missing/"));
    WriteLog(QStringLiteral("A"), QStringLiteral("lost"));
    SetAppDirOverride(folder_.Path());
    EXPECT_FALSE(QFileInfo::exists(folder_.FilePath(QStringLiteral("missing"))));
}

TEST_F(Log, ALineThatDoesNotFitIsNotWrittenInPart)
{
    folder_.Write(QStringLiteral("Vek.Log"), "earlier line\r\n");
    // A file size limit a few bytes above the log's size: the next line fits only in part.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 14 + 20;
    setrlimit(RLIMIT_FSIZE, &tight);
    WriteLog(QStringLiteral("A"), QStringLiteral("a line longer than the twenty bytes left"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(folder_.Read(QStringLiteral("Vek.Log")), "earlier line\r\n");

    WriteLog(QStringLiteral("A"), QStringLiteral("fits"));
    EXPECT_TRUE(folder_.Read(QStringLiteral("Vek.Log")).endsWith(" A.fits\r\n"));
}
