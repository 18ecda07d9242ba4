// The answer list and the finished count over real Answer.cds, Reply.cds and Control.inf
// files: rows per text answer with the reply statistics, the retirement thresholds, the
// column widths of [問題一覧幅], and a failing statistics cell.
#include "UAnswerTestSupport.h"

#include "platform/datetime/DateTime.h"
#include "platform/ini/IniFile.h"

namespace {

using AnswerList = AnswerFolder;

const TDateTime Start = EncodeDateTime(2026, 3, 2, 10, 0, 0, 0);

void WriteQuestions(const QString& folder, const std::vector<TAnswerRow>& rows)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    for (const TAnswerRow& row : rows) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(row.No);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(row.Type);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(row.Data);
        ds.Post();
    }
    ds.SaveToFile(folder + QStringLiteral("Question.cds"));
}

// A reply store whose statistics carry an end date that is no date-time.
class TBadDateReplies : public TReplyControlNull {
public:
    using TReplyControlNull::TReplyControlNull;
    void GetStatistics(int, TStringList& lines) override
    {
        lines.Clear();
        lines.Add(QStringLiteral("EndDate=yesterday"));
        lines.Add(QStringLiteral("TestTime=1.000秒"));
        lines.Add(QStringLiteral("TestCount=2"));
        lines.Add(QStringLiteral("AnswerCount=1"));
        lines.Add(QStringLiteral("ClearCount=1"));
    }
};

} // namespace

TEST_F(AnswerList, APictureAnswerHasNoRowButItsQuestionIsStillJudged)
{
    WriteAnswers({{1, 1, QStringLiteral("a1")}, {2, 1, QStringLiteral("a2")},
                  {3, 2, QStringLiteral("three.bmp")}, {4, 1, QStringLiteral("a4")},
                  {5, 1, QStringLiteral("a5")}});
    WriteReplies({{3, 5, 5, 5}}, Start);
    Open();
    TListView list;
    TRowList rows;
    const TStringList numbers = AnswerNumbers({1, 2, 3, 4, 5});
    AnswerControl->FillListView(numbers, list, rows);
    ASSERT_EQ(rows.size(), 4u);
    QStringList captions;
    for (const auto& row : rows)
        captions << row->Caption;
    EXPECT_EQ(captions, (QStringList{"  1", "  2", "  4", "  5"}));
    EXPECT_EQ(AnswerControl->CountFinished(numbers), 1);
}

TEST_F(AnswerList, AQuestionIsFinishedByPassesOrByTestsWhicheverComesFirst)
{
    WriteTextAnswers(9);
    WriteReplies({{1, 5, 5, 5}, {2, 10, 6, 4}, {3, 9, 9, 4}, {9, 7, 7, 7}}, Start);
    Open();
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({1})), 1);
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({2})), 1);
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({3})), 0);
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({4})), 0); // no replies
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({1, 2, 3, 4})), 2);
    EXPECT_EQ(AnswerControl->CountFinished(TStringList()), 0);
    // Question 9 has replies but no answer any more: it does not count.
    WriteTextAnswers(5);
    AnswerControlClass->CreateInstance(Folder());
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({9})), 0);
    // A text that is no decimal number stands for question 0.
    TStringList odd;
    odd.Add(QStringLiteral("$1"));
    odd.Add(QStringLiteral("one"));
    EXPECT_EQ(AnswerControl->CountFinished(odd), 0);

    TListView list;
    TRowList rows;
    AnswerControl->FillListView(AnswerNumbers({1, 2, 3, 4}), list, rows);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(rows[0]->Checked);
    EXPECT_TRUE(rows[1]->Checked);
    EXPECT_FALSE(rows[2]->Checked);
    EXPECT_FALSE(rows[3]->Checked);
}

TEST_F(AnswerList, TheThresholdsAreTheCategorySettings)
{
    program_.Write(QStringLiteral("VEKTest/Control.inf"),
                   EncodeAnsi(QStringLiteral("[設定]\r\nｸﾘｱｰ回数=4\r\n最大ﾃｽﾄ回数=20\r\n")));
    WriteTextAnswers(3);
    WriteReplies({{1, 4, 4, 4}, {2, 10, 3, 3}, {3, 20, 0, 0}}, Start);
    Open();
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({1})), 1);
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({2})), 0);
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({3})), 1);
}

TEST_F(AnswerList, RowsCarryTheRepliesStatisticsAndGoAfterTheRowsGiven)
{
    WriteAnswers({{1, 1, QStringLiteral("いち")}, {2, 1, QStringLiteral("に")},
                  {2, 1, QStringLiteral("ふた")}, {12, 0, QStringLiteral("じゅうに")}});
    // Question 2: four replies, three correct, one passed; the last shown at minute 3.
    WriteReplies({{2, 4, 3, 1}}, Start);
    Open();
    TListView list;
    TRowList rows;
    rows.push_back(std::make_unique<TListItem>());
    rows.front()->Caption = QStringLiteral("given");
    AnswerControl->FillListView(AnswerNumbers({12, 2, 1}), list, rows);
    const QString last = FormatDateTime(QStringLiteral("YYYY/MM/DD HH:MM:SS"), Start + 180 * AnswerSecond);
    EXPECT_EQ(AnswerRowTexts(rows),
              (QStringList{QStringLiteral("given||-"),
                           QStringLiteral(" 12|じゅうに|0|0|0|- %|- %|- 秒|-|-"),
                           QStringLiteral("  2|に|4|3|1|75%|25%|2.500秒|") + last + QStringLiteral("|-"),
                           QStringLiteral("  2|ふた|4|3|1|75%|25%|2.500秒|") + last + QStringLiteral("|-"),
                           QStringLiteral("  1|いち|0|0|0|- %|- %|- 秒|-|-")}));
    EXPECT_EQ(last, QStringLiteral("2026/03/02 10:03:00"));
    EXPECT_EQ(list.ColumnCount(), AnswerColumnCount);
}

TEST_F(AnswerList, ACellThatCannotBeFilledIsLoggedAndTheRowKeepsWhatItHas)
{
    WriteAnswers({{7, 1, QStringLiteral("なな")}});
    Open();
    ReplyControl = std::make_unique<TBadDateReplies>(Folder());
    TListView list;
    TRowList rows;
    AnswerControl->FillListView(AnswerNumbers({7}), list, rows);
    EXPECT_EQ(AnswerRowTexts(rows), QStringList{QStringLiteral("  7|なな|2|1|1|50%|50%|1.000秒|-")});
    const QStringList lines = Log().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" TAnswerText.ShowSetList\t"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\t<No=7\tFolder=") + Folder()
                                  + QStringLiteral("\tData=なな>")));
}

TEST_F(AnswerList, ColumnsTakeStoredWidthsOfAtLeastThirtyAndDefaultsByCharacters)
{
    program_.Write(QStringLiteral("VEKTest/Control.inf"),
                   EncodeAnsi(QStringLiteral("[問題一覧幅]\r\nNo.=80\r\n答え=12\r\n合格率=0\r\n")));
    WriteTextAnswers(1);
    Open();
    TListView list;
    list.SetOwnerData(true);
    AnswerControl->SetupColumns(list);
    ASSERT_EQ(list.ColumnCount(), 9);
    const int one = list.TextWidth(QStringLiteral("1"));
    const std::vector<int> widths = {80, 30, one * 7 + 15, one * 6 + 15, one * 6 + 15,
                                     one * 6 + 15, 30, one * 8 + 15, one * 19 + 15};
    const std::vector<TAlignment> alignments = {
        TAlignment::taCenter, TAlignment::taLeftJustify, TAlignment::taRightJustify,
        TAlignment::taRightJustify, TAlignment::taRightJustify, TAlignment::taRightJustify,
        TAlignment::taRightJustify, TAlignment::taRightJustify, TAlignment::taCenter};
    for (int i = 0; i < 9; ++i) {
        const std::size_t u = static_cast<std::size_t>(i);
        EXPECT_EQ(list.Column(i).Caption(), AnswerColumnCaptions[u]);
        EXPECT_EQ(list.Column(i).Width(), widths[u]) << i;
        EXPECT_EQ(list.Column(i).Alignment(), alignments[u]) << i;
        EXPECT_EQ(list.Column(i).MinWidth(), 30);
    }

    list.Column(1).SetWidth(140);
    AnswerControl->SaveColumnWidths(list);
    TIniFile ini(Folder() + QStringLiteral("Control.inf"));
    for (int i = 0; i < 9; ++i) {
        const std::size_t u = static_cast<std::size_t>(i);
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("問題一覧幅"), AnswerColumnCaptions[u], -1),
                  i == 1 ? 140 : widths[u]);
    }
}

TEST_F(AnswerList, TheListOfEveryTextAnswerShowsTheQuestionsText)
{
    WriteQuestions(Folder(), {{1, 1, QStringLiteral("問一")}, {2, 1, QStringLiteral("問二")}});
    WriteAnswers({{2, 1, QStringLiteral("答二")}, {9, 2, QStringLiteral("p.bmp")},
                  {1, 1, QStringLiteral("答一")}, {5, 1, QStringLiteral("答五")}});
    WriteReplies({{1, 2, 1, 0}}, Start);
    Open();
    TListView list;
    list.AddItem().Caption = QStringLiteral("old");
    AnswerControl->FillAllListView(list);
    QStringList texts;
    for (int i = 0; i < list.ItemCount(); ++i)
        texts << list.Item(i).Caption + u'|' + list.Item(i).SubItems.join(u'|');
    EXPECT_EQ(texts, (QStringList{QStringLiteral("  2|問二|答二|0|0|0|- %|- %"),
                                  QStringLiteral("  1|問一|答一|2|1|0|50%|0%"),
                                  QStringLiteral("  5||答五|0|0|0|- %|- %")}));

    // An owner-data list holds no items of its own: each answer logs its failure.
    TListView ownerData;
    ownerData.SetOwnerData(true);
    AnswerControl->FillAllListView(ownerData);
    EXPECT_EQ(Log().count(QStringLiteral("TAnswerText.ShowAllList\t")), 3);
}
