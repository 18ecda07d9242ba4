#include "platform/vcl/Memo.h"
#include "platform/vcl/NoCaret.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(Memo, TextMarginsInsetTheTextLeftAndRightInTheTextBackground)
{
    TMemo memo;
    memo.resize(200, 80);
    memo.setPlainText("問題");
    memo.show();
    const QRect before = memo.viewport()->geometry();
    memo.SetTextMargins(10, 10);
    const QRect after = memo.viewport()->geometry();
    EXPECT_EQ(after.left(), before.left() + 10);
    EXPECT_EQ(after.right(), before.right() - 10);
    EXPECT_EQ(after.top(), before.top());
    EXPECT_EQ(after.bottom(), before.bottom());
    const QImage drawn = memo.grab().toImage();
    const QColor base = memo.palette().color(QPalette::Base);
    EXPECT_EQ(drawn.pixelColor(before.left() + 5, 40), base);
    EXPECT_EQ(drawn.pixelColor(before.right() - 5, 40), base);
    SetNoCaret(&memo); // the memo of the checking screen has both
    EXPECT_EQ(memo.cursorWidth(), 0);
}

} // namespace
