// The data screen with odd or damaged input: hand-edited Control.inf values, short or
// misplaced Form.dat records, units without answers, unreadable category files, and the
// subset editor changing the saved choice behind the screen's back.
#include "tests/screens/data/DataScreenSupport.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/FileDialog.h"
#include "platform/vcl/SpinEdit.h"

#include <QScreen>
#include <QTemporaryDir>

namespace {

// Counts the exceptions that reach the application's exception event meanwhile.
class TExceptionCount {
public:
    TExceptionCount()
    {
        Application().OnException = [this](const std::exception_ptr&) { ++Count; };
    }
    ~TExceptionCount() { Application().OnException = nullptr; }
    int Count = 0;
};

} // namespace

TEST_F(DataScreen, AButtonNameOfNoSizeButtonStandsForTheUserSize)
{
    WriteCategory(30);
    Ini().WriteString("単位", "名称", "sbtnSelect75");
    Ini().WriteInteger("単位", "単位数", 20);
    OpenScreen([&] {
        EXPECT_EQ(Control().UnitButtonName, "sbtnSelectUser");
        EXPECT_EQ(Control().UnitSize, 20);
        // The settings dialog's OK presses the user's button, which exists.
        WhenShown(frmSetting, [] {
            frmSetting->sedtUserUnitCount->SetValue(12);
            frmSetting->btnSetting->Click();
        });
        QTest::mouseClick(Form().sbtnSetting, Qt::LeftButton);
        EXPECT_EQ(Control().UnitSize, 12);
        EXPECT_EQ(Captions(*Form().lvAnswerUnit), QStringList({"1", "2", "3"}));
    });
    EXPECT_EQ(Ini().ReadString("単位", "名称", ""), "sbtnSelectUser");
    EXPECT_EQ(Ini().ReadInteger("単位", "単位数", 0), 12);
}

TEST_F(DataScreen, UnitSizesStayWithinOneAndAThousandWhereverTheyComeFrom)
{
    WriteCategory(4);
    for (const auto& [stored, used] : {std::pair{0, 1}, {-3, 1}, {5000, 1000}}) {
        SCOPED_TRACE(stored);
        Ini().WriteInteger("単位", "単位数", stored);
        OpenScreen([&, used = used] {
            EXPECT_EQ(Control().UnitSize, used);
            EXPECT_EQ(Form().lvAnswerUnit->ItemCount(), used == 1 ? 4 : 1);
        });
    }
    // A user size the settings hold beyond the range reaches no unit as it is.
    for (const int userUnit : {0, 2147483647}) {
        SCOPED_TRACE(userUnit);
        Ini().WriteInteger("設定", "ﾕｰｻﾞ単位", userUnit);
        OpenScreen([&] {
            const int tag = Form().sbtnSelectUser->Tag();
            EXPECT_GE(tag, 1);
            EXPECT_LE(tag, 1000);
            QTest::mouseClick(Form().sbtnSelectUser, Qt::LeftButton);
            EXPECT_EQ(Control().UnitSize, tag);
            EXPECT_EQ(Form().lvAnswerUnit->ItemCount(), (4 + tag - 1) / tag);
            EXPECT_EQ(Form().lvUnitHistory->ItemCount(), 0);
        });
    }
}

TEST_F(DataScreen, PanelSizesThatCannotBeRightAreTakenAsTheirDefaults)
{
    WriteCategory(5);
    Ini().WriteInteger("位置", "TopHeight", -5);
    Ini().WriteInteger("位置", "TopWidth", 99999);
    Ini().WriteInteger("位置", "TopChartHeight", 160);
    Ini().WriteInteger("位置", "AnswerWidth", -1);
    Ini().WriteInteger("位置", "AnswerHeight", 5000);
    OpenScreen([&] {
        TfrmData& form = Form();
        EXPECT_EQ(form.TabTop->height(), 300);
        EXPECT_EQ(form.pnlUnitList->width(), 306);
        EXPECT_EQ(form.pnlTopRight->height(), 160);
        EXPECT_EQ(form.pnlAnswerList->width(), 306);
        EXPECT_EQ(form.pnlBottonRight->height(), 140);
    });
    EXPECT_EQ(Ini().ReadInteger("位置", "TopHeight", 0), 300);
    EXPECT_EQ(Ini().ReadInteger("位置", "AnswerHeight", 0), 140);
}

TEST_F(DataScreen, AUnitPositionPastTheLastUnitSelectsUnitOne)
{
    WriteCategory(25);
    for (const int stored : {7, -4}) {
        SCOPED_TRACE(stored);
        Ini().WriteInteger("単位", "ｲﾝﾃﾞｯｸｽ", stored);
        OpenScreen([&] {
            EXPECT_EQ(Form().lvAnswerUnit->ItemIndex(), 0);
            EXPECT_EQ(Control().UnitNo, 1);
            EXPECT_EQ(Form().lblQuestion->text(), "問題一覧：1");
        });
        EXPECT_EQ(Ini().ReadInteger("単位", "ｲﾝﾃﾞｯｸｽ", -1), 0);
    }
}

TEST_F(DataScreen, AShortFormDatOpensAtTheDefaultPlacementAndIsWrittenWholeAtClose)
{
    WriteCategory(5);
    program_.Write("VEKTest/Form.dat", QByteArray("\x10\x00\x00\x00\x20\x00\x00\x00", 8));
    OpenScreen([&] {
        EXPECT_FALSE(Control().WindowStateRead);
        EXPECT_EQ(Form().Top(), 0);
        EXPECT_EQ(Form().ClientHeight(), 600);
    });
    EXPECT_EQ(Log().count("Form.dat is shorter than 20 bytes"), 1);
    const auto saved = TKvWdwStateData::FromBytes(program_.Read("VEKTest/Form.dat"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Height, 600);
    EXPECT_EQ(saved->Top, 0);
}

TEST_F(DataScreen, APlacementNoScreenShowsOpensAtTheDefaultPlacement)
{
    WriteCategory(5);
    for (const TKvWdwStateData& record :
         {TKvWdwStateData{50000, 40000, 1000, 600, 0}, TKvWdwStateData{-9000, 10, 1000, 600, 2},
          TKvWdwStateData{10, 10, 0, 600, 0}, TKvWdwStateData{10, 10, 1000, -600, 0},
          TKvWdwStateData{INT_MAX, INT_MIN, INT_MAX, INT_MAX, 0}}) {
        SCOPED_TRACE(record.Left);
        program_.Write("VEKTest/Form.dat", record.ToBytes());
        QRect shown;
        OpenScreen([&] {
            EXPECT_FALSE(Control().WindowStateRead);
            EXPECT_FALSE(Form().isMaximized());
            EXPECT_EQ(Form().Left(), 0);
            EXPECT_EQ(Form().Top(), 0);
            EXPECT_EQ(Form().ClientHeight(), 600);
            shown = QRect(Form().Left(), Form().Top(), Form().width(), Form().height());
        });
        // The close replaced the record by the placement the window had, on screen.
        const QByteArray bytes = program_.Read("VEKTest/Form.dat");
        EXPECT_EQ(bytes.size(), TKvWdwStateData::Size);
        const auto saved = TKvWdwStateData::FromBytes(bytes);
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, (TKvWdwStateData{shown.left(), shown.top(), shown.width(), shown.height(), 0}));
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(shown.topLeft()));
    }
}

TEST_F(DataScreen, AUnitWithoutTextAnswersShowsNoRepliesAndTheOpeningGoesOn)
{
    // Questions without a text answer: a subset of numbers that do not exist, and a
    // category of picture answers only.
    for (const bool pictures : {false, true}) {
        SCOPED_TRACE(pictures);
        WriteCategory({1, 2, 3}, pictures ? 2 : 1);
        WriteSubset("無い", "900,901");
        Ini().WriteString("SubCategoryIndex", "Index", pictures ? "全ての問題" : "無い");
        WriteReplies({{1, base_}, {2, base_ + 1}});
        TExceptionCount exceptions;
        OpenScreen([&] {
            TfrmData& form = Form();
            EXPECT_EQ(form.lvAnswerUnit->ItemCount(), 1);
            EXPECT_EQ(form.lvAnswer->ItemCount(), 0);
            EXPECT_EQ(form.lvReply->ItemCount(), 0);
            for (int series = 0; series < 3; ++series)
                EXPECT_EQ(ChartPoints(*form.chtReply, series), 0);
            EXPECT_EQ(form.sbtnSelectUser->Hint(), "10単位");
            EXPECT_EQ(Control().UnitNo, 1);
        });
        EXPECT_EQ(exceptions.Count, 0);
    }
}

TEST_F(DataScreen, ACategoryWhoseFilesCannotBeReadDoesNotOpenAndLeavesTheOtherAlone)
{
    WriteCategory(5);
    OpenScreen([] {});
    const QByteArray firstControl = program_.Read("VEKTest/Control.inf");

    program_.MakeDir("VEKBroken");
    const QString broken = program_.FilePath("VEKBroken/");
    program_.Write("VEKBroken/Question.cds", "damaged");
    program_.Write("VEKBroken/Answer.cds", "damaged");
    QTimer guard; // should the screen stay open, the test still ends
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (frmData)
            frmData->Close();
    });
    guard.start(5000);
    DataControlClass->Execute("Broken", broken);
    EXPECT_TRUE(guard.isActive()); // it closed by itself

    ASSERT_EQ(asked_.size(), 1);
    EXPECT_TRUE(asked_[0].startsWith("カテゴリー「Broken」のデータを読み込めないため、開けません。"));
    EXPECT_TRUE(Log().contains("TfrmDataControl.OpenModel"));
    EXPECT_TRUE(Log().contains(broken));
    // Every store is the broken category's, none left over from the first one.
    EXPECT_EQ(AnswerUnitControl->Folder, broken);
    EXPECT_EQ(UnitHistoryControl->Folder, broken);
    EXPECT_EQ(QuestionControl->Folder, broken);
    EXPECT_EQ(ReplyControl->Folder, broken);
    EXPECT_EQ(AnswerControl->Folder, broken);
    // Nothing of the screen was saved for it, nothing of the first category changed.
    EXPECT_FALSE(QFile::exists(broken + "Form.dat"));
    EXPECT_FALSE(TIniFile(broken + "Control.inf").ValueExists("位置", "TopHeight"));
    EXPECT_EQ(program_.Read("VEKTest/Control.inf"), firstControl);
}

TEST_F(DataScreen, DamagedReplyAndHistoryFilesAreSetAsideAndTheUserIsToldOnce)
{
    WriteCategory(5);
    OpenScreen([] {});
    program_.MakeDir("VEKOther");
    const QString other = program_.FilePath("VEKOther/");
    WriteTable("../VEKOther/Question.cds", {1, 2}, u'q', 1);
    WriteTable("../VEKOther/Answer.cds", {1, 2}, u'a', 1);
    program_.Write("VEKOther/Reply.cds", "damaged replies");
    program_.Write("VEKOther/UnitHistory.cds", "damaged history");
    const QByteArray firstReplies = program_.Read("VEKTest/Reply.cds");

    asked_.clear();
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return TProbeDataControl::Current && TProbeDataControl::Current->Shown; }, 5000));
        // The stores are the new category's: a reply recorded now goes to its new file.
        EXPECT_EQ(ReplyControl->Folder, other);
        ReplyControl->AddRecord(ReplyTypeText, 2, base_, base_, base_ + ScreenSecond, "a2");
        ReplyControl->FirstUnjudged();
        ReplyControl->JudgeCurrent(true, ScreenSecond);
        ReplyControl->SavePending();
        frmData->Close();
    });
    DataControlClass->Execute("Other", other);
    ASSERT_EQ(asked_.size(), 1);
    EXPECT_TRUE(asked_[0].startsWith("このカテゴリーのこれまでの記録は、ファイルが壊れていて読み込めないため、"));
    EXPECT_TRUE(asked_[0].contains(other + "Reply.cds.damaged"));
    EXPECT_TRUE(asked_[0].contains(other + "UnitHistory.cds.damaged"));
    EXPECT_EQ(program_.Read("VEKOther/Reply.cds.damaged"), "damaged replies");
    EXPECT_EQ(program_.Read("VEKOther/UnitHistory.cds.damaged"), "damaged history");
    EXPECT_EQ(program_.Read("VEKTest/Reply.cds"), firstReplies);
    TClientDataSet replies;
    replies.LoadFromFile(other + "Reply.cds");
    EXPECT_EQ(replies.RecordCount(), 1);

    // The next opening finds good files and says nothing.
    asked_.clear();
    QTimer::singleShot(0, [] {
        (void)QTest::qWaitFor([] { return TProbeDataControl::Current && TProbeDataControl::Current->Shown; }, 5000);
        frmData->Close();
    });
    DataControlClass->Execute("Other", other);
    EXPECT_TRUE(asked_.isEmpty());
}

TEST_F(DataScreen, AnImportInTheSubsetEditorIsFollowedWhateverTheEditorReturns)
{
    WriteCategory(20);
    QTemporaryDir outside;
    const QString file = outside.filePath("Verbs.sub");
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("2,4,6\r\n");
    }
    const TFileDialogAnswerer previous = SetFileDialogAnswerer(
        [file](const TFileDialogQuestion&) { return std::optional<QString>(file); });
    OpenScreen([&] {
        TfrmData& form = Form();
        ASSERT_EQ(form.cmbCategory->Items(), QStringList({"全ての問題"}));
        WhenShown(frmCategoryCreate, [] {
            QTest::mouseClick(frmCategoryCreate->btnImport, Qt::LeftButton);
            QTest::mouseClick(frmCategoryCreate->btnCancel, Qt::LeftButton);
        });
        QTest::mouseClick(form.sbtnCategoryCreate, Qt::LeftButton);
        EXPECT_EQ(form.cmbCategory->Items(), QStringList({"全ての問題", "Verbs"}));
        EXPECT_EQ(form.cmbCategory->Text(), "Verbs");
        EXPECT_EQ(Captions(*form.lvAnswer), QStringList({"2", "4", "6"}));
        EXPECT_EQ(form.lvAnswerUnit->ItemIndex(), 0);

        // Cancel without a change of choice leaves the lists as they are.
        form.lvAnswer->SetItemIndex(2);
        WhenShown(frmCategoryCreate, [] { QTest::mouseClick(frmCategoryCreate->btnCancel, Qt::LeftButton); });
        QTest::mouseClick(form.sbtnCategoryCreate, Qt::LeftButton);
        EXPECT_EQ(form.lvAnswer->ItemIndex(), 2);
        // OK reloads.
        WhenShown(frmCategoryCreate, [] { QTest::mouseClick(frmCategoryCreate->btnSetting, Qt::LeftButton); });
        QTest::mouseClick(form.sbtnCategoryCreate, Qt::LeftButton);
        EXPECT_EQ(form.lvAnswer->ItemIndex(), 0);
        EXPECT_EQ(form.cmbCategory->Text(), "Verbs");
    });
    SetFileDialogAnswerer(previous);
}

TEST_F(DataScreen, ACategoryWithoutQuestionsOpensAndClosesWithoutAnError)
{
    WriteCategory(std::vector<int>{});
    TExceptionCount exceptions;
    OpenScreen([&] {
        EXPECT_EQ(Form().lvAnswerUnit->ItemCount(), 0);
        EXPECT_EQ(Control().UnitNo, 0);
    });
    EXPECT_EQ(exceptions.Count, 0);
    // Every list's widths that exist were saved, those after the empty answer list too.
    EXPECT_TRUE(Ini().ValueExists("回答幅", "ﾃｽﾄ時刻"));
    EXPECT_FALSE(Ini().ValueExists("問題一覧幅", AnswerColumnCaptions[0]));
}

TEST_F(DataScreen, AUnitOfPictureAnswersThatAreNoPicturesClearsTheRepliesOfTheUnitBefore)
{
    // Unit 1 holds text answers, unit 2 only picture answers whose files are no JPEG.
    program_.Write("VEKTest/bad.jpg", "not a jpeg at all");
    WriteTable("Question.cds", {1, 2, 3, 4}, u'q', 1);
    std::vector<TRecordRow> answers;
    for (int no = 1; no <= 4; ++no)
        answers.push_back({no, no <= 2 ? 1 : AnswerTypeImage,
                           no <= 2 ? QStringLiteral("a%1").arg(no) : QStringLiteral("bad.jpg")});
    WriteRecordFile(Folder() + "Answer.cds", answers);
    Ini().WriteInteger("単位", "単位数", 2);
    WriteReplies({{1, base_}, {1, base_ + 1}, {3, base_ + 2}});
    TExceptionCount exceptions;
    OpenScreen([&] {
        TfrmData& form = Form();
        ASSERT_EQ(form.lvAnswerUnit->ItemCount(), 2);
        EXPECT_EQ(Captions(*form.lvAnswer), QStringList({"1", "2"}));
        EXPECT_EQ(form.lvReply->ItemCount(), 2);
        EXPECT_GT(ChartPoints(*form.chtReply, 1), 0);

        form.lvAnswerUnit->SetItemIndex(1);
        EXPECT_EQ(Control().UnitNo, 2);
        EXPECT_EQ(form.lvAnswer->ItemCount(), 0);
        EXPECT_EQ(form.lvReply->ItemCount(), 0);
        for (int series = 0; series < 3; ++series)
            EXPECT_EQ(ChartPoints(*form.chtReply, series), 0);
        EXPECT_EQ(form.lblQuestion->text(), "問題一覧");
    });
    EXPECT_EQ(exceptions.Count, 0);
    EXPECT_EQ(StoredReplyNumbers(), std::vector<int>({1, 1, 3}));
}
