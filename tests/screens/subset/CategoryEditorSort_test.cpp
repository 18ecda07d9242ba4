// The subset editor's sorting by a column header, and the row order it sorts by.
#include "tests/screens/subset/CategoryEditorSupport.h"

namespace {

class Sorting : public CategoryEditor {};

TListItem QuestionRow(int no, const QString& question, const QString& rate = QStringLiteral("- %"))
{
    TListItem row;
    row.Caption = QStringLiteral("%1").arg(no, 3);
    row.SubItems = {question, QStringLiteral("a"), "0", "0", "0", rate, rate};
    return row;
}

} // namespace

TEST_F(Sorting, TheFirstClickOnTheNumberSortsDescendingAndTheNextAscending)
{
    WriteTextCategory(std::vector<int>{3, 12, 7, 40});
    WriteSubset(QStringLiteral("Set"), QStringLiteral("12,3,40,7\r\n"));
    Open();
    Run([&] {
        ClickHeader(LeftList(), 1); // first click on another column: ascending
        ClickHeader(RightList(), 0);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{40, 12, 7, 3}));
        ClickHeader(RightList(), 0);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{3, 7, 12, 40}));
        ClickHeader(RightList(), 0);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{40, 12, 7, 3}));
        ClickHeader(RightList(), 1); // "問題": q12, q3, q40, q7 by character codes
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{12, 3, 40, 7}));
        Click(Form().btnSetting); // the sorted order is the subset's order
    });
    EXPECT_EQ(Bytes(QStringLiteral("Set.sub")), QByteArray("12,3,40,7 \r\n"));
}

TEST_F(Sorting, TheCorrectRatePutsUntestedQuestionsFirstAndBreaksTiesByNumber)
{
    WriteTextCategory(6);
    // 1: 50%, 2: untested, 3: 0%, 4: untested, 5: 50%, 6: 100%
    WriteReplies({{5, 2, 1, 0}, {1, 4, 2, 1}, {3, 1, 0, 0}, {6, 1, 1, 1}});
    Open();
    Run([&] {
        ClickHeader(LeftList(), 6); // "正解率"
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{2, 4, 3, 1, 5, 6}));
        ClickHeader(LeftList(), 6);
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{6, 1, 5, 3, 2, 4}));
        ClickHeader(LeftList(), 3); // "回数": 0, 0, 1, 1, 2, 4
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{2, 4, 3, 6, 5, 1}));
        Key(Qt::Key_Escape);
    });
}

TEST_F(Sorting, ComparingRowsIsOneOrderForAnyMixOfTexts)
{
    const std::vector<TListItem> rows = {
        QuestionRow(1, "10"), QuestionRow(2, "9"), QuestionRow(3, "1a"), QuestionRow(4, "b"),
        QuestionRow(5, ""),   QuestionRow(6, "9"), QuestionRow(7, "-4"), QuestionRow(8, "B")};
    for (const bool ascending : {true, false}) {
        SortAscending = ascending;
        SortColumn = 1; // "問題"
        // Irreflexive, asymmetric and transitive, ties broken by the number.
        for (const TListItem& a : rows) {
            EXPECT_EQ(CompareQuestionRows(a, a), 0);
            for (const TListItem& b : rows) {
                EXPECT_EQ(CompareQuestionRows(a, b) < 0, CompareQuestionRows(b, a) > 0);
                for (const TListItem& c : rows) {
                    if (CompareQuestionRows(a, b) < 0 && CompareQuestionRows(b, c) < 0) {
                        EXPECT_LT(CompareQuestionRows(a, c), 0);
                    }
                }
            }
        }
        std::vector<int> order;
        std::vector<const TListItem*> sorted;
        for (const TListItem& row : rows)
            sorted.push_back(&row);
        std::sort(sorted.begin(), sorted.end(),
                  [](const TListItem* a, const TListItem* b) { return CompareQuestionRows(*a, *b) < 0; });
        for (const TListItem* row : sorted)
            order.push_back(Trim(row->Caption).toInt());
        // Whole numbers by value, then the other texts by their codes; descending reverses
        // that, but equal texts still go by ascending number.
        EXPECT_EQ(order, (ascending ? std::vector<int>{7, 2, 6, 1, 5, 3, 8, 4}
                                    : std::vector<int>{4, 8, 3, 5, 1, 2, 6, 7}));
    }
    SortAscending = true;
    SortColumn = 0;
}

TEST_F(Sorting, RatesCompareAsNumbersWithUntestedAsMinusOne)
{
    SortAscending = true;
    SortColumn = 6; // "正解率"
    EXPECT_LT(CompareQuestionRows(QuestionRow(9, "q", "- %"), QuestionRow(1, "q", "0%")), 0);
    EXPECT_LT(CompareQuestionRows(QuestionRow(1, "q", "9%"), QuestionRow(2, "q", "10%")), 0);
    EXPECT_GT(CompareQuestionRows(QuestionRow(3, "q", "50%"), QuestionRow(2, "q", "50%")), 0);
    SortAscending = false;
    EXPECT_GT(CompareQuestionRows(QuestionRow(3, "q", "50%"), QuestionRow(2, "q", "50%")), 0);
    EXPECT_GT(CompareQuestionRows(QuestionRow(1, "q", "9%"), QuestionRow(2, "q", "10%")), 0);
    SortAscending = true;
    SortColumn = 0;
}
