// The subset editor opening: its form, the subset it starts on, the rows of both lists
// with their statistics, and what Esc and "設　定" write.
#include "tests/screens/subset/CategoryEditorSupport.h"

namespace {

using Opening = CategoryEditor;

const QString All = QStringLiteral("全ての問題");

} // namespace

TEST_F(Opening, WithoutSubsetFilesOffersANewSubsetThatSettingWritesWithOneBlank)
{
    WriteTextCategory(3);
    Open();
    const int result = Run([&] {
        EXPECT_EQ(Form().Caption(), QStringLiteral("カテゴリー作成"));
        EXPECT_EQ(Form().ClientWidth(), 973);
        EXPECT_EQ(Form().ClientHeight(), 515);
        EXPECT_EQ(Form().lblQuestion->text(), QStringLiteral("問題一覧"));
        EXPECT_EQ(Form().lblCategory->text(), QStringLiteral("選択問題"));
        EXPECT_FALSE(Form().imgMenu->IsEmpty());
        EXPECT_EQ(Subsets(), QStringList{NewSubsetName});
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{1, 2, 3}));
        EXPECT_TRUE(Shown(RightList()).empty());
        EXPECT_TRUE(LeftList().hasFocus());
        Click(Form().btnSetting);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(SubsetFiles(), QStringList{NewSubsetName + QStringLiteral(".sub")});
    EXPECT_EQ(Bytes(NewSubsetName + QStringLiteral(".sub")), QByteArray(" \r\n"));
    EXPECT_EQ(SavedChoice(), NewSubsetName);
}

TEST_F(Opening, BothListsHaveTheEightColumns)
{
    WriteTextCategory(1);
    Open();
    Run([&] {
        for (TListView* list : {&LeftList(), &RightList()}) {
            ASSERT_EQ(list->ColumnCount(), 8);
            QStringList captions;
            for (int i = 0; i < 8; ++i)
                captions << list->Column(i).Caption();
            EXPECT_EQ(captions, (QStringList{"番号", "問題", "答え", "回数", "正解数", "合格数", "正解率", "合格率"}));
            EXPECT_EQ(list->Column(0).Width(), 40);
            EXPECT_EQ(list->Column(1).MinWidth(), 50);
            EXPECT_EQ(list->Column(2).Alignment(), TAlignment::taLeftJustify);
            EXPECT_EQ(list->Column(7).Alignment(), TAlignment::taRightJustify);
            EXPECT_EQ(list->Column(7).MaxWidth(), 300);
            EXPECT_TRUE(list->MultiSelect());
            EXPECT_TRUE(list->OwnerData());
            EXPECT_EQ(list->Tag(), 0);
        }
        Key(Qt::Key_Escape);
    });
}

TEST_F(Opening, TheSavedChoiceOrElseTheFirstSubsetIsCurrent)
{
    WriteTextCategory(3);
    WriteSubset(QStringLiteral("Alpha"), QStringLiteral("1 \r\n"));
    WriteSubset(QStringLiteral("Beta"), QStringLiteral("2,3 \r\n"));
    Open();
    const std::vector<std::pair<QString, int>> cases = {
        {All, 0}, {QStringLiteral("Beta"), 1}, {QStringLiteral("Gone"), 0}, {QStringLiteral("beta"), 0}};
    for (const auto& [choice, current] : cases) {
        SCOPED_TRACE(choice.toStdString());
        SaveChoice(choice);
        const int result = Run([&, current = current] {
            EXPECT_EQ(Subsets(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
            EXPECT_EQ(Form().cmbCategory->ItemIndex(), current);
            EXPECT_EQ(Shown(RightList()), (current == 0 ? std::vector<int>{1} : std::vector<int>{2, 3}));
            Click(Form().btnRightAll); // changes that Esc throws away
            Key(Qt::Key_Escape);
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(SavedChoice(), choice);
        EXPECT_EQ(Bytes(QStringLiteral("Alpha.sub")), QByteArray("1 \r\n"));
        EXPECT_EQ(Bytes(QStringLiteral("Beta.sub")), QByteArray("2,3 \r\n"));
    }
}

TEST_F(Opening, TheRightListFollowsTheSubsetOrderAndTakesEachQuestionOnce)
{
    WriteTextCategory(std::vector<int>{41, 3, 40, 12});
    WriteSubset(QStringLiteral("Order"), QStringLiteral("12,3,40\r\n"));
    WriteSubset(QStringLiteral("Twice"), QStringLiteral("40,x,0,-3,99,,40, 12 \r\n"));
    Open();
    Run([&] {
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{12, 3, 40}));
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{41}));
        ChooseSubset(1);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{40, 12}));
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{3, 41})); // ascending number
        Click(Form().btnSetting);
    });
    // Entries that name no text question are gone once the editor has written.
    EXPECT_EQ(Bytes(QStringLiteral("Twice.sub")), QByteArray("40,12 \r\n"));
    EXPECT_EQ(Bytes(QStringLiteral("Order.sub")), QByteArray("12,3,40 \r\n"));
    EXPECT_EQ(SavedChoice(), QStringLiteral("Twice"));
}

TEST_F(Opening, QuestionsThatAreNotTextAreInNeitherListAndDroppedAtSetting)
{
    WriteRows(QStringLiteral("Question.cds"), {{1, 1, "q1"}, {2, 2, "pic.bmp"}, {3, 1, "q3"}, {4, 3, "s.wav"}});
    WriteRows(QStringLiteral("Answer.cds"), {{1, 1, "a1"}, {2, 2, "a.bmp"}, {3, 1, "a3"}, {4, 1, "a4"}});
    WriteSubset(QStringLiteral("Mixed"), QStringLiteral("4,2,3\r\n"));
    Open();
    const int result = Run([&] {
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{3}));
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{1}));
        ASSERT_TRUE(LeftList().hasFocus());
        Key(Qt::Key_Return); // the list leaves Enter to "設　定"
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Bytes(QStringLiteral("Mixed.sub")), QByteArray("3 \r\n"));
}

TEST_F(Opening, QuestionsAndAnswersArePairedByNumber)
{
    // Question 2 has no text answer and answer 5 no question: neither shows, and no text
    // stands beside another question's number.
    WriteRows(QStringLiteral("Question.cds"), {{4, 1, "q4"}, {1, 1, "q1"}, {2, 1, "q2"}, {3, 1, "q3"}});
    WriteRows(QStringLiteral("Answer.cds"), {{1, 1, "a1"}, {3, 1, "a3"}, {5, 1, "a5"}, {4, 1, "a4"}});
    Open();
    Run([&] {
        ASSERT_EQ(Shown(LeftList()), (std::vector<int>{1, 3, 4}));
        EXPECT_EQ(RowText(LeftList(), 1), QStringLiteral("  3|q3|a3|0|0|0|- %|- %"));
        EXPECT_EQ(RowText(LeftList(), 2), QStringLiteral("  4|q4|a4|0|0|0|- %|- %"));
        Key(Qt::Key_Escape);
    });
}

TEST_F(Opening, RowsShowTheStatisticsOfTheReplies)
{
    WriteTextCategory(3);
    WriteReplies({{1, 4, 3, 1}, {3, 3, 0, 0}});
    WriteSubset(QStringLiteral("Some"), QStringLiteral("3\r\n"));
    Open();
    Run([&] {
        EXPECT_EQ(RowText(LeftList(), 0), QStringLiteral("  1|q1|a1|4|3|1|75%|25%"));
        EXPECT_EQ(RowText(LeftList(), 1), QStringLiteral("  2|q2|a2|0|0|0|- %|- %"));
        EXPECT_EQ(RowText(RightList(), 0), QStringLiteral("  3|q3|a3|3|0|0|0%|0%"));
        Key(Qt::Key_Escape);
    });
}
