// Pictures on the test screen: the question picture panel, and a drawn reply whose
// picture cannot be saved.
#include "UfrmTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/Application.h"

#include <QDir>

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
