// A form class built from a Qt Designer layout: the components come from the .ui file
// under the names the screens use, the form's own properties (key preview, border,
// position) and the buttons' modal results are set by the layout, and the non-visual
// components are members of the class.
#include "VclTestSupport.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/Timer.h"
#include "ui_SampleForm.h"

#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TfrmSample : public TForm, public Ui::TfrmSample {
public:
    explicit TfrmSample(QWidget* owner = nullptr) : TForm(owner)
    {
        setupUi(this);
        Timer.SetEnabled(false);
        Timer.SetInterval(100);
    }

    TTimer Timer{this};
    TPopupMenu pmeUnit{this};
};

TEST(FormLayout, LayoutSetsTheComponentsAndTheFormProperties)
{
    TfrmSample form;
    EXPECT_EQ(form.Caption(), "設定");
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(form.BorderIcons(), TForm::TBorderIcons());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form.Position(), TForm::poScreenCenter);
    EXPECT_EQ(form.ClientWidth(), 237);
    EXPECT_EQ(form.btnSetting->ModalResult(), mrOk);
    EXPECT_TRUE(form.btnSetting->Default());
    EXPECT_EQ(form.btnCancel->ModalResult(), mrCancel);
    EXPECT_EQ(form.sedtUserUnitCount->MaxValue(), 1000);
    EXPECT_EQ(form.cmbOutList->Items(), QStringList({"昇順", "ランダム"}));
    EXPECT_EQ(form.sbtnHelp->Tag(), 3);
    EXPECT_EQ(form.findChild<QWidget*>("sedtUserUnitCount"), form.sedtUserUnitCount);
}

TEST(FormLayout, EnterInASpinEditAcceptsWithTheClampedValue)
{
    TfrmSample form;
    int taken = 0;
    form.btnSetting->OnClick = [&] { taken = form.sedtUserUnitCount->Value(); };
    form.OnShow = [&] { form.sedtUserUnitCount->SetValue(10); };
    WhenModal([&] {
        form.sedtUserUnitCount->setFocus();
        form.sedtUserUnitCount->selectAll();
        QTest::keyClicks(form.sedtUserUnitCount, "4000");
        QTest::keyClick(form.sedtUserUnitCount, Qt::Key_Return);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(taken, 1000);
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_EQ(form.Left() + form.Width() / 2, screen.center().x());
}

TEST(FormLayout, EscHandledByTheFormClosesWithCancel)
{
    TfrmSample form;
    form.OnKeyDown = [&](TKey& key, TShiftState) {
        if (key == VK_ESCAPE)
            form.Close();
    };
    bool clicked = false;
    form.btnSetting->OnClick = [&] { clicked = true; };
    WhenModal([&] { QTest::keyClick(form.cmbOutList, Qt::Key_Escape); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(clicked);
}

TEST(FormLayout, MemberTimerTicksWhileTheFormRunsModally)
{
    TfrmSample form;
    int ticks = 0;
    form.Timer.OnTimer = [&] {
        if (++ticks == 2)
            form.SetModalResult(mrOk);
    };
    form.Timer.SetEnabled(true);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(ticks, 2);
}

} // namespace
