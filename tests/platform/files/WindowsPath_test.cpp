// Windows-style names resolved on a case-sensitive file system.
#include "platform/files/Files.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class WindowsPath : public testing::Test {
protected:
    TempProgramFolder folder;
};

} // namespace

TEST_F(WindowsPath, EveryElementMatchesIgnoringCase)
{
    folder.Write("VEKAlgebra/ImageAnswer/Pic01.Bmp", "x");
    const QString base = folder.Path();
    EXPECT_EQ(ResolvePath(base, "vekalgebra\\IMAGEANSWER\\pic01.bmp"),
              base + "VEKAlgebra/ImageAnswer/Pic01.Bmp");
    EXPECT_EQ(ResolvePath(base, "VEKALGEBRA/imageanswer\\PIC01.BMP"),
              base + "VEKAlgebra/ImageAnswer/Pic01.Bmp");
    // The one-argument form takes a whole path, the folder part included.
    EXPECT_EQ(ResolvePath(base + "vekalgebra\\imageanswer\\pic01.bmp"), base + "VEKAlgebra/ImageAnswer/Pic01.Bmp");
}

TEST_F(WindowsPath, ExactNamesAreKeptAndMissingOnesStayAsGiven)
{
    folder.Write("help/guide.html", "x");
    const QString base = folder.Path();
    EXPECT_EQ(ResolvePath(base, "help\\guide.html"), base + "help/guide.html");
    // Below a matched folder a missing file keeps its given name; nothing below it is looked up.
    EXPECT_EQ(ResolvePath(base, "HELP\\New\\Page.HTML"), base + "help/New/Page.HTML");
    EXPECT_EQ(ResolvePath(base, "Missing\\help"), base + "Missing/help");
}

TEST_F(WindowsPath, SeparatorsAndDots)
{
    folder.Write("ImageAnswer/a.bmp", "x");
    const QString base = folder.Path();
    EXPECT_EQ(ResolvePath(base, "imageanswer\\"), base + "ImageAnswer/");   // trailing separator kept
    EXPECT_EQ(ResolvePath(base, "\\\\imageanswer//A.BMP"), base + "ImageAnswer/a.bmp");
    EXPECT_EQ(ResolvePath(base + "IMAGEANSWER\\..\\imageanswer\\.\\A.bmp"), base + "ImageAnswer/../ImageAnswer/./a.bmp");
    EXPECT_EQ(ResolvePath(base.chopped(1), "IMAGEANSWER"), base + "ImageAnswer"); // base without "/"
    EXPECT_EQ(ResolvePath(QString()), QString());
    EXPECT_EQ(ResolvePath("\\"), "/");
}

TEST_F(WindowsPath, UnicodeCaseAndJapaneseNames)
{
    folder.Write("VEKＬｅｖｅｌ/Äpfel/問題.txt", "x");
    const QString base = folder.Path();
    EXPECT_EQ(ResolvePath(base, QStringLiteral("vekｌｅｖｅｌ\\äPFEL\\問題.TXT")),
              base + QStringLiteral("VEKＬｅｖｅｌ/Äpfel/問題.txt"));
    // Half-width and full-width katakana are different names, not case variants.
    EXPECT_EQ(ResolvePath(base, QStringLiteral("VEKＬｅｖｅｌ\\Äpfel\\ﾓﾝﾀﾞｲ.txt")),
              base + QStringLiteral("VEKＬｅｖｅｌ/Äpfel/ﾓﾝﾀﾞｲ.txt"));
}

TEST_F(WindowsPath, SeveralMatchesGiveTheExactOneOrTheFirstInFolderOrder)
{
    folder.MakeDir("data");
    folder.MakeDir("Data");
    const QString base = folder.Path();
    EXPECT_EQ(ResolvePath(base, "data"), base + "data");
    EXPECT_EQ(ResolvePath(base, "Data"), base + "Data");
    EXPECT_EQ(ResolvePath(base, "DATA"), base + "Data"); // "Data" sorts before "data"
}

TEST_F(WindowsPath, TestsAndOperationsTakeWindowsNames)
{
    folder.Write("VEKa/Answer.cds", "abc");
    folder.MakeDir("VEKa/ImageAnswer");
    const QString base = folder.Path();
    EXPECT_TRUE(FileExists(base + "veka\\answer.CDS"));
    EXPECT_FALSE(FileExists(base + "veka\\imageanswer"));
    EXPECT_FALSE(FileExists(base + "veka\\Question.cds"));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_TRUE(DirectoryExists(base + "VEKA\\IMAGEANSWER\\"));
    EXPECT_FALSE(DirectoryExists(base + "VEKA\\answer.cds"));
    EXPECT_EQ(ReadFileBytes(base + "VEKA\\ANSWER.cds"), QByteArray("abc"));
    WriteFileAtomic(base + "VEKA\\ANSWER.cds", "new");   // replaces the existing file
    EXPECT_EQ(folder.Read("VEKa/Answer.cds"), QByteArray("new"));
    WriteFileAtomic(base + "VEKA\\Reply.cds", "r");      // a new file gets the given name
    EXPECT_EQ(folder.Read("VEKa/Reply.cds"), QByteArray("r"));
}
