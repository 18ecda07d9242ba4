// The data screen's opening, its lists and charts, and the reactions to selecting a unit,
// a question and a subset.
#include "tests/screens/data/DataScreenSupport.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QSplitter>
#include <QStyle>
#include <map>

namespace {

// The colour most pixels of the row have in the list's rows area: its background.
QColor RowColour(TListView& list, int row)
{
    const QImage image = list.viewport()->grab().toImage();
    const QRect rect = list.visualRect(list.model()->index(row, 0)).united(
        list.visualRect(list.model()->index(row, list.ColumnCount() - 1)));
    std::map<QRgb, int> counts;
    for (int y = rect.top() + 1; y < rect.bottom(); ++y)
        for (int x = rect.left() + 1; x < std::min(rect.right(), image.width()); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (const auto& [rgb, count] : counts)
        if (count > most)
            best = rgb, most = count;
    return QColor(best);
}

} // namespace

TEST_F(DataScreen, FirstOpeningPlacesTheWindowTopLeftWithDefaultPanelsAndSelectsUnitOne)
{
    WriteCategory(25);
    OpenScreen([&] {
        TfrmData& form = Form();
        EXPECT_EQ(form.Caption(), "Test");
        EXPECT_EQ(form.Left(), 0);
        EXPECT_EQ(form.Top(), 0);
        EXPECT_EQ(form.ClientHeight(), 600);
        EXPECT_EQ(form.Width(), DataFormMinWidth);
        EXPECT_EQ(form.TabTop->height(), 300);
        EXPECT_EQ(form.pnlUnitList->width(), 306);
        EXPECT_EQ(form.pnlTopRight->height(), 150);
        EXPECT_EQ(form.pnlAnswerList->width(), 306);
        EXPECT_EQ(form.pnlBottonRight->height(), 140);

        EXPECT_EQ(form.lblUnit->text(), "単位一覧：10単位");
        EXPECT_EQ(Captions(*form.lvAnswerUnit), QStringList({"1", "2", "3"}));
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 0);
        EXPECT_TRUE(form.lvAnswerUnit->hasFocus());
        EXPECT_EQ(Control().UnitNo, 1);
        EXPECT_EQ(Control().UnitSize, 10);
        EXPECT_EQ(Control().UnitButtonName, "sbtnSelectUser");
        EXPECT_EQ(form.lvAnswer->ItemCount(), 10);
        EXPECT_EQ(form.lvAnswer->ItemIndex(), 0);
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧：1");
        EXPECT_EQ(form.cmbCategory->Items(), QStringList({"全ての問題"}));
        EXPECT_EQ(form.cmbCategory->toolTip(), "全ての問題");
        EXPECT_EQ(form.sbtnSelectUser->Tag(), 10);
        EXPECT_EQ(form.sbtnSelectUser->Hint(), "10単位");
        // Both charts are drawn for unit 1 and question 1 (padded to ten points).
        EXPECT_EQ(ChartPoints(*form.chtUnitHistory, 0), 10);
        EXPECT_EQ(ChartPoints(*form.chtReply, 0), 10);
        EXPECT_EQ(form.chtReply->LeftAxis().Maximum(), 10.5);
        EXPECT_EQ(form.chtUnitHistory->LeftAxis().Maximum(), 11);
        EXPECT_FALSE(Control().Tested);
        QTest::keyClick(form.lvAnswerUnit, Qt::Key_Escape);
    }, false);

    // Esc saved the layout, the unit setting and the placement.
    const TIniFile ini = Ini();
    EXPECT_EQ(ini.ReadInteger("位置", "TopHeight", -1), 300);
    EXPECT_EQ(ini.ReadInteger("位置", "TopWidth", -1), 306);
    EXPECT_EQ(ini.ReadInteger("位置", "TopChartHeight", -1), 150);
    EXPECT_EQ(ini.ReadInteger("位置", "AnswerWidth", -1), 306);
    EXPECT_EQ(ini.ReadInteger("位置", "AnswerHeight", -1), 140);
    EXPECT_EQ(ini.ReadInteger("単位", "単位数", -1), 10);
    EXPECT_EQ(ini.ReadString("単位", "名称", ""), "sbtnSelectUser");
    EXPECT_EQ(ini.ReadInteger("単位", "ｲﾝﾃﾞｯｸｽ", -2), 0);
    EXPECT_TRUE(ini.ValueExists("単位一覧幅", "No."));
    EXPECT_TRUE(ini.ValueExists("単位履歴幅", "ﾃｽﾄ時刻"));
    EXPECT_TRUE(ini.ValueExists("回答幅", "ﾃｽﾄ時刻"));
    EXPECT_TRUE(ini.ValueExists("SubCategoryIndex", "Index"));
    const auto saved = TKvWdwStateData::FromBytes(program_.Read("VEKTest/Form.dat"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(program_.Read("VEKTest/Form.dat").size(), 20);
    EXPECT_EQ(saved->State, 0);
    EXPECT_EQ(saved->Height, 600);
    // Nothing was started, so the menu does not count the category as chosen.
    EXPECT_EQ(GetCategorySelectCount("Test"), 0);
}

TEST_F(DataScreen, ASubsetStartingWithQuestion37ShowsTheRepliesTo37)
{
    std::vector<int> numbers;
    for (int no = 1; no <= 50; ++no)
        numbers.push_back(no);
    WriteCategory(numbers);
    WriteSubset("後半", "37,38,39,1");
    Ini().WriteString("SubCategoryIndex", "Index", "後半");
    WriteReplies({{1, base_}, {37, base_ + 0.01}, {37, base_ + 0.02}, {38, base_ + 0.03}});
    OpenScreen([&] {
        TfrmData& form = Form();
        EXPECT_EQ(form.cmbCategory->Text(), "後半");
        EXPECT_EQ(Captions(*form.lvAnswer), QStringList({"37", "38", "39", "1"}));
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧：37");
        EXPECT_EQ(form.lvReply->ItemCount(), 2);
        EXPECT_EQ(ChartPoints(*form.chtReply, 1), 2);
    });
}

TEST_F(DataScreen, SelectingAUnitAndThenAQuestionChangesWhatFollowsAndNothingElse)
{
    WriteCategory(25);
    WriteReplies({{11, base_}, {12, base_ + 0.01}, {12, base_ + 0.02}, {12, base_ + 0.03}, {1, base_ + 0.04}});
    WriteHistory({{10, 2}, {10, 2, QStringLiteral("全ての問題"), base_ + 1}, {10, 1}, {20, 2}});
    OpenScreen([&] {
        TfrmData& form = Form();
        ASSERT_EQ(Control().UnitNo, 1);
        EXPECT_EQ(form.lvUnitHistory->ItemCount(), 1);

        // A click on unit 2: its history, its questions with the first selected, that
        // question's replies, both charts.
        const QRect unit2 = form.lvAnswerUnit->visualRect(form.lvAnswerUnit->model()->index(1, 0));
        QTest::mouseClick(form.lvAnswerUnit->viewport(), Qt::LeftButton, {}, unit2.center());
        EXPECT_EQ(Control().UnitNo, 2);
        EXPECT_EQ(form.lvUnitHistory->ItemCount(), 2);
        EXPECT_EQ(ChartPoints(*form.chtUnitHistory, 1), 2);
        EXPECT_EQ(Captions(*form.lvAnswer).first(), "11");
        EXPECT_EQ(form.lvAnswer->ItemIndex(), 0);
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧：11");
        EXPECT_EQ(form.lvReply->ItemCount(), 1);
        EXPECT_EQ(ChartPoints(*form.chtReply, 1), 1);

        const QStringList units = Rows(*form.lvAnswerUnit);
        const QStringList history = Rows(*form.lvUnitHistory);
        const QStringList answers = Rows(*form.lvAnswer);
        const std::vector<double> historyPoints = form.chtUnitHistory->Series(1).Values();

        // A click on question 12: the label, the replies and their chart only.
        const QRect question12 = form.lvAnswer->visualRect(form.lvAnswer->model()->index(1, 0));
        QTest::mouseClick(form.lvAnswer->viewport(), Qt::LeftButton, {}, question12.center());
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧：12");
        EXPECT_EQ(form.lvReply->ItemCount(), 3);
        EXPECT_EQ(ChartPoints(*form.chtReply, 1), 3);
        EXPECT_EQ(Rows(*form.lvAnswerUnit), units);
        EXPECT_EQ(Rows(*form.lvUnitHistory), history);
        EXPECT_EQ(Rows(*form.lvAnswer), answers);
        EXPECT_EQ(form.chtUnitHistory->Series(1).Values(), historyPoints);
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 1);
        EXPECT_EQ(Control().UnitNo, 2);
    });
}

TEST_F(DataScreen, RowColoursAlternateAndTickedAnswersArePinkAtAnyPosition)
{
    WriteCategory(10);
    std::vector<TDataReply> replies = FinishingReplies(3);
    for (const TDataReply& reply : FinishingReplies(4))
        replies.push_back(reply);
    WriteReplies(replies);
    OpenScreen([&] {
        TfrmData& form = Form();
        TListView& answers = *form.lvAnswer;
        ASSERT_EQ(answers.ItemCount(), 10);
        EXPECT_TRUE(answers.Item(2).Checked);
        EXPECT_TRUE(answers.Item(3).Checked);
        EXPECT_EQ(answers.Item(2).StateIndex, 1);
        EXPECT_EQ(answers.Item(1).StateIndex, 0);
        const QColor white = ToQColor(answers.Color());
        const QColor grey = ToQColor(EvenRowColor);
        const QColor pink = ToQColor(TickedRowColor);
        EXPECT_EQ(grey, QColor(229, 229, 229));
        EXPECT_EQ(pink, QColor(255, 229, 229));
        // Row 0 is selected; the others show their own colours.
        EXPECT_EQ(RowColour(answers, 1), white);
        EXPECT_EQ(RowColour(answers, 2), pink);
        EXPECT_EQ(RowColour(answers, 3), pink);
        EXPECT_EQ(RowColour(answers, 4), grey);
        EXPECT_EQ(RowColour(answers, 5), white);

        // The other lists alternate only: the five replies of question 3.
        answers.SetItemIndex(2);
        ASSERT_EQ(form.lvReply->ItemCount(), 5);
        EXPECT_EQ(RowColour(*form.lvReply, 0), grey);
        EXPECT_EQ(RowColour(*form.lvReply, 1), white);
        EXPECT_EQ(RowColour(*form.lvReply, 4), grey);
    });
}

TEST_F(DataScreen, TheDroppedDownSubsetListIsWideEnoughForTheLongestName)
{
    WriteCategory(5);
    const QString longName = QStringLiteral("とても長いカテゴリーの名前でコンボボックスより広いもの");
    WriteSubset(longName, "1,2");
    WriteSubset("短", "3");
    OpenScreen([&] {
        TComboBox& box = *Form().cmbCategory;
        box.showPopup();
        const int expected = box.fontMetrics().horizontalAdvance(longName) +
                             box.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &box) + 8;
        EXPECT_GT(expected, box.width());
        EXPECT_EQ(box.view()->minimumWidth(), expected);
        EXPECT_GE(box.view()->width(), expected);
        box.hidePopup();
    });
}

TEST_F(DataScreen, SwitchingTheSubsetReloadsTheUnitsAndSelectsUnitOne)
{
    WriteCategory(30);
    WriteSubset("奇数", "1,3,5,7,9,11,13,15,17,19,21,23");
    WriteReplies({{2, base_}, {11, base_ + 0.01}, {13, base_ + 0.02}});
    WriteHistory({{10, 1, QStringLiteral("奇数")}, {10, 2, QStringLiteral("奇数")}, {10, 2}});
    OpenScreen([&] {
        TfrmData& form = Form();
        form.lvAnswerUnit->SetItemIndex(2);
        ASSERT_EQ(Control().UnitNo, 3);

        form.cmbCategory->setFocus();
        QTest::keyClick(form.cmbCategory, Qt::Key_Down); // the user picks "奇数"
        EXPECT_EQ(form.cmbCategory->Text(), "奇数");
        EXPECT_EQ(form.cmbCategory->toolTip(), "奇数");
        EXPECT_EQ(Ini().ReadString("SubCategoryIndex", "Index", ""), "奇数");
        EXPECT_EQ(Captions(*form.lvAnswerUnit), QStringList({"1", "2"}));
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 0);
        EXPECT_EQ(Control().UnitNo, 1);
        EXPECT_EQ(form.lvUnitHistory->ItemCount(), 1);
        EXPECT_EQ(Captions(*form.lvAnswer).mid(0, 3), QStringList({"1", "3", "5"}));
        EXPECT_EQ(form.lvAnswer->ItemCount(), 10);
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧：1");
        EXPECT_EQ(form.lvReply->ItemCount(), 0);
    });
}

TEST_F(DataScreen, ASecondOpeningRestoresTheUnitThePanelsAndThePlacement)
{
    WriteCategory(45);
    int clientHeight = 0;
    OpenScreen([&] {
        TfrmData& form = Form();
        form.lvAnswerUnit->SetItemIndex(3);
        // The test screen's work area is 800 × 600, narrower than the screen's minimum
        // width, so the window keeps the left edge of the work area.
        form.SetBounds(0, 34, DataFormMinWidth + 8, 560);
        QApplication::processEvents();
        clientHeight = form.ClientHeight();
        // The user drags two splitters.
        QSplitterHandle* handle = form.SptBase->handle(1);
        const QPoint from = handle->rect().center();
        const int before = form.TabTop->height();
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        QTest::mouseMove(handle, from + QPoint(0, 37));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, from + QPoint(0, 37));
        EXPECT_EQ(form.TabTop->height(), before + 37);
        form.Splitter4->setSizes({250, 400});
    });
    const int topHeight = Ini().ReadInteger("位置", "TopHeight", -1);
    EXPECT_GT(topHeight, 300);
    EXPECT_EQ(Ini().ReadInteger("位置", "AnswerWidth", -1), 250);
    EXPECT_EQ(Ini().ReadInteger("単位", "ｲﾝﾃﾞｯｸｽ", -1), 3);

    OpenScreen([&] {
        TfrmData& form = Form();
        EXPECT_TRUE(Control().WindowStateRead);
        EXPECT_EQ(form.Left(), 0);
        EXPECT_EQ(form.Top(), 34);
        EXPECT_EQ(form.ClientHeight(), clientHeight);
        EXPECT_EQ(form.TabTop->height(), topHeight);
        EXPECT_EQ(form.pnlAnswerList->width(), 250);
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 3);
        EXPECT_EQ(Control().UnitNo, 4);
        EXPECT_EQ(Captions(*form.lvAnswer).first(), "31");
    });
}
