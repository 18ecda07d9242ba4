#include "data/UConst.h"
#include "platform/core/Checked.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/datetime/DateTime.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Ansi.h"
#include "platform/text/Convert.h"
#include "tests/support/CategoryFiles.h"
#include "tests/support/ProgramFolder.h"

#include <QFileInfo>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

class Categories : public testing::Test {
protected:
    void MakeCategory(const QString& name, bool answer = true, bool question = true)
    {
        folder_.MakeDir(name);
        if (answer)
            folder_.Write(name + QStringLiteral("/Answer.cds"), "x");
        if (question)
            folder_.Write(name + QStringLiteral("/Question.cds"), "x");
    }
    QStringList Listed()
    {
        TStringList names;
        names.Add(QStringLiteral("left over"));
        ListCategoryFolders(names);
        return names.Lines();
    }

    TempProgramFolder folder_;
};

} // namespace

TEST_F(Categories, OnlyQualifyingFoldersAreListed)
{
    MakeCategory(QStringLiteral("vekAlgebra"));
    MakeCategory(QStringLiteral("VEK"));
    MakeCategory(QStringLiteral("VEK "));
    MakeCategory(QStringLiteral("VEK\t"));
    MakeCategory(QStringLiteral("VEKQuestionsOnly"), false, true);
    MakeCategory(QStringLiteral("VEKAnswersOnly"), true, false);
    MakeCategory(QStringLiteral(".VEKhidden"));
    MakeCategory(QStringLiteral("XVEKname"));
    MakeCategory(QStringLiteral("ＶＥＫfullwidth"));
    folder_.Write(QStringLiteral("VEKfile"), "not a folder");
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("vekAlgebra")});
}

TEST_F(Categories, DatasetFileNamesMatchInAnyCase)
{
    folder_.MakeDir(QStringLiteral("VEKwindows"));
    folder_.Write(QStringLiteral("VEKwindows/ANSWER.CDS"), "x");
    folder_.Write(QStringLiteral("VEKwindows/question.cds"), "x");
    EXPECT_TRUE(IsCategoryFolder(folder_.Path() + QStringLiteral("VEKwindows")));
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("VEKwindows")});
}

TEST_F(Categories, AreSortedIgnoringCase)
{
    MakeCategory(QStringLiteral("VEKc"));
    MakeCategory(QStringLiteral("VEKa"));
    MakeCategory(QStringLiteral("VEKB"));
    MakeCategory(QStringLiteral("Veka2"));
    EXPECT_EQ(Listed(), (QStringList{QStringLiteral("VEKa"), QStringLiteral("Veka2"),
                                     QStringLiteral("VEKB"), QStringLiteral("VEKc")}));
}

TEST_F(Categories, AProgramFolderThatCannotBeReadListsNothing)
{
    MakeCategory(QStringLiteral("VEKa"));
    SetAppDirOverride(folder_.Path() + QStringLiteral("gone/"));
    EXPECT_TRUE(Listed().isEmpty());
    SetAppDirOverride(folder_.Path());
    EXPECT_FALSE(IsCategoryFolder(folder_.Path() + QStringLiteral("gone")));
}

namespace {

// An Answer.cds of the given number of text answers.
void WriteAnswers(const QString& path, int rows)
{
    std::vector<TRecordRow> answers;
    for (int no = 1; no <= rows; ++no)
        answers.push_back({no, 1, QStringLiteral("答え%1").arg(no)});
    WriteRecordFile(path, answers);
}

} // namespace

TEST_F(Categories, TheQuestionCountIsTheNumberOfAnswerRows)
{
    folder_.MakeDir(QStringLiteral("VEKa"));
    EXPECT_EQ(GetAnswerRecordCount(folder_.Path() + QStringLiteral("VEKa/")), 0);
    WriteAnswers(folder_.FilePath(QStringLiteral("VEKa/answer.CDS")), 3);
    EXPECT_EQ(GetAnswerRecordCount(folder_.Path() + QStringLiteral("VEKa/")), 3);
    WriteAnswers(folder_.FilePath(QStringLiteral("VEKa/answer.CDS")), 0);
    EXPECT_EQ(GetAnswerRecordCount(folder_.Path() + QStringLiteral("VEKa/")), 0);
}

TEST_F(Categories, ADamagedAnswerFileRaises)
{
    folder_.Write(QStringLiteral("VEKa/Answer.cds"), "not a data packet");
    EXPECT_THROW(GetAnswerRecordCount(folder_.Path() + QStringLiteral("VEKa/")), EDataSetError);
}

namespace {

class MenuKeys : public testing::Test {
protected:
    void SetUp() override
    {
        SetNowFunction([] { return EncodeDateTime(2011, 5, 12, 14, 3, 9, 0); });
    }
    void TearDown() override { ResetNowFunction(); }
    QByteArray MenuInf() const { return folder_.Read(QStringLiteral("Menu.inf")); }

    TempProgramFolder folder_;
};

} // namespace

TEST_F(MenuKeys, ACategoryWithoutKeysHasTheDefaults)
{
    EXPECT_TRUE(GetCategoryVisible(QStringLiteral("英単語")));
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("英単語")), 0);
    EXPECT_EQ(GetCategoryUpdated(QStringLiteral("英単語")), QStringLiteral("-"));
    EXPECT_FALSE(QFileInfo::exists(folder_.FilePath(QStringLiteral("Menu.inf"))));
}

TEST_F(MenuKeys, VisibilityIsStoredAsOneOrZero)
{
    SetCategoryVisible(QStringLiteral("英単語"), false);
    EXPECT_EQ(MenuInf(), EncodeAnsi(QStringLiteral("[表示]\r\n英単語=0\r\n")));
    EXPECT_FALSE(GetCategoryVisible(QStringLiteral("英単語")));
    SetCategoryVisible(QStringLiteral("英単語"), true);
    EXPECT_TRUE(GetCategoryVisible(QStringLiteral("英単語")));
    folder_.Write(QStringLiteral("Menu.inf"), EncodeAnsi(QStringLiteral("[表示]\r\n英単語=2\r\n")));
    EXPECT_TRUE(GetCategoryVisible(QStringLiteral("英単語")));
}

TEST_F(MenuKeys, CountingAUseWritesTheCountAndTheTime)
{
    CountCategorySelection(QStringLiteral("算数"));
    EXPECT_EQ(MenuInf(), EncodeAnsi(QStringLiteral("[選択回数]\r\n算数=1\r\n"
                                                   "[更新日時]\r\n算数=2011/05/12 14:03:09\r\n")));
    SetNowFunction([] { return EncodeDateTime(2012, 1, 2, 3, 4, 5, 0); });
    CountCategorySelection(QStringLiteral("算数"));
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("算数")), 2);
    EXPECT_EQ(GetCategoryUpdated(QStringLiteral("算数")), QStringLiteral("2012/01/02 03:04:05"));
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("理科")), 0);
}

TEST_F(MenuKeys, AMenuFileFromWindowsIsFoundInAnyCase)
{
    folder_.Write(QStringLiteral("MENU.INF"),
                  EncodeAnsi(QStringLiteral("[選択回数]\r\n算数=0x10\r\n[更新日時]\r\n算数=昨日\r\n")));
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("算数")), 16);
    EXPECT_EQ(GetCategoryUpdated(QStringLiteral("算数")), QStringLiteral("昨日"));
    CountCategorySelection(QStringLiteral("算数"));
    EXPECT_EQ(GetCategorySelectCount(QStringLiteral("算数")), 17);
    EXPECT_FALSE(QFileInfo::exists(folder_.FilePath(QStringLiteral("Menu.inf"))));
}

TEST_F(MenuKeys, ACountAtTheLargestIntegerIsNotWrappedAround)
{
    const QByteArray before = EncodeAnsi(QStringLiteral("[選択回数]\r\n算数=2147483647\r\n"));
    folder_.Write(QStringLiteral("Menu.inf"), before);
    EXPECT_THROW(CountCategorySelection(QStringLiteral("算数")), ERangeError);
    EXPECT_EQ(MenuInf(), before);
}

TEST(Formats, Percentages)
{
    EXPECT_EQ(FormatPercent(0, 0), QStringLiteral("- %"));
    EXPECT_EQ(FormatPercent(5, 0), QStringLiteral("- %"));
    EXPECT_EQ(FormatPercent(1, 3), QStringLiteral("33%"));
    EXPECT_EQ(FormatPercent(2, 3), QStringLiteral("67%"));
    EXPECT_EQ(FormatPercent(1, 8), QStringLiteral("13%"));
    EXPECT_EQ(FormatPercent(1, 200), QStringLiteral("1%"));
    EXPECT_EQ(FormatPercent(0, 5), QStringLiteral("0%"));
    EXPECT_EQ(FormatPercent(7, 5), QStringLiteral("140%"));
    EXPECT_EQ(FormatPercent(-1, 3), QStringLiteral("-33%"));

    EXPECT_EQ(FormatPercentStr(QStringLiteral("3"), QString()), QStringLiteral("- %"));
    EXPECT_EQ(FormatPercentStr(QString(), QStringLiteral("4")), QStringLiteral("0%"));
    EXPECT_EQ(FormatPercentStr(QStringLiteral("x"), QStringLiteral("4")), QStringLiteral("0%"));
    EXPECT_EQ(FormatPercentStr(QStringLiteral("1"), QStringLiteral("8")), QStringLiteral("13%"));
    EXPECT_EQ(FormatPercentStr(QStringLiteral("1"), QStringLiteral("zero")), QStringLiteral("- %"));
    // Counts are decimal: a hexadecimal text is not a count.
    EXPECT_EQ(FormatPercentStr(QStringLiteral("$1"), QStringLiteral("4")), QStringLiteral("0%"));
    EXPECT_EQ(FormatPercentStr(QStringLiteral("1"), QStringLiteral("0x4")), QStringLiteral("- %"));
}

TEST(Formats, PercentagesOfCountsAgreeWithTheNumberFormat)
{
    // Every ratio of counts up to 400, halves included (1/8, 3/200, ...): the figure is
    // the "#0%" number format's.
    for (int whole = -400; whole <= 400; ++whole) {
        for (int part = -std::abs(whole); whole != 0 && part <= std::abs(whole); ++part) {
            const QString expected = FormatFloat(QStringLiteral("#0%"), double(part) / double(whole) * 100.0);
            ASSERT_EQ(FormatPercent(part, whole), expected) << part << "/" << whole;
        }
    }
    EXPECT_EQ(FormatPercent(2147483647, 2147483647), QStringLiteral("100%"));
    EXPECT_EQ(FormatPercent(-2147483647 - 1, 2147483647), QStringLiteral("-100%"));
    EXPECT_EQ(FormatPercent(1, -2147483647 - 1), QStringLiteral("0%"));
}

TEST(Formats, Times)
{
    EXPECT_EQ(FormatMinSec(QString()), QStringLiteral("- 秒"));
    EXPECT_EQ(FormatMinSec(QStringLiteral(" \t")), QStringLiteral("- 秒"));
    EXPECT_EQ(FormatMinSec(DateTimeToStr(0.0015)), QStringLiteral("2分09秒"));
    EXPECT_EQ(FormatMinSec(QStringLiteral("1899/12/30 1:12:05")), QStringLiteral("12分05秒"));
    EXPECT_THROW(FormatMinSec(QStringLiteral("soon")), EConvertError);

    EXPECT_EQ(FormatDateTimeOrDash(QStringLiteral(" ")), QStringLiteral("-"));
    EXPECT_EQ(FormatDateTimeOrDash(QStringLiteral("2011/5/2 4:03:09")),
              QStringLiteral("2011/05/02 04:03:09"));
    EXPECT_EQ(FormatDateTimeOrDash(DateTimeToStr(EncodeDateTime(2011, 5, 12, 14, 3, 9, 0))),
              QStringLiteral("2011/05/12 14:03:09"));
    EXPECT_THROW(FormatDateTimeOrDash(QStringLiteral("2011/13/45")), EConvertError);
}

TEST(Formats, ShowableDateTimesAreTheValidOnesAtEveryEdge)
{
    const double ms = 1.0 / 86400000;
    std::vector<double> values = {0.0, -0.0, -1.25, 46000.5, std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                                  1e300, -1e300, std::numeric_limits<double>::denorm_min()};
    for (const double edge : {-693594.0, -693593.0, 2958465.0, 2958466.0})
        for (double step : {0.0, 0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 1e6, 2e7})
            for (double sign : {-1.0, 1.0})
                values.push_back(edge + sign * step * ms);
    for (const double value : values)
        EXPECT_EQ(IsShowableDateTime(value), IsValidDateTime(value)) << value;
}

TEST(Formats, ZeroIfBlank)
{
    EXPECT_EQ(ZeroIfBlank(QStringLiteral("  ")), QStringLiteral("0"));
    EXPECT_EQ(ZeroIfBlank(QString()), QStringLiteral("0"));
    EXPECT_EQ(ZeroIfBlank(QStringLiteral(" 5")), QStringLiteral(" 5"));
}

TEST(Formats, NumberFilter)
{
    TStringList numbers;
    EXPECT_EQ(BuildNoFilter(numbers), QString());
    numbers.Add(QStringLiteral("7"));
    EXPECT_EQ(BuildNoFilter(numbers), QStringLiteral("(NO=7)"));
    numbers.Clear();
    numbers.Add(QStringLiteral("3"));
    numbers.Add(QStringLiteral("12"));
    EXPECT_EQ(BuildNoFilter(numbers), QStringLiteral("(NO=3) or (NO=12)"));
}

TEST(HelpFiles, AreTheThreeLocalPagesByTag)
{
    EXPECT_EQ(HelpFiles[1], QStringLiteral("help\\guide.html"));
    EXPECT_EQ(HelpFiles[2], QStringLiteral("help\\flow.html"));
    EXPECT_EQ(HelpFiles[3], QStringLiteral("help\\info.html"));
    EXPECT_THROW(HelpFiles[0], ERangeError);
    EXPECT_THROW(HelpFiles[4], ERangeError);
}
