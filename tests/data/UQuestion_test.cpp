// The question store on Question.cds files written by the dataset engine.
#include "UQuestionTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/Image.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <typeinfo>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The classes and numbers of the chain from head on, as "Text:1 Image:2 ... Null:-99".
QString Describe(const TQuestion* head)
{
    QStringList parts;
    for (const TQuestion* q = head; q; q = q->Next.get()) {
        QString kind = QStringLiteral("Base");
        if (dynamic_cast<const TQuestionText*>(q))
            kind = QStringLiteral("Text");
        else if (dynamic_cast<const TQuestionImage*>(q))
            kind = QStringLiteral("Image");
        else if (dynamic_cast<const TQuestionVoice*>(q))
            kind = QStringLiteral("Voice");
        else if (dynamic_cast<const TQuestionNull*>(q))
            kind = QStringLiteral("Null");
        parts << QStringLiteral("%1:%2").arg(kind).arg(q->No);
    }
    return parts.join(u' ');
}

void WriteJpeg(const QString& path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path, "JPEG"));
}

using Questions = QuestionFolder;

} // namespace

TEST_F(Questions, BeforeAnyCategoryTheStoreDoesNothing)
{
    ASSERT_TRUE(dynamic_cast<TQuestionControlNull*>(QuestionControl.get()));
    QLineEdit edit(QStringLiteral("kept"));
    QuestionControl->Show(1, &edit);
    EXPECT_EQ(edit.text(), QStringLiteral("kept"));
    EXPECT_FALSE(QuestionControl->HasImage());
    QString s = QStringLiteral("given");
    QuestionControl->GetText(1, s);
    EXPECT_EQ(s, QString());
}

TEST_F(Questions, AFolderWithoutQuestionFileGivesAnEmptyStore)
{
    Open();
    ASSERT_FALSE(dynamic_cast<TQuestionControlNull*>(QuestionControl.get()));
    EXPECT_EQ(QuestionControl->Folder, Folder());
    EXPECT_EQ(Describe(QuestionControl->Head.get()), QStringLiteral("Null:-99"));
    EXPECT_EQ(QuestionControl->Head->Folder, QStringLiteral("Null"));
    EXPECT_EQ(QuestionControl->Head->Data, QStringLiteral("Null"));

    QLineEdit edit(QStringLiteral("old"));
    QuestionControl->Show(1, &edit);
    EXPECT_EQ(edit.text(), QString());
    EXPECT_FALSE(QuestionControl->HasImage());
    QString s = QStringLiteral("given");
    QuestionControl->GetText(1, s);
    EXPECT_EQ(s, QStringLiteral("given"));
}

TEST_F(Questions, TypesMakeTheirRecordClassesInFileOrder)
{
    WriteQuestions({{5, 1, Text("一")}, {3, 0, Text("二")}, {9, 2, QStringLiteral("a.jpg")},
                    {1, 4, Text("三")}, {2, std::nullopt, Text("四")},
                    {7, 3, QStringLiteral("a.wav")}, {std::nullopt, -1, Text("五")}});
    Open();
    EXPECT_EQ(Describe(QuestionControl->Head.get()),
              QStringLiteral("Text:5 Text:3 Image:9 Text:1 Text:2 Voice:7 Text:0 Null:-99"));
    const TQuestion& first = *QuestionControl->Head;
    EXPECT_EQ(first.Folder, Folder());
    EXPECT_EQ(first.Data, Text("一"));
}

TEST_F(Questions, OnePictureAmongTextsMakesTheCategoryAPictureCategory)
{
    std::vector<TQuestionRow> rows;
    for (int no = 1; no <= 50; ++no)
        rows.push_back({no, 1, QStringLiteral("q%1").arg(no)});
    WriteQuestions(rows);
    Open();
    EXPECT_FALSE(QuestionControl->HasImage());

    rows.insert(rows.begin() + 30, {99, 2, QStringLiteral("missing.jpg")});
    WriteQuestions(rows);
    Open();
    EXPECT_TRUE(QuestionControl->HasImage());
}

TEST_F(Questions, TheLaterOfTwoTextsWithOneNumberWins)
{
    WriteQuestions({{4, 1, Text("前の問題")}, {5, 1, Text("別")}, {4, 1, Text("後の問題")}});
    Open();
    QLabel label(QStringLiteral("x"));
    QuestionControl->Show(4, &label);
    EXPECT_EQ(label.text(), Text("後の問題"));
    QString s;
    QuestionControl->GetText(4, s);
    EXPECT_EQ(s, Text("後の問題"));
    s = QStringLiteral("unchanged");
    QuestionControl->GetText(6, s);
    EXPECT_EQ(s, QStringLiteral("unchanged"));
}

TEST_F(Questions, ShowClearsTheControlFirstAndFillsEachKindOfTextComponent)
{
    WriteQuestions({{1, 0, QStringLiteral("line 1\r\nline 2")}});
    Open();
    QPlainTextEdit memo(QStringLiteral("old"));
    QuestionControl->Show(1, &memo);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("line 1\nline 2"));
    QuestionControl->Show(2, &memo);
    EXPECT_EQ(memo.toPlainText(), QString());

    // No control at all is logged by the text helper, once per text put into it.
    QuestionControl->Show(1, nullptr);
    const QString log = DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")));
    EXPECT_EQ(log.count(QStringLiteral("ShowTextComponent.Show ShowComponent Error\r\n")), 2);
}

TEST_F(Questions, APictureLoadsAsJpegWhateverItsExtensionAndLetterCase)
{
    program_.MakeDir(QStringLiteral("VEKTest/Image"));
    WriteJpeg(program_.FilePath(QStringLiteral("VEKTest/Image/q1.dat")), QSize(40, 30));
    WriteQuestions({{1, 2, QStringLiteral("IMAGE\\Q1.DAT")}, {1, 1, QStringLiteral("text too")}});
    Open();
    TImage image;
    QuestionControl->Show(1, &image);
    EXPECT_EQ(image.Picture().size(), QSize(40, 30));
    EXPECT_FALSE(image.HasBitmap());

    // A text component given to a picture question is only cleared (and filled by the
    // text question of the same number).
    QLineEdit edit(QStringLiteral("old"));
    QuestionControl->Show(1, &edit);
    EXPECT_EQ(edit.text(), QStringLiteral("text too"));
}

TEST_F(Questions, APictureThatCannotBeShownLeavesThePictureAloneAndIsLoggedOncePerFile)
{
    WriteJpeg(Folder() + QStringLiteral("shown.jpg"), QSize(8, 8));
    QImage png(8, 8, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(Folder() + QStringLiteral("png.jpg"), "PNG"));
    program_.Write(QStringLiteral("VEKTest/empty.jpg"), QByteArray());
    const QByteArray whole = program_.Read(QStringLiteral("VEKTest/shown.jpg"));
    program_.Write(QStringLiteral("VEKTest/cut.jpg"), whole.left(whole.size() - 40));
    WriteQuestions({{1, 2, QStringLiteral("shown.jpg")}, {2, 2, QStringLiteral("gone.jpg")},
                    {3, 2, QStringLiteral("png.jpg")}, {4, 2, QStringLiteral("empty.jpg")},
                    {5, 2, QStringLiteral("cut.jpg")}});
    Open();
    TImage image;
    QuestionControl->Show(1, &image);
    for (int round = 0; round < 2; ++round)
        for (int no = 2; no <= 5; ++no) {
            EXPECT_NO_THROW(QuestionControl->Show(no, &image)) << no;
            EXPECT_EQ(image.Picture().size(), QSize(8, 8)) << no;
        }

    // One line per file, however often it was shown.
    const QStringList lines = DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << lines.join(u'\n').toStdString();
    const QStringList names = {"gone.jpg", "png.jpg", "empty.jpg", "cut.jpg"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(lines[i].contains(QStringLiteral(" TQuestionImage.Show\t"))) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].contains(QStringLiteral("\"") + Folder() + names[i] + u'"'))
            << lines[i].toStdString();
    }

    QLineEdit edit(QStringLiteral("old"));
    QuestionControl->Show(2, &edit);
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(Questions, AnUnreadableFileLeavesAnEmptyStoreOfThatFolderAndRaises)
{
    WriteQuestions({{1, 2, QStringLiteral("a.jpg")}});
    Open();
    ASSERT_TRUE(QuestionControl->HasImage());

    program_.MakeDir(QStringLiteral("VEKBroken"));
    program_.Write(QStringLiteral("VEKBroken/question.CDS"), QByteArray("\x96\x19\xE0\xBD garbage", 12));
    const QString broken = program_.FilePath(QStringLiteral("VEKBroken/"));
    EXPECT_THROW(QuestionControlClass->CreateInstance(broken), Exception);
    ASSERT_TRUE(QuestionControl);
    EXPECT_FALSE(dynamic_cast<TQuestionControlNull*>(QuestionControl.get()));
    EXPECT_EQ(QuestionControl->Folder, broken);
    EXPECT_FALSE(QuestionControl->HasImage());
    QString s = QStringLiteral("given");
    QuestionControl->GetText(1, s);
    EXPECT_EQ(s, QStringLiteral("given"));
}

TEST_F(Questions, AFileWithoutTheNeededColumnsRaises)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("TEXT"), ftString, 20);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName(QStringLiteral("NO")).SetAsInteger(1);
    ds.Post();
    ds.SaveToFile(Folder() + QStringLiteral("Question.cds"));
    EXPECT_THROW(Open(), Exception);
    EXPECT_EQ(QuestionControl->Folder, Folder());
}

// The columns are found once per file, without regard to case, and only when there is a
// row to read: an empty file without them is an empty store, as it always was.
TEST_F(Questions, ColumnsAreFoundWhateverTheirCaseAndOnlyWhenThereAreRows)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("data"), ftString, 255);
    ds.FieldDefs().Add(QStringLiteral("Type"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("nO"), ftInteger);
    ds.CreateDataSet();
    for (int no = 1; no <= 3; ++no) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsInteger(no);
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(no == 2 ? QuestionTypeImage : 1);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("問%1").arg(no));
        ds.Post();
    }
    ds.SaveToFile(Folder() + QStringLiteral("Question.cds"));
    Open();
    EXPECT_EQ(Describe(QuestionControl->Head.get()), QStringLiteral("Text:1 Image:2 Text:3 Null:-99"));
    QString s;
    QuestionControl->GetText(3, s);
    EXPECT_EQ(s, QStringLiteral("問3"));

    TClientDataSet empty;
    empty.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    empty.CreateDataSet();
    empty.SaveToFile(Folder() + QStringLiteral("Question.cds"));
    EXPECT_NO_THROW(Open());
    EXPECT_EQ(Describe(QuestionControl->Head.get()), QStringLiteral("Null:-99"));
}

TEST_F(Questions, ClassReferencesChooseTheClassesMade)
{
    struct TCountedText : TQuestionText {
        using TQuestionText::TQuestionText;
    };
    class TNamedStore : public TQuestionControl {
    public:
        using TQuestionControl::TQuestionControl;
        bool HasImage() const override { return true; }
    };
    QuestionTextClass = ClassOf<TCountedText, TQuestionClass>();
    QuestionControlClass = ClassOf<TNamedStore, TQuestionControlClass>();
    WriteQuestions({{1, 1, QStringLiteral("a")}, {2, 2, QStringLiteral("b")}});
    Open();
    EXPECT_TRUE(dynamic_cast<TNamedStore*>(QuestionControl.get()));
    EXPECT_EQ(typeid(*QuestionControl->Head), typeid(TCountedText));
    EXPECT_EQ(typeid(*QuestionControl->Head->Next), typeid(TQuestionImage));
}

TEST_F(Questions, LongChainsAreWalkedAndFreedWithoutDeepCalls)
{
    constexpr int count = 2'000'000;
    auto head = CreateQuestionNull();
    for (int no = count; no >= 1; --no) {
        auto node = std::make_unique<TQuestionText>(no % 1000, Folder(), QString::number(no));
        node->Next = std::move(head);
        head = std::move(node);
    }
    QString s;
    ChainGetText(head.get(), 7, s);
    EXPECT_EQ(s, QString::number(count - 993));
    EXPECT_FALSE(ChainHasImage(head.get()));
    QLineEdit edit;
    ShowChain(head.get(), 7, &edit);
    EXPECT_EQ(edit.text(), QString::number(count - 993));
    head.reset();
}

TEST_F(Questions, TheErrorDescriptionNamesTheRecord)
{
    const TQuestionText q(12, QStringLiteral("/p/VEKx/"), Text("問"));
    QString s;
    q.DescribeError(Exception(QStringLiteral("broken")), QStringLiteral("Show"), s);
    EXPECT_EQ(s, Text("Show\tbroken\t<No=12\tFolder=/p/VEKx/\tData=問>"));
}
