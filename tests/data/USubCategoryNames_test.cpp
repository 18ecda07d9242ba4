// Subset names that must survive the file name, Control.inf and UnitHistory.cds: which
// names can be subset names, files with other names left alone, names written quoted,
// names that differ only in letter case.
#include "tests/data/USubCategoryTestSupport.h"

#include "data/UConst.h"
#include "data/USubCategoryFiles.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "platform/core/Exception.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/ComboBox.h"

#include <QFile>
#include <algorithm>

namespace {

const QString All = QStringLiteral("全ての問題");

TStringList Lines(const QStringList& lines)
{
    TStringList list;
    for (const QString& line : lines)
        list.Add(line);
    return list;
}

class SubsetNames : public SubsetFolder {
protected:
    SubsetNames()
        : SubsetFolder(ProgramUnits({"USubCategory", "UUnitHistory", "UUnitHistoryControl"}))
    {
    }

    QStringList NameValues(int& selIndex) const
    {
        TStringList list;
        SubCategory->GetNameValueList(list, selIndex);
        return list.Lines();
    }
    QString ComboChoice() const
    {
        TComboBox combo;
        SubCategory->FillComboBox(combo);
        return combo.Text();
    }
    QString Log() const
    {
        const QString path = program_.FilePath(QStringLiteral("Vek.Log"));
        return QFile::exists(path) ? DecodeAnsi(program_.Read(QStringLiteral("Vek.Log"))) : QString();
    }
    QByteArray ControlInfBytes() const { return ReadFile(QStringLiteral("Control.inf")); }
    // The names in the category folder in the order of their UTF-16 codes.
    QStringList SortedFiles() const
    {
        QStringList files = Files();
        std::sort(files.begin(), files.end());
        return files;
    }
};

} // namespace

TEST(SubsetNameFault, JudgesWhatTheFilesAndControlInfCanHold)
{
    const std::vector<std::pair<QString, TSubsetNameFault>> cases = {
        {QStringLiteral("Kanji"), TSubsetNameFault::None},
        {QStringLiteral("  Verbs 1  "), TSubsetNameFault::None},
        {QStringLiteral("漢字ｶﾅ①"), TSubsetNameFault::None},
        {QStringLiteral("\"quoted\""), TSubsetNameFault::None},
        {QStringLiteral("a.b"), TSubsetNameFault::None},
        {QString(), TSubsetNameFault::Blank},
        {QStringLiteral("  \t "), TSubsetNameFault::Blank},
        {All, TSubsetNameFault::AllQuestions},
        {QStringLiteral(" 全ての問題 "), TSubsetNameFault::AllQuestions},
        {QStringLiteral("."), TSubsetNameFault::Dots},
        {QStringLiteral(" .. "), TSubsetNameFault::Dots},
        {QStringLiteral("a=b"), TSubsetNameFault::ReservedCharacter},
        {QStringLiteral("a/b"), TSubsetNameFault::ReservedCharacter},
        {QStringLiteral("a\\b"), TSubsetNameFault::ReservedCharacter},
        {QStringLiteral("a\tb"), TSubsetNameFault::ControlCharacter},
        {QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b"), TSubsetNameFault::ControlCharacter},
        {QStringLiteral("a\x7f"), TSubsetNameFault::ControlCharacter},
        {QStringLiteral("café"), TSubsetNameFault::NotInCodePage},
        {QStringLiteral("한국"), TSubsetNameFault::NotInCodePage},
        {QString(251, u'x'), TSubsetNameFault::None},
        {QString(252, u'x'), TSubsetNameFault::TooLong},
        {QString(84, u'漢'), TSubsetNameFault::TooLong}, // 252 bytes in UTF-8 before ".sub"
    };
    for (const auto& [name, fault] : cases)
        EXPECT_EQ(SubsetNameFault(name), fault) << name.toStdString();
}

TEST_F(SubsetNames, FilesWithUnusableNamesAreNotOfferedLoggedOnceAndLeftAlone)
{
    WriteFile(QStringLiteral("a=b.sub"), "1,2 \r\n");
    WriteFile(QString::fromUtf8("caf\xc3\xa9.sub"), "3,4\r\n");
    WriteFile(All + QStringLiteral(".sub"), "5\r\n");
    WriteFile(QStringLiteral("Kanji.sub"), "6 \r\n");
    SaveChoice(QStringLiteral("a=b"));

    SubCategory->SetFolder(Folder());
    EXPECT_EQ(SubCategory->Names->Lines(), QStringList{QStringLiteral("Kanji")});
    const QString log = Log();
    EXPECT_EQ(log.count(QStringLiteral("TSubCategory.SetFolder")), 3) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("\"a=b.sub\""))) << log.toStdString();

    int selIndex = 0;
    EXPECT_EQ(NameValues(selIndex), QStringList{QStringLiteral("Kanji=6 ")});
    EXPECT_EQ(ComboChoice(), All); // the saved "a=b" is not among the offered names

    SubCategory->SaveAll(Lines({QStringLiteral("New=7 ")}), QStringLiteral("New"));
    EXPECT_EQ(SortedFiles(), (QStringList{QStringLiteral("Control.inf"), QStringLiteral("New.sub"),
                                          QStringLiteral("a=b.sub"), QString::fromUtf8("caf\xc3\xa9.sub"),
                                          All + QStringLiteral(".sub")}));
    EXPECT_EQ(ReadFile(QStringLiteral("a=b.sub")), QByteArray("1,2 \r\n"));
    EXPECT_EQ(ReadFile(QString::fromUtf8("caf\xc3\xa9.sub")), QByteArray("3,4\r\n"));
    EXPECT_EQ(ReadFile(All + QStringLiteral(".sub")), QByteArray("5\r\n"));
}

TEST_F(SubsetNames, SaveAllRefusesUnusableNamesBeforeWritingAnything)
{
    WriteFile(QStringLiteral("Kanji.sub"), "1\r\n");
    SaveChoice(QStringLiteral("Kanji"));
    for (const QString& name : {QStringLiteral("a/b"), QStringLiteral("café"), All, QStringLiteral(".."),
                                QStringLiteral(" ")}) {
        TStringList list = Lines({QStringLiteral("ok=1")});
        list.Add(name + QStringLiteral("=2"));
        EXPECT_THROW(SubCategory->SaveAll(list, QStringLiteral("ok")), Exception) << name.toStdString();
    }
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("Control.inf"), QStringLiteral("Kanji.sub")}));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Kanji"));
}

TEST_F(SubsetNames, NamesWithBlanksOrQuotesAroundThemSurviveControlInfAndTheHistory)
{
    struct Case {
        QString name;
        QByteArray stored;
    };
    const std::vector<Case> cases = {
        {QStringLiteral(" lead"), "Index=\" lead\""},
        {QStringLiteral("  Verbs 1  "), "Index=\"  Verbs 1  \""},
        {QStringLiteral("\"quoted\""), "Index=\"\"quoted\"\""},
        {QStringLiteral("'single'"), "Index=\"'single'\""},
        {QStringLiteral("Kanji"), "Index=Kanji"}, // plain names stay as they were written
        {QStringLiteral("\"half"), "Index=\"half"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        WriteFile(c.name + QStringLiteral(".sub"), "5,6\r\n");
        SubCategory->SaveSelection(c.name);
        EXPECT_TRUE(ControlInfBytes().contains(c.stored + "\r\n")) << ControlInfBytes().toStdString();
        EXPECT_EQ(SubCategory->GetSelectedName(), c.name);
        EXPECT_EQ(ComboChoice(), c.name);
        TStringList numbers;
        SubCategory->GetQuestionNumbers(numbers);
        EXPECT_EQ(numbers.Lines(), (QStringList{QStringLiteral("5"), QStringLiteral("6")}));
        int selIndex = -1;
        const QStringList lines = NameValues(selIndex);
        ASSERT_GE(selIndex, 0);
        EXPECT_EQ(lines[selIndex], c.name + QStringLiteral("=5,6"));

        // A history row filed under the saved name is found under it again.
        UnitHistoryControlClass->CreateInstance(Folder());
        UnitHistoryControl->AddRecord(10, 1, SubCategory->GetSelectedName(), 46000.0, -0.0001, 10, 8, 6);
        UnitHistoryControlClass->CreateInstance(Folder()); // writes the row and reads it back
        TStringList statistics;
        UnitHistoryControl->GetStatistics(10, 1, c.name, statistics);
        EXPECT_EQ(statistics.Values(QStringLiteral("TestCount")), QStringLiteral("1"));
        QFile::remove(Folder() + QStringLiteral("UnitHistory.cds"));
        QFile::remove(Folder() + c.name + QStringLiteral(".sub"));
    }
}

TEST_F(SubsetNames, ARenameInLetterCaseOnlyMovesTheFileToTheNewSpelling)
{
    WriteFile(QStringLiteral("abc.sub"), "1,2 \r\n");
    WriteFile(QStringLiteral("Other.SUB"), "3 \r\n");
    SaveChoice(QStringLiteral("abc"));
    SubCategory->SaveAll(Lines({QStringLiteral("ABC=1,2 "), QStringLiteral("Other=3,4 ")}), QStringLiteral("ABC"));
    EXPECT_EQ(SortedFiles(), (QStringList{QStringLiteral("ABC.sub"), QStringLiteral("Control.inf"),
                                    QStringLiteral("Other.SUB")}));
    EXPECT_EQ(ReadFile(QStringLiteral("ABC.sub")), QByteArray("1,2 \r\n"));
    EXPECT_EQ(ReadFile(QStringLiteral("Other.SUB")), QByteArray("3,4 \r\n")); // its extension kept
    EXPECT_EQ(SavedChoice(), QStringLiteral("ABC"));
    int selIndex = -1;
    EXPECT_EQ(NameValues(selIndex), (QStringList{QStringLiteral("ABC=1,2 "), QStringLiteral("Other=3,4 ")}));
    EXPECT_EQ(selIndex, 0);
    EXPECT_EQ(ComboChoice(), QStringLiteral("ABC"));
}

TEST_F(SubsetNames, NamesThatDifferOnlyInCaseStayApart)
{
    WriteFile(QStringLiteral("Kanji.sub"), "1 \r\n");
    WriteFile(QStringLiteral("kanji.sub"), "2 \r\n");
    SaveChoice(QStringLiteral("kanji"));
    EXPECT_EQ(ComboChoice(), QStringLiteral("kanji")); // the exact spelling is preferred
    SaveChoice(QStringLiteral("KANJI"));
    EXPECT_EQ(ComboChoice(), QStringLiteral("Kanji")); // else the first ignoring case

    SubCategory->SaveAll(Lines({QStringLiteral("Kanji=1,5 "), QStringLiteral("kanji=2,6 "),
                                QStringLiteral("kanji=9 ")}),
                         QStringLiteral("kanji"));
    EXPECT_EQ(SortedFiles(), (QStringList{QStringLiteral("Control.inf"), QStringLiteral("Kanji.sub"),
                                          QStringLiteral("kanji.sub")}));
    EXPECT_EQ(ReadFile(QStringLiteral("Kanji.sub")), QByteArray("1,5 \r\n"));
    EXPECT_EQ(ReadFile(QStringLiteral("kanji.sub")), QByteArray("2,6 \r\n")); // the first of equal names
    TStringList numbers;
    SubCategory->GetQuestionNumbers(numbers);
    EXPECT_EQ(numbers.Lines(), (QStringList{QStringLiteral("2"), QStringLiteral("6")}));
}

TEST_F(SubsetNames, AFailedWriteKeepsTheOldFilesAndTheOldChoice)
{
    WriteFile(QStringLiteral("a.sub"), "1\r\n");
    WriteFile(QStringLiteral("b.sub"), "2\r\n");
    SaveChoice(QStringLiteral("a"));
    program_.MakeDir(QStringLiteral("VEKTest/c.sub")); // no file can take its place
    EXPECT_THROW(SubCategory->SaveAll(Lines({QStringLiteral("a=7"), QStringLiteral("c=8")}), QStringLiteral("c")),
                 Exception);
    EXPECT_EQ(ReadFile(QStringLiteral("b.sub")), QByteArray("2\r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("a"));
}
