#include "data/Version.h"
#include "tests/support/TinyElf.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class VersionRecord : public testing::Test {
protected:
    void TearDown() override { FinalizeVersion(); }

    QString Write(const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QStringLiteral("program%1").arg(++count_));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString WriteRecord(const QByteArray& record)
    {
        return Write(TinyElf::Make(".moriva_version", record).bytes);
    }

    static void ExpectEmpty()
    {
        EXPECT_EQ(AppVersion.Major, 0u);
        EXPECT_EQ(AppVersion.Minor, 0u);
        EXPECT_EQ(AppVersion.Release, 0u);
        EXPECT_EQ(AppVersion.Build, 0u);
        EXPECT_TRUE(AppVersion.VersionString.isEmpty());
    }

    QTemporaryDir dir_;
    int count_ = 0;
};

} // namespace

TEST_F(VersionRecord, TheUnitReadsTheProgramsOwnVersion)
{
    InitializeVersion();
    EXPECT_EQ(AppVersion.VersionString, QStringLiteral("2.0.0.0"));
    EXPECT_EQ(AppVersion.Major, 2u);
    EXPECT_EQ(AppVersion.Minor, 0u);
    EXPECT_EQ(AppVersion.Release, 0u);
    EXPECT_EQ(AppVersion.Build, 0u);
    FinalizeVersion();
    ExpectEmpty();
}

TEST_F(VersionRecord, SplitsTheTextIntoFourNumbers)
{
    ReadFileVersion(WriteRecord("StringFileInfo\\041103A4\\FileVersion=12.3.45.6789\n"));
    EXPECT_EQ(AppVersion.Major, 12u);
    EXPECT_EQ(AppVersion.Minor, 3u);
    EXPECT_EQ(AppVersion.Release, 45u);
    EXPECT_EQ(AppVersion.Build, 6789u);
    EXPECT_EQ(AppVersion.VersionString, QStringLiteral("12.3.45.6789"));
}

TEST_F(VersionRecord, MissingOrUnreadablePiecesAreZero)
{
    ReadFileVersion(WriteRecord("StringFileInfo\\041103A4\\FileVersion=3.x\n"));
    EXPECT_EQ(AppVersion.Major, 3u);
    EXPECT_EQ(AppVersion.Minor, 0u);
    EXPECT_EQ(AppVersion.Build, 0u);
    EXPECT_EQ(AppVersion.VersionString, QStringLiteral("3.x"));
}

TEST_F(VersionRecord, AFileWithoutTheRecordLeavesTheVersionEmpty)
{
    InitializeVersion();
    ReadFileVersion(Write("#!/bin/sh\necho not an ELF file\n"));
    ExpectEmpty();
    ReadFileVersion(Write(TinyElf::Make(".data", "2.0.0.0").bytes));
    ExpectEmpty();
    ReadFileVersion(WriteRecord("StringFileInfo\\040904E4\\FileVersion=2.0.0.0\n"));
    ExpectEmpty();
    ReadFileVersion(dir_.filePath(QStringLiteral("missing")));
    ExpectEmpty();
}

TEST_F(VersionRecord, ADamagedFileLeavesTheVersionEmpty)
{
    TinyElf damaged = TinyElf::Make(".moriva_version",
                                    "StringFileInfo\\041103A4\\FileVersion=2.0.0.0\n");
    damaged.Section(2).sh_size = quint64(1) << 62;
    ReadFileVersion(Write(damaged.bytes));
    ExpectEmpty();

    QFile self(GetModuleFileName());
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    ReadFileVersion(Write(self.read(4096))); // the program file cut short
    ExpectEmpty();
}
