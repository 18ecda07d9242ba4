#include "platform/winapi/WindowPlacement.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(WindowPlacement, ANormalRectangleComesBackAsSet)
{
    QWidget form;
    SetWindowPlacement(&form, QRect(40, 30, 320, 200));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    SetWindowPlacement(&form, QRect(50, 60, 300, 210));

    const TWindowPlacement placement = GetWindowPlacement(&form);
    EXPECT_EQ(placement.NormalRect, QRect(50, 60, 300, 210));
    EXPECT_EQ(placement.State, wsNormal);
}

TEST(WindowPlacement, AMaximisedFormKeepsItsNormalRectangle)
{
    QWidget form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    SetWindowPlacement(&form, QRect(20, 25, 200, 150));

    SetWindowShowState(&form, wsMaximized);
    EXPECT_EQ(GetWindowShowState(&form), wsMaximized);
    EXPECT_EQ(GetWindowPlacement(&form).NormalRect, QRect(20, 25, 200, 150));

    // A rectangle set while maximised is the one the form takes when restored.
    SetWindowPlacement(&form, QRect(30, 35, 210, 160));
    EXPECT_EQ(GetWindowPlacement(&form).NormalRect, QRect(30, 35, 210, 160));
    SetWindowShowState(&form, wsNormal);
    EXPECT_EQ(GetWindowShowState(&form), wsNormal);
    EXPECT_EQ(GetWindowPlacement(&form).NormalRect, QRect(30, 35, 210, 160));

    SetWindowShowState(&form, wsMinimized);
    EXPECT_EQ(GetWindowShowState(&form), wsMinimized);
}

TEST(WindowPlacement, AnMdiChildIsPlacedInItsAreasViewport)
{
    QWidget parent;
    auto* area = new QMdiArea(&parent);
    area->resize(600, 400);
    auto* form = new QWidget;
    QMdiSubWindow* sub = area->addSubWindow(form);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));

    EXPECT_EQ(MdiSubWindowOf(form), sub);
    EXPECT_EQ(MdiAreaOf(form), area);
    EXPECT_EQ(MdiSubWindowOf(&parent), nullptr);

    SetWindowPlacement(form, QRect(10, 20, 250, 180));
    EXPECT_EQ(sub->geometry(), QRect(10, 20, 250, 180));
    SetWindowShowState(form, wsMaximized);
    EXPECT_EQ(GetWindowShowState(form), wsMaximized);
    EXPECT_EQ(GetWindowPlacement(form).NormalRect, QRect(10, 20, 250, 180));
}

TEST(MonitorWorkArea, TheNearestScreenAnswersAlsoForARectangleOffEveryScreen)
{
    const QRect area = WorkArea();
    EXPECT_EQ(MonitorWorkArea(QRect(10, 10, 100, 100)), area);
    EXPECT_EQ(MonitorWorkArea(QRect(-5000, -5000, 100, 100)), area);
    EXPECT_EQ(MonitorWorkArea(QRect(area.right() + 4000, 0, 0, 0)), area);
}
