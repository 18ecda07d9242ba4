#include "platform/core/Checked.h"
#include "platform/vcl/ListView.h"
#include "tests/platform/vcl/VclTestSupport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>
#include <set>

namespace {

// An owner-data list of Count rows "r<i>" with sub-item "s<i>", shown on screen.
class OwnerList : public testing::Test {
protected:
    void SetUp() override
    {
        list_.resize(320, 200);
        list_.SetOwnerData(true);
        list_.AddColumn().SetCaption(QStringLiteral("問題"));
        list_.AddColumn().SetCaption(QStringLiteral("正解率"));
        list_.OnData = [this](TListView&, TListItem& item) {
            asked_.insert(item.Index);
            item.Caption = QStringLiteral("r%1").arg(item.Index);
            item.SubItems << QStringLiteral("s%1").arg(item.Index);
            item.Checked = item.Index % 3 == 0;
        };
        list_.show();
        QApplication::processEvents();
    }

    void Paint()
    {
        list_.grab();
        QApplication::processEvents();
    }

    QPoint RowCentre(int row) { return list_.visualRect(list_.model()->index(row, 0)).center(); }

    TListView list_;
    std::set<int> asked_;
};

} // namespace

TEST_F(OwnerList, AHundredThousandRowsAskOnlyForTheRowsShown)
{
    list_.SetItemCount(100000);
    Paint();
    ASSERT_FALSE(asked_.empty());
    EXPECT_LT(asked_.size(), 30u);
    EXPECT_LT(*asked_.rbegin(), 30);

    asked_.clear();
    list_.MakeVisible(99999);
    Paint();
    ASSERT_FALSE(asked_.empty());
    EXPECT_GT(*asked_.begin(), 99950);
    EXPECT_EQ(*asked_.rbegin(), 99999);
}

TEST_F(OwnerList, ItemReadsAnyRowThroughOnDataAndChecksItsRange)
{
    list_.SetItemCount(50);
    EXPECT_EQ(list_.Item(42).Caption, "r42");
    EXPECT_EQ(list_.Item(42).SubItems, QStringList{"s42"});
    EXPECT_TRUE(list_.Item(42).Checked);
    EXPECT_THROW(list_.Item(50), ERangeError);
    EXPECT_THROW(list_.Item(-1), ERangeError);
}

TEST_F(OwnerList, ANewCountForgetsTheRowsAndTheSelection)
{
    list_.SetItemCount(10);
    list_.SetItemIndex(4);
    EXPECT_EQ(list_.ItemIndex(), 4);
    EXPECT_THROW(list_.SetItemIndex(10), ERangeError);
    EXPECT_THROW(list_.SetItemIndex(-2), ERangeError);
    EXPECT_EQ(list_.ItemIndex(), 4);
    list_.BeginUpdate();
    list_.SetItemCount(8);
    EXPECT_EQ(list_.ItemIndex(), -1);
    list_.EndUpdate();
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_EQ(list_.ItemCount(), 8);
    EXPECT_THROW(list_.SetItemCount(-1), ERangeError);
}

TEST_F(OwnerList, SelectionFromCodeAndByClickRaiseTheSameChange)
{
    list_.SetItemCount(10);
    QStringList changed;
    list_.OnChange = [&](TListView&, const TListItem& item) { changed << item.Caption; };

    list_.SetItemIndex(2);
    EXPECT_EQ(changed, QStringList{"r2"});
    list_.SetItemIndex(2); // no change of state, no event
    EXPECT_EQ(changed, QStringList{"r2"});

    QTest::mouseClick(list_.viewport(), Qt::LeftButton, {}, RowCentre(5));
    EXPECT_EQ(changed, (QStringList{"r2", "r5"}));
    EXPECT_EQ(list_.ItemIndex(), 5);
    EXPECT_TRUE(list_.IsItemSelected(5));
    EXPECT_FALSE(list_.IsItemSelected(2));
}

TEST_F(OwnerList, AFailingChangeHandlerReachesTheCodeCallerOrTheApplicationEvent)
{
    list_.SetItemCount(10);
    list_.OnChange = [](TListView&, const TListItem&) { throw Exception(QStringLiteral("change failed")); };
    EXPECT_THROW(list_.SetItemIndex(1), Exception);
    EXPECT_EQ(list_.ItemIndex(), 1);

    TExceptionLog log;
    QTest::mouseClick(list_.viewport(), Qt::LeftButton, {}, RowCentre(3));
    EXPECT_EQ(log.Messages, QStringList{"change failed"});
    EXPECT_EQ(list_.ItemIndex(), 3);
}

TEST_F(OwnerList, RowColoursOfTheDrawHandlerArePainted)
{
    list_.SetItemCount(6);
    list_.OnCustomDrawItem = [](TListView&, const TListItem& item, TColor& background) {
        if (item.Index % 2 == 0)
            background = RGBColor(229, 229, 229);
        if (item.Checked)
            background = RGBColor(255, 229, 229);
    };
    const QImage shot = list_.viewport()->grab().toImage();
    auto pixelOfRow = [&](int row) {
        const QRect rect = list_.visualRect(list_.model()->index(row, 1));
        return shot.pixelColor(rect.right() - 2, rect.center().y());
    };
    EXPECT_EQ(pixelOfRow(0), QColor(255, 229, 229)); // ticked wins over even
    EXPECT_EQ(pixelOfRow(1), list_.palette().color(QPalette::Base));
    EXPECT_EQ(pixelOfRow(2), QColor(229, 229, 229));
    EXPECT_EQ(pixelOfRow(3), QColor(255, 229, 229));
}

TEST_F(OwnerList, DoubleClickAndFocusAndVisibility)
{
    list_.SetItemCount(500);
    int clicks = 0;
    list_.OnDblClick = [&](TListView&) { ++clicks; };
    QTest::mouseDClick(list_.viewport(), Qt::LeftButton, {}, RowCentre(1));
    EXPECT_EQ(clicks, 1);

    list_.SetItemFocused(300);
    EXPECT_TRUE(list_.IsItemFocused(300));
    list_.SetItemFocused(300, false);
    EXPECT_FALSE(list_.IsItemFocused(300));
    list_.SetItemFocused(300);
    list_.MakeVisible(300);
    EXPECT_EQ(list_.ItemAt(RowCentre(300).x(), RowCentre(300).y()), 300);
    EXPECT_EQ(list_.ItemAt(5, list_.viewport()->height() + 50), -1);
}

TEST(ListColumns, WidthsFitTextsOrHeaderAndStayInTheirRange)
{
    TListView list;
    list.AddColumn().SetCaption(QStringLiteral("A rather long column caption"));
    TListItem& item = list.AddItem();
    item.Caption = QStringLiteral("x");
    list.show();
    TListColumn& column = list.Column(0);

    column.SetWidth(TListColumn::FitText);
    const int fitsText = column.Width();
    column.SetWidth(TListColumn::FitHeader);
    EXPECT_GT(column.Width(), fitsText);
    EXPECT_GE(column.Width(), list.TextWidth(column.Caption()));
    EXPECT_THROW(column.SetWidth(-3), ERangeError);

    column.SetMinWidth(30);
    column.SetMaxWidth(300);
    column.SetWidth(10);
    EXPECT_EQ(column.Width(), 30);
    column.SetWidth(1000);
    EXPECT_EQ(column.Width(), 300);
    list.header()->resizeSection(0, 5); // as a drag of the divider does
    EXPECT_EQ(column.Width(), 30);
    EXPECT_THROW(list.Column(1), ERangeError);
}

TEST(ListItems, SortedByCaptionWithDataAndUserTicks)
{
    TListView list;
    list.resize(300, 200);
    list.AddColumn();
    list.SetSortType(TSortType::stText);
    list.SetCheckboxes(true);
    int a = 1, b = 2, c = 3;
    list.BeginUpdate();
    for (auto [caption, data] : {std::pair{"カテゴリーC", &c}, {"カテゴリーA", &a}, {"カテゴリーB", &b}}) {
        TListItem& item = list.AddItem();
        item.Caption = QString::fromUtf8(caption);
        item.Data = data;
    }
    list.EndUpdate();
    list.show();
    QApplication::processEvents();

    ASSERT_EQ(list.ItemCount(), 3);
    EXPECT_EQ(list.Item(0).Caption, QStringLiteral("カテゴリーA"));
    EXPECT_EQ(list.Item(0).Data, &a);
    EXPECT_EQ(list.Item(2).Data, &c);
    EXPECT_EQ(list.Item(1).Index, 1);

    // A click on the box of row 1 ticks it.
    const QRect row = list.visualRect(list.model()->index(1, 0));
    const int box = list.style()->pixelMetric(QStyle::PM_IndicatorWidth);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(row.left() + 3 + box / 2, row.center().y()));
    EXPECT_TRUE(list.Item(1).Checked);
    EXPECT_FALSE(list.Item(0).Checked);
    list.SetItemFocused(1);
    QTest::keyClick(&list, Qt::Key_Space); // space ticks the row with the focus
    EXPECT_FALSE(list.Item(1).Checked);

    EXPECT_THROW(list.SetItemCount(5), Exception);
    list.ClearItems();
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(OwnerList, ColumnsRebuiltInsideAnUpdateWhileARowIsCurrent)
{
    // As a store rebuilds the columns of a list that still shows rows: the rows go only
    // at the end of the update, and the view keeps asking for them meanwhile.
    list_.SetItemCount(50);
    list_.SetItemIndex(3);
    list_.SetItemFocused(3);
    Paint();
    list_.BeginUpdate();
    list_.ClearItems();
    list_.ClearColumns();
    for (int i = 0; i < 3; ++i)
        list_.AddColumn().SetCaption(QStringLiteral("c%1").arg(i));
    list_.SetItemCount(7);
    list_.EndUpdate();
    Paint();
    EXPECT_EQ(list_.ColumnCount(), 3);
    EXPECT_EQ(list_.model()->columnCount(), 3);
    EXPECT_EQ(list_.ItemCount(), 7);
    EXPECT_EQ(list_.model()->index(6, 0).data().toString(), "r6");
    EXPECT_FALSE(list_.model()->index(6, 5).data().isValid());
}

TEST_F(OwnerList, ColumnsSizedInsideAnUpdateAreLaidOutByItsEnd)
{
    // As a store sets the widths of the columns it rebuilt: when the update ends, the
    // rows are laid out and the scroll range follows the widths, with no timer to wait for.
    list_.SetItemCount(50);
    Paint();
    list_.BeginUpdate();
    list_.ClearColumns();
    list_.AddColumn().SetWidth(900);
    list_.AddColumn().SetWidth(300);
    list_.SetItemCount(80);
    list_.EndUpdate();
    EXPECT_EQ(list_.horizontalScrollBar()->maximum(), 1200 - list_.viewport()->width());
    EXPECT_EQ(list_.visualRect(list_.model()->index(79, 1)).left(), 900);

    // Only the widths change: the same.
    list_.BeginUpdate();
    list_.Column(0).SetWidth(500);
    list_.EndUpdate();
    EXPECT_EQ(list_.horizontalScrollBar()->maximum(), 800 - list_.viewport()->width());
    EXPECT_EQ(list_.indexAt(QPoint(550, 5)).column(), 1);

    // Outside an update the view follows a width as it always has.
    list_.Column(0).SetWidth(100);
    Paint();
    EXPECT_EQ(list_.horizontalScrollBar()->maximum(), std::max(0, 400 - list_.viewport()->width()));
    EXPECT_EQ(list_.indexAt(QPoint(150, 5)).column(), 1);
}

TEST_F(OwnerList, StatePicturesTakeThePlaceOfTheCheckBoxes)
{
    QPixmap red(12, 12), blue(12, 12);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    list_.OnData = [](TListView&, TListItem& item) {
        item.Caption = QStringLiteral("r%1").arg(item.Index);
        item.Checked = item.Index == 1;
        item.StateIndex = item.Index < 2 ? item.Index : -1;
    };
    list_.SetCheckboxes(true);
    list_.SetStateImages({QIcon(red), QIcon(blue)});
    list_.SetItemCount(3);
    QAbstractItemModel& model = *list_.model();

    // No check box any more: the row's picture, by its state index, or none.
    EXPECT_FALSE(model.index(1, 0).data(Qt::CheckStateRole).isValid());
    const auto colour = [&](int row) {
        const QIcon icon = model.index(row, 0).data(Qt::DecorationRole).value<QIcon>();
        return icon.pixmap(12, 12).toImage().pixelColor(6, 6);
    };
    EXPECT_EQ(colour(0), QColor(Qt::red));
    EXPECT_EQ(colour(1), QColor(Qt::blue));
    EXPECT_FALSE(model.index(2, 0).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(model.index(1, 1).data(Qt::DecorationRole).isValid());

    // Without check boxes the pictures are not shown.
    list_.SetCheckboxes(false);
    EXPECT_FALSE(model.index(1, 0).data(Qt::DecorationRole).isValid());
}

namespace {

// Two owner-data lists side by side, as the subset editor has them.
class DragLists : public testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QHBoxLayout(&window_);
        for (TListView* list : {&left_, &right_}) {
            layout->addWidget(list);
            list->SetOwnerData(true);
            list->SetMultiSelect(true);
            list->SetAutoDrag(true);
            list->AddColumn();
            list->OnData = [](TListView&, TListItem& item) { item.Caption = QString::number(item.Index + 1); };
            list->OnDragOver = [](TListView&, TListView&, int, int, bool& accept) { accept = true; };
            list->OnDragDrop = [this](TListView& sender, TListView& source, int x, int y) {
                drops_.push_back({&sender, &source, sender.ItemAt(x, y)});
            };
            list->SetItemCount(7);
        }
        window_.resize(600, 300);
        window_.show();
        QApplication::processEvents();
    }

    QPoint Centre(TListView& list, int row) { return list.visualRect(list.model()->index(row, 0)).center(); }

    // Presses on a row of source, moves in steps to the point of target, releases there.
    void Drag(TListView& source, int row, TListView& target, QPoint to)
    {
        const QPoint from = Centre(source, row);
        QTest::mousePress(source.viewport(), Qt::LeftButton, {}, from);
        const QPoint end = source.viewport()->mapFromGlobal(target.viewport()->mapToGlobal(to));
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(source.viewport(), from + (end - from) * step / 4);
        QTest::mouseRelease(source.viewport(), Qt::LeftButton, {}, end);
    }

    struct Drop {
        TListView* sender;
        TListView* source;
        int index;
    };
    QWidget window_;
    TListView left_;
    TListView right_;
    std::vector<Drop> drops_;
};

} // namespace

TEST_F(DragLists, DraggingSelectedRowsOntoARowReportsSenderSourceAndRow)
{
    right_.SetItemSelected(4, true);
    right_.SetItemSelected(5, true);
    Drag(right_, 4, right_, Centre(right_, 1));
    ASSERT_EQ(drops_.size(), 1u);
    EXPECT_EQ(drops_[0].sender, &right_);
    EXPECT_EQ(drops_[0].source, &right_);
    EXPECT_EQ(drops_[0].index, 1);
    // Pressing on a selected row to drag it keeps the other selected row.
    EXPECT_EQ(right_.SelectedIndices(), (std::vector<int>{4, 5}));
}

TEST_F(DragLists, DroppingBelowTheRowsOfAnotherListGivesNoRow)
{
    left_.SetItemIndex(0);
    Drag(left_, 0, right_, QPoint(10, right_.viewport()->height() - 5));
    ASSERT_EQ(drops_.size(), 1u);
    EXPECT_EQ(drops_[0].sender, &right_);
    EXPECT_EQ(drops_[0].source, &left_);
    EXPECT_EQ(drops_[0].index, -1);
}

TEST_F(DragLists, ARefusedDropDoesNothing)
{
    right_.OnDragOver = [](TListView&, TListView&, int, int, bool& accept) { accept = false; };
    left_.SetItemIndex(2);
    Drag(left_, 2, right_, Centre(right_, 0));
    EXPECT_TRUE(drops_.empty());
}

namespace {

// A list of five rows beside an edit box, in an active window: the focus moves into the
// list as the Tab key moves it.
class KeyList : public testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QHBoxLayout(&window_);
        layout->addWidget(&edit_);
        layout->addWidget(&list_);
        list_.AddColumn().SetWidth(100);
        for (int i = 0; i < 5; ++i)
            list_.AddItem().Caption = QStringLiteral("r%1").arg(i);
        list_.OnChange = [this](TListView&, const TListItem& item) { changes_.push_back(item.Index); };
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    void EnterList()
    {
        edit_.setFocus(Qt::TabFocusReason);
        list_.setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(list_.hasFocus());
    }

    QWidget window_;
    QLineEdit edit_;
    TListView list_;
    std::vector<int> changes_;
};

} // namespace

TEST_F(KeyList, WithoutSelectionTheFirstMoveSelectsTheFirstRow)
{
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_PageUp}) {
        SCOPED_TRACE(key);
        list_.SetItemIndex(-1);
        list_.SetItemFocused(0, false);
        changes_.clear();
        EnterList();
        EXPECT_TRUE(list_.IsItemFocused(0)); // Qt's mark, not selected
        EXPECT_EQ(list_.ItemIndex(), -1);
        QTest::keyClick(&list_, key);
        EXPECT_EQ(list_.ItemIndex(), 0);
        EXPECT_TRUE(list_.IsItemFocused(0));
        EXPECT_EQ(changes_, (std::vector<int>{0}));
    }
    // From the selected first row the keys move on as usual.
    QTest::keyClick(&list_, Qt::Key_Down);
    QTest::keyClick(&list_, Qt::Key_Down);
    EXPECT_EQ(list_.ItemIndex(), 2);
}

TEST_F(KeyList, EndStillSelectsTheLastRow)
{
    EnterList();
    QTest::keyClick(&list_, Qt::Key_End);
    EXPECT_EQ(list_.ItemIndex(), 4);
}

TEST_F(KeyList, AMarkPutByCodeOrLeftByTheUserIsWhereTheMoveStarts)
{
    list_.SetItemFocused(2);
    EnterList();
    QTest::keyClick(&list_, Qt::Key_Down);
    EXPECT_EQ(list_.ItemIndex(), 3);

    // The user's row stays the start when code clears the selection.
    list_.SetItemIndex(-1);
    QTest::keyClick(&list_, Qt::Key_Up);
    EXPECT_EQ(list_.ItemIndex(), 2);

    // So does the row a click marked.
    list_.SetItemIndex(-1);
    QTest::mouseClick(list_.viewport(), Qt::LeftButton, {},
                      list_.visualRect(list_.model()->index(4, 0)).center());
    list_.SetItemIndex(-1);
    QTest::keyClick(&list_, Qt::Key_Up);
    EXPECT_EQ(list_.ItemIndex(), 3);
}

TEST_F(KeyList, ASelectionFromCodeIsKeptWhenTheListGetsTheFocus)
{
    list_.SetItemIndex(3);
    list_.SetItemFocused(3);
    EnterList();
    QTest::keyClick(&list_, Qt::Key_Down);
    EXPECT_EQ(list_.ItemIndex(), 4);
}

TEST_F(KeyList, AMultiSelectListStartsAtTheFirstRowToo)
{
    list_.SetMultiSelect(true);
    EnterList();
    QTest::keyClick(&list_, Qt::Key_Down);
    EXPECT_EQ(list_.SelectedIndices(), (std::vector<int>{0}));
    QTest::keyClick(&list_, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(list_.SelectedIndices(), (std::vector<int>{0, 1}));
}

TEST_F(KeyList, RowsThatArriveInAFocusedListStillLetTheFirstMoveSelectTheFirstRow)
{
    // As a window list filled while it already has the focus: Qt marks a row on its own.
    list_.ClearItems();
    EnterList();
    for (int i = 0; i < 3; ++i)
        list_.AddItem().Caption = QStringLiteral("n%1").arg(i);
    QCoreApplication::processEvents();
    changes_.clear();
    QTest::keyClick(&list_, Qt::Key_Down);
    EXPECT_EQ(list_.ItemIndex(), 0);
    EXPECT_EQ(changes_, (std::vector<int>{0}));
}

namespace {

// The colour drawn in the middle of row index's first column, right of its caption.
QColor RowFill(TListView& list, int row)
{
    const QImage shot = list.viewport()->grab().toImage();
    const QRect rect = list.visualRect(list.model()->index(row, 0));
    return shot.pixelColor(rect.right() - 4, rect.center().y());
}

} // namespace

TEST_F(KeyList, AFocusMarkWithoutSelectionIsAFrameNotAFilledRow)
{
    const QColor base = list_.palette().color(QPalette::Base);
    // The mark Qt puts on the first row when the list gets the focus.
    EnterList();
    ASSERT_TRUE(list_.IsItemFocused(0));
    ASSERT_EQ(list_.ItemIndex(), -1);
    EXPECT_EQ(RowFill(list_, 0), base);
    // A thin frame marks it: the row's edge is drawn, unlike another row's.
    const QImage shot = list_.viewport()->grab().toImage();
    const QRect first = list_.visualRect(list_.model()->index(0, 0));
    auto edgeInk = [&](const QRect& rect) {
        int ink = 0;
        for (int x = rect.left() + 20; x < rect.right() - 4; ++x)
            ink += shot.pixelColor(x, rect.top()) != base;
        return ink;
    };
    EXPECT_GT(edgeInk(first), 0);
    EXPECT_EQ(edgeInk(list_.visualRect(list_.model()->index(1, 0))), 0);

    // A mark put by code on another row, and the mark left when code clears the selection.
    list_.SetItemFocused(3);
    EXPECT_EQ(RowFill(list_, 3), base);
    list_.SetItemIndex(2);
    EXPECT_NE(RowFill(list_, 2), base); // a selected row is filled
    list_.SetItemIndex(-1);
    EXPECT_EQ(RowFill(list_, 2), base);
}
