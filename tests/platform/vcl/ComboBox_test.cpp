#include "VclTestSupport.h"
#include "platform/vcl/ComboBox.h"

#include <QAbstractItemView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ComboBox, OnChangeFollowsTheUserNotTheCode)
{
    TComboBox box;
    box.SetItems({"昇順", "ランダム"});
    int changes = 0;
    box.OnChange = [&] { ++changes; };
    box.SetItemIndex(1);
    box.SetItemIndex(0);
    EXPECT_EQ(changes, 0);
    box.show();
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.ItemIndex(), 1);
    EXPECT_EQ(box.Text(), "ランダム");
    QTest::keyClick(&box, Qt::Key_Down); // already the last item
    EXPECT_EQ(changes, 1);
}

TEST(ComboBox, OnDropDownRunsBeforeTheListOpensAndMayWidenIt)
{
    TComboBox box;
    box.SetItems({"短い", "とても長い名前の問題セット"});
    box.resize(60, box.sizeHint().height());
    bool openWhenAsked = true;
    box.OnDropDown = [&] {
        openWhenAsked = box.view()->isVisible();
        box.SetDroppedWidth(300);
    };
    box.show();
    box.showPopup();
    EXPECT_FALSE(openWhenAsked);
    EXPECT_GE(box.view()->width(), 300);
    box.hidePopup();
}

} // namespace
