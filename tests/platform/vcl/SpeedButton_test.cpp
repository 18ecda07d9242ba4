#include "VclTestSupport.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/SpeedButton.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QString TestPicture()
{
    return QStringLiteral(MORIVA_SOURCE_DIR "/tests/platform/vcl/TestButton.svg");
}

TEST(SpeedButton, PressingLeavesTheFocusInTheEditAndMouseDownComesBeforeClick)
{
    TForm form;
    auto* layout = new QVBoxLayout(&form);
    auto* edit = new QLineEdit(&form);
    auto* button = new TSpeedButton(&form);
    button->setFixedSize(40, 30);
    layout->addWidget(edit);
    layout->addWidget(button);
    QStringList order;
    button->OnMouseDown = [&](TMouseButton which, TShiftState shift, int x, int y) {
        order << QString("down %1 %2 %3,%4 focus=%5")
                     .arg(int(which)).arg(shift).arg(x).arg(y).arg(edit->hasFocus());
    };
    button->OnClick = [&] { order << "click"; };
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    edit->setFocus();
    QTest::mouseClick(button, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
    EXPECT_EQ(order.join(" | ").toStdString(), "down 0 9 3,4 focus=1 | click");
    EXPECT_TRUE(edit->hasFocus());
}

TEST(SpeedButton, PictureShowsAtItsOwnSizeAndCaptionBesideIt)
{
    TSpeedButton button;
    button.SetPicture(TestPicture());
    EXPECT_FALSE(button.icon().isNull());
    EXPECT_EQ(button.iconSize(), QSize(40, 30));
    EXPECT_EQ(button.toolButtonStyle(), Qt::ToolButtonIconOnly);
    button.SetCaption("開始");
    EXPECT_EQ(button.toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    button.SetHint("テストを開始します");
    EXPECT_EQ(button.toolTip(), "テストを開始します");
}

} // namespace
