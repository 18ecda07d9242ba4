// The display settings dialog driven by clicks and keys under the offscreen platform,
// with three real category folders (Beta hidden) and a real Menu.inf.
#include "screens/settings/UfrmShowSetting.h"

#include "data/UCategory.h"
#include "data/UCategoryControl.h"
#include "platform/core/Exception.h"
#include "shell/ProgramUnits.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"
#include "tests/support/CategoryFolder.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <QHeaderView>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

class ShowSettingDialog : public testing::Test {
protected:
    ShowSettingDialog()
        : units_(ProgramUnits({"UCategory", "UCategoryControl", "UfrmShowSetting"}))
    {
        WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 2);
        WriteCategoryFolder(program_, QStringLiteral("VEKBeta"), 5);
        WriteCategoryFolder(program_, QStringLiteral("VEKGamma"), 1);
        WriteMenuInf(program_, "[表示]\r\nBeta=0\r\n");
        CategoryControlClass->CreateInstance();
    }

    // Execute, running steps once the dialog is up; a dialog that the steps leave open
    // is closed after a few seconds and fails the test.
    static int Run(const std::function<void(TfrmShowSetting&)>& steps)
    {
        QTimer::singleShot(0, [steps] {
            if (!frmShowSetting)
                return;
            EXPECT_TRUE(QTest::qWaitForWindowExposed(frmShowSetting.get()));
            steps(*frmShowSetting);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "the dialog stayed open";
            frmShowSetting->SetModalResult(mrAbort);
        });
        watchdog.start(5000);
        const int result = ShowSettingControlClass->Execute();
        EXPECT_FALSE(frmShowSetting);
        return result;
    }

    // Visibility of Alpha, Beta and Gamma in the store.
    static std::vector<bool> Visibility()
    {
        std::vector<bool> visible;
        for (TCategory* node = CategoryControl->Head.get(); node->Next; node = node->Next.get())
            visible.push_back(node->Visible);
        return visible;
    }

    static std::vector<bool> Ticks(TListView& list)
    {
        std::vector<bool> ticks;
        for (int i = 0; i < list.ItemCount(); ++i)
            ticks.push_back(list.Item(i).Checked);
        return ticks;
    }

    static QRect RowRect(TListView& list, int row) { return list.visualRect(list.model()->index(row, 0)); }
    // A point on the row's caption, clear of its check box.
    static QPoint OnText(TListView& list, int row) { return QPoint(200, RowRect(list, row).center().y()); }
    static QPoint OnBox(TListView& list, int row)
    {
        const int box = list.style()->pixelMetric(QStyle::PM_IndicatorWidth);
        return QPoint(RowRect(list, row).left() + 3 + box / 2, RowRect(list, row).center().y());
    }
    static void Click(TListView& list, QPoint at) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at); }
    // What the window system sends for a double-click: press, release, double-click, release.
    static void DoubleClick(TListView& list, QPoint at)
    {
        Click(list, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
    }

    TempProgramFolder program_;
    TUnits units_;
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST_F(ShowSettingDialog, TheFormHasItsComponentsCaptionsAndPicture)
{
    TfrmShowSetting form;
    EXPECT_EQ(form.Caption(), Text("問題一覧表示設定"));
    EXPECT_EQ(form.ClientWidth(), 466);
    EXPECT_EQ(form.ClientHeight(), 582);
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(form.BorderIcons(), TForm::TBorderIcons());
    EXPECT_EQ(form.Position(), TForm::poScreenCenter);

    EXPECT_EQ(form.imgMenu->geometry(), QRect(0, 0, 466, 582));
    EXPECT_TRUE(form.imgMenu->Stretch());
    EXPECT_FALSE(form.imgMenu->IsEmpty());
    EXPECT_EQ(form.children().indexOf(form.imgMenu), 0); // behind every other component

    EXPECT_TRUE(form.lvShowList->Checkboxes());
    EXPECT_TRUE(form.lvShowList->font().bold());
    EXPECT_FALSE(form.lvShowList->ColumnClick());
    EXPECT_FALSE(form.lvShowList->MultiSelect());
    EXPECT_EQ(form.lvShowList->SortType(), TSortType::stNone);

    EXPECT_EQ(form.btnSetting->Caption(), Text("設定"));
    EXPECT_EQ(form.btnSetting->ModalResult(), mrOk);
    EXPECT_TRUE(form.btnSetting->Default());
    EXPECT_EQ(form.btnCancel->Caption(), Text("ｷｬﾝｾﾙ"));
    EXPECT_EQ(form.btnCancel->ModalResult(), mrCancel);
    EXPECT_EQ(form.btnAllDisp->Caption(), Text("全て表示"));
    EXPECT_EQ(form.btnAllNoDisp->Caption(), Text("全て非表示"));
    EXPECT_EQ(form.btnAllDisp->ModalResult(), mrNone);
}

TEST_F(ShowSettingDialog, ListsEveryCategoryInFolderOrderTickedWhenShown)
{
    const int result = Run([](TfrmShowSetting& f) {
        TListView& list = *f.lvShowList;
        ASSERT_EQ(list.ItemCount(), 3);
        EXPECT_EQ(list.Item(1).Caption, QStringLiteral("Beta"));
        EXPECT_EQ(Ticks(list), std::vector<bool>({true, false, true}));
        EXPECT_EQ(list.Column(0).Caption(), Text("カテゴリー"));
        EXPECT_EQ(list.Column(0).Width(), 400);
        QTest::keyClick(&list, Qt::Key_Return); // Enter is 設定
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Visibility(), std::vector<bool>({true, false, true}));
    EXPECT_EQ(ReadMenuInf(program_),
              Text("[表示]\r\nBeta=0\r\nAlpha=1\r\nGamma=1\r\n[表示設定画面]\r\nｶﾃｺﾞﾘｰ幅=400\r\n"));
}

TEST_F(ShowSettingDialog, AllHiddenThenSettingLeavesTheMenuListEmpty)
{
    const int result = Run([](TfrmShowSetting& f) {
        QTest::mouseClick(f.btnAllNoDisp, Qt::LeftButton);
        EXPECT_EQ(Ticks(*f.lvShowList), std::vector<bool>({false, false, false}));
        QTest::mouseClick(f.btnSetting, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Visibility(), std::vector<bool>({false, false, false}));
    EXPECT_TRUE(ReadMenuInf(program_).startsWith(Text("[表示]\r\nBeta=0\r\nAlpha=0\r\nGamma=0\r\n")));
    TListView menu;
    CategoryControl->SetupColumns(menu);
    CategoryControl->FillListView(menu);
    EXPECT_EQ(menu.ItemCount(), 0);

    // "全て表示" brings them back.
    EXPECT_EQ(Run([](TfrmShowSetting& f) {
                  QTest::mouseClick(f.btnAllDisp, Qt::LeftButton);
                  QTest::mouseClick(f.btnSetting, Qt::LeftButton);
              }),
              mrOk);
    CategoryControlClass->CreateInstance();
    EXPECT_EQ(Visibility(), std::vector<bool>({true, true, true}));
}

TEST_F(ShowSettingDialog, CancelChangesNothingButTheColumnWidthIsSavedAndKept)
{
    const QString before = ReadMenuInf(program_);
    const int result = Run([](TfrmShowSetting& f) {
        TListView& list = *f.lvShowList;
        QTest::mouseClick(f.btnAllDisp, Qt::LeftButton);
        Click(list, OnText(list, 0));
        list.header()->resizeSection(0, 260); // the user drags the column's edge
        QTest::mouseClick(f.btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Visibility(), std::vector<bool>({true, false, true}));
    EXPECT_EQ(ReadMenuInf(program_), before + Text("[表示設定画面]\r\nｶﾃｺﾞﾘｰ幅=260\r\n"));

    const int again = Run([](TfrmShowSetting& f) {
        EXPECT_EQ(f.lvShowList->Column(0).Width(), 260);
        EXPECT_EQ(Ticks(*f.lvShowList), std::vector<bool>({true, false, true}));
        QTest::keyClick(f.lvShowList, Qt::Key_Escape);
    });
    EXPECT_EQ(again, mrCancel);
}

TEST_F(ShowSettingDialog, EscapeIsCancel)
{
    const int result = Run([](TfrmShowSetting& f) {
        QTest::mouseClick(f.btnAllNoDisp, Qt::LeftButton);
        f.btnSetting->setFocus();
        QTest::keyClick(f.btnSetting, Qt::Key_Escape);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Visibility(), std::vector<bool>({true, false, true}));
}

// Each click changes the tick of the row under the pointer exactly once, on the box or
// beside it; the empty area below the rows changes nothing; a double-click is a click
// and a double-click, each inverting once, so the tick ends as it was.
TEST_F(ShowSettingDialog, ClicksInvertTheRowUnderThePointerOnce)
{
    const int result = Run([](TfrmShowSetting& f) {
        TListView& list = *f.lvShowList;
        Click(list, OnText(list, 0));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, true}));
        EXPECT_EQ(list.ItemIndex(), 0);
        Click(list, OnBox(list, 1));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, true, true}));
        Click(list, OnBox(list, 1));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, true}));

        Click(list, OnText(list, 2));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, false}));
        Click(list, QPoint(200, list.viewport()->height() - 10)); // below the last row
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, false}));

        DoubleClick(list, OnText(list, 0));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, false}));
        DoubleClick(list, OnBox(list, 1));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, false}));
        DoubleClick(list, QPoint(200, list.viewport()->height() - 10));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, false}));

        QTest::mouseClick(list.viewport(), Qt::RightButton, {}, OnText(list, 1));
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, false, false}));
        list.SetItemFocused(1);
        QTest::keyClick(&list, Qt::Key_Space); // the list's own key toggle, once
        EXPECT_EQ(Ticks(list), std::vector<bool>({false, true, false}));
        QTest::mouseClick(f.btnSetting, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Visibility(), std::vector<bool>({false, true, false}));
}

TEST_F(ShowSettingDialog, TickedRowsAreDrawnPink)
{
    Run([](TfrmShowSetting& f) {
        TListView& list = *f.lvShowList;
        list.SetItemIndex(-1);
        const auto colourOf = [&list](int row) {
            const QImage image = list.viewport()->grab().toImage();
            return image.pixelColor(300, RowRect(list, row).center().y());
        };
        // Row 0 is the current row, which the style marks; rows 1 and 2 are plain.
        EXPECT_EQ(colourOf(2), QColor(255, 229, 229));
        EXPECT_EQ(colourOf(1), list.palette().color(QPalette::Base));
        QTest::mouseClick(f.btnAllDisp, Qt::LeftButton);
        list.SetItemIndex(-1);
        EXPECT_EQ(colourOf(1), QColor(255, 229, 229));
        QTest::mouseClick(f.btnCancel, Qt::LeftButton);
    });
}

// Menu.inf is a folder here, so neither the width nor the visibility can be stored: the
// dialog still closes with OK, the store takes the choice (the menu shows it), and the
// log says what was not saved.
TEST_F(ShowSettingDialog, ChoicesAreAppliedWhenTheWidthAndVisibilityCannotBeStored)
{
    QFile::remove(program_.FilePath(QStringLiteral("Menu.inf")));
    program_.MakeDir(QStringLiteral("Menu.inf"));
    QStringList errors;
    Application().OnException = [&](const std::exception_ptr&) { errors << ExceptMessage(); };
    const int result = Run([](TfrmShowSetting& f) {
        QTest::mouseClick(f.btnAllNoDisp, Qt::LeftButton);
        Click(*f.lvShowList, OnText(*f.lvShowList, 1));
        QTest::mouseClick(f.btnSetting, Qt::LeftButton);
    });
    Application().OnException = nullptr;
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Visibility(), std::vector<bool>({false, true, false}));
    EXPECT_EQ(errors.size(), 1); // the immediate store of the first row, from the button
    const QStringList log = ReadLogLines(program_);
    ASSERT_EQ(log.size(), 2) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral("Column width not saved"))) << log[0].toStdString();
    EXPECT_TRUE(log[1].contains(QStringLiteral("Visibility not saved"))) << log[1].toStdString();
    TListView menu;
    CategoryControl->SetupColumns(menu);
    CategoryControl->FillListView(menu);
    ASSERT_EQ(menu.ItemCount(), 1);
    EXPECT_EQ(menu.Item(0).Caption, QStringLiteral("Beta"));
}
