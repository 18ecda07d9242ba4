// The checker's red pen: marks follow the tablet's pressure through the stand-in tablet
// library, are gone when the reply is shown again and never reach the stored picture;
// and a look at the whole screen with a drawn reply and a mark.
#include "UfrmJudgeTestSupport.h"

#include "platform/vcl/Color.h"
#include "platform/vcl/Image.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>

namespace {

class JudgePen : public JudgeScreen {
protected:
    JudgePen() { program_.Write(QStringLiteral("libwintab32.so"), ReadFileBytes(QStringLiteral(MORIVA_WINTAB_LIBRARY))); }

    static TImage& Pen() { return *frmJudge->imgPen; }
    static TColor At(int x, int y) { return Pen().Canvas().Pixel(x, y); }

    // The red pixels of column x.
    static int RedRows(int x)
    {
        int count = 0;
        for (int y = 0; y < Pen().height(); ++y)
            count += At(x, y) == clRed;
        return count;
    }

    static void Stroke(std::initializer_list<QPoint> points)
    {
        for (const QPoint& point : points)
            QTest::mouseMove(&Pen(), point);
    }
};

} // namespace

TEST_F(JudgePen, MarksFollowThePressureAndAreNeverStored)
{
    WriteTextCategory(2);
    Open();
    const QString picture = WriteReplyPicture(QStringLiteral("20260101000000000.BMP"));
    const QByteArray pictureBytes = program_.Read(QStringLiteral("VEKTest/ImageAnswer/20260101000000000.BMP"));
    AddReply(ReplyTypeImage, 1, 0, 1.0, 2.0, picture);
    AddTyped(2, 1, 2.0, QStringLiteral("x"));
    Run([&] {
        ASSERT_TRUE(Form().KoltWinTab->Active());
        EXPECT_EQ(At(100, 250), clBlack); // the drawn reply is shown

        // The mouse alone draws nothing, before any packet and after the pen is lifted.
        Stroke({{100, 100}, {200, 100}});
        EXPECT_EQ(RedRows(150), 0);
        SendPen(&Pen(), QEvent::TabletPress, QPointF(100, 100), 1.0);
        EXPECT_EQ(JudgeControl->Pressure, 1023);
        Stroke({{100, 100}, {200, 100}});
        EXPECT_EQ(At(150, 100), clRed);
        EXPECT_EQ(RedRows(150), 1023 / 150);
        EXPECT_EQ(Pen().Canvas().Pen.Color, clBlack);
        SendPen(&Pen(), QEvent::TabletRelease, QPointF(200, 100), 0.0);
        EXPECT_EQ(JudgeControl->Pressure, 0);
        Stroke({{200, 150}});
        EXPECT_NE(At(200, 130), clRed);

        // A new stroke starts at its first pressed point, thinner under less pressure.
        SendPen(&Pen(), QEvent::TabletPress, QPointF(300, 200), 0.5);
        Stroke({{300, 200}, {400, 200}});
        EXPECT_EQ(RedRows(350), 512 / 150);
        EXPECT_NE(At(250, 175), clRed);

        // Showing the reply again takes the marks away; so does a move to another reply.
        Key(Qt::Key_Backspace);
        EXPECT_EQ(RedRows(150), 0);
        EXPECT_EQ(At(100, 250), clBlack);
        Stroke({{100, 120}, {200, 120}});
        EXPECT_EQ(RedRows(150), 512 / 150);
        Key(Qt::Key_Down);
        Key(Qt::Key_Up);
        EXPECT_EQ(RedRows(150), 0);
        Stroke({{100, 120}, {200, 120}});
        Key(Qt::Key_Return);
        Key(Qt::Key_Return);
    });
    EXPECT_EQ(program_.Read(QStringLiteral("VEKTest/ImageAnswer/20260101000000000.BMP")), pictureBytes);
    EXPECT_EQ(QDir(Folder() + QStringLiteral("ImageAnswer")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(StoredReplies(), (std::vector<TStoredReply>{{2, ReplyStateWritten, true, true},
                                                          {1, ReplyStateWritten, true, true}}));
}

TEST_F(JudgePen, ScreenWithADrawnReplyAndAMark)
{
    // A picture question with its text, a text answer and a drawn reply.
    QImage apple(400, 300, QImage::Format_RGB32);
    apple.fill(QColor(250, 246, 236));
    {
        QPainter painter(&apple);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(200, 30, 40));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(200, 160), 90, 85);
        painter.setBrush(QColor(60, 140, 50));
        painter.drawEllipse(QRect(205, 50, 50, 26));
    }
    ASSERT_TRUE(apple.save(Folder() + QStringLiteral("apple.jpg"), "JPG"));
    WriteRows(QStringLiteral("Question.cds"), {{1, 1, "この果物は何？"}, {1, QuestionTypeImage, "apple.jpg"}, {2, 1, "q2"}});
    WriteRows(QStringLiteral("Answer.cds"), {{1, 1, "りんご"}, {2, 1, "a2"}});
    QImage ink(550, 300, QImage::Format_RGB32);
    ink.fill(Qt::white);
    {
        QPainter painter(&ink);
        painter.setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 72));
        painter.drawText(QRect(0, 0, 550, 300), Qt::AlignCenter, QStringLiteral("りんこ"));
    }
    program_.MakeDir(QStringLiteral("VEKTest/ImageAnswer"));
    const QString path = Folder() + QStringLiteral("ImageAnswer/20260101000000000.BMP");
    ASSERT_TRUE(ink.save(path, "BMP"));
    Open();
    AddReply(ReplyTypeImage, 1, 0, 1.2, 2.345, path);
    AddTyped(2, 1, 2.0, QStringLiteral("a2"));

    Run([&] {
        SendPen(&Pen(), QEvent::TabletPress, QPointF(380, 90), 0.9);
        Stroke({{380, 90}, {400, 110}, {420, 95}, {445, 70}}); // the checker's tick
        QTest::qWait(20);
        const QImage shot = Form().grab().toImage();
        EXPECT_EQ(shot.size(), QSize(981, 538));
        const QPoint mark = Pen().mapTo(frmJudge.get(), QPoint(400, 110));
        EXPECT_EQ(FromQColor(shot.pixelColor(mark)), clRed);
        if (const QString out = qEnvironmentVariable("MORIVA_JUDGE_SCREENSHOT"); !out.isEmpty()) {
            EXPECT_TRUE(shot.save(out, "PNG"));
        }
        Key(Qt::Key_Escape);
        // The next question has no picture: the apple is gone.
        EXPECT_EQ(Form().imgQuestion->Picture().pixelColor(200, 160), QColor(Qt::white));
        Key(Qt::Key_Return);
    });
}
