#include "tests/data/USubCategoryTestSupport.h"

#include "data/UAnswer.h"
#include "data/UAnswerControl.h"
#include "data/UAnswerUnit.h"
#include "data/UAnswerUnitControl.h"
#include "data/UConst.h"
#include "data/UReply.h"
#include "data/UReplyControl.h"
#include "data/USetting.h"
#include "data/UUnitHistory.h"
#include "data/UUnitHistoryControl.h"
#include "platform/core/Exception.h"
#include "platform/datetime/DateTime.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "platform/vcl/ListView.h"
#include "shell/ProgramUnits.h"
#include "tests/support/CategoryFiles.h"

#include <QThread>

namespace {

// One row of UnitHistory.cds, no reply correct or passed.
struct TUnitRun {
    int Count = 10;
    int No = 1;
    QString SubCategory;
    TDateTime TestDate = 0.0;
    int TestCount = 10;
    TDateTime Average = 0.0; // negative: question start minus reply end
};

constexpr TDateTime Second = 1.0 / 86400.0;

class Units : public SubsetFolder {
protected:
    Units()
        : SubsetFolder(ProgramUnits({"USubCategory", "UReply", "USetting", "UReplyControl", "UAnswer",
                                     "UAnswerControl", "UUnitHistory", "UUnitHistoryControl",
                                     "UAnswerUnit", "UAnswerUnitControl"}))
    {
    }

    // Every question tested `tests` times, each reply wrong.
    void WriteReplies(const std::vector<int>& numbers, int tests) const
    {
        std::vector<TReplyRow> rows;
        const TDateTime start = EncodeDate(2026, 3, 1);
        for (int no : numbers) {
            for (int i = 0; i < tests; ++i) {
                const TDateTime at = start + (no * 100 + i) * 60 * Second;
                rows.push_back({no, ReplyTypeText, ReplyStateWritten, at + Second, at,
                                at + 2 * Second, QString(), false, false});
            }
        }
        WriteReplyFile(Folder() + QStringLiteral("Reply.cds"), rows);
    }

    void WriteHistory(const std::vector<TUnitRun>& runs) const
    {
        std::vector<THistoryRow> rows;
        for (const TUnitRun& run : runs)
            rows.push_back({run.Count, run.No, run.SubCategory, run.TestDate, run.Average,
                            run.TestCount, 0, 0});
        WriteHistoryFile(Folder() + QStringLiteral("UnitHistory.cds"), rows);
    }

    // The stores of the category made current, as the data screen does.
    void Open(int unitSize)
    {
        SettingClass->CreateInstance(Folder());
        ReplyControlClass->CreateInstance(Folder());
        AnswerControlClass->CreateInstance(Folder());
        UnitHistoryControlClass->CreateInstance(Folder());
        AnswerUnitControlClass->CreateInstance(Folder(), unitSize);
    }

    // The unit list's rows: caption, then the seven cells.
    std::vector<QStringList> UnitRows(int unitSize)
    {
        TRowList rows;
        AnswerUnitControl->FillListView(unitSize, list_, rows);
        std::vector<QStringList> texts;
        for (const auto& row : rows)
            texts.push_back(QStringList{row->Caption} + row->SubItems);
        return texts;
    }

    // The units of the chain as last built: number, size, subset name and entries.
    struct TUnitKeys {
        int UnitNo;
        int UnitSize;
        QString Name;
        QStringList Numbers;
        bool operator==(const TUnitKeys&) const = default;
    };
    std::vector<TUnitKeys> Chain() const
    {
        std::vector<TUnitKeys> units;
        for (const TAnswerUnit* u = AnswerUnitControl->Head.get(); u && u->Next; u = u->Next.get())
            units.push_back({u->UnitNo, u->UnitSize, u->Name, u->Numbers->Lines()});
        return units;
    }

    static std::vector<int> Range(int from, int to)
    {
        std::vector<int> numbers;
        for (int no = from; no <= to; ++no)
            numbers.push_back(no);
        return numbers;
    }
    static QStringList Texts(const std::vector<int>& numbers)
    {
        QStringList texts;
        for (int no : numbers)
            texts.append(QString::number(no));
        return texts;
    }

    TListView list_;
};

const QString All = QStringLiteral("全ての問題");

} // namespace

TEST_F(Units, TwentyThreeEntriesAtSizeTenGiveThreeUnits)
{
    WriteAnswerFile(Folder(), Range(1, 23));
    SaveChoice(All);
    Open(10);
    const std::vector<QStringList> rows = UnitRows(10);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], QStringLiteral("  1"));
    EXPECT_EQ(rows[1][0], QStringLiteral("  2"));
    EXPECT_EQ(rows[2][0], QStringLiteral("  3"));
    EXPECT_EQ(rows[0][2], QStringLiteral("10"));
    EXPECT_EQ(rows[1][2], QStringLiteral("10"));
    EXPECT_EQ(rows[2][2], QStringLiteral("3"));
    EXPECT_EQ(Chain(), (std::vector<TUnitKeys>{{1, 10, All, Texts(Range(1, 10))},
                                               {2, 10, All, Texts(Range(11, 20))},
                                               {3, 10, All, Texts(Range(21, 23))}}));
}

TEST_F(Units, AreCutFromTheSubsetInItsOrderEmptyEntriesIncluded)
{
    WriteAnswerFile(Folder(), Range(1, 9));
    WriteFile(QStringLiteral("Kanji.sub"), "9,2,2,x,\r\n");
    SaveChoice(QStringLiteral("kanji"));
    Open(2);
    EXPECT_EQ(Chain(), (std::vector<TUnitKeys>{
                           {1, 2, QStringLiteral("kanji"), {QStringLiteral("9"), QStringLiteral("2")}},
                           {2, 2, QStringLiteral("kanji"), {QStringLiteral("2"), QStringLiteral("x")}},
                           {3, 2, QStringLiteral("kanji"), {QString()}}}));
    EXPECT_EQ(UnitRows(2).back()[2], QStringLiteral("1")); // the final empty entry counts

    EXPECT_EQ(UnitRows(50).size(), 1u); // a size above the entry count: one unit of all
    EXPECT_EQ(Chain().front().Numbers.size(), 5);
}

TEST_F(Units, ASizeBelowOneIsTakenAsOne)
{
    WriteAnswerFile(Folder(), Range(1, 3));
    Open(0);
    EXPECT_EQ(Chain(), (std::vector<TUnitKeys>{{1, 1, QString(), {QStringLiteral("1")}},
                                               {2, 1, QString(), {QStringLiteral("2")}},
                                               {3, 1, QString(), {QStringLiteral("3")}}}));
    EXPECT_EQ(UnitRows(-5).size(), 3u);
}

TEST_F(Units, NoAnswerFileOrNoNumbersGiveNoUnits)
{
    WriteFile(QStringLiteral("Kanji.sub"), "1,2,3\r\n");
    SaveChoice(QStringLiteral("Kanji"));
    Open(10);
    EXPECT_TRUE(UnitRows(10).empty());
    EXPECT_TRUE(Chain().empty());

    WriteAnswerFile(Folder(), {});
    SaveChoice(All);
    EXPECT_TRUE(UnitRows(10).empty());
}

TEST_F(Units, ANeverTestedUnitShowsZerosAndDashes)
{
    WriteAnswerFile(Folder(), Range(1, 3));
    Open(10);
    EXPECT_EQ(UnitRows(10), (std::vector<QStringList>{{QStringLiteral("  1"), QStringLiteral("0"),
                                                       QStringLiteral("3"), QStringLiteral("0"),
                                                       QStringLiteral("0%"), QStringLiteral("3"),
                                                       QStringLiteral("- 秒"), QStringLiteral("-")}}));
}

TEST_F(Units, RowsShowFinishedQuestionsAndTheHistoryOfTheirOwnSizeAndSubset)
{
    WriteAnswerFile(Folder(), Range(1, 30));
    WriteReplies({2, 5, 27}, 10); // tested MaxTestCount times: finished
    const TDateTime earlier = EncodeDateTime(2026, 4, 1, 9, 0, 0, 0);
    const TDateTime later = EncodeDateTime(2026, 4, 2, 18, 5, 7, 0);
    WriteHistory({{10, 1, All, earlier, 10, -4 * Second},
                  {10, 1, All, later, 10, -3 * Second},
                  {25, 1, All, earlier, 25, -2 * Second},
                  {10, 1, QStringLiteral("Kanji"), later, 10, -1 * Second},
                  {10, 2, All, earlier, 10, -1 * Second}});
    SaveChoice(All);
    Open(10);
    const std::vector<QStringList> rows = UnitRows(10);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("  1"), QStringLiteral("2"), QStringLiteral("10"),
                                    QStringLiteral("2"), QStringLiteral("20%"), QStringLiteral("8"),
                                    QStringLiteral("0分30秒"), QStringLiteral("2026/04/02 18:05:07")}));
    EXPECT_EQ(rows[1][1], QStringLiteral("1"));
    EXPECT_EQ(rows[2].mid(1, 5), (QStringList{QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("1"),
                                              QStringLiteral("10%"), QStringLiteral("9")}));

    const std::vector<QStringList> bySize25 = UnitRows(25);
    ASSERT_EQ(bySize25.size(), 2u);
    EXPECT_EQ(bySize25[0].mid(1, 4), (QStringList{QStringLiteral("1"), QStringLiteral("25"),
                                                  QStringLiteral("2"), QStringLiteral("8%")}));
    EXPECT_EQ(bySize25[0][6], QStringLiteral("0分50秒"));
    EXPECT_EQ(bySize25[0][7], QStringLiteral("2026/04/01 09:00:00"));
}

TEST_F(Units, EveryRowHasTheFiguresOfItsUnitsOwnStatisticsAlsoAfterANewTest)
{
    WriteAnswerFile(Folder(), Range(1, 30));
    const TDateTime day = EncodeDateTime(2026, 4, 1, 9, 0, 0, 0);
    // Rows of the units interleaved; unit 1 has two rows of the same date, of which the
    // first in the file gives the time.
    WriteHistory({{10, 1, All, day, 10, -4 * Second},
                  {10, 2, All, day + 1, 10, -1 * Second},
                  {10, 1, All, day + 2, 10, -6 * Second},
                  {10, 3, QStringLiteral("Kanji"), day + 3, 10, -1 * Second},
                  {10, 1, All, day + 2, 10, -2 * Second}});
    SaveChoice(All);
    Open(10);
    const auto expected = [](int no) {
        TStringList lines;
        UnitHistoryControl->GetStatistics(10, no, All, lines);
        return QStringList{ZeroIfBlank(lines.Values(QStringLiteral("TestCount"))),
                           FormatMinSec(lines.Values(QStringLiteral("AllDate"))),
                           FormatDateTimeOrDash(lines.Values(QStringLiteral("EndDate")))};
    };
    const auto shown = [](const QStringList& row) { return QStringList{row[1], row[6], row[7]}; };
    std::vector<QStringList> rows = UnitRows(10);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(shown(rows[0]), (QStringList{QStringLiteral("3"), QStringLiteral("1分00秒"),
                                           QStringLiteral("2026/04/03 09:00:00")}));
    for (int no = 1; no <= 3; ++no)
        EXPECT_EQ(shown(rows[static_cast<std::size_t>(no - 1)]), expected(no)) << no;
    EXPECT_EQ(shown(rows[2])[0], QStringLiteral("0")); // unit 3 was tested in another subset

    // A test taken after the list was made counts at once, in the list made next too.
    UnitHistoryControl->AddRecord(10, 3, All, day + 5, -2 * Second, 10, 0, 0);
    EXPECT_EQ(expected(3)[0], QStringLiteral("1"));
    rows = UnitRows(10);
    EXPECT_EQ(shown(rows[2]), expected(3));
}

TEST_F(Units, AHistoryValueThatCannotBeShownIsADashAndEveryUnitIsListed)
{
    WriteAnswerFile(Folder(), Range(1, 30));
    const TDateTime beyond = EncodeDate(9999, 12, 31) + 3; // past the last date
    const TDateTime later = EncodeDateTime(2026, 4, 2, 18, 5, 7, 0);
    WriteHistory({{10, 1, All, beyond, 10, -3 * Second},
                  {10, 2, All, later, 10, -3.0e6}, // a mean of three million days
                  {10, 3, All, later, 10, -1 * Second}});
    SaveChoice(All);
    Open(10);
    const std::vector<QStringList> rows = UnitRows(10);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("  1"), QStringLiteral("1"), QStringLiteral("10"),
                                    QStringLiteral("0"), QStringLiteral("0%"), QStringLiteral("10"),
                                    QStringLiteral("0分30秒"), QStringLiteral("-")}));
    EXPECT_EQ(rows[1].mid(6), (QStringList{QStringLiteral("- 秒"), QStringLiteral("2026/04/02 18:05:07")}));
    EXPECT_EQ(rows[2].mid(1, 1), QStringList{QStringLiteral("1")});
    EXPECT_EQ(rows[2].mid(6), (QStringList{QStringLiteral("0分10秒"), QStringLiteral("2026/04/02 18:05:07")}));
}

TEST_F(Units, AReplyTimeThatCannotBeShownKeepsTheUnitAndAnswerListsWhole)
{
    WriteAnswerFile(Folder(), Range(1, 3));
    const TDateTime beyond = EncodeDate(9999, 12, 31) + 3; // past the last date
    WriteReplyFile(Folder() + QStringLiteral("Reply.cds"),
                   {{2, ReplyTypeText, ReplyStateWritten, beyond + Second, beyond, beyond + 2 * Second,
                     QStringLiteral("r"), false, false}});
    Open(10);
    const std::vector<QStringList> units = UnitRows(10);
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0][3], QStringLiteral("0"));

    TRowList rows;
    AnswerUnitControl->ShowUnitQuestions(10, 1, list_, rows);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1]->SubItems.mid(1, 1), QStringList{QStringLiteral("1")}); // tested once
    EXPECT_EQ(rows[1]->SubItems.last(), QStringLiteral("-"));
}

TEST_F(Units, PassAndTestCountsBelowOneFinishNoQuestionBeforeItIsTested)
{
    WriteAnswerFile(Folder(), Range(1, 4));
    WriteReplies({1}, 1);
    WriteFile(QStringLiteral("Control.inf"),
              EncodeAnsi(QStringLiteral("[設定]\r\nｸﾘｱｰ回数=0\r\n最大ﾃｽﾄ回数=-1\r\n")));
    Open(10);
    const std::vector<QStringList> rows = UnitRows(10);
    ASSERT_EQ(rows.size(), 1u);
    // Finished: none of four; remaining: four.
    EXPECT_EQ(rows[0].mid(3, 3), (QStringList{QStringLiteral("0"), QStringLiteral("0%"), QStringLiteral("4")}));
}

TEST_F(Units, EveryListOfTheCategoryTakesAWidthBelowMinusTwoAsMissing)
{
    WriteFile(QStringLiteral("Control.inf"),
              EncodeAnsi(QStringLiteral("[問題一覧幅]\r\n答え=-5\r\nNo.=44\r\n"
                                        "[単位一覧幅]\r\n問題数=-7\r\nｸﾘｱ率=77\r\n"
                                        "[単位履歴幅]\r\n平均=-3\r\n正解数=-2147483648\r\n"
                                        "[回答幅]\r\n正解=-100\r\n")));
    const QByteArray file = ReadFile(QStringLiteral("Control.inf"));
    Open(10);
    const int digit = list_.TextWidth(QStringLiteral("1"));

    TListView answers;
    AnswerControl->SetupColumns(answers);
    EXPECT_EQ(answers.Column(1).Width(), digit * 7 + 15);
    EXPECT_EQ(answers.Column(0).Width(), 44);

    AnswerUnitControl->SetupColumns(list_);
    EXPECT_EQ(list_.Column(2).Width(), digit * 6 + 15);
    EXPECT_EQ(list_.Column(4).Width(), 77);

    TListView history;
    UnitHistoryControl->SetupColumns(history);
    EXPECT_EQ(history.Column(5).Width(), UnitHistoryColumnWidths[5]);
    EXPECT_EQ(history.Column(2).Width(), UnitHistoryColumnWidths[2]);

    TListView replies;
    ReplyControl->SetupColumns(replies);
    EXPECT_EQ(replies.Column(3).Width(), ReplyColumnWidths[3]);

    // The file keeps its values until the widths are saved; each bad one is logged once.
    EXPECT_EQ(ReadFile(QStringLiteral("Control.inf")), file);
    const QString log = DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")));
    for (const char* key : {"[問題一覧幅] 答え=-5", "[単位一覧幅] 問題数=-7", "[単位履歴幅] 平均=-3",
                            "[回答幅] 正解=-100"})
        EXPECT_EQ(log.count(QString::fromUtf8(key)), 1) << key << log.toStdString();
}

TEST_F(Units, ShowUnitQuestionsFillsTheAnswerListOfOneUnit)
{
    WriteAnswerFile(Folder(), Range(1, 23));
    Open(10);
    TRowList rows;
    AnswerUnitControl->ShowUnitQuestions(99, 3, list_, rows);
    QStringList captions;
    for (const auto& row : rows)
        captions.append(row->Caption);
    EXPECT_EQ(captions, (QStringList{QStringLiteral(" 21"), QStringLiteral(" 22"), QStringLiteral(" 23")}));
    EXPECT_EQ(list_.ColumnCount(), AnswerColumnCount);

    TRowList none;
    list_.SetOwnerData(true);
    list_.SetItemCount(5);
    AnswerUnitControl->ShowUnitQuestions(10, 4, list_, none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(list_.ItemCount(), 0);
}

TEST_F(Units, ColumnsKeepTheirWidthsInControlInf)
{
    Open(10);
    TIniFile ini(Folder() + QStringLiteral("Control.inf"));
    ini.WriteInteger(QStringLiteral("単位一覧幅"), QStringLiteral("ｸﾘｱ率"), 77);
    AnswerUnitControl->SetupColumns(list_);
    ASSERT_EQ(list_.ColumnCount(), AnswerUnitColumnCount);
    const QStringList captions{QStringLiteral("No."),   QStringLiteral("ﾃｽﾄ回数"), QStringLiteral("問題数"),
                               QStringLiteral("ｸﾘｱ数"), QStringLiteral("ｸﾘｱ率"),   QStringLiteral("残件数"),
                               QStringLiteral("回答時間"), QStringLiteral("最終ﾃｽﾄ")};
    const int digit = list_.TextWidth(QStringLiteral("1"));
    for (int i = 0; i < AnswerUnitColumnCount; ++i) {
        EXPECT_EQ(list_.Column(i).Caption(), captions[i]);
        EXPECT_EQ(list_.Column(i).Alignment(),
                  i == 7 ? TAlignment::taCenter : TAlignment::taRightJustify);
    }
    EXPECT_EQ(list_.Column(0).Width(), std::max(digit * 3 + 15, 30));
    EXPECT_EQ(list_.Column(7).Width(), digit * 19 + 15);
    EXPECT_EQ(list_.Column(4).Width(), 77);

    list_.Column(1).SetWidth(41);
    AnswerUnitControl->SaveColumnWidths(list_);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("単位一覧幅"), QStringLiteral("ﾃｽﾄ回数"), -1), 41);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("単位一覧幅"), QStringLiteral("最終ﾃｽﾄ"), -1), digit * 19 + 15);
}

TEST_F(Units, AStoreThatCannotBeMadeLeavesAnEmptyStoreOfTheFolder)
{
    WriteFile(QStringLiteral("Answer.cds"), "damaged");
    EXPECT_THROW(AnswerUnitControlClass->CreateInstance(Folder(), 10), Exception);
    ASSERT_TRUE(AnswerUnitControl);
    EXPECT_EQ(AnswerUnitControl->Folder, Folder());
    EXPECT_TRUE(Chain().empty());
    TRowList rows;
    AnswerUnitControl->ShowUnitQuestions(10, 1, list_, rows);
    EXPECT_TRUE(rows.empty());
}

TEST_F(Units, ALongChainIsBuiltWalkedAndFreedOnASmallStack)
{
    constexpr int count = 200000;
    TStringList numbers;
    for (int i = 0; i < count; ++i)
        numbers.Add(QStringLiteral("1"));
    std::size_t rowCount = 0;
    int counter = 0;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        std::unique_ptr<TAnswerUnit> head;
        AnswerUnitClass->BuildChain(head, 1, counter, All, numbers);
        TRowList rows;
        AddUnitRows(head.get(), list_, rows);
        rowCount = rows.size();
        head.reset();
    }));
    thread->setStackSize(512 * 1024);
    thread->start();
    thread->wait();
    EXPECT_EQ(counter, count);
    EXPECT_EQ(rowCount, static_cast<std::size_t>(count));
    EXPECT_EQ(numbers.Count(), 0);
}
