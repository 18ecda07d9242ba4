// The settings dialog driven by keys and clicks under the offscreen platform.
#include "tests/data/SettingTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/SpinEdit.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

class SettingDialog : public SettingFolder {
protected:
    // Execute on the current settings, running steps once the dialog is up; a dialog
    // that the steps leave open is closed after a few seconds and fails the test.
    int Run(const std::function<void(TfrmSetting&)>& steps)
    {
        QTimer::singleShot(0, [steps] {
            if (!frmSetting)
                return;
            EXPECT_TRUE(QTest::qWaitForWindowExposed(frmSetting.get()));
            steps(*frmSetting);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "the dialog stayed open";
            frmSetting->SetModalResult(mrAbort);
        });
        watchdog.start(5000);
        const int result = Setting->Execute();
        EXPECT_FALSE(frmSetting);
        return result;
    }

    static void Type(QWidget* field, const QString& text)
    {
        field->setFocus();
        if (auto* spin = qobject_cast<TSpinEdit*>(field))
            spin->selectAll();
        QTest::keyClicks(field, text);
    }
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const char* const Stored = "[設定]\r\nﾕｰｻﾞ単位=20\r\nｸﾘｱｰ秒=3\r\nｸﾘｱｰ回数=4\r\n最大ﾃｽﾄ回数=12\r\n表示順=1\r\n";

} // namespace

TEST_F(SettingDialog, TheFormHasItsComponentsCaptionsRangesAndTabOrder)
{
    TfrmSetting form;
    EXPECT_EQ(form.Caption(), Text("設定"));
    EXPECT_EQ(form.ClientWidth(), 237);
    EXPECT_EQ(form.ClientHeight(), 206);
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(form.BorderIcons(), TForm::TBorderIcons());
    EXPECT_EQ(form.Position(), TForm::poScreenCenter);

    EXPECT_EQ(form.imgMenu->geometry(), QRect(0, 0, 237, 206));
    EXPECT_TRUE(form.imgMenu->Stretch());
    EXPECT_EQ(form.children().indexOf(form.imgMenu), 0); // behind every other component

    EXPECT_EQ(form.lblUserUnitCount->text(), Text("ﾕｰｻﾞ単位"));
    EXPECT_EQ(form.lblClear->text(), Text("ｸﾘｱｰ秒"));
    EXPECT_EQ(form.lblClearCount->text(), Text("ｸﾘｱｰ回数"));
    EXPECT_EQ(form.lblMaxCount->text(), Text("最大ﾃｽﾄ回数"));
    EXPECT_EQ(form.lblOutList->text(), Text("出題順"));
    EXPECT_EQ(form.lblMaxCount->buddy(), form.sedtMaxCount);

    const std::pair<TSpinEdit*, std::pair<int, int>> ranges[] = {
        {form.sedtUserUnitCount, {1, 1000}}, {form.sedtClearCount, {1, 1000}},
        {form.sedtMaxCount, {10, 1000}}};
    for (const auto& [spin, range] : ranges) {
        EXPECT_EQ(spin->MinValue(), range.first) << spin->objectName().toStdString();
        EXPECT_EQ(spin->MaxValue(), range.second) << spin->objectName().toStdString();
        EXPECT_EQ(spin->singleStep(), 1);
    }
    EXPECT_EQ(form.sedtClear->Items(),
              QString("0.5 1 1.5 2 2.5 3 3.5 4 4.5 5 5.5 6 6.5 7 7.5 8 8.5 9 9.5").split(u' '));
    EXPECT_EQ(form.cmbOutList->Items(), QStringList({Text("昇順"), Text("ランダム")}));
    EXPECT_FALSE(form.sedtClear->isEditable());
    EXPECT_FALSE(form.cmbOutList->isEditable());

    EXPECT_EQ(form.btnSetting->Caption(), Text("設定"));
    EXPECT_EQ(form.btnSetting->ModalResult(), mrOk);
    EXPECT_TRUE(form.btnSetting->Default());
    EXPECT_EQ(form.btnCancel->Caption(), Text("キャンセル"));
    EXPECT_EQ(form.btnCancel->ModalResult(), mrCancel);
    EXPECT_FALSE(form.btnCancel->Default());

    QStringList order;
    QWidget* w = form.btnSetting;
    for (int i = 0; i < 7; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus || w->focusProxy())
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    EXPECT_EQ(order, QStringList({"btnSetting", "btnCancel", "sedtUserUnitCount", "sedtClear",
                                  "sedtClearCount", "sedtMaxCount", "cmbOutList"}));
}

TEST_F(SettingDialog, ShowsTheCurrentSettingsAndEscapeLeavesEverythingAsItWas)
{
    WriteControlInf(Stored);
    const QByteArray before = ControlInfBytes();
    Open();
    const int result = Run([](TfrmSetting& f) {
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.sedtUserUnitCount->Value(), 20);
        EXPECT_EQ(f.sedtClear->ItemIndex(), 3);
        EXPECT_EQ(f.sedtClear->Text(), QStringLiteral("2"));
        EXPECT_EQ(f.sedtClearCount->Value(), 4);
        EXPECT_EQ(f.sedtMaxCount->Value(), 12);
        EXPECT_EQ(f.cmbOutList->ItemIndex(), 1);
        Type(f.sedtUserUnitCount, QStringLiteral("300"));
        QTest::keyClick(f.sedtUserUnitCount, Qt::Key_Escape);
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(Setting->DialogResult, 2);
    EXPECT_EQ(Setting->UserUnit, 20);
    EXPECT_EQ(ControlInfBytes(), before);
}

TEST_F(SettingDialog, CancelSavesNothing)
{
    Open();
    const int result = Run([](TfrmSetting& f) {
        f.cmbOutList->setFocus();
        QTest::keyClick(f.cmbOutList, Qt::Key_Down);
        QTest::mouseClick(f.btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(result, 2);
    EXPECT_FALSE(Setting->RandomOrder);
    EXPECT_FALSE(QFileInfo::exists(Folder() + QStringLiteral("Control.inf")));
}

TEST_F(SettingDialog, EnterInAnyFieldAcceptsAndSavesAllFiveValues)
{
    const char* const fields[] = {"sedtUserUnitCount", "sedtClear", "sedtClearCount",
                                  "sedtMaxCount", "cmbOutList"};
    for (const char* name : fields) {
        WriteControlInf("[設定]\r\nｸﾘｱｰ秒=2\r\n");
        Open();
        const int result = Run([name](TfrmSetting& f) {
            QWidget* field = f.findChild<QWidget*>(QString::fromLatin1(name));
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
        });
        EXPECT_EQ(result, 1) << name;
        EXPECT_EQ(Setting->DialogResult, 1);
        EXPECT_EQ(ControlInf(), Text("[設定]\r\nｸﾘｱｰ秒=2\r\nﾕｰｻﾞ単位=10\r\nｸﾘｱｰ回数=5\r\n"
                                     "最大ﾃｽﾄ回数=10\r\n表示順=0\r\n"))
            << name;
    }
}

TEST_F(SettingDialog, ChosenItemsAreSavedAsIndexAndOrder)
{
    Open();
    const int result = Run([](TfrmSetting& f) {
        f.sedtClear->setFocus();
        QTest::keyClick(f.sedtClear, Qt::Key_End);
        f.cmbOutList->setFocus();
        QTest::keyClick(f.cmbOutList, Qt::Key_Down);
        QTest::mouseClick(f.btnSetting, Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Setting->ClearSecondsIndex, 18);
    EXPECT_DOUBLE_EQ(Setting->GetClearSeconds(), 9.5);
    EXPECT_TRUE(Setting->RandomOrder);
    SettingClass->CreateInstance(Folder());
    EXPECT_EQ(Setting->ClearSecondsIndex, 18);
    EXPECT_TRUE(Setting->RandomOrder);
}

TEST_F(SettingDialog, TypedValuesOutsideTheRangesAreClampedWhenSaved)
{
    Open();
    const int result = Run([](TfrmSetting& f) {
        Type(f.sedtUserUnitCount, QStringLiteral("5000"));
        Type(f.sedtClearCount, QStringLiteral("0"));
        Type(f.sedtMaxCount, QStringLiteral("abc"));
        QTest::keyClick(f.sedtMaxCount, Qt::Key_Tab);
        EXPECT_EQ(f.sedtUserUnitCount->text(), QStringLiteral("1000"));
        EXPECT_EQ(f.sedtClearCount->text(), QStringLiteral("1"));
        EXPECT_EQ(f.sedtMaxCount->text(), QStringLiteral("10"));
        Type(f.sedtUserUnitCount, QStringLiteral("-7"));
        QTest::keyClick(f.sedtUserUnitCount, Qt::Key_Return);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Setting->UserUnit, 1);
    EXPECT_EQ(Setting->ClearCount, 1);
    EXPECT_EQ(Setting->MaxTestCount, 10);
    EXPECT_TRUE(ControlInf().contains(Text("ﾕｰｻﾞ単位=1\r\n")));
}

TEST_F(SettingDialog, AStoredValueBelowTheRangeShowsAndSavesClamped)
{
    WriteControlInf("[設定]\r\n最大ﾃｽﾄ回数=3\r\nﾕｰｻﾞ単位=2000\r\n");
    Open();
    ASSERT_EQ(Setting->MaxTestCount, 3);
    const int result = Run([](TfrmSetting& f) {
        EXPECT_EQ(f.sedtMaxCount->text(), QStringLiteral("10"));
        EXPECT_EQ(f.sedtUserUnitCount->text(), QStringLiteral("1000"));
        QTest::mouseClick(f.btnSetting, Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Setting->MaxTestCount, 10);
    EXPECT_TRUE(ControlInf().contains(Text("最大ﾃｽﾄ回数=10\r\n")));
    EXPECT_TRUE(ControlInf().contains(Text("ﾕｰｻﾞ単位=1000\r\n")));
}

TEST_F(SettingDialog, ValuesThatCannotBeSavedAreNotTaken)
{
    program_.MakeDir(QStringLiteral("VEKTest/Control.inf")); // a folder: the file cannot be written
    Open();
    QStringList errors;
    Application().OnException = [&](const std::exception_ptr&) { errors << ExceptMessage(); };
    const int result = Run([](TfrmSetting& f) {
        Type(f.sedtUserUnitCount, QStringLiteral("30"));
        QTest::mouseClick(f.btnSetting, Qt::LeftButton);
    });
    Application().OnException = nullptr;
    EXPECT_EQ(result, 2);
    EXPECT_EQ(Setting->DialogResult, 2);
    EXPECT_EQ(Setting->UserUnit, 10);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Control.inf"))) << errors[0].toStdString();
}
