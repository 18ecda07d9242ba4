// The data screen's commands: starting a test, the unit-size buttons, the settings
// dialog, the popup menus and the three clear operations.
#include "tests/screens/data/DataScreenSupport.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/SpinEdit.h"

namespace {

const QString RestartText = QStringLiteral(
    "全ての問題が終了しました。もう一度始めから行いますか？\r\n（回答履歴が削除されます）");
const QString StopText = QStringLiteral("中止しますか？");

std::vector<TDataReply> Joined(std::initializer_list<std::vector<TDataReply>> parts)
{
    std::vector<TDataReply> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST_F(DataScreen, AUnitWithUnfinishedQuestionsStartsAtOnceWithOnlyThose)
{
    WriteCategory(25);
    WriteReplies(Joined({FinishingReplies(2), FinishingReplies(5), {{3, base_ + 9}}}));
    TStartedTest started;
    OpenScreen([&] {
        TfrmData& form = Form();
        form.lvAnswer->SetItemIndex(4);
        StopTestWhenShown(started);
        QTest::mouseClick(form.sbtnStartTest, Qt::LeftButton);
        EXPECT_TRUE(started.Shown);
        EXPECT_EQ(started.Numbers, QStringList({"1", "3", "4", "6", "7", "8", "9", "10"}));
        EXPECT_EQ(started.UnitSize, 10);
        EXPECT_EQ(started.UnitNo, 1);
        EXPECT_EQ(started.Subset, "全ての問題");
        EXPECT_EQ(asked_, QStringList({StopText}));
        EXPECT_TRUE(Control().Tested);
        // The screen comes back with the answer row of before.
        EXPECT_TRUE(form.lvAnswer->isVisible());
        EXPECT_EQ(form.lvAnswer->ItemIndex(), 4);
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧：5");
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), -1);
        EXPECT_EQ(form.lvAnswerUnit->ItemCount(), 3);
    });
    EXPECT_EQ(StoredReplyNumbers().size(), 11u); // a stopped test records nothing
    EXPECT_EQ(GetCategorySelectCount("Test"), 1);
}

TEST_F(DataScreen, AFinishedUnitStartsOverOnYesWithAllItsQuestionsInListOrder)
{
    WriteCategory(6);
    WriteSubset("順", "3,1,2,5");
    Ini().WriteString("SubCategoryIndex", "Index", "順");
    Ini().WriteInteger("単位", "単位数", 3);
    WriteReplies(Joined({FinishingReplies(3), FinishingReplies(1), FinishingReplies(2, 6),
                         {{5, base_ + 9}, {4, base_ + 9}}}));
    WriteHistory({{3, 1, QStringLiteral("順")}});
    TStartedTest started;
    OpenScreen([&] {
        ASSERT_EQ(Captions(*Form().lvAnswer), QStringList({"3", "1", "2"}));
        StopTestWhenShown(started);
        Control().sbtnStartTestClick();
        EXPECT_EQ(asked_, QStringList({RestartText, StopText}));
        EXPECT_EQ(started.Numbers, QStringList({"3", "1", "2"}));
        EXPECT_EQ(started.Subset, "順");
        EXPECT_EQ(started.UnitSize, 3);
    });
    // Every reply of the unit went, the finished ones too; the others and the history stay.
    EXPECT_EQ(StoredReplyNumbers(), std::vector<int>({4, 5}));
    EXPECT_EQ(StoredHistory(), QStringList({"3/1/順"}));
}

TEST_F(DataScreen, AFinishedUnitDeclinedStartsNothingButCountsTheOpening)
{
    WriteCategory(3);
    WriteReplies(Joined({FinishingReplies(1), FinishingReplies(2), FinishingReplies(3)}));
    const QByteArray replies = program_.Read("VEKTest/Reply.cds");
    answer_ = mrNo;
    TStartedTest started;
    OpenScreen([&] {
        StopTestWhenShown(started);
        QTest::keyClick(Form().lvAnswerUnit, Qt::Key_Return);
        EXPECT_EQ(asked_, QStringList({RestartText}));
        EXPECT_FALSE(started.Shown);
        EXPECT_TRUE(Control().Tested);
    });
    EXPECT_EQ(program_.Read("VEKTest/Reply.cds"), replies);
    EXPECT_EQ(GetCategorySelectCount("Test"), 1);
    EXPECT_NE(TIniFile(program_.FilePath("Menu.inf")).ReadString("更新日時", "Test", "-"), "-");
}

TEST_F(DataScreen, AnEmptyAnswerListAsksAndStartsAndDeletesNothing)
{
    WriteCategory(3);
    WriteSubset("無い", "900,901");
    Ini().WriteString("SubCategoryIndex", "Index", "無い");
    WriteReplies({{1, base_}});
    const QByteArray replies = program_.Read("VEKTest/Reply.cds");
    TStartedTest started;
    OpenScreen([&] {
        ASSERT_EQ(Form().lvAnswerUnit->ItemCount(), 1);
        ASSERT_EQ(Form().lvAnswer->ItemCount(), 0);
        StopTestWhenShown(started);
        Control().sbtnStartTestClick();
        answer_ = mrNo;
        Control().sbtnStartTestClick();
        EXPECT_EQ(asked_, QStringList({RestartText, RestartText}));
        EXPECT_FALSE(started.Shown);
    });
    EXPECT_EQ(program_.Read("VEKTest/Reply.cds"), replies);
}

TEST_F(DataScreen, UnitSizeButtonsRebuildTheListsAndTheChoiceIsKeptAtClose)
{
    WriteCategory(60);
    OpenScreen([&] {
        TfrmData& form = Form();
        QTest::mouseClick(form.sbtnSelect25, Qt::LeftButton);
        EXPECT_EQ(Control().UnitSize, 25);
        EXPECT_EQ(form.lblUnit->text(), "単位一覧：25単位");
        EXPECT_EQ(Captions(*form.lvAnswerUnit), QStringList({"1", "2", "3"}));
        EXPECT_EQ(form.lvAnswer->ItemCount(), 25);
        form.lvAnswerUnit->SetItemIndex(2);
        QTest::mouseClick(form.sbtnSelect25, Qt::LeftButton);
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 0); // rebuilt, unit 1 again
        EXPECT_EQ(Control().UnitNo, 1);
        QTest::mouseClick(form.sbtnSelect100, Qt::LeftButton);
        EXPECT_EQ(Captions(*form.lvAnswerUnit), QStringList({"1"}));
        EXPECT_EQ(form.lvAnswer->ItemCount(), 60);
        QTest::mouseClick(form.sbtnSelect50, Qt::LeftButton);
        EXPECT_EQ(Control().UnitButtonName, "sbtnSelect50");
        form.lvAnswerUnit->SetItemIndex(1);
    });
    EXPECT_EQ(Ini().ReadInteger("単位", "単位数", 0), 50);
    EXPECT_EQ(Ini().ReadString("単位", "名称", ""), "sbtnSelect50");
    EXPECT_EQ(Ini().ReadInteger("単位", "ｲﾝﾃﾞｯｸｽ", 0), 1);
    OpenScreen([&] {
        EXPECT_EQ(Form().lblUnit->text(), "単位一覧：50単位");
        EXPECT_EQ(Control().UnitNo, 2);
        EXPECT_EQ(Captions(*Form().lvAnswer).first(), "51");
    });
}

TEST_F(DataScreen, TheSettingsDialogPressesTheCurrentSizeButtonAgain)
{
    WriteCategory(40);
    const auto setUserUnit = [this](int size) {
        WhenShown(frmSetting, [size] {
            frmSetting->sedtUserUnitCount->SetValue(size);
            frmSetting->btnSetting->Click();
        });
    };
    OpenScreen([&] {
        TfrmData& form = Form();
        QTest::mouseClick(form.sbtnSelect50, Qt::LeftButton);
        form.lvAnswerUnit->SetItemIndex(0);
        setUserUnit(7);
        QTest::mouseClick(form.sbtnSetting, Qt::LeftButton);
        // 50 stays, the lists were loaded again, the user's button knows its new size.
        EXPECT_EQ(Control().UnitSize, 50);
        EXPECT_EQ(form.sbtnSelectUser->Tag(), 7);
        EXPECT_EQ(form.sbtnSelectUser->Hint(), "7単位");
        EXPECT_EQ(form.lvAnswer->ItemCount(), 40);

        QTest::mouseClick(form.sbtnSelectUser, Qt::LeftButton);
        EXPECT_EQ(Control().UnitSize, 7);
        setUserUnit(15);
        QTest::mouseClick(form.sbtnSetting, Qt::LeftButton);
        EXPECT_EQ(Control().UnitSize, 15);
        EXPECT_EQ(form.lblUnit->text(), "単位一覧：15単位");
        EXPECT_EQ(Captions(*form.lvAnswerUnit), QStringList({"1", "2", "3"}));

        // Cancel changes nothing.
        WhenShown(frmSetting, [] {
            frmSetting->sedtUserUnitCount->SetValue(3);
            frmSetting->btnCancel->Click();
        });
        QTest::mouseClick(form.sbtnSetting, Qt::LeftButton);
        EXPECT_EQ(Control().UnitSize, 15);
        EXPECT_EQ(form.sbtnSelectUser->Tag(), 15);
    });
    EXPECT_EQ(Ini().ReadInteger("設定", "ﾕｰｻﾞ単位", 0), 15);
}

TEST_F(DataScreen, PopupItemsNeedASelectedRowButClearingEverythingDoesNot)
{
    WriteCategory(12);
    OpenScreen([&] {
        TfrmData& form = Form();
        const auto open = [](TPopupMenu& menu) {
            menu.Popup(QPoint(10, 10));
            menu.hide();
        };
        open(*form.pmeUnit);
        EXPECT_TRUE(form.pmuAnswerUnitLineClear->Enabled());
        EXPECT_TRUE(form.pmuAnswerUnitAllClear->Enabled());
        open(*form.pmeAnswer);
        EXPECT_TRUE(form.pmuLineAnswerClear->Enabled());

        form.lvAnswer->SetItemIndex(-1);
        open(*form.pmeAnswer);
        EXPECT_FALSE(form.pmuLineAnswerClear->Enabled());
        form.lvAnswerUnit->SetItemIndex(-1);
        open(*form.pmeUnit);
        EXPECT_FALSE(form.pmuAnswerUnitLineClear->Enabled());
        EXPECT_TRUE(form.pmuAnswerUnitAllClear->Enabled());
        EXPECT_EQ(form.pmuAnswerUnitLineClear->Caption(), "行クリア");
        EXPECT_EQ(form.pmuAnswerUnitAllClear->Caption(), "全クリア");
        EXPECT_EQ(form.pmuLineAnswerClear->Caption(), "回答クリア");
    });
}

TEST_F(DataScreen, ClearingEverythingEmptiesRepliesAndHistoryOfEveryUnitAndSubset)
{
    WriteCategory(25);
    WriteReplies(Joined({FinishingReplies(1), FinishingReplies(17), {{25, base_}}}));
    WriteHistory({{10, 1}, {10, 2}, {20, 1}, {10, 1, QStringLiteral("他")}});
    OpenScreen([&] {
        TfrmData& form = Form();
        answer_ = mrNo;
        form.pmuAnswerUnitAllClear->trigger();
        EXPECT_EQ(StoredReplyNumbers().size(), 11u);
        answer_ = mrYes;
        form.pmuAnswerUnitAllClear->trigger();
        EXPECT_EQ(asked_, QStringList({"全ての回答が削除されます。処理を続行しますか？",
                                       "全ての回答が削除されます。処理を続行しますか？"}));
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 0);
        EXPECT_EQ(form.lvUnitHistory->ItemCount(), 0);
        EXPECT_FALSE(form.lvAnswer->Item(0).Checked);
        EXPECT_EQ(form.lvReply->ItemCount(), 0);
    });
    EXPECT_TRUE(StoredReplyNumbers().empty());
    EXPECT_TRUE(StoredHistory().empty());
}

TEST_F(DataScreen, ClearingAUnitRemovesItsHistoryAndTheRepliesOfItsQuestionsOnly)
{
    WriteCategory(25);
    WriteReplies({{1, base_}, {11, base_ + 1}, {15, base_ + 2}, {20, base_ + 3}, {21, base_ + 4}});
    WriteHistory({{10, 2}, {10, 1}, {20, 2}, {10, 2, QStringLiteral("他")}, {10, 2}});
    OpenScreen([&] {
        TfrmData& form = Form();
        form.lvAnswerUnit->SetItemIndex(1);
        answer_ = mrNo;
        form.pmuAnswerUnitLineClear->trigger();
        EXPECT_EQ(StoredReplyNumbers().size(), 5u);
        answer_ = mrYes;
        form.pmuAnswerUnitLineClear->trigger();
        EXPECT_EQ(asked_.last(), "対象単位の回答が削除されます。処理を続行しますか？");
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 0); // reloaded: unit 1 again
    });
    EXPECT_EQ(StoredReplyNumbers(), std::vector<int>({1, 21}));
    EXPECT_EQ(StoredHistory(), QStringList({"10/1/全ての問題", "20/2/全ての問題", "10/2/他"}));
}

TEST_F(DataScreen, ClearingAUnitOfASubsetWithAQuoteInItsNameRemovesExactlyItsHistory)
{
    WriteCategory(10);
    const QString name = QStringLiteral("it's");
    WriteSubset(name, "1,2,3");
    Ini().WriteString("SubCategoryIndex", "Index", name);
    WriteHistory({{10, 1, name}, {10, 1, QStringLiteral("its")}, {10, 1}, {10, 1, name}});
    OpenScreen([&] {
        ASSERT_EQ(Form().cmbCategory->Text(), name);
        ASSERT_EQ(Form().lvUnitHistory->ItemCount(), 2);
        Form().pmuAnswerUnitLineClear->trigger();
        EXPECT_EQ(Form().lvUnitHistory->ItemCount(), 0);
    });
    EXPECT_EQ(StoredHistory(), QStringList({"10/1/its", "10/1/全ての問題"}));
}

TEST_F(DataScreen, ClearingAQuestionRemovesItsRepliesAndNothingElse)
{
    WriteCategory(10);
    WriteReplies({{1, base_}, {2, base_ + 1}, {2, base_ + 2}, {3, base_ + 3}});
    WriteHistory({{10, 1}});
    const QByteArray history = program_.Read("VEKTest/UnitHistory.cds");
    OpenScreen([&] {
        TfrmData& form = Form();
        form.lvAnswer->SetItemIndex(1);
        ASSERT_EQ(form.lvReply->ItemCount(), 2);
        form.pmuLineAnswerClear->trigger();
        EXPECT_EQ(asked_.last(), "回答履歴が削除されます。処理を続行しますか？");
        EXPECT_EQ(form.lvUnitHistory->ItemCount(), 1);
    });
    EXPECT_EQ(StoredReplyNumbers(), std::vector<int>({1, 3}));
    EXPECT_EQ(program_.Read("VEKTest/UnitHistory.cds"), history);
}

TEST_F(DataScreen, ACategoryWhoseKeyAnEarlierFolderHoldsCountsNothingInMenuInf)
{
    // "VEKTEST" comes before "VEKTest" in folder order and keeps the key "TEST" = "Test".
    WriteCategory(3);
    WriteReplies(Joined({FinishingReplies(1), FinishingReplies(2), FinishingReplies(3)}));
    for (const char* file : {"Question.cds", "Answer.cds"})
        program_.Write(QStringLiteral("VEKTEST/") + file, program_.Read(QStringLiteral("VEKTest/") + file));
    TIniFile(program_.FilePath("Menu.inf")).WriteInteger("選択回数", "TEST", 4);
    const QByteArray before = program_.Read("Menu.inf");
    answer_ = mrNo;
    TStartedTest started;
    OpenScreen([&] {
        StopTestWhenShown(started);
        QTest::keyClick(Form().lvAnswerUnit, Qt::Key_Return);
        EXPECT_TRUE(Control().Tested);
    });
    EXPECT_EQ(program_.Read("Menu.inf"), before);
    EXPECT_EQ(GetCategorySelectCount("TEST"), 4);
}
