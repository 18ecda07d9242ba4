#include "VclTestSupport.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Form.h"

#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A small dialog: an edit, an OK button (Default) and a Cancel button (Cancel).
struct TSampleDialog : TForm {
    TSampleDialog()
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        ok->SetModalResult(mrOk);
        ok->SetDefault(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetCancel(true);
    }
    QLineEdit* edit = new QLineEdit(this);
    TButton* ok = new TButton("OK", this);
    TButton* cancel = new TButton("Cancel", this);
};

TEST(Form, ButtonClickReturnsItsModalResultAfterOnClick)
{
    TSampleDialog form;
    QStringList order;
    form.ok->OnClick = [&] { order << QString("click %1").arg(form.ModalResult()); };
    form.OnClose = [&](TForm::TCloseAction&) { order << "close"; };
    WhenModal([&] { QTest::mouseClick(form.ok, Qt::LeftButton); });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(order, QStringList({"click 1", "close"}));
    EXPECT_FALSE(form.isVisible());
}

TEST(Form, EnterPressesDefaultAndEscPressesCancelFromAnEdit)
{
    TSampleDialog form;
    WhenModal([&] { QTest::keyClick(form.edit, Qt::Key_Return); });
    EXPECT_EQ(form.ShowModal(), mrOk);
    WhenModal([&] { QTest::keyClick(form.edit, Qt::Key_Escape); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Form, EnterDoesNothingWhileTheDefaultButtonIsDisabled)
{
    TSampleDialog form;
    form.ok->setEnabled(false);
    WhenModal([&] {
        QTest::keyClick(form.edit, Qt::Key_Return);
        EXPECT_TRUE(form.isVisible());
        form.SetModalResult(mrRetry);
    });
    EXPECT_EQ(form.ShowModal(), mrRetry);
}

TEST(Form, EscWithoutCancelButtonKeepsTheFormOpen)
{
    TForm form;
    auto* edit = new QLineEdit(&form);
    WhenModal([&] {
        QTest::keyClick(edit, Qt::Key_Escape);
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        form.SetModalResult(mrAbort);
    });
    EXPECT_EQ(form.ShowModal(), mrAbort);
}

TEST(Form, CloseOnAModalFormGivesCancelAndRunsOnCloseOnce)
{
    TForm form;
    int closes = 0;
    form.OnClose = [&](TForm::TCloseAction&) { ++closes; };
    form.OnShow = [&] { WhenModal([&] { form.Close(); }); };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(closes, 1);
}

TEST(Form, CloseActionNoneKeepsTheFormOpen)
{
    TForm form;
    int attempts = 0;
    form.OnClose = [&](TForm::TCloseAction& action) {
        if (++attempts == 1)
            action = TForm::caNone;
    };
    WhenModal([&] {
        form.SetModalResult(mrOk); // refused by OnClose
        WhenModal([&] {
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(form.ModalResult(), mrNone);
            form.SetModalResult(mrYes);
        });
    });
    EXPECT_EQ(form.ShowModal(), mrYes);
    EXPECT_EQ(attempts, 2);
}

TEST(Form, ClosingTheLastWindowShownWithoutModalRunEndsTheEventLoop)
{
    TForm form;
    form.SetBorderStyle(TForm::bsNone);
    form.OnPaint = [&] { form.Close(); };
    int closes = 0;
    form.OnClose = [&](TForm::TCloseAction&) { ++closes; };
    form.show();
    QTimer fallback; // ends the loop should the close not do it; gone with the test
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    fallback.start(2000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closes, 1);
}

TEST(Form, ResultSetInOnShowClosesOnceTheLoopRuns)
{
    TForm form;
    form.OnShow = [&] { form.SetModalResult(mrIgnore); };
    EXPECT_EQ(form.ShowModal(), mrIgnore);
}

TEST(Form, ExceptionInAHandlerReachesTheExceptionEventAndTheFormStaysOpen)
{
    TExceptionLog log;
    TSampleDialog form;
    form.ok->SetModalResult(mrNone);
    form.ok->OnClick = [] { throw Exception("button failed"); };
    form.OnClose = [&](TForm::TCloseAction&) {
        if (log.Messages.size() == 1)
            throw Exception("close failed");
    };
    WhenModal([&] {
        QTest::mouseClick(form.ok, Qt::LeftButton);
        EXPECT_TRUE(form.isVisible());
        form.Close(); // OnClose fails: the form stays
        WhenModal([&] {
            EXPECT_TRUE(form.isVisible());
            form.Close();
        });
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(log.Messages, QStringList({"button failed", "close failed"}));
}

TEST(Form, AFailedLoadingClosesWithoutOnCloseAndWithCancelWhateverComesLater)
{
    // Failing in OnShow: the form closes once its loop runs, OnClose is never asked, and
    // an OK clicked meanwhile still gives Cancel.
    TSampleDialog form;
    int closes = 0;
    form.OnClose = [&](TForm::TCloseAction&) { ++closes; };
    form.OnShow = [&] {
        form.FailLoading();
        form.ok->Click();
    };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.LoadFailed());
    // Once failed, it is never shown again, and Close or Esc do not ask OnClose either.
    form.OnShow = [&] { ADD_FAILURE() << "shown again"; };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    form.Close();
    EXPECT_EQ(closes, 0);
}

TEST(Form, AFailedLoadingInAHandlerEndsTheModalRunAndAFormNotYetShownNeverShows)
{
    TSampleDialog form;
    int closes = 0;
    form.OnClose = [&](TForm::TCloseAction&) { ++closes; };
    form.ok->SetModalResult(mrNone);
    form.ok->OnClick = [&] { form.FailLoading(); };
    WhenModal([&] { QTest::mouseClick(form.ok, Qt::LeftButton); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(closes, 0);

    TSampleDialog unshown;
    unshown.FailLoading();
    unshown.OnShow = [&] { ADD_FAILURE() << "shown"; };
    EXPECT_EQ(unshown.ShowModal(), mrCancel);
    EXPECT_FALSE(unshown.isVisible());

    // A form shown without a modal run hides at once.
    TSampleDialog shown;
    shown.OnClose = [&](TForm::TCloseAction&) { ++closes; };
    shown.show();
    shown.FailLoading();
    EXPECT_FALSE(shown.isVisible());
    EXPECT_EQ(closes, 0);
}

TEST(Form, OnShowRunsBeforeCentringAndOnPaintFollows)
{
    TForm form;
    form.SetPosition(TForm::poScreenCenter);
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    QStringList order;
    form.OnShow = [&] {
        order << "show";
        form.SetClientWidth(300); // centring uses the width set here
    };
    form.OnPaint = [&] {
        if (order.size() == 1) {
            order << "paint";
            form.SetModalResult(mrOk);
        }
    };
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(order, QStringList({"show", "paint"}));
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_EQ(form.Left() + form.Width() / 2, screen.center().x());
    EXPECT_EQ(form.Top() + form.Height() / 2, screen.center().y());
}

TEST(Form, DialogBorderIsFixedAtTheSizeTheCodeOrTheLayoutSets)
{
    TForm form;
    form.SetBorderStyle(TForm::bsDialog);
    form.resize(300, 200); // as a layout sizes the form before it is shown
    form.show();
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.maximumSize(), QSize(300, 200));
    form.SetClientWidth(237);
    form.SetClientHeight(206);
    EXPECT_EQ(form.ClientWidth(), 237);
    EXPECT_EQ(form.minimumSize(), QSize(237, 206));
    EXPECT_EQ(form.maximumSize(), QSize(237, 206));
    form.hide();
    form.SetBorderIcons({});
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    form.SetBorderIcons(TForm::biSystemMenu);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(Form, CanResizeSeesTheOldSizeAndMayChangeTheProposal)
{
    TForm form;
    form.show();
    form.SetBounds(10, 20, 400, 300);
    QList<QSize> seen;
    form.OnCanResize = [&](int& width, int& height, bool&) {
        seen << QSize(form.Width(), form.Height()) << QSize(width, height);
        height = std::max(height, 250);
    };
    int resizes = 0;
    form.OnResize = [&] { ++resizes; };
    form.SetHeight(100);
    EXPECT_TRUE(WaitFor([&] { return form.Height() == 250; })) << form.Height();
    ASSERT_GE(seen.size(), 2);
    EXPECT_EQ(seen[0], QSize(400, 300));
    EXPECT_EQ(seen[1], QSize(400, 100));
    EXPECT_GE(resizes, 2);
    form.OnCanResize = [](int&, int&, bool& resize) { resize = false; };
    form.SetWidth(500);
    EXPECT_TRUE(WaitFor([&] { return form.Width() == 400; })) << form.Width();
}

TEST(Form, MinimumSizeIsAnOuterSize)
{
    TForm form;
    form.SetMinSize(992, 500);
    form.SetClientWidth(800);
    form.show();
    EXPECT_EQ(form.Width(), 992);
}

} // namespace
