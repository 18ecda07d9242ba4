#include "tests/data/USubCategoryTestSupport.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/vcl/ComboBox.h"

namespace {

class Subsets : public SubsetFolder {
protected:
    QStringList Numbers()
    {
        TStringList list;
        list.Add(QStringLiteral("left over"));
        SubCategory->GetQuestionNumbers(list);
        return list.Lines();
    }
    QStringList NameValues(int& selIndex)
    {
        TStringList list;
        list.Add(QStringLiteral("left over"));
        SubCategory->GetNameValueList(list, selIndex);
        return list.Lines();
    }
    static TStringList Lines(const QStringList& lines)
    {
        TStringList list;
        for (const QString& line : lines)
            list.Add(line);
        return list;
    }
};

const QString All = QStringLiteral("全ての問題");

} // namespace

TEST_F(Subsets, ComboBoxListsEveryQuestionsFirstAndSelectsTheSavedChoiceIgnoringCase)
{
    TComboBox combo;
    int changes = 0;
    combo.OnChange = [&] { ++changes; };
    combo.SetItems({QStringLiteral("stale")});
    SubCategory->FillComboBox(combo);
    EXPECT_EQ(combo.Items(), QStringList{All});
    EXPECT_EQ(combo.ItemIndex(), 0);

    WriteFile(QStringLiteral("Verbs.sub"), "1\r\n");
    WriteFile(QStringLiteral("Kanji.SUB"), "2\r\n");
    SaveChoice(QStringLiteral("kanji"));
    SubCategory->FillComboBox(combo);
    EXPECT_EQ(combo.Items(), (QStringList{All, QStringLiteral("Kanji"), QStringLiteral("Verbs")}));
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(SubCategory->Names->Lines(), (QStringList{QStringLiteral("Kanji"), QStringLiteral("Verbs")}));

    SaveChoice(QStringLiteral("Deleted"));
    SubCategory->FillComboBox(combo);
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(Subsets, NameValueListCarriesTheFirstLinesAndFindsTheChoiceWithItsCase)
{
    int selIndex = 7;
    EXPECT_TRUE(NameValues(selIndex).isEmpty());
    EXPECT_EQ(selIndex, 7);

    WriteFile(QStringLiteral("Kanji.sub"), "3,1,12 \r\nsecond line\r\n");
    WriteFile(QStringLiteral("empty.sub"), " \r\n");
    WriteFile(QStringLiteral("zero.sub"), "");
    SaveChoice(QStringLiteral("kanji"));
    const QStringList expected{QStringLiteral("empty= "), QStringLiteral("Kanji=3,1,12 "),
                               QStringLiteral("zero=")};
    EXPECT_EQ(NameValues(selIndex), expected);
    EXPECT_EQ(selIndex, 7); // the comparison keeps letter case

    SaveChoice(QStringLiteral("Kanji"));
    NameValues(selIndex);
    EXPECT_EQ(selIndex, 1);
    SaveChoice(All);
    selIndex = 5;
    NameValues(selIndex);
    EXPECT_EQ(selIndex, 5);
}

TEST_F(Subsets, QuestionNumbersFollowTheCommaTextRules)
{
    WriteFile(QStringLiteral("Mixed.sub"), "5, 3,5 ,,9,\r\n");
    SaveChoice(QStringLiteral("mixed"));
    EXPECT_EQ(Numbers(), (QStringList{QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("5"),
                                      QString(), QStringLiteral("9"), QString()}));

    WriteFile(QStringLiteral("Mixed.sub"), "\t1 2,\"3\"  , 4 \r\n8\r\n");
    EXPECT_EQ(Numbers(), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                      QStringLiteral("4")}));
}

TEST_F(Subsets, NoEntriesMeanEveryQuestionInStoredOrder)
{
    WriteAnswerFile(Folder(), {12, 3, 40});
    const QStringList all{QStringLiteral("12"), QStringLiteral("3"), QStringLiteral("40")};
    EXPECT_EQ(Numbers(), all); // nothing saved

    SaveChoice(All);
    EXPECT_EQ(Numbers(), all);
    SaveChoice(QStringLiteral("Deleted"));
    EXPECT_EQ(Numbers(), all);
    WriteFile(QStringLiteral("Empty.sub"), " \r\n");
    SaveChoice(QStringLiteral("Empty"));
    EXPECT_EQ(Numbers(), all);
    WriteFile(QStringLiteral("Empty.sub"), "\r\n40\r\n");
    EXPECT_EQ(Numbers(), all); // the blank first line is the whole subset
}

TEST_F(Subsets, NoEntriesAndNoAnswerFileRaise)
{
    SaveChoice(All);
    EXPECT_THROW(Numbers(), Exception);
    WriteFile(QStringLiteral("Answer.cds"), "damaged");
    EXPECT_THROW(Numbers(), Exception);
}

TEST_F(Subsets, SaveAllReplacesTheSubsetFilesAndTheChoice)
{
    WriteFile(QStringLiteral("Old.sub"), "1\r\n");
    WriteFile(QStringLiteral("Kanji.SUB"), "2\r\nsecond line\r\n");
    WriteFile(QStringLiteral("Answer.cds"), "kept");
    SaveChoice(QStringLiteral("Old"));

    SubCategory->SaveAll(Lines({QStringLiteral("Kanji=2 "), QStringLiteral("New=3,1,12 "),
                                QStringLiteral("Empty= "), QStringLiteral("Kanji=99")}),
                         QStringLiteral("New"));
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("Answer.cds"), QStringLiteral("Control.inf"),
                                    QStringLiteral("Empty.sub"), QStringLiteral("Kanji.SUB"),
                                    QStringLiteral("New.sub")}));
    EXPECT_EQ(ReadFile(QStringLiteral("Kanji.SUB")), QByteArray("2 \r\n")); // the first of equal names
    EXPECT_EQ(ReadFile(QStringLiteral("New.sub")), QByteArray("3,1,12 \r\n"));
    EXPECT_EQ(ReadFile(QStringLiteral("Empty.sub")), QByteArray(" \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("New"));
}

TEST_F(Subsets, SaveAllOfNamesEqualButForCaseLeavesOneFileEach)
{
    WriteFile(QStringLiteral("kanji.sub"), "1\r\n");
    WriteFile(QStringLiteral("Kanji.sub"), "2\r\n");
    SubCategory->SaveAll(Lines({QStringLiteral("Kanji=5")}), QStringLiteral("Kanji"));
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("Control.inf"), QStringLiteral("Kanji.sub")}));
    EXPECT_EQ(ReadFile(QStringLiteral("Kanji.sub")), QByteArray("5\r\n"));
}

TEST_F(Subsets, SaveAllOfAnEmptyListDeletesEverySubsetFile)
{
    WriteFile(QStringLiteral("a.sub"), "1\r\n");
    WriteFile(QStringLiteral("B.Sub"), "2\r\n");
    WriteFile(QStringLiteral("Question.cds"), "kept");
    SaveChoice(QStringLiteral("a"));
    SubCategory->SaveAll(TStringList(), QString());
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("Control.inf"), QStringLiteral("Question.cds")}));
    EXPECT_EQ(SavedChoice(), QString());
}

TEST_F(Subsets, AFailedWriteOfSaveAllRaisesWithTheOldFilesInPlace)
{
    WriteFile(QStringLiteral("a.sub"), "1\r\n");
    WriteFile(QStringLiteral("b.sub"), "2\r\n");
    const TStringList list = Lines({QStringLiteral("a=7"), QString(300, u'x') + QStringLiteral("=8")});
    EXPECT_THROW(SubCategory->SaveAll(list, QStringLiteral("a")), Exception);
    EXPECT_EQ(ReadFile(QStringLiteral("b.sub")), QByteArray("2\r\n"));
    EXPECT_TRUE(Files().contains(QStringLiteral("a.sub")));
}

TEST_F(Subsets, SaveAllRefusesNamesThatLeaveTheFolder)
{
    WriteFile(QStringLiteral("a.sub"), "1\r\n");
    SaveChoice(QStringLiteral("a"));
    for (const QString& name : {QStringLiteral("../escape"), QStringLiteral("..\\escape"),
                                QStringLiteral("sub/dir")}) {
        EXPECT_THROW(SubCategory->SaveAll(Lines({QStringLiteral("ok=1"), name + QStringLiteral("=2")}),
                                          QStringLiteral("ok")),
                     Exception);
        EXPECT_EQ(Files(), (QStringList{QStringLiteral("Control.inf"), QStringLiteral("a.sub")}));
        EXPECT_EQ(SavedChoice(), QStringLiteral("a"));
    }
    EXPECT_TRUE(QDir(program_.Path()).entryList({QStringLiteral("*.sub")}).isEmpty());
}

TEST_F(Subsets, ARoundTripThroughTheEditorsListDropsSecondLines)
{
    WriteFile(QStringLiteral("Kanji.sub"), "3,1 \r\n4,5\r\n");
    TStringList list;
    int selIndex = 0;
    SubCategory->GetNameValueList(list, selIndex);
    SubCategory->SaveAll(list, QStringLiteral("Kanji"));
    EXPECT_EQ(ReadFile(QStringLiteral("Kanji.sub")), QByteArray("3,1 \r\n"));
    SaveChoice(QStringLiteral("KANJI"));
    EXPECT_EQ(Numbers(), (QStringList{QStringLiteral("3"), QStringLiteral("1")}));
}
