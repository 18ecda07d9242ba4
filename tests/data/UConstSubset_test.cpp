#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/text/Ansi.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class SubsetFiles : public testing::Test {
protected:
    SubsetFiles() { program_.MakeDir(QStringLiteral("VEKTest")); }

    QString Folder() const { return program_.FilePath(QStringLiteral("VEKTest/")); }
    void Write(const QString& name, const QByteArray& bytes) const
    {
        program_.Write(QStringLiteral("VEKTest/") + name, bytes);
    }
    QByteArray Read(const QString& name) const { return program_.Read(QStringLiteral("VEKTest/") + name); }
    QStringList Files() const
    {
        return QDir(Folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList Listed() const
    {
        TStringList list;
        list.Add(QStringLiteral("left over"));
        ListSubFiles(Folder(), list);
        return list.Lines();
    }

    TempProgramFolder program_;
};

} // namespace

TEST_F(SubsetFiles, AreWrittenAsOneCp932LineWithCrLf)
{
    WriteSubFile(Folder() + QStringLiteral("漢字"), QStringLiteral("3,1,12 "));
    EXPECT_EQ(Files(), QStringList{QStringLiteral("漢字.sub")});
    EXPECT_EQ(Read(QStringLiteral("漢字.sub")), QByteArray("3,1,12 \r\n"));
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("漢字")), QStringLiteral("3,1,12 "));

    WriteSubFile(Folder() + QStringLiteral("名前"), QStringLiteral("表"));
    EXPECT_EQ(Read(QStringLiteral("名前.sub")), EncodeAnsi(QStringLiteral("表")) + "\r\n");
}

TEST_F(SubsetFiles, NameAndExtensionMatchInAnyCase)
{
    Write(QStringLiteral("Kanji.SUB"), "1,2\r\n");
    Write(QStringLiteral("Verbs.Sub"), "7\r\n");
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("kanji")), QStringLiteral("1,2"));
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("VERBS")), QStringLiteral("7"));

    // Overwriting goes to the file there is, as on a file system that ignores case.
    WriteSubFile(Folder() + QStringLiteral("kanji"), QStringLiteral("9"));
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("Kanji.SUB"), QStringLiteral("Verbs.Sub")}));
    EXPECT_EQ(Read(QStringLiteral("Kanji.SUB")), QByteArray("9\r\n"));
}

TEST_F(SubsetFiles, ReadingTakesTheFirstLineOnly)
{
    Write(QStringLiteral("lf.sub"), "1,2\n3\n");
    Write(QStringLiteral("cr.sub"), "4\r5\r\n");
    Write(QStringLiteral("bare.sub"), " 6 ");
    Write(QStringLiteral("empty.sub"), "");
    Write(QStringLiteral("blankline.sub"), "\r\n7\r\n");
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("lf")), QStringLiteral("1,2"));
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("cr")), QStringLiteral("4"));
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("bare")), QStringLiteral(" 6 "));
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("empty")), QString());
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("blankline")), QString());
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("missing")), QString());
}

TEST_F(SubsetFiles, ListingHoldsSubsetFilesSortedIgnoringCase)
{
    for (const char* name : {"b.sub", "A.SUB", "c.Sub", "a-.sub", "B2.sub", ".sub", "x.txt",
                             "sub", "y.subx", "Question.cds"})
        Write(QString::fromLatin1(name), "1\r\n");
    program_.MakeDir(QStringLiteral("VEKTest/folder.sub"));
    // ".sub" holds no name, so it is no subset.
    const QStringList expected{QStringLiteral("A"), QStringLiteral("a-"), QStringLiteral("b"),
                               QStringLiteral("B2"), QStringLiteral("c")};
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(Listed(), expected);

    TStringList list;
    list.Add(QStringLiteral("left over"));
    ListSubFiles(Folder() + QStringLiteral("gone/"), list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(SubsetFiles, NamesEqualButForCaseKeepOneOrder)
{
    Write(QStringLiteral("kanji.sub"), "1\r\n");
    Write(QStringLiteral("Kanji.sub"), "2\r\n");
    Write(QStringLiteral("KANJI.sub"), "3\r\n");
    EXPECT_EQ(Listed(), (QStringList{QStringLiteral("KANJI"), QStringLiteral("Kanji"), QStringLiteral("kanji")}));
    // The exact name wins over its case variants.
    EXPECT_EQ(ReadSubFile(Folder() + QStringLiteral("kanji")), QStringLiteral("1"));
}

TEST_F(SubsetFiles, DeletingRemovesEverySubsetFileAndNothingElse)
{
    for (const char* name : {"a.sub", "B.SUB", "c.Sub", "Answer.cds", "notes.txt"})
        Write(QString::fromLatin1(name), "1\r\n");
    program_.MakeDir(QStringLiteral("VEKTest/folder.sub"));
    DeleteSubFiles(Folder());
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("Answer.cds"), QStringLiteral("folder.sub"),
                                    QStringLiteral("notes.txt")}));
    DeleteSubFiles(Folder() + QStringLiteral("gone/")); // nothing to delete, no failure
}

TEST_F(SubsetFiles, AWriteThatCannotBeDoneRaisesAndKeepsTheOldFile)
{
    Write(QStringLiteral("a.sub"), "1\r\n");
    EXPECT_THROW(WriteSubFile(Folder() + QStringLiteral("gone/a"), QStringLiteral("2")), Exception);
    EXPECT_THROW(WriteSubFile(Folder() + QString(300, u'x'), QStringLiteral("2")), Exception);
    EXPECT_EQ(Files(), QStringList{QStringLiteral("a.sub")});
}
