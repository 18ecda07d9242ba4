// Input on the test screen: input-method composition in the reply edit, ink drawn with
// pen pressure from the tablet, F4.
#include "UfrmTestSupport.h"

#include "platform/files/Files.h"
#include "platform/vcl/Image.h"

#include <QCoreApplication>
#include <QInputMethodEvent>

namespace {

void Compose(const QString& preedit)
{
    QInputMethodEvent event(preedit, {});
    QCoreApplication::sendEvent(frmTest->edtKeyInput, &event);
}

} // namespace

TEST_F(TestScreen, EnterWhileComposingConfirmsTheWordAndATimeOutKeepsTheComposition)
{
    WriteCategory(2);
    std::array<TDateTime, 2> shown{};
    RunTest({"1", "2"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 2));
        shown[0] = clock_;
        Advance(0.5);
        Compose("にほん"); // the composition starts the reply
        Advance(1.0);
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        EXPECT_EQ(frmTest->lblCount->text(), "件数：1／2");
        EXPECT_EQ(frmTest->edtKeyInput->text(), "にほん");
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 2, 0));

        shown[1] = clock_;
        QTest::keyClicks(frmTest->edtKeyInput, "ka");
        Compose("ご");
        Advance(12.0);
        WhenJudge({Qt::Key_Escape, Qt::Key_Escape});
        EXPECT_TRUE(QTest::qWaitFor([] { return frmTest->memQuestion->toPlainText() == "終　了" && !frmJudge; },
                                    12000));
    });
    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].Data, "にほん");
    EXPECT_EQ(MsBetween(shown[0], replies[0].ReplyStart), 500);
    EXPECT_EQ(MsBetween(shown[0], replies[0].EndTime), 1500);
    EXPECT_EQ(replies[1].Data, "kaご"); // registered by the time-out, composition included
    EXPECT_EQ(MsBetween(shown[1], replies[1].ReplyStart), 0);
    EXPECT_EQ(MsBetween(shown[1], replies[1].EndTime), 10000);
}

TEST_F(TestScreen, InkWithPenPressureBecomesAPictureReplyAndF4IsSwallowed)
{
    InstallTabletLibrary();
    WriteCategory(2);
    program_.Write("VEKTest/ImageAnswer/old.txt", "left from before");
    program_.MakeDir("VEKTest/ImageAnswer/keep");
    QString picture;
    QImage saved;
    QString expectedName;
    RunTest({"1", "2"}, [&] {
        ASSERT_TRUE(WaitForQuestion(1, 2));
        ASSERT_TRUE(frmTest->KoltWinTab->Active());
        TImage* pen = frmTest->imgPen;
        QTest::mouseMove(pen, {40, 40});
        QTest::mouseMove(pen, {40, 200}); // no pressure yet: nothing drawn
        EXPECT_EQ(pen->Canvas().Pixel(40, 120), clWhite);

        SendTablet(QEvent::TabletPress, {100, 60}, 1.0); // pressure 1023: 6 pixels wide
        QTest::mouseMove(pen, {100, 60});
        QTest::mouseMove(pen, {300, 60});
        QTest::mouseMove(pen, {300, 160});
        SendTablet(QEvent::TabletRelease, {300, 160}, 0.0);
        QTest::mouseMove(pen, {450, 260}); // lifted: no line
        QTest::keyClicks(frmTest->edtKeyInput, "abc"); // dropped: the reply has ink

        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_F4, Qt::AltModifier);
        EXPECT_TRUE(frmTest->isVisible());
        EXPECT_EQ(frmTest->ModalResult(), mrNone);

        Advance(2.0);
        expectedName = FormatDateTime("YYYYMMDDHHMMSSZZZ", clock_) + ".BMP";
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
        ASSERT_TRUE(WaitForQuestion(2, 2, 0));
        picture = ReplyControl->Head->Data;
        const QByteArray bytes = ReadFileBytes(picture);
        EXPECT_TRUE(bytes.startsWith("BM"));
        saved = QImage::fromData(bytes, "BMP");
        EXPECT_EQ(pen->Canvas().Pixel(200, 60), clWhite); // a fresh ink area

        WhenJudge({Qt::Key_Escape, Qt::Key_Escape});
        QTest::keyClick(frmTest->edtKeyInput, Qt::Key_Return);
    });
    EXPECT_EQ(picture, Folder() + "ImageAnswer/" + expectedName);
    ASSERT_EQ(saved.size(), QSize(550, 300));
    EXPECT_TRUE(IsBlack(saved, 200, 60));
    EXPECT_TRUE(IsBlack(saved, 200, 62)); // the width of the pressure
    EXPECT_TRUE(IsBlack(saved, 300, 110));
    EXPECT_FALSE(IsBlack(saved, 200, 70));
    EXPECT_FALSE(IsBlack(saved, 40, 120));
    EXPECT_FALSE(IsBlack(saved, 375, 210));
    EXPECT_TRUE(IsBlack(saved, 0, 0)); // the frame

    const std::vector<TScreenReply> replies = StoredReplies();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].Type, ReplyTypeImage);
    EXPECT_EQ(replies[0].Data, picture);
    EXPECT_EQ(replies[1].Type, ReplyTypeText);
    // Closing empties ImageAnswer of its files; folders stay.
    EXPECT_FALSE(FileExists(picture));
    EXPECT_FALSE(FileExists(Folder() + "ImageAnswer/old.txt"));
    EXPECT_TRUE(DirectoryExists(Folder() + "ImageAnswer/keep"));
}
