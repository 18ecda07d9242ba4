#include "platform/winapi/VersionInfo.h"
#include "tests/support/TinyElf.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

namespace {

const QString FileVersionPath = QStringLiteral("StringFileInfo\\041103A4\\FileVersion");

const QByteArray Record = "StringFileInfo\\041103A4\\FileVersion=3.1.4.1\n";

class VersionInfoFile : public testing::Test {
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QStringLiteral("file%1").arg(++count_));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir_;
    int count_ = 0;
};

} // namespace

TEST(VersionInfo, TheRunningExecutableCarriesTheProjectVersion)
{
    const QString self = GetModuleFileName();
    EXPECT_EQ(self, QCoreApplication::applicationFilePath());
    const quint32 size = GetFileVersionInfoSize(self);
    ASSERT_GT(size, 0u);
    QByteArray buffer(size, '\0');
    ASSERT_TRUE(GetFileVersionInfo(self, buffer));
    EXPECT_EQ(VerQueryValue(buffer, FileVersionPath), QStringLiteral("2.0.0.0"));
}

TEST_F(VersionInfoFile, ReadsTheRecordOfAnElfFile)
{
    const QString path = Write(TinyElf::Make(".moriva_version", Record).bytes);
    ASSERT_EQ(GetFileVersionInfoSize(path), quint32(Record.size()));
    QByteArray buffer(Record.size(), '\0');
    ASSERT_TRUE(GetFileVersionInfo(path, buffer));
    EXPECT_EQ(VerQueryValue(buffer, FileVersionPath), QStringLiteral("3.1.4.1"));
}

TEST_F(VersionInfoFile, FilesWithoutARecordHaveSizeZero)
{
    EXPECT_EQ(GetFileVersionInfoSize(dir_.filePath("missing")), 0u);
    EXPECT_EQ(GetFileVersionInfoSize(Write("plain text, not an executable")), 0u);
    EXPECT_EQ(GetFileVersionInfoSize(Write(TinyElf::Make(".moriva_versioX", Record).bytes)), 0u);
    EXPECT_EQ(GetFileVersionInfoSize(Write(TinyElf::Make(".moriva_version_", Record).bytes)), 0u);
    QByteArray buffer(16, '\0');
    EXPECT_FALSE(GetFileVersionInfo(dir_.filePath("missing"), buffer));
}

TEST_F(VersionInfoFile, DamagedFilesGiveNoRecordAndDoNotCrash)
{
    const TinyElf good = TinyElf::Make(".moriva_version", Record);
    std::vector<std::function<void(TinyElf&)>> damages = {
        [](TinyElf& e) { e.Header().e_shoff = ~quint64(0) - 8; },
        [](TinyElf& e) { e.Header().e_shoff = e.bytes.size() - 8; },
        [](TinyElf& e) { e.Header().e_shnum = 0xFFFF; },
        [](TinyElf& e) { e.Header().e_shentsize = 12; },
        [](TinyElf& e) { e.Header().e_shstrndx = 7; },
        [](TinyElf& e) { e.Header().e_shstrndx = SHN_XINDEX; e.Section(0).sh_link = 99; },
        [](TinyElf& e) { e.Header().e_shnum = 0; e.Section(0).sh_size = ~quint64(0); },
        [](TinyElf& e) { e.Section(1).sh_size = ~quint64(0); },
        [](TinyElf& e) { e.Section(1).sh_offset = ~quint64(0) - 2; },
        [](TinyElf& e) { e.Section(2).sh_name = 0x7FFFFFFF; },
        [](TinyElf& e) { e.Section(2).sh_offset = e.bytes.size() - 4; },
        [](TinyElf& e) { e.Section(2).sh_size = quint64(1) << 40; },
        [](TinyElf& e) { e.Section(2).sh_type = SHT_NOBITS; },
        [](TinyElf& e) { e.bytes[EI_DATA] = ELFDATA2MSB; },
        [](TinyElf& e) { e.bytes[EI_CLASS] = 9; },
        [](TinyElf& e) { e.bytes.truncate(e.bytes.size() - 10); },
        [](TinyElf& e) { e.bytes.truncate(sizeof(Elf64_Ehdr) - 1); },
        [](TinyElf& e) { e.bytes.truncate(6); },
    };
    for (std::size_t i = 0; i < damages.size(); ++i) {
        TinyElf bad = good;
        damages[i](bad);
        EXPECT_EQ(GetFileVersionInfoSize(Write(bad.bytes)), 0u) << "damage " << i;
    }
    // A name table whose last name is not ended inside the table: that name is skipped.
    TinyElf unended = good;
    unended.Section(1).sh_size -= 1;
    EXPECT_EQ(GetFileVersionInfoSize(Write(unended.bytes)), 0u);
}

TEST(VerQueryValue, FindsOnlyTheExactKey)
{
    const QByteArray record = "Other=1\nStringFileInfo\\041103A4\\FileVersionX=9\n"
                              "StringFileInfo\\041103A4\\FileVersion=2.0.0.0\n\0\0\0";
    EXPECT_EQ(VerQueryValue(record, FileVersionPath), QStringLiteral("2.0.0.0"));
    EXPECT_EQ(VerQueryValue(record, QStringLiteral("Other")), QStringLiteral("1"));
    EXPECT_FALSE(VerQueryValue(record, QStringLiteral("StringFileInfo\\040904E4\\FileVersion")));
    EXPECT_FALSE(VerQueryValue(QByteArray(), FileVersionPath));
    // Text after the first zero byte is padding, not part of the record.
    EXPECT_FALSE(VerQueryValue(QByteArray("A=1\n\0B=2\n", 9), QStringLiteral("B")));
}

TEST_F(VersionInfoFile, AShortBufferReceivesTheStartOfTheRecord)
{
    const QString path = Write(TinyElf::Make(".moriva_version", Record).bytes);
    QByteArray buffer(14, '\0');
    ASSERT_TRUE(GetFileVersionInfo(path, buffer));
    EXPECT_EQ(buffer, Record.left(14));
}
