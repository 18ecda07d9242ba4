// The subset editor's moves of rows: the buttons and double-clicks between the lists,
// drag and drop between and within them, and up and down in the right list.
#include "tests/screens/subset/CategoryEditorSupport.h"

namespace {

class Moving : public CategoryEditor {
protected:
    // Questions 1..n, the subset "Set" holding `right` in that order.
    void Category(int n, const QString& right)
    {
        WriteTextCategory(n);
        WriteSubset(QStringLiteral("Set"), right + QStringLiteral("\r\n"));
        Open();
    }
};

} // namespace

TEST_F(Moving, ButtonsAndDoubleClicksMoveTheSelectedRowsToTheEndOfTheOtherList)
{
    Category(6, QStringLiteral("5"));
    const int result = Run([&] {
        SelectRows(LeftList(), {3, 0, 2}); // questions 4, 1, 3
        Click(Form().btnRight);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{5, 1, 3, 4})); // in list order
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{2, 6}));
        DoubleClickRow(LeftList(), 1);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{5, 1, 3, 4, 6}));

        SelectRows(RightList(), {0, 2});
        Click(Form().btnLeft);
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{2, 5, 3})); // appended, not sorted
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 4, 6}));
        DoubleClickRow(RightList(), 0);
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{2, 5, 3, 1}));

        Click(Form().btnRightAll);
        EXPECT_TRUE(Shown(LeftList()).empty());
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{4, 6, 2, 5, 3, 1}));
        Click(Form().btnLeftAll);
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{4, 6, 2, 5, 3, 1}));
        EXPECT_TRUE(Shown(RightList()).empty());
        SelectRows(LeftList(), {2, 0});
        Click(Form().btnRight);
        Click(Form().btnSetting);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Bytes(QStringLiteral("Set.sub")), QByteArray("4,2 \r\n"));
}

TEST_F(Moving, RowsDraggedWithinTheRightListLandBeforeTheRowUnderTheCursor)
{
    Category(7, QStringLiteral("1,2,3,4,5,6,7"));
    Run([&] {
        SelectRows(RightList(), {4, 5}); // questions 5 and 6
        Drag(RightList(), 4, RightList(), RowCentre(RightList(), 1));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 5, 6, 2, 3, 4, 7}));
        EXPECT_TRUE(Shown(LeftList()).empty());
        Click(Form().btnSetting);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Set.sub")), QByteArray("1,5,6,2,3,4,7 \r\n"));
}

TEST_F(Moving, DroppingWithinTheRightListMovesDownwardsAsUpwards)
{
    Category(7, QStringLiteral("1,2,3,4,5,6,7"));
    Run([&] {
        SelectRows(RightList(), {1, 2}); // questions 2 and 3
        Drag(RightList(), 2, RightList(), RowCentre(RightList(), 5));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 4, 5, 2, 3, 6, 7}));
        // Onto one of the dragged rows: they stay where they were.
        SelectRows(RightList(), {3, 4});
        Drag(RightList(), 3, RightList(), RowCentre(RightList(), 4));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 4, 5, 2, 3, 6, 7}));
        // Below the last row: appended at the end.
        SelectRows(RightList(), {0});
        Drag(RightList(), 0, RightList(), QPoint(20, RightList().viewport()->height() - 5));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{4, 5, 2, 3, 6, 7, 1}));
        Click(Form().btnSetting);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Set.sub")), QByteArray("4,5,2,3,6,7,1 \r\n"));
}

TEST_F(Moving, DraggingBetweenTheListsInsertsAtTheRowOrAppends)
{
    Category(6, QStringLiteral("5,6"));
    Run([&] {
        SelectRows(LeftList(), {1, 3}); // questions 2 and 4
        Drag(LeftList(), 1, RightList(), RowCentre(RightList(), 1));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{5, 2, 4, 6}));
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{1, 3}));
        SelectRows(LeftList(), {0});
        Drag(LeftList(), 0, RightList(), QPoint(20, RightList().viewport()->height() - 5));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{5, 2, 4, 6, 1}));
        SelectRows(RightList(), {0});
        Drag(RightList(), 0, LeftList(), RowCentre(LeftList(), 0));
        EXPECT_EQ(Shown(LeftList()), (std::vector<int>{5, 3}));
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{2, 4, 6, 1}));
        Key(Qt::Key_Escape);
    });
}

TEST_F(Moving, UpAndDownMoveTheOneSelectedRowAndKeepItSelected)
{
    Category(4, QStringLiteral("1,2,3,4"));
    Run([&] {
        Click(Form().btnUp); // nothing selected
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 2, 3, 4}));
        SelectRows(RightList(), {1, 2});
        Click(Form().btnDown); // two selected
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 2, 3, 4}));

        SelectRows(RightList(), {1});
        Click(Form().btnDown);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 3, 2, 4}));
        EXPECT_EQ(RightList().SelectedIndices(), std::vector<int>{2});
        EXPECT_TRUE(RightList().IsItemFocused(2));
        EXPECT_TRUE(RightList().hasFocus());
        Click(Form().btnDown);
        Click(Form().btnDown); // at the end: unchanged, still selected
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 3, 4, 2}));
        EXPECT_EQ(RightList().SelectedIndices(), std::vector<int>{3});

        SelectRows(RightList(), {0});
        Click(Form().btnUp); // at the top: unchanged, still selected
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 3, 4, 2}));
        EXPECT_EQ(RightList().SelectedIndices(), std::vector<int>{0});
        SelectRows(RightList(), {2});
        Click(Form().btnUp);
        EXPECT_EQ(Shown(RightList()), (std::vector<int>{1, 4, 3, 2}));
        EXPECT_EQ(RightList().SelectedIndices(), std::vector<int>{1});
        Click(Form().btnSetting);
    });
    EXPECT_EQ(Bytes(QStringLiteral("Set.sub")), QByteArray("1,4,3,2 \r\n"));
}
