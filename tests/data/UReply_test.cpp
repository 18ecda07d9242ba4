// Reply records on Reply.cds files: loading, kinds, statistics and info texts, list rows,
// chart points, the DATA width and how each kind shows itself.
#include "UReplyTestSupport.h"

#include "data_views/UConstDisplay.h"
#include "platform/text/Ansi.h"
#include "platform/text/StringList.h"
#include "platform/vcl/Chart.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"
#include "platform/winapi/Sound.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <sndfile.h>

namespace {

using ReplyRecords = ReplyFolder;

const TDateTime Day = EncodeDateTime(2026, 12, 9, 10, 30, 15, 0);

QStringList Lines(const TStringList& list)
{
    return list.Lines();
}

QString Kinds(const TReply* head)
{
    QStringList parts;
    for (const TReply* r = head; r; r = r->Next.get()) {
        if (dynamic_cast<const TReplyText*>(r))
            parts << QStringLiteral("Text");
        else if (dynamic_cast<const TReplyImage*>(r))
            parts << QStringLiteral("Image");
        else if (dynamic_cast<const TReplyVoice*>(r))
            parts << QStringLiteral("Voice");
        else if (dynamic_cast<const TReplyNull*>(r))
            parts << QStringLiteral("Null");
        else
            parts << QStringLiteral("Base");
    }
    return parts.join(u' ');
}

QStringList Statistics(int no)
{
    TStringList lines;
    ReplyControl->GetStatistics(no, lines);
    return Lines(lines);
}

} // namespace

TEST_F(ReplyRecords, TheChainFollowsReplyStartWithKindsAndStatesAsStored)
{
    TReplyRow late = Row(1, Day + 3, 2, 4, QStringLiteral("late"));
    TReplyRow early = Row(2, Day + 1, 2, 4, QStringLiteral("early"));
    early.Type = ReplyTypeImage;
    early.State = ReplyStateUnjudged;
    TReplyRow middle = Row(3, Day + 2, 2, 4, QStringLiteral("middle"));
    middle.Type = ReplyTypeVoice;
    middle.State = ReplyStateJudged;
    TReplyRow odd = Row(4, Day + 4, 2, 4);
    odd.Type = 7;
    WriteReplies({late, early, middle, odd});
    Open();

    EXPECT_EQ(ChainNumbers(ReplyControl->Head.get()), (std::vector<int>{2, 3, 1, 4}));
    // A stored 0 waits for judging; a stored 1 is in the file already and counts as written.
    EXPECT_EQ(ChainStates(ReplyControl->Head.get()), (std::vector<int>{0, 2, 2, 2}));
    EXPECT_EQ(Kinds(ReplyControl->Head.get()), QStringLiteral("Image Voice Text Text Null"));
    const TReply& first = *ReplyControl->Head;
    EXPECT_EQ(first.Data, QStringLiteral("early"));
    EXPECT_DOUBLE_EQ(first.StartTime, early.StartTime);
    EXPECT_DOUBLE_EQ(first.ReplyStart, early.ReplyStart);
    EXPECT_DOUBLE_EQ(first.EndTime, early.EndTime);
}

TEST_F(ReplyRecords, AQuestionWithoutRepliesHasEmptyStatistics)
{
    Open();
    const QStringList expected = {QStringLiteral("EndDate="), QStringLiteral("TestTime=- 秒"),
                                  QStringLiteral("TestCount=0"), QStringLiteral("AnswerCount=0"),
                                  QStringLiteral("ClearCount=0")};
    EXPECT_EQ(Statistics(1), expected);
    TStringList lines;
    lines.Add(QStringLiteral("old"));
    ReplyControl->Head->GetStatistics(1, lines); // the walk on a chain of only its end
    EXPECT_EQ(Lines(lines), expected);
}

TEST_F(ReplyRecords, StatisticsTakeTheLatestStartAndCountEveryState)
{
    WriteReplies({Row(5, Day, 1, 4.5, {}, true, true), Row(5, Day + 2, 1, 3.25, {}, false, true),
                  Row(5, Day + 1, 1, 2, {}, true, true), Row(6, Day + 5, 1, 9)});
    Open();
    ReplyControl->AddRecord(ReplyTypeText, 5, Day + 0.5, Day + 0.5, Day + 0.5 + Second, {});

    EXPECT_EQ(Statistics(5),
              (QStringList{QStringLiteral("EndDate=2026/12/11 10:30:15"),
                           QStringLiteral("TestTime=3.250秒"), QStringLiteral("TestCount=4"),
                           QStringLiteral("AnswerCount=3"), QStringLiteral("ClearCount=2")}));
    TStringList lines;
    lines.SetText(Statistics(6).join(u'\n'));
    EXPECT_EQ(lines.Values(QStringLiteral("TestTime")), QStringLiteral("9.000秒"));
    EXPECT_EQ(lines.Values(QStringLiteral("TestCount")), QStringLiteral("1"));
}

TEST_F(ReplyRecords, TheFirstOfEqualStartsIsTheLatestAndZeroOrMidnightShowShort)
{
    // Equal REPLYSTART keeps the stored order, so the chain holds 2.0 s before 7.0 s.
    const TDateTime midnight = EncodeDate(2026, 12, 9);
    WriteReplies({Row(1, Day, 1, 2), Row(1, Day, 1, 7), Row(2, midnight, 0, 0)});
    Open();
    EXPECT_EQ(Statistics(1)[1], QStringLiteral("TestTime=2.000秒"));
    EXPECT_EQ(Statistics(2)[0], QStringLiteral("EndDate=2026/12/09"));
    EXPECT_EQ(Statistics(2)[1], QStringLiteral("TestTime=- 秒"));
}

TEST_F(ReplyRecords, InfoLinesShowTheTimesUntilTheReplyBeganTenSecondsMeaningNever)
{
    Open();
    ReplyControl->AddRecord(ReplyTypeText, 1, Day + 2.5 * Second, Day, Day + 4.125 * Second, {});
    ReplyControl->AddRecord(ReplyTypeText, 2, Day + 9.999 * Second, Day, Day + 10 * Second, {});
    ReplyControl->AddRecord(ReplyTypeText, 3, Day + 9.9996 * Second, Day, Day + 10 * Second, {});
    ReplyControl->AddRecord(ReplyTypeText, 4, Day + 10 * Second, Day, Day + 10 * Second, {});
    ReplyControl->AddRecord(ReplyTypeText, 5, 0.0, Day, Day + 3 * Second, {});
    ASSERT_EQ(ReplyControl->FirstUnjudged(), 1);
    ReplyControl->JudgeCurrent(true, 1 * Second);

    TStringList lines;
    ReplyControl->GetCurrentInfo(lines);
    EXPECT_EQ(Lines(lines),
              (QStringList{QStringLiteral("ANSWER_COUNT=5"), QStringLiteral("ANSWER_INDEX=1"),
                           QStringLiteral("REPLY_START=2.500"), QStringLiteral("TOTAL_TIME=4.125"),
                           QStringLiteral("REPLY_CLEAR=○"), QStringLiteral("REPLY_ANSWER=○")}));
    ReplyControl->NextUnjudged();
    ReplyControl->GetCurrentInfo(lines);
    EXPECT_EQ(lines[1], QStringLiteral("ANSWER_INDEX=2"));
    EXPECT_EQ(lines[2], QStringLiteral("REPLY_START=9.999"));
    EXPECT_EQ(lines[3], QStringLiteral("TOTAL_TIME=10.000"));
    EXPECT_EQ(lines[4], QStringLiteral("REPLY_CLEAR=×"));
    for (int no : {3, 4, 5}) {
        EXPECT_EQ(ReplyControl->NextUnjudged(), no);
        ReplyControl->GetCurrentInfo(lines);
        EXPECT_EQ(lines[2], QStringLiteral("REPLY_START= - ")) << no;
        EXPECT_EQ(lines[3], QStringLiteral("TOTAL_TIME= - ")) << no;
    }
}

TEST_F(ReplyRecords, ListRowsShowTheLastReplyFirstAndDashesForAReplyNeverBegun)
{
    TReplyRow never = Row(3, Day + 1, 10, 10, {}, false, true);
    WriteReplies({Row(3, Day, 2.5, 4.125, {}, true, true), never, Row(4, Day, 1, 2)});
    Open();

    TListView list;
    list.resize(400, 200);
    list.SetOwnerData(true);
    TRowList rows;
    list.OnData = [&rows](TListView&, TListItem& item) {
        const TListItem& row = *rows.at(static_cast<std::size_t>(item.Index));
        item.Caption = row.Caption;
        item.SubItems = row.SubItems;
    };
    ReplyControl->SetupColumns(list);
    ReplyControl->FillListView(3, list, rows);
    list.SetItemCount(static_cast<int>(rows.size()));

    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.Item(0).Caption, QStringLiteral("2026/12/10 10:30:15"));
    EXPECT_EQ(list.Item(0).SubItems,
              (QStringList{QStringLiteral("10.000秒"), QStringLiteral("- 秒"), QStringLiteral("○"),
                           QStringLiteral("×")}));
    EXPECT_EQ(list.Item(1).Caption, QStringLiteral("2026/12/09 10:30:15"));
    EXPECT_EQ(list.Item(1).SubItems,
              (QStringList{QStringLiteral("4.125秒"), QStringLiteral("2.500秒"), QStringLiteral("○"),
                           QStringLiteral("○")}));

    ClearListViewObjects(list, rows);
    ReplyControl->FillListView(99, list, rows);
    EXPECT_TRUE(rows.empty());
}

TEST_F(ReplyRecords, ChartPointsAreZeroTotalAndStartSecondsPaddedToTenOnTheZeroLine)
{
    WriteReplies({Row(3, Day, 2.5, 4.125), Row(3, Day + 1, 10, 10), Row(4, Day, 1, 2)});
    Open();
    TChart chart;
    for (int i = 0; i < 3; ++i)
        chart.AddSeries();
    chart.Series(1).Add(1.0, QStringLiteral("stale"));

    ReplyControl->ShowChart(3, chart);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 12000.0);
    EXPECT_DOUBLE_EQ(chart.TopAxis().Maximum(), 12000.0);
    ASSERT_EQ(chart.Series(0).Count(), 10);
    ASSERT_EQ(chart.Series(1).Count(), 2);
    ASSERT_EQ(chart.Series(2).Count(), 2);
    EXPECT_DOUBLE_EQ(chart.Series(1).YValue(0), 4.125);
    EXPECT_DOUBLE_EQ(chart.Series(2).YValue(0), 2.5);
    EXPECT_DOUBLE_EQ(chart.Series(1).YValue(1), 10.0);
    EXPECT_DOUBLE_EQ(chart.Series(2).YValue(1), 10.0); // never begun: the total
    for (int i = 0; i < 10; ++i) {
        EXPECT_DOUBLE_EQ(chart.Series(0).YValue(i), 0.0);
        EXPECT_EQ(chart.Series(0).Label(i), QString::number(i + 1));
    }
    EXPECT_EQ(chart.Series(1).Label(1), QStringLiteral("2"));
    EXPECT_EQ(chart.Series(2).PointColor(0), chart.Series(2).SeriesColor());
    EXPECT_EQ(chart.BottomLabels().mid(0, 3),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
}

TEST_F(ReplyRecords, ATimeThatCannotBeShownIsADashAndTheOtherRepliesStillCount)
{
    const TDateTime beyond = EncodeDate(9999, 12, 31) + 3; // past the last date
    TReplyRow lateStart = Row(3, beyond, 1, 2);
    TReplyRow hugeEnd = Row(4, Day + 1, 1, 2);
    hugeEnd.EndTime = 5.0e6;
    WriteReplies({Row(3, Day, 2.5, 4.125), lateStart, Row(4, Day, 1, 2), hugeEnd});
    Open();
    const QString log = DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")));
    EXPECT_EQ(log.count(QStringLiteral("\r\n")), 1) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Reply.cds: 2 row(s)"))) << log.toStdString();

    EXPECT_EQ(Statistics(3),
              (QStringList{QStringLiteral("EndDate="), QStringLiteral("TestTime=2.000秒"),
                           QStringLiteral("TestCount=2"), QStringLiteral("AnswerCount=0"),
                           QStringLiteral("ClearCount=0")}));
    EXPECT_EQ(Statistics(4).mid(0, 3),
              (QStringList{QStringLiteral("EndDate=2026/12/10 10:30:15"), QStringLiteral("TestTime=- 秒"),
                           QStringLiteral("TestCount=2")}));

    TListView list;
    TRowList rows;
    ReplyControl->FillListView(3, list, rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->Caption, QStringLiteral("-"));
    EXPECT_EQ(rows[0]->SubItems.mid(0, 2), (QStringList{QStringLiteral("2.000秒"), QStringLiteral("1.000秒")}));
    EXPECT_EQ(rows[1]->Caption, QStringLiteral("2026/12/09 10:30:15"));
    rows.clear();
    ReplyControl->FillListView(4, list, rows);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->SubItems.mid(0, 2), (QStringList{QStringLiteral("- 秒"), QStringLiteral("- 秒")}));
    EXPECT_EQ(rows[1]->SubItems[0], QStringLiteral("2.000秒"));

    TChart chart;
    for (int i = 0; i < 3; ++i)
        chart.AddSeries();
    ReplyControl->ShowChart(4, chart);
    ASSERT_EQ(chart.Series(1).Count(), 2);
    EXPECT_DOUBLE_EQ(chart.Series(1).YValue(0), 2.0);
    EXPECT_DOUBLE_EQ(chart.Series(1).YValue(1), 0.0);

    const TReply* huge = ReplyControl->Head.get();
    while (huge->Next && huge->EndTime != 5.0e6)
        huge = huge->Next.get();
    TStringList info;
    huge->GetReplyInfo(info);
    EXPECT_EQ(Lines(info).mid(0, 2),
              (QStringList{QStringLiteral("REPLY_START=1.000"), QStringLiteral("TOTAL_TIME= - ")}));

    Open(); // nothing is rewritten: every reply stays as stored
    EXPECT_EQ(StoredReplies().size(), 4u);
}

TEST_F(ReplyRecords, LongDataIsCutTo255BytesWithoutSplittingACharacter)
{
    Open();
    const QString wide(200, QChar(0x3042)); // あ, two bytes each
    ReplyControl->AddRecord(ReplyTypeText, 1, Day, Day, Day + Second, wide);
    ReplyControl->AddRecord(ReplyTypeText, 2, Day, Day, Day + Second, QStringLiteral("a") + wide);
    ReplyControl->FirstUnjudged();
    ReplyControl->JudgeCurrent(true, Second);
    ReplyControl->NextUnjudged();
    ReplyControl->JudgeCurrent(true, Second);
    Open();

    const std::vector<TReplyRow> stored = StoredReplies();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].Data, wide.left(127));
    EXPECT_EQ(EncodeAnsi(stored[1].Data).size(), 254);
    EXPECT_EQ(stored[0].Data, QStringLiteral("a") + wide.left(127));
    EXPECT_EQ(EncodeAnsi(stored[0].Data).size(), 255);
}

TEST_F(ReplyRecords, TextShowsInAnEditAPictureFramedWithItsFileWhileItExists)
{
    const QString picture = program_.FilePath(QStringLiteral("ink.bmp"));
    QImage ink(20, 10, QImage::Format_RGB32);
    ink.fill(Qt::blue);
    ASSERT_TRUE(ink.save(picture, "BMP"));
    Open();
    ReplyControl->AddRecord(ReplyTypeText, 1, Day, Day, Day + Second, QStringLiteral("こたえ"));
    ReplyControl->AddRecord(ReplyTypeImage, 2, Day, Day, Day + Second, picture);
    ReplyControl->AddRecord(ReplyTypeImage, 3, Day, Day, Day + Second, picture + QStringLiteral(".gone"));
    ReplyControl->FirstUnjudged();
    QLineEdit edit;
    QLabel label(QStringLiteral("kept"));
    ReplyControl->ShowCurrentData(&edit);
    ReplyControl->ShowCurrentData(&label);
    EXPECT_EQ(edit.text(), QStringLiteral("こたえ"));
    EXPECT_EQ(label.text(), QStringLiteral("kept"));

    ReplyControl->NextUnjudged();

    TImage image;
    image.resize(40, 30);
    ReplyControl->ShowCurrentData(&image);
    EXPECT_EQ(image.Picture().size(), QSize(20, 10));
    EXPECT_EQ(image.Picture().pixelColor(5, 5), QColor(Qt::blue));

    ReplyControl->NextUnjudged();
    ReplyControl->ShowCurrentData(&image);
    ASSERT_EQ(image.Picture().size(), QSize(40, 30));
    EXPECT_EQ(image.Picture().pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.Picture().pixelColor(20, 15), QColor(Qt::white));
}

TEST_F(ReplyRecords, AddingToAnEmptyChainMakesTheReplyTheHeadBeforeTheOldEnd)
{
    Open();
    const TReply* end = ReplyControl->Head.get();
    ReplyControl->AddRecord(ReplyTypeImage, 8, Day + Second, Day, Day + 2 * Second, QStringLiteral("p"));
    ReplyControl->AddRecord(ReplyTypeText, 9, Day + Second, Day, Day + 2 * Second, QStringLiteral("t"));
    EXPECT_EQ(Kinds(ReplyControl->Head.get()), QStringLiteral("Image Text Null"));
    EXPECT_EQ(ReplyControl->Head->Next->Next.get(), end);
    const TReply& added = *ReplyControl->Head;
    EXPECT_EQ(added.State, ReplyStateUnjudged);
    EXPECT_FALSE(added.Clear);
    EXPECT_FALSE(added.Answer);
    EXPECT_EQ(FormatDateTime(QStringLiteral("s.zzz"), added.GetTotalTime()), QStringLiteral("2.000"));
}

namespace {

// Sound replies on a device routed to files: each playback writes a file of its own.
class ReplyVoices : public ReplyFolder {
protected:
    ReplyVoices() : saved_(SoundDevice())
    {
        SetSoundDevice({QStringLiteral("played"),
                        QStringLiteral("pcm.played { type file slave.pcm { type null }"
                                       " file \"%1\" format raw truncate false }")
                            .arg(program_.FilePath(QStringLiteral("played.raw")))});
    }
    ~ReplyVoices() override { SetSoundDevice(saved_); }

    // A 16-bit mono wave file; its samples as bytes.
    static QByteArray WriteWave(const QString& path)
    {
        std::vector<short> samples(800);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<short>(i * 11 - 4000);
        SF_INFO info{};
        info.channels = 1;
        info.samplerate = 8000;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr);
        if (!file)
            return {};
        sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(file);
        return QByteArray(reinterpret_cast<const char*>(samples.data()),
                          static_cast<qsizetype>(samples.size() * 2));
    }

    TSoundDevice saved_;
};

} // namespace

TEST_F(ReplyVoices, ASoundReplyPlaysItsFileWhateverTheControlAndAMissingOneNothing)
{
    const QString wave = program_.FilePath(QStringLiteral("said.wav"));
    const QByteArray samples = WriteWave(wave);
    Open();
    ReplyControl->AddRecord(ReplyTypeVoice, 1, Day, Day, Day + Second, wave + QStringLiteral(".gone"));
    ReplyControl->AddRecord(ReplyTypeVoice, 2, Day, Day, Day + Second, wave);
    ReplyControl->FirstUnjudged();
    ReplyControl->ShowCurrentData(nullptr);
    EXPECT_FALSE(QFile::exists(program_.FilePath(QStringLiteral("played.raw"))));

    QLabel label;
    ReplyControl->NextUnjudged();
    ReplyControl->ShowCurrentData(&label);
    EXPECT_EQ(program_.Read(QStringLiteral("played.raw")), samples);
}
