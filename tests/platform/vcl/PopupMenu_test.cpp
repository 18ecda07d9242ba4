#include "VclTestSupport.h"
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
