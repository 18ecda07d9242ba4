// Folder listings, copying, deleting and writing files, the program folder.
#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class Files : public testing::Test {
protected:
    QStringList Names(const QString& relative = QString()) const
    {
        QStringList names;
        for (const TFolderEntry& entry : ListFolder(folder.Path() + relative))
            names << entry.name;
        return names;
    }
    TempProgramFolder folder;
};

} // namespace

TEST_F(Files, ListFolderOrderIsStableAndIgnoresCase)
{
    for (const char* name : {"b.sub", "A.sub", "a.sub", "C.SUB", "_x", "10", "9"})
        folder.Write(name, "x");
    folder.MakeDir("VEKb");
    folder.MakeDir(QStringLiteral("日本"));
    // Case is folded to lower case, so "_" comes before the letters.
    const QStringList expected{"10", "9", "_x", "A.sub", "a.sub", "b.sub", "C.SUB", "VEKb", QStringLiteral("日本")};
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(Names(), expected);
}

TEST_F(Files, ListFolderEntries)
{
    folder.Write(".hidden", "x");
    folder.MakeDir(".VEKx");
    folder.MakeDir("VEKa");
    folder.Write("VEKa/Answer.cds", "x");
    const QList<TFolderEntry> entries = ListFolder(folder.Path());
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].name, ".hidden");
    EXPECT_FALSE(entries[0].isDirectory);
    EXPECT_TRUE(entries[0].isHidden);
    EXPECT_EQ(entries[1].name, ".VEKx");
    EXPECT_TRUE(entries[1].isDirectory);
    EXPECT_TRUE(entries[1].isHidden);
    EXPECT_EQ(entries[2].name, "VEKa");
    EXPECT_TRUE(entries[2].isDirectory);
    EXPECT_FALSE(entries[2].isHidden);
    EXPECT_EQ(Names("veka\\"), QStringList{"Answer.cds"}); // a Windows name of the folder
    EXPECT_TRUE(ListFolder(folder.Path() + "missing").isEmpty());
    EXPECT_TRUE(ListFolder(folder.Path() + "VEKa/Answer.cds").isEmpty());
}

TEST_F(Files, DeleteFile)
{
    folder.Write("ImageAnswer/20110512140309123.BMP", "x");
    EXPECT_TRUE(DeleteFile(folder.Path() + "imageanswer\\20110512140309123.bmp"));
    EXPECT_FALSE(QFile::exists(folder.FilePath("ImageAnswer/20110512140309123.BMP")));
    EXPECT_FALSE(DeleteFile(folder.Path() + "ImageAnswer\\gone.BMP"));
    EXPECT_FALSE(DeleteFile(folder.Path() + "ImageAnswer"));        // folders are not files
    EXPECT_TRUE(QDir(folder.FilePath("ImageAnswer")).exists());
}

TEST_F(Files, CopyFile)
{
    folder.Write("import/Verbs.sub", "1,2 \r\n");
    folder.Write("VEKa/Verbs.sub", "old\r\n");
    const QString source = folder.Path() + "IMPORT\\verbs.SUB";
    EXPECT_FALSE(CopyFile(source, folder.Path() + "VEKa\\Verbs.sub", true));
    EXPECT_EQ(folder.Read("VEKa/Verbs.sub"), QByteArray("old\r\n"));
    EXPECT_TRUE(CopyFile(source, folder.Path() + "veka\\verbs.sub", false)); // the existing file, any case
    EXPECT_EQ(folder.Read("VEKa/Verbs.sub"), QByteArray("1,2 \r\n"));
    EXPECT_TRUE(CopyFile(source, folder.Path() + "VEKa\\Nouns.sub", true));
    EXPECT_EQ(folder.Read("VEKa/Nouns.sub"), QByteArray("1,2 \r\n"));
    EXPECT_FALSE(CopyFile(folder.Path() + "import\\none.sub", folder.Path() + "VEKa\\x.sub", false));
    EXPECT_FALSE(CopyFile(source, folder.Path() + "VEKmissing\\x.sub", false));
    EXPECT_FALSE(CopyFile(folder.Path() + "import", folder.Path() + "VEKa\\dir.sub", false));
    EXPECT_EQ(Names("VEKa"), (QStringList{"Nouns.sub", "Verbs.sub"})); // no temporary files left
}

TEST_F(Files, ForceDirectories)
{
    folder.MakeDir("help");
    EXPECT_TRUE(ForceDirectories(folder.Path() + "HELP\\images\\small"));
    EXPECT_TRUE(QDir(folder.FilePath("help/images/small")).exists());
    EXPECT_FALSE(QDir(folder.FilePath("HELP")).exists());
    EXPECT_TRUE(ForceDirectories(folder.Path() + "help"));     // already there
    folder.Write("file", "x");
    EXPECT_FALSE(ForceDirectories(folder.Path() + "file\\sub")); // a file in the way
    EXPECT_FALSE(ForceDirectories(QString()));
}

TEST_F(Files, WriteAndReadWholeFiles)
{
    const QString path = folder.Path() + "VEKa.sub";
    WriteFileAtomic(path, QByteArray("3,1,12 \r\n"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("3,1,12 \r\n"));
    WriteFileAtomic(path, QByteArray());
    EXPECT_EQ(ReadFileBytes(path), QByteArray());
    EXPECT_EQ(Names(), QStringList{"VEKa.sub"});
    try {
        WriteFileAtomic(folder.Path() + "VEKmissing\\Verbs.sub", "x");
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains("VEKmissing/Verbs.sub")) << e.Message().toStdString();
    }
    try {
        ReadFileBytes(folder.Path() + "none.sub");
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains("none.sub")) << e.Message().toStdString();
    }
    EXPECT_THROW(ReadFileBytes(folder.Path()), Exception); // a folder
}

TEST_F(Files, WriteIntoReadOnlyFolderRaisesAndKeepsTheFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    folder.Write("VEKa/Form.dat", "old");
    QFile::setPermissions(folder.FilePath("VEKa"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_THROW(WriteFileAtomic(folder.Path() + "VEKa\\Form.dat", "new"), Exception);
    EXPECT_FALSE(CopyFile(folder.Path() + "VEKa\\Form.dat", folder.Path() + "VEKa\\Copy.dat", false));
    QFile::setPermissions(folder.FilePath("VEKa"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(folder.Read("VEKa/Form.dat"), QByteArray("old"));
    EXPECT_EQ(Names("VEKa"), QStringList{"Form.dat"});
}

TEST_F(Files, WriteAsKeepsTheExactNameBesideAFileOfAnotherCase)
{
    folder.Write("VEKa/abc.sub", "old");
    // The folder is resolved ignoring case, the file name is not.
    WriteFileAtomicAs(folder.Path() + "veka", "ABC.sub", "new");
    EXPECT_EQ(Names("VEKa"), (QStringList{"ABC.sub", "abc.sub"}));
    EXPECT_EQ(folder.Read("VEKa/ABC.sub"), QByteArray("new"));
    EXPECT_EQ(folder.Read("VEKa/abc.sub"), QByteArray("old"));
    WriteFileAtomicAs(folder.Path() + "VEKa/", "ABC.sub", "again");
    EXPECT_EQ(folder.Read("VEKa/ABC.sub"), QByteArray("again"));

    for (const char* name : {"", "x/y", "x\\y"})
        EXPECT_THROW(WriteFileAtomicAs(folder.Path() + "VEKa", name, "x"), Exception) << name;
    folder.MakeDir("VEKa/dir.sub");
    EXPECT_THROW(WriteFileAtomicAs(folder.Path() + "VEKa", "dir.sub", "x"), Exception);
    EXPECT_EQ(Names("VEKa"), (QStringList{"ABC.sub", "abc.sub", "dir.sub"}));
}

TEST(AppDir, IsTheExecutablesFolderUnlessOverridden)
{
    const QString own = QCoreApplication::applicationDirPath() + "/";
    ClearAppDirOverride();
    EXPECT_EQ(GetAppDir(), own);
    SetAppDirOverride("/tmp/somewhere");
    EXPECT_EQ(GetAppDir(), "/tmp/somewhere/");
    EXPECT_EQ(AppDirOverride(), "/tmp/somewhere/");
    ClearAppDirOverride();
    EXPECT_EQ(GetAppDir(), own);
    EXPECT_EQ(AppDirOverride(), QString());
}

TEST(AppDir, ProgramFoldersNestAndRestore)
{
    ClearAppDirOverride();
    const QString own = GetAppDir();
    {
        TempProgramFolder outer;
        EXPECT_EQ(GetAppDir(), outer.Path());
        EXPECT_TRUE(outer.Path().endsWith('/'));
        EXPECT_TRUE(QDir(outer.Path()).isEmpty());
        {
            TempProgramFolder inner;
            EXPECT_EQ(GetAppDir(), inner.Path());
            EXPECT_NE(inner.Path(), outer.Path());
        }
        EXPECT_EQ(GetAppDir(), outer.Path());
        outer.Write("help\\guide.html", "g");
        EXPECT_EQ(outer.Read("help/guide.html"), QByteArray("g"));
        EXPECT_TRUE(QFile::exists(outer.Path() + "help/guide.html"));
    }
    EXPECT_EQ(GetAppDir(), own);
}
