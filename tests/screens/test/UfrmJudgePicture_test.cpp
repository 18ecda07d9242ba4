// Pictures the checking screen cannot show: the reply stays beside its own answer, is
// judged and counted, and the last mark still closes the screen.
#include "UfrmJudgeTestSupport.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace {

class JudgePictures : public JudgeScreen {
protected:
    QStringList LogLines() const
    {
        if (!QFile::exists(program_.FilePath(QStringLiteral("Vek.Log"))))
            return {};
        return DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    static bool IsBlank(const TImage& image, QPoint at)
    {
        return image.Picture().pixelColor(at) == QColor(Qt::white);
    }
};

} // namespace

TEST_F(JudgePictures, AReplyWhosePicturesCannotBeShownIsJudgedBesideItsOwnAnswerAndTheLastMarkCloses)
{
    // Reply 1 is drawn, its picture file damaged; reply 2, the last, is to a picture
    // question whose file is a PNG named .jpg.
    QImage png(60, 40, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(Folder() + QStringLiteral("pic.jpg"), "PNG"));
    WriteRows(QStringLiteral("Question.cds"), {{1, 1, QStringLiteral("q1")}, {2, 2, QStringLiteral("pic.jpg")}});
    WriteRows(QStringLiteral("Answer.cds"), {{1, 1, QStringLiteral("a1")}, {2, 1, QStringLiteral("a2")}});
    program_.Write(QStringLiteral("VEKTest/ImageAnswer/20261209100000000.BMP"), "BM cut short");
    Open();
    AddReply(ReplyTypeImage, 1, 0, 1.0, 3.0, Folder() + QStringLiteral("ImageAnswer/20261209100000000.BMP"));
    AddTyped(2, 1, 4.0, QStringLiteral("x"));
    QStringList failures;
    Application().OnException = [&](const std::exception_ptr&) { failures << ExceptMessage(); };
    QStringList seen;
    Run([&] {
        seen << Form().lblCount->text() + u'|' + Form().memQuestion->toPlainText() + u'|' +
                    Form().lblAnswerText->text();
        EXPECT_TRUE(IsBlank(*Form().imgPen, {275, 150}));
        Key(Qt::Key_Return); // ○, on to the last reply
        seen << Form().lblCount->text() + u'|' + Form().memQuestion->toPlainText() + u'|' +
                    Form().lblAnswerText->text() + u'|' + Form().edtKeyInput->text() + u'|' +
                    Form().lblAnswer->text();
        EXPECT_TRUE(IsBlank(*Form().imgQuestion, {200, 100}));
        Key(Qt::Key_Return); // ○ again: judged, shown again and closed
    });
    Application().OnException = nullptr;
    EXPECT_TRUE(failures.isEmpty()) << failures.join(" / ").toStdString();
    EXPECT_EQ(seen, QStringList({"件数：1/2|q1|a1", "件数：2/2||a2|x|正　解　：×"}));

    const std::vector<TStoredReply> stored = StoredReplies();
    ASSERT_EQ(stored.size(), 2u);
    for (const TStoredReply& reply : stored) {
        EXPECT_EQ(reply.State, ReplyStateWritten);
        EXPECT_TRUE(reply.Answer) << reply.No;
    }
    // One line per file, though the question picture was shown twice.
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 2) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" TReplyImage.ShowData\t")) &&
                lines[0].contains(QStringLiteral("20261209100000000.BMP")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(" TQuestionImage.Show\t")) &&
                lines[1].contains(Folder() + QStringLiteral("pic.jpg")))
        << lines[1].toStdString();
}
