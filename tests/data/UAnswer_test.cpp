// Answer records on Answer.cds files written by the dataset engine: kinds, loading up to a
// row that cannot be read, long chains, showing into text and picture components and
// playing sound answers.
#include "UAnswerTestSupport.h"

#include "platform/vcl/Image.h"
#include "platform/winapi/Sound.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QThread>
#include <sndfile.h>

namespace {

using Answers = AnswerFolder;

// The classes and numbers of the chain from head on, as "Text:1 Image:2 ... Null:-99".
QString Describe(const TAnswer* head)
{
    QStringList parts;
    for (const TAnswer* a = head; a; a = a->Next.get()) {
        QString kind = QStringLiteral("Base");
        if (dynamic_cast<const TAnswerText*>(a))
            kind = QStringLiteral("Text");
        else if (dynamic_cast<const TAnswerImage*>(a))
            kind = QStringLiteral("Image");
        else if (dynamic_cast<const TAnswerVoice*>(a))
            kind = QStringLiteral("Voice");
        else if (dynamic_cast<const TAnswerNull*>(a))
            kind = QStringLiteral("Null");
        parts << QStringLiteral("%1:%2").arg(kind).arg(a->No);
    }
    return parts.join(u' ');
}

void WritePicture(const QString& path, QSize size, Qt::GlobalColor colour, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, format));
}

} // namespace

TEST_F(Answers, BeforeAnyCategoryTheStoreDoesNothing)
{
    ASSERT_TRUE(dynamic_cast<TAnswerControlNull*>(AnswerControl.get()));
    EXPECT_EQ(AnswerControl->Head, nullptr);
    QLineEdit edit(QStringLiteral("kept"));
    AnswerControl->Show(1, &edit);
    EXPECT_EQ(edit.text(), QStringLiteral("kept"));
    TListView list;
    TRowList rows;
    AnswerControl->FillListView(AnswerNumbers({1, 2}), list, rows);
    EXPECT_EQ(list.ColumnCount(), 0);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({1})), 0);
}

TEST_F(Answers, AFolderWithoutAnswerFileGivesTheNullAlone)
{
    WriteReplies({{1, 10, 10, 10}}, 46000.0);
    Open();
    ASSERT_FALSE(dynamic_cast<TAnswerControlNull*>(AnswerControl.get()));
    EXPECT_EQ(AnswerControl->Folder, Folder());
    EXPECT_EQ(Describe(AnswerControl->Head.get()), QStringLiteral("Null:-99"));
    EXPECT_EQ(AnswerControl->Head->Folder, QStringLiteral("Null"));
    EXPECT_EQ(AnswerControl->Head->Data, QStringLiteral("Null"));
    EXPECT_EQ(AnswerControl->CountFinished(AnswerNumbers({1})), 0);
}

TEST_F(Answers, TypesTwoAndThreeArePictureAndSoundEveryOtherIsText)
{
    WriteAnswers({{5, 1, QStringLiteral("一")}, {3, 0, QStringLiteral("二")},
                  {9, 2, QStringLiteral("a.jpg")}, {1, 4, QStringLiteral("三")},
                  {7, 3, QStringLiteral("a.wav")}, {2, -5, QStringLiteral("四")},
                  {5, 1, QStringLiteral("五")}});
    Open();
    EXPECT_EQ(Describe(AnswerControl->Head.get()),
              QStringLiteral("Text:5 Text:3 Image:9 Text:1 Voice:7 Text:2 Text:5 Null:-99"));
    EXPECT_EQ(AnswerControl->Head->Folder, Folder());
    EXPECT_EQ(AnswerControl->Head->Data, QStringLiteral("一"));
    EXPECT_EQ(Log(), QString());
}

TEST_F(Answers, ARowThatCannotBeReadEndsTheChainThereWithOneLogLine)
{
    // NO as text: "x" does not convert, so the third row fails.
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftString, 10);
    ds.FieldDefs().Add(QStringLiteral("TYPE"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    for (const char* no : {"1", "2", "x", "4"}) {
        ds.Append();
        ds.FieldByName(QStringLiteral("NO")).SetAsString(QString::fromLatin1(no));
        ds.FieldByName(QStringLiteral("TYPE")).SetAsInteger(1);
        ds.FieldByName(QStringLiteral("DATA")).SetAsString(QStringLiteral("d"));
        ds.Post();
    }
    ds.SaveToFile(Folder() + QStringLiteral("Answer.cds"));
    Open();
    EXPECT_EQ(Describe(AnswerControl->Head.get()), QStringLiteral("Text:1 Text:2 Null:-99"));
    const QStringList lines = Log().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" TAnswer.GetInstance E.Message=")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("'x'"))) << lines[0].toStdString();
}

TEST_F(Answers, AMissingColumnFailsTheFirstRowAndLeavesTheNullAlone)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.FieldDefs().Add(QStringLiteral("DATA"), ftString, 255);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName(QStringLiteral("NO")).SetAsInteger(1);
    ds.Post();
    ds.SaveToFile(Folder() + QStringLiteral("Answer.cds"));
    Open();
    EXPECT_EQ(Describe(AnswerControl->Head.get()), QStringLiteral("Null:-99"));
    EXPECT_EQ(Log().count(QStringLiteral("TAnswer.GetInstance E.Message=")), 1);
    EXPECT_TRUE(Log().contains(QStringLiteral("TYPE")));
}

TEST_F(Answers, AnEmptyFileWithoutTheColumnsLogsNothing)
{
    TClientDataSet ds;
    ds.FieldDefs().Add(QStringLiteral("NO"), ftInteger);
    ds.CreateDataSet();
    ds.SaveToFile(Folder() + QStringLiteral("Answer.cds"));
    Open();
    EXPECT_EQ(Describe(AnswerControl->Head.get()), QStringLiteral("Null:-99"));
    EXPECT_FALSE(Log().contains(QStringLiteral("TAnswer.GetInstance")));
}

TEST_F(Answers, ADamagedFileRaisesAndLeavesAnEmptyStoreOfTheFolder)
{
    program_.Write(QStringLiteral("VEKTest/Answer.cds"), "not a data packet");
    SettingClass->CreateInstance(Folder());
    EXPECT_THROW(AnswerControlClass->CreateInstance(Folder()), Exception);
    ASSERT_TRUE(AnswerControl);
    EXPECT_EQ(AnswerControl->Folder, Folder());
    EXPECT_EQ(Describe(AnswerControl->Head.get()), QStringLiteral("Null:-99"));
}

TEST_F(Answers, AHundredThousandRowsLoadAndFreeOnASmallStack)
{
    std::vector<TAnswerRow> rows;
    for (int no = 1; no <= 100000; ++no)
        rows.push_back({no, no % 3 + 1, QStringLiteral("d")});
    WriteAnswers(rows);
    SettingClass->CreateInstance(Folder());
    QString error = QStringLiteral("not run");
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            TAnswerControl store(Folder());
            int count = 0;
            for (const TAnswer* a = store.Head.get(); a->Next; a = a->Next.get())
                ++count;
            error = count == 100000 ? QString() : QStringLiteral("count %1").arg(count);
        } catch (...) {
            error = ExceptMessage();
        }
    }));
    thread->setStackSize(256 * 1024);
    thread->start();
    thread->wait();
    EXPECT_EQ(error, QString());
}

TEST_F(Answers, TextShowsInLabelEditAndMemoAndTheLastOfOneNumberStays)
{
    WriteAnswers({{4, 1, QStringLiteral("前の答え")}, {5, 1, QStringLiteral("別")},
                  {4, 1, QStringLiteral("後の答え\r\n二行目")}});
    Open();
    QLabel label(QStringLiteral("x"));
    QLineEdit edit(QStringLiteral("x"));
    QPlainTextEdit memo(QStringLiteral("old\nlines"));
    AnswerControl->Show(5, &label);
    EXPECT_EQ(label.text(), QStringLiteral("別"));
    AnswerControl->Show(4, &label);
    AnswerControl->Show(4, &edit);
    AnswerControl->Show(4, &memo);
    EXPECT_EQ(label.text(), QStringLiteral("後の答え\r\n二行目"));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("後の答え\n二行目"));
    // A number without an answer leaves the component emptied.
    AnswerControl->Show(6, &memo);
    EXPECT_EQ(memo.toPlainText(), QString());
}

TEST_F(Answers, APictureLoadsByItsExtensionOntoAFramedBlank)
{
    program_.MakeDir(QStringLiteral("VEKTest/Pict"));
    WritePicture(program_.FilePath(QStringLiteral("VEKTest/Pict/a.bmp")), {20, 10}, Qt::blue, "BMP");
    WritePicture(program_.FilePath(QStringLiteral("VEKTest/Pict/b.jpg")), {16, 8}, Qt::red, "JPEG");
    WriteAnswers({{1, 2, QStringLiteral("pict\\A.BMP")}, {2, 2, QStringLiteral("Pict\\b.jpg")},
                  {3, 2, QStringLiteral("Pict\\gone.bmp")}, {4, 1, QStringLiteral("text")}});
    Open();
    TImage image;
    image.resize(40, 30);
    QLabel label(QStringLiteral("old"));

    AnswerControl->Show(1, &image);
    EXPECT_EQ(image.Picture().size(), QSize(20, 10));
    EXPECT_EQ(image.Picture().pixelColor(5, 5), QColor(Qt::blue));
    AnswerControl->Show(2, &image);
    EXPECT_EQ(image.Picture().size(), QSize(16, 8));
    EXPECT_GT(image.Picture().pixelColor(8, 4).red(), 200);

    // A missing file and a text answer leave the framed blank; a label stays empty.
    for (int no : {3, 4}) {
        AnswerControl->Show(no, &image);
        ASSERT_EQ(image.Picture().size(), QSize(40, 30)) << no;
        EXPECT_EQ(image.Picture().pixelColor(0, 0), QColor(Qt::black));
        EXPECT_EQ(image.Picture().pixelColor(20, 15), QColor(Qt::white));
    }
    AnswerControl->Show(1, &label);
    EXPECT_EQ(label.text(), QString());
    // The missing file is logged, once.
    AnswerControl->Show(3, &image);
    const QStringList lines = Log().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("gone.bmp"))) << lines[0].toStdString();
}

TEST_F(Answers, APictureThatDoesNotLoadIsLoggedAndTheShowGoesOn)
{
    program_.Write(QStringLiteral("VEKTest/bad.bmp"), "not a bitmap");
    WriteAnswers({{3, 2, QStringLiteral("bad.bmp")}, {3, 1, QStringLiteral("後")}});
    Open();
    TImage image;
    image.resize(10, 10);
    AnswerControl->Show(3, &image);
    AnswerControl->Show(3, &image);
    QLabel label;
    AnswerControl->Show(3, &label);
    EXPECT_EQ(label.text(), QStringLiteral("後"));
    const QStringList lines = Log().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1);
    const QString expectedTail = QStringLiteral("\t<No=3\tFolder=") + Folder()
        + QStringLiteral("\tData=bad.bmp>");
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" TAnswerImage.Show\t"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(expectedTail)) << lines[0].toStdString();
}

class VoiceAnswers : public AnswerFolder {
protected:
    VoiceAnswers() : saved_(SoundDevice())
    {
        SetSoundDevice({QStringLiteral("played"),
                        QStringLiteral("pcm.played { type file slave.pcm { type null }"
                                       " file \"%1\" format raw truncate false }")
                            .arg(Played(0))});
    }
    ~VoiceAnswers() override { SetSoundDevice(saved_); }

    QString Played(int index) const
    {
        const QString first = program_.FilePath(QStringLiteral("played.raw"));
        return index == 0 ? first : first + QStringLiteral(".%1").arg(index, 4, 10, QLatin1Char('0'));
    }

    QByteArray WriteWave(const QString& path, int frames) const
    {
        std::vector<short> samples(static_cast<std::size_t>(frames));
        for (int i = 0; i < frames; ++i)
            samples[static_cast<std::size_t>(i)] = static_cast<short>(i * 5 - 2000);
        SF_INFO info{};
        info.channels = 1;
        info.samplerate = 8000;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr);
        if (!file)
            return {};
        sf_writef_short(file, samples.data(), frames);
        sf_close(file);
        return QByteArray(reinterpret_cast<const char*>(samples.data()), frames * 2);
    }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TSoundDevice saved_;
};

TEST_F(VoiceAnswers, ASoundAnswerPlaysOncePerShowAndLeavesTheLabelEmpty)
{
    const QByteArray frames = WriteWave(program_.FilePath(QStringLiteral("VEKTest/a.wav")), 800);
    program_.Write(QStringLiteral("VEKTest/noise.wav"), "not a wave file");
    WriteAnswers({{3, 3, QStringLiteral("A.WAV")}, {4, 3, QStringLiteral("gone.wav")},
                  {5, 3, QStringLiteral("noise.wav")}});
    Open();
    QLabel label(QStringLiteral("old"));
    AnswerControl->Show(3, &label);
    EXPECT_EQ(label.text(), QString());
    EXPECT_EQ(ReadAll(Played(0)), frames);
    AnswerControl->Show(4, &label);
    AnswerControl->Show(5, &label);
    EXPECT_FALSE(QFile::exists(Played(1)));
    EXPECT_EQ(Log(), QString());
}
