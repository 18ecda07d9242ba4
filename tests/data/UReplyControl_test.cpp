// The reply store on real Reply.cds files: the file of a new folder, when and in which
// order judged replies are written, the judge queue, the pass rule, deleting, a damaged
// file, the store of no folder and the column widths of the reply list.
#include "UReplyTestSupport.h"

#include "platform/core/Checked.h"
#include "platform/dataset/DataSetError.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "platform/vcl/ListView.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <map>

namespace {

const TDateTime Day = EncodeDateTime(2026, 12, 9, 8, 0, 0, 0);

class ReplyStore : public ReplyFolder {
protected:
    // A test of `count` questions numbered from `first`, one reply each, 2 s each.
    void RunTest(int first, int count, TDateTime at)
    {
        for (int i = 0; i < count; ++i) {
            const TDateTime shown = at + i * 10 * Second;
            ReplyControl->AddRecord(ReplyTypeText, first + i, shown + Second, shown,
                                    shown + 2 * Second, QStringLiteral("r%1").arg(first + i));
        }
    }
    // Judges the whole queue as the checking screen does.
    void JudgeAll(bool correct)
    {
        const int count = ReplyControl->FirstUnjudged() < 0 ? 0 : static_cast<int>(ReplyControl->JudgeList.size());
        for (int i = 0; i < count; ++i) {
            ReplyControl->JudgeCurrent(correct, ReplyControl->GetCurrentTotalTime());
            ReplyControl->NextUnjudged();
        }
    }
    static TStringList Numbers(std::initializer_list<const char*> texts)
    {
        TStringList list;
        for (const char* t : texts)
            list.Add(QString::fromLatin1(t));
        return list;
    }
};

} // namespace

TEST_F(ReplyStore, ANewFolderGetsAnEmptyReplyFileOfTheNineFields)
{
    Open();
    TClientDataSet ds;
    ds.LoadFromFile(ReplyPath());
    EXPECT_EQ(ds.RecordCount(), 0);
    const std::vector<std::pair<const char*, TFieldType>> fields = {
        {"NO", ftInteger},         {"TYPE", ftInteger},      {"STATE", ftInteger},
        {"REPLYSTART", ftDateTime}, {"STARTTIME", ftDateTime}, {"ENDTIME", ftDateTime},
        {"DATA", ftString},        {"CLEAR", ftBoolean},     {"ANSWER", ftBoolean}};
    ASSERT_EQ(ds.FieldDefs().Count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(ds.FieldDefs()[i].Name, QString::fromLatin1(fields[static_cast<std::size_t>(i)].first));
        EXPECT_EQ(ds.FieldDefs()[i].DataType, fields[static_cast<std::size_t>(i)].second);
    }
    EXPECT_EQ(ds.FieldDefs()[6].Size, 255);
    EXPECT_EQ(ReplyControl->Folder, Folder());
    EXPECT_TRUE(dynamic_cast<TReplyNull*>(ReplyControl->Head.get()));
}

TEST_F(ReplyStore, JudgedRepliesGoBeforeTheStoredOnesTheLastWrittenFirst)
{
    WriteReplies({Row(100, Day, 1, 2), Row(200, Day - 1, 1, 2)}); // A, B
    Open();
    RunTest(1, 3, Day + 1);
    JudgeAll(true);
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>{2, 2, 1, 1, 1}));
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{100, 200})); // judging writes nothing

    Open(); // the old store writes its judged replies
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{3, 2, 1, 100, 200}));
    for (const TReplyRow& row : StoredReplies())
        EXPECT_EQ(row.State, ReplyStateWritten);
    EXPECT_EQ(StoredReplies()[0].Data, QStringLiteral("r3"));
    // Read back by REPLYSTART, whatever the stored order.
    EXPECT_EQ(ChainNumbers(ReplyControl->Head.get()), (std::vector<int>{200, 100, 1, 2, 3}));
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>(5, 2)));
}

TEST_F(ReplyStore, ASecondSaveOfTheSameChainWritesNothing)
{
    Open();
    RunTest(1, 2, Day);
    JudgeAll(false);
    ReplyControl->SavePending();
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>{2, 2}));
    const QByteArray once = program_.Read(QStringLiteral("VEKTest/Reply.cds"));
    ReplyControl->SavePending();
    Open();
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/Reply.cds")), once);
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{2, 1}));
}

TEST_F(ReplyStore, StoppingATestLeavesNoneOfItsRepliesAndAStoredZeroWaitsForJudging)
{
    TReplyRow unjudged = Row(7, Day, 1, 2);
    unjudged.State = ReplyStateUnjudged;
    WriteReplies({unjudged, Row(8, Day + 1, 1, 2)});
    Open();
    RunTest(1, 3, Day + 2);
    Open(); // the test stopped: its replies are dropped
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{7, 8}));
    EXPECT_EQ(ReplyControl->FirstUnjudged(), 7);
    EXPECT_EQ(ReplyControl->JudgeList.size(), 1u);
}

TEST_F(ReplyStore, AStoredJudgedRowIsWrittenOnceAsWrittenAfterAnyNumberOfOpenings)
{
    TReplyRow judged = Row(5, Day, 1, 2, QStringLiteral("r5"), true, true);
    judged.State = ReplyStateJudged;
    WriteReplies({judged});
    const auto countsOnce = [this](const char* when) {
        EXPECT_EQ(ReplyControl->CountTests(5), 1) << when;
        TStringList lines;
        ReplyControl->GetStatistics(5, lines);
        EXPECT_EQ(lines.Values(QStringLiteral("TestCount")), QStringLiteral("1")) << when;
        EXPECT_EQ(lines.Values(QStringLiteral("ClearCount")), QStringLiteral("1")) << when;
        EXPECT_EQ(ReplyControl->FirstUnjudged(), -1) << when;
    };

    Open(); // opened, then released by the next opening
    countsOnce("first");
    Open(); // opened and saved by the checking screen, a test of question 6 judged
    countsOnce("second");
    ReplyControl->SavePending();
    RunTest(6, 1, Day + 1);
    JudgeAll(false);
    Open(); // released with the new reply written beside the stored one
    countsOnce("third");
    ReplyControl->SavePending();

    const std::vector<TReplyRow> stored = StoredReplies();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].No, 6);
    EXPECT_EQ(stored[1].No, 5);
    EXPECT_EQ(stored[1].Data, QStringLiteral("r5"));
    EXPECT_TRUE(stored[1].Clear && stored[1].Answer);
    for (const TReplyRow& row : stored)
        EXPECT_EQ(row.State, ReplyStateWritten) << row.No;
}

TEST_F(ReplyStore, AStoredJudgedRowWhoseFileCannotBeWrittenIsMarkedAtTheNextWrite)
{
    TReplyRow judged = Row(5, Day, 1, 2);
    judged.State = ReplyStateJudged;
    WriteReplies({judged});
    Open();
    const QByteArray bytes = program_.Read(QStringLiteral("VEKTest/Reply.cds"));
    ASSERT_TRUE(QFile::remove(ReplyPath()));
    EXPECT_THROW(ReplyControl->SavePending(), Exception);
    program_.Write(QStringLiteral("VEKTest/Reply.cds"), bytes);
    ReplyControl->SavePending();
    ASSERT_EQ(StoredReplies().size(), 1u);
    EXPECT_EQ(StoredReplies()[0].State, ReplyStateWritten);
}

TEST_F(ReplyStore, TheQueueWalksTheUnjudgedRepliesStayingAtItsEnds)
{
    WriteReplies({Row(50, Day, 1, 2)});
    Open();
    RunTest(11, 3, Day + 1);
    EXPECT_EQ(ReplyControl->FirstUnjudged(), 11);
    EXPECT_EQ(ReplyControl->PriorUnjudged(), 11);
    EXPECT_EQ(ReplyControl->NextUnjudged(), 12);
    EXPECT_EQ(ReplyControl->NextUnjudged(), 13);
    EXPECT_EQ(ReplyControl->NextUnjudged(), 13);
    EXPECT_EQ(ReplyControl->JudgeIndex, 2);
    EXPECT_EQ(ReplyControl->PriorUnjudged(), 12);

    ReplyControl->JudgeCurrent(true, Second);
    EXPECT_EQ(ReplyControl->CountCorrectInList(), 1);
    EXPECT_EQ(ReplyControl->CountClearedInList(), 1);
    ReplyControl->JudgeCurrent(false, Second); // judged again: both flags overwritten
    EXPECT_EQ(ReplyControl->CountCorrectInList(), 0);
    EXPECT_EQ(ReplyControl->CountClearedInList(), 0);
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>{2, 0, 1, 0}));
    EXPECT_EQ(ReplyControl->CountTests(12), 1);
    EXPECT_EQ(ReplyControl->CountTests(99), 0);

    // A judged reply leaves the next queue; the others stay in it.
    EXPECT_EQ(ReplyControl->FirstUnjudged(), 11);
    EXPECT_EQ(ReplyControl->JudgeList.size(), 2u);
    EXPECT_EQ(ReplyControl->NextUnjudged(), 13);
}

TEST_F(ReplyStore, AReplyPassesOnlyWhenCorrectAndStrictlyBelowTheClearTime)
{
    SettingClass->CreateInstance(Folder()); // no Control.inf: 3.0 s
    ASSERT_DOUBLE_EQ(Setting->GetClearSeconds(), 3.0);
    Open();
    for (const auto& [no, total] : {std::pair{2999, 2.999}, {3000, 3.0}, {1000, 1.0}}) {
        const TDateTime shown = Day + no;
        ReplyControl->AddRecord(ReplyTypeText, no, shown + Second, shown, shown + total * Second, {});
    }
    ReplyControl->FirstUnjudged();
    ReplyControl->JudgeCurrent(true, ReplyControl->GetCurrentTotalTime());
    ReplyControl->NextUnjudged();
    ReplyControl->JudgeCurrent(true, ReplyControl->GetCurrentTotalTime());
    ReplyControl->NextUnjudged();
    ReplyControl->JudgeCurrent(false, ReplyControl->GetCurrentTotalTime());
    EXPECT_EQ(ReplyControl->CountCorrectInList(), 2);
    EXPECT_EQ(ReplyControl->CountClearedInList(), 1);
    Open();

    std::map<int, std::pair<bool, bool>> stored; // No -> (ANSWER, CLEAR)
    for (const TReplyRow& row : StoredReplies())
        stored[row.No] = {row.Answer, row.Clear};
    EXPECT_EQ(stored[2999], std::make_pair(true, true));
    EXPECT_EQ(stored[3000], std::make_pair(true, false));
    EXPECT_EQ(stored[1000], std::make_pair(false, false));
}

TEST_F(ReplyStore, OnAnEmptyQueueTheQueueOperationsTouchNoReply)
{
    WriteReplies({Row(1, Day, 1, 2, QStringLiteral("stored"))});
    Open();
    const TDateTime now = Day + 5;
    SetNowFunction([now] { return now; });
    const QByteArray before = program_.Read(QStringLiteral("VEKTest/Reply.cds"));

    for (int round = 0; round < 2; ++round) { // before and after FirstUnjudged
        EXPECT_EQ(ReplyControl->NextUnjudged(), -1);
        EXPECT_EQ(ReplyControl->PriorUnjudged(), -1);
        EXPECT_DOUBLE_EQ(ReplyControl->GetCurrentTotalTime(), now);
        TStringList lines;
        lines.Add(QStringLiteral("old"));
        ReplyControl->GetCurrentInfo(lines);
        EXPECT_EQ(lines.Count(), 0);
        QLineEdit edit(QStringLiteral("kept"));
        ReplyControl->ShowCurrentData(&edit);
        EXPECT_EQ(edit.text(), QStringLiteral("kept"));
        ReplyControl->JudgeCurrent(true, Second);
        EXPECT_EQ(ReplyControl->CountCorrectInList(), 0);
        EXPECT_EQ(ReplyControl->FirstUnjudged(), -1);
    }
    ResetNowFunction();
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>{2}));
    Open();
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/Reply.cds")), before);
}

TEST_F(ReplyStore, DeleteRecordsWritesTheJudgedFirstThenDeletesTheNumbersAndReadsStoredOrder)
{
    WriteReplies({Row(1, Day, 1, 2), Row(2, Day - 2, 1, 2), Row(1, Day - 1, 1, 2), Row(3, Day - 3, 1, 2)});
    Open();
    RunTest(4, 2, Day + 1); // 4 and 5
    ReplyControl->FirstUnjudged();
    ReplyControl->JudgeCurrent(true, Second); // 4 judged, 5 not

    const QByteArray before = program_.Read(QStringLiteral("VEKTest/Reply.cds"));
    ReplyControl->DeleteRecords(TStringList());
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/Reply.cds")), before);
    EXPECT_EQ(ReplyControl->JudgeList.size(), 2u);

    ReplyControl->DeleteRecords(Numbers({"1", "3"}));
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{4, 2}));
    EXPECT_EQ(ChainNumbers(ReplyControl->Head.get()), (std::vector<int>{4, 2}));
    EXPECT_TRUE(ReplyControl->JudgeList.empty());
    EXPECT_EQ(ReplyControl->FirstUnjudged(), -1); // the unjudged 5 is gone
    EXPECT_EQ(ReplyControl->CountTests(1), 0);
    EXPECT_EQ(ReplyControl->CountTests(4), 1);

    // Numbers without replies still write the judged replies.
    RunTest(6, 1, Day + 2);
    JudgeAll(true);
    ReplyControl->DeleteRecords(Numbers({"77"}));
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{6, 4, 2}));
    EXPECT_EQ(ChainNumbers(ReplyControl->Head.get()), (std::vector<int>{6, 4, 2}));
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>{2, 2, 2}));
}

TEST_F(ReplyStore, EveryQuestionNumberCountsItsOwnRepliesStoredOrAdded)
{
    const int numbers[] = {7, 0, -3, 65535, 65536, 2147483647, -2147483647 - 1, 7};
    std::vector<TReplyRow> rows;
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        rows.push_back(Row(numbers[i], Day + static_cast<double>(i), 1, 2));
    WriteReplies(rows);
    Open();
    for (const int no : numbers)
        EXPECT_EQ(ReplyControl->CountTests(no), no == 7 ? 2 : 1) << no;
    for (const int none : {1, 6, 8, 65534, 65537, -1, 40000})
        EXPECT_EQ(ReplyControl->CountTests(none), 0) << none;

    RunTest(65533, 4, Day + 20); // 65533 to 65536, across the numbers of the vector
    RunTest(-1, 1, Day + 21);
    EXPECT_EQ(ReplyControl->CountTests(65533), 1);
    EXPECT_EQ(ReplyControl->CountTests(65535), 2);
    EXPECT_EQ(ReplyControl->CountTests(65536), 2);
    EXPECT_EQ(ReplyControl->CountTests(-1), 1);
    EXPECT_EQ(ReplyControl->CountTests(7), 2);
}

TEST_F(ReplyStore, ClearAllEmptiesTheFileAndDropsJudgedRepliesNotYetWritten)
{
    WriteReplies({Row(1, Day, 1, 2), Row(2, Day, 1, 2)});
    Open();
    RunTest(3, 2, Day + 1);
    JudgeAll(true);
    ReplyControl->ClearAll();
    EXPECT_TRUE(ReplyControl->JudgeList.empty());
    EXPECT_TRUE(dynamic_cast<TReplyNull*>(ReplyControl->Head.get()));
    EXPECT_EQ(ReplyControl->FirstUnjudged(), -1);
    EXPECT_EQ(ReplyControl->CountTests(3), 0);
    Open();
    TClientDataSet ds;
    ds.LoadFromFile(ReplyPath());
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_EQ(ds.FieldDefs().Count(), 9);
}

TEST_F(ReplyStore, RepliesWithDatesBeyondTheCalendarAreKeptAndCountedInOneLogLine)
{
    const TDateTime beyond = 3000000.0; // after 9999/12/31, still storable
    WriteReplies({Row(1, Day, 1, 2), Row(2, beyond, 1, 2), Row(3, Day, 1, 2), Row(4, Day, -beyond * 86400, 2)});
    Open();
    EXPECT_EQ(ChainNumbers(ReplyControl->Head.get()), (std::vector<int>{4, 1, 3, 2}));
    const QString log = DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")));
    EXPECT_EQ(log.count(QStringLiteral("TReplyControl.Create")), 1);
    EXPECT_TRUE(log.contains(QStringLiteral(": 2 row(s) hold a date or time outside"))) << log.toStdString();

    ReplyControl->DeleteRecords(Numbers({"2"}));
    ReplyControl->ClearAll();
    EXPECT_EQ(DecodeAnsi(program_.Read(QStringLiteral("Vek.Log"))).count(QStringLiteral("TReplyControl.Create")), 1);
}

TEST_F(ReplyStore, ADamagedFileIsSetAsideAndANewFileRecordsTheReplies)
{
    const QByteArray damaged("not a data packet at all");
    program_.Write(QStringLiteral("VEKTest/Reply.cds"), damaged);
    EXPECT_NO_THROW(Open());
    const QString aside = ReplyPath() + QStringLiteral(".damaged");
    EXPECT_EQ(ReplyControl->SetAsideFile, aside);
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/Reply.cds.damaged")), damaged);
    const QString log = DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")));
    EXPECT_EQ(log.count(QStringLiteral("TReplyControl.CreateInstance.")), 1);
    EXPECT_TRUE(log.contains(aside));

    // New replies go to the new file.
    RunTest(1, 2, Day);
    JudgeAll(true);
    ReplyControl->SavePending();
    EXPECT_EQ(StoredNumbers(), std::vector<int>({2, 1}));

    // The next opening reads the new file and sets nothing aside.
    Open();
    EXPECT_TRUE(ReplyControl->SetAsideFile.isEmpty());
    TStringList lines;
    ReplyControl->GetStatistics(1, lines);
    EXPECT_EQ(lines.Values(QStringLiteral("TestCount")), QStringLiteral("1"));
}

TEST_F(ReplyStore, AFileWithoutAColumnIsSetAsideNextToAnEarlierOne)
{
    program_.Write(QStringLiteral("VEKTest/Reply.cds.damaged"), "earlier");
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName(QStringLiteral("NO")).SetAsInteger(4);
    ds.Post();
    ds.SaveToFile(ReplyPath());
    const QByteArray withoutColumns = program_.Read(QStringLiteral("VEKTest/Reply.cds"));

    Open();
    EXPECT_EQ(ReplyControl->SetAsideFile, ReplyPath() + QStringLiteral(".damaged2"));
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/Reply.cds.damaged")), QByteArray("earlier"));
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/Reply.cds.damaged2")), withoutColumns);
    TClientDataSet fresh;
    fresh.LoadFromFile(ReplyPath());
    EXPECT_EQ(fresh.FieldDefs().Count(), 9);
    EXPECT_EQ(fresh.RecordCount(), 0);
}

TEST_F(ReplyStore, AFileThatCannotBeSetAsideRaisesAndIsNeverWritten)
{
    // A folder in the file's place: nothing to read, nothing to move.
    program_.MakeDir(QStringLiteral("VEKTest/Reply.cds"));
    EXPECT_THROW(Open(), Exception);
    ASSERT_FALSE(dynamic_cast<TReplyControlNull*>(ReplyControl.get()));
    EXPECT_EQ(ReplyControl->Folder, Folder());
    EXPECT_TRUE(ReplyControl->SetAsideFile.isEmpty());
    EXPECT_TRUE(dynamic_cast<TReplyNull*>(ReplyControl->Head.get()));

    RunTest(1, 2, Day);
    JudgeAll(true);
    ReplyControl->SavePending();
    ReplyControl->DeleteRecords(Numbers({"1"}));
    ReplyControl->ClearAll();
    TStringList lines;
    ReplyControl->GetStatistics(1, lines);
    EXPECT_EQ(lines.Values(QStringLiteral("TestCount")), QStringLiteral("1"));
    ReplyControlClass->CreateInstance(program_.Path()); // frees the empty store
    EXPECT_TRUE(QFileInfo(ReplyPath()).isDir());
    EXPECT_FALSE(QFileInfo::exists(ReplyPath() + QStringLiteral(".damaged")));
}

TEST_F(ReplyStore, TheStoreOfNoFolderDoesNothing)
{
    ASSERT_TRUE(dynamic_cast<TReplyControlNull*>(ReplyControl.get()));
    const TDateTime now = Day + 3;
    SetNowFunction([now] { return now; });
    EXPECT_DOUBLE_EQ(ReplyControl->GetCurrentTotalTime(), now);
    ResetNowFunction();
    ReplyControl->AddRecord(ReplyTypeText, 1, Day, Day, Day + Second, {});
    EXPECT_EQ(ReplyControl->FirstUnjudged(), 0);
    EXPECT_EQ(ReplyControl->NextUnjudged(), 0);
    EXPECT_EQ(ReplyControl->PriorUnjudged(), 0);
    EXPECT_EQ(ReplyControl->CountTests(1), 0);
    EXPECT_EQ(ReplyControl->CountCorrectInList(), 0);
    EXPECT_EQ(ReplyControl->CountClearedInList(), 0);
    TStringList lines;
    lines.Add(QStringLiteral("kept"));
    ReplyControl->GetStatistics(1, lines);
    ReplyControl->GetCurrentInfo(lines);
    EXPECT_EQ(lines.Lines(), QStringList{QStringLiteral("kept")});
    TListView list;
    ReplyControl->SetupColumns(list);
    EXPECT_EQ(list.ColumnCount(), 0);
    FinalizeUReplyControl(); // freeing it writes nothing anywhere
    EXPECT_FALSE(QFile::exists(ReplyPath()));
    InitializeUReplyControl();
}

TEST_F(ReplyStore, ProgramEndWritesTheJudgedReplies)
{
    Open();
    RunTest(1, 2, Day);
    JudgeAll(true);
    FinalizeUReplyControl();
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{2, 1}));
    InitializeUReplyControl();
}

TEST_F(ReplyStore, ColumnWidthsComeFromControlInfWithDefaultsAndGoBackAsTheyAre)
{
    program_.Write(QStringLiteral("VEKTest/Control.inf"),
                   EncodeAnsi(QStringLiteral("[回答幅]\r\n回答時間=75\r\n正解=0\r\n")));
    Open();
    TListView list;
    list.SetOwnerData(true);
    ReplyControl->SetupColumns(list);
    ASSERT_EQ(list.ColumnCount(), 5);
    const QStringList captions = {QStringLiteral("ﾃｽﾄ時刻"), QStringLiteral("回答時間"),
                                  QStringLiteral("開始時刻"), QStringLiteral("正解"),
                                  QStringLiteral("合格")};
    const std::vector<int> widths = {122, 75, 60, 0, 37};
    const std::vector<TAlignment> alignments = {TAlignment::taCenter, TAlignment::taRightJustify,
                                                TAlignment::taRightJustify, TAlignment::taCenter,
                                                TAlignment::taCenter};
    for (int i = 0; i < 5; ++i) {
        const std::size_t u = static_cast<std::size_t>(i);
        EXPECT_EQ(list.Column(i).Caption(), captions[i]);
        EXPECT_EQ(list.Column(i).Width(), widths[u]) << i;
        EXPECT_EQ(list.Column(i).Alignment(), alignments[u]) << i;
    }

    list.Column(0).SetWidth(130);
    ReplyControl->SaveColumnWidths(list);
    EXPECT_EQ(DecodeAnsi(program_.Read(QStringLiteral("VEKTest/Control.inf"))),
              QStringLiteral("[回答幅]\r\n回答時間=75\r\n正解=0\r\nﾃｽﾄ時刻=130\r\n開始時刻=60\r\n合格=37\r\n"));
    // Widths stored already are not written again: the file is left alone.
    const QString path = program_.FilePath(QStringLiteral("VEKTest/Control.inf"));
    const QDateTime past = QDateTime::currentDateTime().addDays(-1);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    }
    ReplyControl->SaveColumnWidths(list);
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), past.toSecsSinceEpoch());
    list.Column(2).SetWidth(64);
    ReplyControl->SaveColumnWidths(list);
    EXPECT_EQ(DecodeAnsi(program_.Read(QStringLiteral("VEKTest/Control.inf"))),
              QStringLiteral("[回答幅]\r\n回答時間=75\r\n正解=0\r\nﾃｽﾄ時刻=130\r\n開始時刻=64\r\n合格=37\r\n"));

    // A width below -2 is no width: taken as missing, and the file keeps it.
    program_.Write(QStringLiteral("VEKTest/Control.inf"), EncodeAnsi(QStringLiteral("[回答幅]\r\n合格=-3\r\n正解=-2\r\n")));
    ReplyControl->SetupColumns(list);
    EXPECT_EQ(list.Column(4).Width(), 37);
    EXPECT_EQ(DecodeAnsi(program_.Read(QStringLiteral("VEKTest/Control.inf"))),
              QStringLiteral("[回答幅]\r\n合格=-3\r\n正解=-2\r\n"));
}

TEST_F(ReplyStore, AFailedSaveKeepsTheRepliesJudgedAndAFailedSaveAtReleaseIsLogged)
{
    Open();
    RunTest(1, 2, Day);
    JudgeAll(true);
    ASSERT_TRUE(QFile::remove(ReplyPath()));
    EXPECT_THROW(ReplyControl->SavePending(), Exception);
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>{1, 1}));
    ReplyControl->EnsureDataFile();
    ReplyControl->SavePending();
    EXPECT_EQ(StoredNumbers(), (std::vector<int>{2, 1}));

    RunTest(3, 1, Day + 1);
    JudgeAll(true);
    ASSERT_TRUE(QFile::remove(ReplyPath()));
    ReplyControlClass->CreateInstance(program_.Path());
    EXPECT_TRUE(DecodeAnsi(program_.Read(QStringLiteral("Vek.Log"))).contains(QStringLiteral("TReplyControl.Destroy")));
}
