#include "VclTestSupport.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/SpinEdit.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A spin edit 10..1000 and another field to move the focus to.
struct TSpinForm : TForm {
    TSpinForm()
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(spin);
        layout->addWidget(other);
        spin->SetMinValue(10);
        spin->SetMaxValue(1000);
        spin->SetValue(50);
        show();
        activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(this));
    }
    // Types text into the emptied spin edit and moves the focus away.
    void TypeAndLeave(const QString& text)
    {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Backspace);
        QTest::keyClicks(spin, text);
        other->setFocus();
    }
    TSpinEdit* spin = new TSpinEdit(this);
    QLineEdit* other = new QLineEdit(this);
};

TEST(SpinEdit, TypedNumberAboveTheRangeIsClampedWhenTheFocusLeaves)
{
    TSpinForm form;
    form.spin->setFocus();
    form.spin->selectAll();
    QTest::keyClicks(form.spin, "5000");
    EXPECT_EQ(form.spin->text(), "5000"); // typing is free
    EXPECT_EQ(form.spin->Value(), 1000);  // but reads clamped
    form.other->setFocus();
    EXPECT_EQ(form.spin->text(), "1000");
    EXPECT_EQ(form.spin->value(), 1000);
}

TEST(SpinEdit, NumberBelowTheRangeAndTextThatIsNoNumberReadAsTheMinimum)
{
    TSpinForm form;
    form.TypeAndLeave("3");
    EXPECT_EQ(form.spin->Value(), 10);
    form.TypeAndLeave("12a");
    EXPECT_EQ(form.spin->Value(), 10);
    EXPECT_EQ(form.spin->text(), "10");
    form.TypeAndLeave("");
    EXPECT_EQ(form.spin->Value(), 10);
    form.TypeAndLeave("777");
    EXPECT_EQ(form.spin->Value(), 777);
}

TEST(SpinEdit, EnterClampsTheTypedText)
{
    TSpinForm form;
    form.spin->setFocus();
    form.spin->selectAll();
    QTest::keyClicks(form.spin, "-4");
    QTest::keyClick(form.spin, Qt::Key_Return);
    EXPECT_EQ(form.spin->text(), "10");
}

TEST(SpinEdit, ValueSetByCodeIsHeldInTheRangeAndStepsStopAtTheEnds)
{
    TSpinForm form;
    form.spin->SetValue(3);
    EXPECT_EQ(form.spin->Value(), 10);
    form.spin->SetValue(999);
    form.spin->setFocus();
    QTest::keyClick(form.spin, Qt::Key_Up);
    QTest::keyClick(form.spin, Qt::Key_Up);
    EXPECT_EQ(form.spin->Value(), 1000);
    QTest::keyClick(form.spin, Qt::Key_Down);
    EXPECT_EQ(form.spin->Value(), 999);
}

} // namespace
