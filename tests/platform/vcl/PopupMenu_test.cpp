#include "VclTestSupport.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/PopupMenu.h"

#include <QContextMenuEvent>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(PopupMenu, RightClickAsksOnPopupThenOpensAndAnItemClicks)
{
    QListWidget list;
    list.addItems({"1", "2"});
    TPopupMenu menu(&list);
    TMenuItem* line = menu.AddItem("行クリア");
    TMenuItem* all = menu.AddItem("全クリア");
    menu.Attach(&list);
    menu.OnPopup = [&] { line->SetEnabled(list.currentRow() >= 0); };
    int clicks = 0;
    all->OnClick = [&] { ++clicks; };
    list.show();
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), list.viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(list.viewport(), &request);
    EXPECT_TRUE(WaitFor([&] { return menu.isVisible(); }));
    EXPECT_FALSE(line->Enabled());
    all->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(line->Caption(), "行クリア");
    menu.hide();
}

} // namespace

namespace {

// A list of eight rows with a popup menu, in an active window, the list having the focus.
class ListMenu : public testing::Test {
protected:
    void SetUp() override
    {
        list_.resize(300, 200);
        list_.AddColumn().SetWidth(200);
        for (int i = 0; i < 8; ++i)
            list_.AddItem().Caption = QString::number(i + 1);
        menu_.AddItem("行クリア");
        menu_.Attach(&list_);
        menu_.OnPopup = [this] { ++popups_; };
        list_.show();
        list_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&list_));
        list_.setFocus();
    }
    void TearDown() override { menu_.hide(); }

    QPoint RowCentre(int row)
    {
        return list_.viewport()->mapToGlobal(list_.visualRect(list_.model()->index(row, 0)).center());
    }

    TListView list_;
    TPopupMenu menu_{&list_};
    int popups_ = 0;
};

} // namespace

TEST_F(ListMenu, ShiftF10OpensTheMenuAtTheCurrentRow)
{
    list_.SetItemIndex(3);
    list_.SetItemFocused(3);
    QTest::keyClick(&list_, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(WaitFor([&] { return menu_.isVisible(); }));
    EXPECT_EQ(popups_, 1);
    EXPECT_EQ(menu_.pos(), RowCentre(3));
    EXPECT_EQ(list_.ItemIndex(), 3); // the key moved nothing
}

TEST_F(ListMenu, OtherF10KeysOpenNothing)
{
    QTest::keyClick(&list_, Qt::Key_F10);
    QTest::keyClick(&list_, Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(&list_, Qt::Key_F9, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_FALSE(menu_.isVisible());
    EXPECT_EQ(popups_, 0);
}
