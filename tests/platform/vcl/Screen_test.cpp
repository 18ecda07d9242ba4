#include "platform/vcl/Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

TEST(Screen, HourGlassUntilDefaultAlsoWhenSetTwice)
{
    Screen().SetCursor(TCursor::crHourGlass);
    Screen().SetCursor(TCursor::crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen().SetCursor(TCursor::crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Screen().Cursor(), TCursor::crDefault);
}

} // namespace
