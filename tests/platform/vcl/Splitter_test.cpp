#include "platform/vcl/Splitter.h"

#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A column of a filling control, the bar and a control docked below it, 200 high.
class Splitter : public testing::Test {
protected:
    Splitter()
    {
        window_.resize(300, 500);
        auto* layout = new QVBoxLayout(&window_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        top_ = new QWidget(&window_);
        bar_ = new TSplitter(&window_);
        bottom_ = new QWidget(&window_);
        layout->addWidget(top_, 1);
        layout->addWidget(bar_);
        layout->addWidget(bottom_);
        bottom_->setFixedHeight(200);
        bar_->SetControl(bottom_);
        bar_->SetMinControlHeight(100);
        bar_->OnMoved = [this] { ++moves_; };
        window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    // Drags the bar by dy pixels with the left button.
    void Drag(int dy)
    {
        const QPoint start(bar_->width() / 2, bar_->height() / 2);
        QTest::mousePress(bar_, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(0, dy)), bar_->mapToGlobal(QPointF(start + QPoint(0, dy))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar_, &move);
        QTest::mouseRelease(bar_, Qt::LeftButton, {}, start + QPoint(0, dy));
        QApplication::processEvents();
    }

    QWidget window_;
    QWidget* top_ = nullptr;
    TSplitter* bar_ = nullptr;
    QWidget* bottom_ = nullptr;
    int moves_ = 0;
};

} // namespace

TEST_F(Splitter, DraggingSetsTheHeightOfTheControlBelow)
{
    EXPECT_EQ(bar_->height(), 8);
    Drag(-50);
    EXPECT_EQ(bottom_->height(), 250);
    EXPECT_EQ(top_->height(), 500 - 8 - 250);
    Drag(30);
    EXPECT_EQ(bottom_->height(), 220);
    EXPECT_EQ(moves_, 2);
    // The window's height goes to the filling control.
    window_.resize(300, 700);
    QApplication::processEvents();
    EXPECT_EQ(bottom_->height(), 220);
}

TEST_F(Splitter, KeepsBothSidesWithinTheirLeastSizes)
{
    Drag(400);
    EXPECT_EQ(bottom_->height(), 100);
    Drag(-1000);
    EXPECT_EQ(bottom_->height(), 500 - 8 - 30);
    EXPECT_EQ(top_->height(), 30);
    EXPECT_EQ(bar_->ClampedHeight(10), 100);
}
