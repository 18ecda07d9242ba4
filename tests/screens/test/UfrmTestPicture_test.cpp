// Pictures on the test screen: the question picture panel, question pictures that
// cannot be shown, and a drawn reply whose picture cannot be saved.
#include "UfrmTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"

#include <QBuffer>
#include <QDir>
#include <QtEndian>
#include <sys/resource.h>

namespace {

// A small JPEG whose frame header claims width x height pixels.
QByteArray JpegClaiming(quint16 width, quint16 height)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(frame, 0);
    qToBigEndian(height, bytes.data() + frame + 5);
    qToBigEndian(width, bytes.data() + frame + 7);
    return bytes;
}

// The peak memory of the process so far, in KiB.
long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool IsBlank(const TImage& image)
{
    return image.Picture().pixelColor(50, 40) == QColor(Qt::white);
}

// Reply i belongs to question i + 1, shown at shown[i], begun and registered the given
// seconds after it, and judged as correct[i] says.
void ExpectOwnTimes(const std::vector<TScreenReply>& replies, const std::array<TDateTime, 3>& shown,
                    const std::array<double, 3>& begun, const std::array<double, 3>& took,
                    const std::array<bool, 3>& correct)
{
    ASSERT_EQ(replies.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replies[i].No, int(i) + 1);
        EXPECT_EQ(MsBetween(shown[i], replies[i].StartTime), 0);
        EXPECT_EQ(MsBetween(shown[i], replies[i].ReplyStart), qRound64(begun[i] * 1000));
        EXPECT_EQ(MsBetween(shown[i], replies[i].EndTime), qRound64(took[i] * 1000));
        EXPECT_EQ(replies[i].Answer, correct[i]);
    }
}

} // namespace

TEST_F(TestScreen, PictureQuestionsWidenTheScreenAndATextQuestionShowsNoPictureOfTheOneBefore)
{
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(Folder() + "pic.jpg", "JPG"));
    WriteRows("Question.cds", {{2, "pic.jpg"}, {1, "q2"}});
    WriteRows("Answer.cds", {{1, "a1"}, {1, "a2"}});
    Open();
    SetDialogAnswerer([](const TDialogQuestion&) { return mrYes; });
    RunTest({"1", "2"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 2));
        EXPECT_EQ(frmTest->ClientWidth(), 969);
        EXPECT_GT(frmTest->imgQuestion->Picture().pixelColor(50, 40).red(), 200);
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "");
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 2, 0));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "q2");
        EXPECT_EQ(frmTest->imgQuestion->Picture().pixelColor(50, 40), QColor(Qt::white));
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Escape);
    });
    EXPECT_FALSE(frmTest);
}

TEST_F(TestScreen, AFailedPictureSaveKeepsTheQuestionAndCountsItsTimeOnce)
{
    InstallTabletLibrary();
    WriteCategory(2);
    program_.Write("VEKTest/ImageAnswer", "a file where the folder should be");
    QStringList logged;
    Application().OnException = [&](const std::exception_ptr&) { logged << ExceptMessage(); };
    RunTest({"1", "2"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 2));
        SendTablet(QEvent::TabletPress, {100, 60}, 0.5);
        QTest::mouseMove(frmTest->imgPen, {100, 60});
        QTest::mouseMove(frmTest->imgPen, {200, 60});
        Advance(1.5);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        EXPECT_EQ(logged.size(), 1);
        EXPECT_EQ(frmTest->lblCount->text(), "件数：1／2");
        EXPECT_TRUE(dynamic_cast<TReplyNull*>(ReplyControl->Head.get()));

        ASSERT_TRUE(QFile::remove(Folder() + "ImageAnswer"));
        Advance(1.0);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 2, 0));
        Advance(1.0);
        QTest::keyClicks(frmTest->edtKeyInput, "a2");
        WhenJudge({Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape});
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
    });
    Application().OnException = nullptr;
    EXPECT_EQ(logged.size(), 1) << logged.join(" / ").toStdString();
    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].Type, ReplyTypeImage);
    EXPECT_EQ(MsBetween(replies[0].StartTime, replies[0].EndTime), 2500);
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -1750); // -(2.5 + 1) / 2 s
    EXPECT_TRUE(QDir(Folder() + "ImageAnswer").isEmpty());
}

TEST_F(TestScreen, APositionThatCannotBeWrittenIsLoggedAndTheScreenStillCloses)
{
    WriteCategory(1);
    QStringList logged;
    Application().OnException = [&](const std::exception_ptr&) { logged << ExceptMessage(); };
    SetDialogAnswerer([](const TDialogQuestion&) { return mrYes; });
    RunTest({"1"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 1));
        program_.MakeDir("VEKTest/Control.inf");
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmTest->isVisible(); }, 500));
    });
    Application().OnException = nullptr;
    ASSERT_FALSE(logged.isEmpty());
    EXPECT_TRUE(logged[0].contains("Control.inf")) << logged[0].toStdString();
}

TEST_F(TestScreen, QuestionPicturesThatCannotBeShownLeaveTheirAreaEmptyAndTheTestRunsAsWithText)
{
    // The first question's picture is a PNG named .jpg, the third's an empty file.
    QImage png(100, 80, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(Folder() + "pic.jpg", "PNG"));
    program_.Write("VEKTest/empty.jpg", QByteArray());
    WriteRows("Question.cds", {{2, "pic.jpg"}, {1, "q2"}, {2, "empty.jpg"}});
    WriteRows("Answer.cds", {{1, "a1"}, {1, "a2"}, {1, "a3"}});
    Open();
    QStringList failures;
    Application().OnException = [&](const std::exception_ptr&) { failures << ExceptMessage(); };
    int asked = 0;
    SetDialogAnswerer([&](const TDialogQuestion&) {
        ++asked;
        return mrNo;
    });
    const TDateTime testStart = clock_;
    std::array<TDateTime, 3> shown{};
    RunTest({"1", "2", "3"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 3));
        EXPECT_TRUE(IsBlank(*frmTest->imgQuestion));
        EXPECT_TRUE(frmTest->Timer->Enabled());
        EXPECT_TRUE(frmTest->TimerCaption->Enabled());
        shown[0] = clock_;
        // Esc acts: the stop question comes, and No goes on with this question.
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Escape);
        EXPECT_EQ(asked, 1);
        Advance(0.5);
        QTest::keyClicks(frmTest->edtKeyInput, "a1");
        Advance(1.5);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 3, 0));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "q2");

        shown[1] = clock_;
        Advance(1.0);
        QTest::keyClicks(frmTest->edtKeyInput, "b");
        Advance(0.5);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(3, 3, 0));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "");
        EXPECT_TRUE(IsBlank(*frmTest->imgQuestion));
        EXPECT_EQ(frmTest->lblMondai->text(), "問題:0秒");

        shown[2] = clock_;
        Advance(1.0);
        QTest::keyClicks(frmTest->edtKeyInput, "a3");
        Advance(2.0);
        WhenJudge({Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return});
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        EXPECT_FALSE(frmJudge);
    });
    Application().OnException = nullptr;
    EXPECT_FALSE(frmTest);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(" / ").toStdString();
    // Each reply beside its own answer, with its own mark.
    EXPECT_EQ(judgeShown_, QStringList({"a1|a1|正　解　：○", "a2|b|正　解　：×", "a3|a3|正　解　：○"}));

    ExpectOwnTimes(StoredReplies(), shown, {0.5, 1.0, 1.0}, {2.0, 1.5, 3.0}, {true, false, true});
    const std::vector<TScreenHistory> history = StoredHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].TestCount, 3);
    EXPECT_EQ(history[0].AnswerCount, 2);
    EXPECT_EQ(MsBetween(testStart, history[0].TestDate), 0);
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -2167); // -(2 + 1.5 + 3) / 3 s

    // One line for each picture, though both screens showed it.
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].contains(Folder() + "pic.jpg") && lines[0].contains("not a JPEG"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(Folder() + "empty.jpg")) << lines[1].toStdString();
}

TEST_F(TestScreen, AnEmptyPictureAsTheMiddleQuestionKeepsItsOwnCountTimesAndAnswer)
{
    program_.Write("VEKTest/empty.jpg", QByteArray());
    WriteRows("Question.cds", {{1, "q1"}, {2, "empty.jpg"}, {1, "q3"}});
    WriteRows("Answer.cds", {{1, "a1"}, {1, "a2"}, {1, "a3"}});
    Open();
    QStringList failures;
    Application().OnException = [&](const std::exception_ptr&) { failures << ExceptMessage(); };
    std::array<TDateTime, 3> shown{};
    // Question k: typing begins `begin` seconds after it is shown, Enter `end` seconds after.
    const auto reply = [&](int k, double begin, const QString& text, double end) {
        shown[std::size_t(k - 1)] = clock_;
        Advance(begin);
        QTest::keyClicks(frmTest->edtKeyInput, text);
        Advance(end - begin);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
    };
    RunTest({"1", "2", "3"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 3));
        reply(1, 1.0, "a1", 1.0);

        ASSERT_TRUE(WaitForQuestion(2, 3, 0));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "");
        EXPECT_TRUE(IsBlank(*frmTest->imgQuestion));
        EXPECT_EQ(frmTest->lblMondai->text(), "問題:0秒");
        EXPECT_TRUE(frmTest->Timer->Enabled());
        reply(2, 1.0, "a2", 3.0);

        ASSERT_TRUE(WaitForQuestion(3, 3, 0));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "q3");
        WhenJudge({Qt::Key_Return, Qt::Key_Return, Qt::Key_Escape});
        reply(3, 0.5, "x", 2.0);
    });
    Application().OnException = nullptr;
    EXPECT_FALSE(frmTest);
    EXPECT_FALSE(frmJudge);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(" / ").toStdString();
    EXPECT_EQ(judgeShown_, QStringList({"a1|a1|正　解　：○", "a2|a2|正　解　：○", "a3|x|正　解　：×"}));

    ExpectOwnTimes(StoredReplies(), shown, {1.0, 1.0, 0.5}, {1.0, 3.0, 2.0}, {true, true, false});
    const std::vector<TScreenHistory> history = StoredHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].TestCount, 3);
    EXPECT_EQ(history[0].AnswerCount, 2);
    EXPECT_EQ(MsBetween(0, UnitHistoryControl->Head->Average), -2000); // -(1 + 3 + 2) / 3 s

    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].contains(Folder() + "empty.jpg")) << lines[0].toStdString();
}

TEST_F(TestScreen, AQuestionPictureClaimingAHugeSizeIsRefusedWithoutTakingItsMemory)
{
    program_.Write("VEKTest/huge.jpg", JpegClaiming(65500, 65500));
    WriteRows("Question.cds", {{2, "huge.jpg"}});
    WriteRows("Answer.cds", {{1, "a1"}});
    Open();
    const long before = PeakKiB();
    RunTest({"1"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 1));
        EXPECT_TRUE(IsBlank(*frmTest->imgQuestion));
        // Decoding it would take about 17 GB.
        EXPECT_LT(PeakKiB() - before, 64 * 1024);
        Advance(1.0);
        WhenJudge({Qt::Key_Escape});
        TypeAndEnter("a1");
    });
    EXPECT_FALSE(frmTest);
    EXPECT_EQ(StoredHistory().size(), 1u);
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(Folder() + "huge.jpg") && lines[0].contains("65500 x 65500"))
        << lines[0].toStdString();
}

TEST_F(TestScreen, AControlInfThatCannotBeWrittenLosesNeitherTheJudgementsNorTheHistoryRow)
{
    WriteCategory(2);
    QStringList failures;
    Application().OnException = [&](const std::exception_ptr&) { failures << ExceptMessage(); };
    RunTest({"1", "2"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 2));
        program_.MakeDir("VEKTest/Control.inf");
        TypeAndEnter("a1");
        ASSERT_TRUE(WaitForQuestion(2, 2, 0));
        WhenJudge({Qt::Key_Return, Qt::Key_Return});
        TypeAndEnter("x");
    });
    Application().OnException = nullptr;
    EXPECT_FALSE(frmTest);
    ASSERT_FALSE(failures.isEmpty());
    for (const QString& failure : failures)
        EXPECT_TRUE(failure.contains("Control.inf")) << failure.toStdString();
    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_TRUE(replies[0].Answer);
    EXPECT_TRUE(replies[1].Answer);
    EXPECT_EQ(StoredHistory().size(), 1u);
}

TEST_F(TestScreen, AQuestionStepThatFailsIsLoggedAndTheCountdownStillHandsOnItsInput)
{
    // An entry that is no number cannot be shown; the test goes on with the input typed
    // during the countdown, the clock and the limit running.
    WriteCategory(2);
    QStringList failures;
    Application().OnException = [&](const std::exception_ptr&) { failures << ExceptMessage(); };
    RunTest({"x", "2"}, [&] {
        EXPECT_TRUE(QTest::qWaitFor([] { return frmTest->memQuestion->toPlainText() == "３秒前"; }, 2000));
        QTest::keyClicks(frmTest->edtKeyInput, "zz");
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 2));
        EXPECT_EQ(frmTest->memQuestion->toPlainText(), "q2");
        EXPECT_TRUE(frmTest->Timer->Enabled());
        EXPECT_EQ(failures.size(), 1);
        WhenJudge({Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape});
        TypeAndEnter("a2");
    });
    Application().OnException = nullptr;
    EXPECT_FALSE(frmTest);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("x")) << failures[0].toStdString();
    std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 2u);
    std::sort(replies.begin(), replies.end(),
              [](const TScreenReply& a, const TScreenReply& b) { return a.No < b.No; });
    EXPECT_EQ(replies[0].No, 0);
    EXPECT_EQ(replies[0].Data, "zz");
    EXPECT_EQ(replies[1].No, 2);
    EXPECT_EQ(replies[1].Data, "a2");
    EXPECT_EQ(StoredHistory().size(), 1u);
}
