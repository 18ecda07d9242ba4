#include "platform/core/Exception.h"
#include "platform/vcl/BmpFile.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/PictureLimit.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

class Picture : public testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    void WriteBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A 16 x 8 picture: left half red, right half blue.
    static QImage TwoColours()
    {
        QImage image(16, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixelColor(x, y, Qt::red);
        return image;
    }

    static bool Near(const QColor& a, const QColor& b, int tolerance = 24)
    {
        return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
               && std::abs(a.blue() - b.blue()) <= tolerance;
    }

    // The message of the exception that call raises ("" when it raises none).
    template <class F>
    static QString Raised(F call)
    {
        try {
            call();
        } catch (const Exception& e) {
            return e.Message();
        }
        return {};
    }

    // The bytes of a JPEG picture of 64 x 48 with some detail in every block.
    static QByteArray DetailedJpeg()
    {
        QImage image(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                image.setPixelColor(x, y, QColor((x * 37) % 256, (y * 53) % 256, (x * y) % 256));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG", 90);
        return bytes;
    }

    // A small JPEG whose frame header claims width x height pixels.
    static QByteArray JpegClaiming(quint16 width, quint16 height)
    {
        QByteArray bytes = DetailedJpeg();
        const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
        EXPECT_GT(frame, 0);
        qToBigEndian(height, bytes.data() + frame + 5);
        qToBigEndian(width, bytes.data() + frame + 7);
        return bytes;
    }

    // A small PNG whose header claims width x height pixels (its check sum made anew).
    static QByteArray PngClaiming(quint32 width, quint32 height)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TwoColours().save(&buffer, "PNG");
        // Signature (8), then the IHDR chunk: length (4), type (4), width, height ...
        qToBigEndian(width, bytes.data() + 16);
        qToBigEndian(height, bytes.data() + 20);
        qToBigEndian(Crc32(bytes.mid(12, 17)), bytes.data() + 29);
        return bytes;
    }

    static quint32 Crc32(const QByteArray& bytes)
    {
        quint32 crc = 0xFFFFFFFFu;
        for (const char c : bytes) {
            crc ^= static_cast<unsigned char>(c);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    }

    // The peak memory of the process so far, in KiB.
    static long PeakKiB()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(Picture, AJpegNamedBmpLoadsThroughTheJpegPath)
{
    ASSERT_TRUE(TwoColours().save(Path("question.bmp"), "JPEG", 95));
    TImage image;
    image.LoadJpegFromFile(Path("question.bmp"));
    ASSERT_EQ(image.Picture().size(), QSize(16, 8));
    EXPECT_TRUE(Near(image.Picture().pixelColor(1, 4), Qt::red));
    EXPECT_TRUE(Near(image.Picture().pixelColor(14, 4), Qt::blue));
    EXPECT_FALSE(image.HasBitmap());
    EXPECT_THROW(image.Canvas(), Exception);

    // By extension the same file is a bitmap file, which it is not.
    EXPECT_TRUE(Raised([&] { image.LoadFromFile(Path("question.bmp")); }).contains(Path("question.bmp")));
}

TEST_F(Picture, ByExtensionBitmapsAreDrawableAndOtherPicturesAreNot)
{
    TwoColours().save(Path("a.BMP"), "BMP");
    TwoColours().save(Path("b.png"), "PNG");
    TwoColours().save(Path("c.JPG"), "JPEG", 95);
    TImage image;
    image.LoadFromFile(Path("a.BMP"));
    EXPECT_TRUE(image.HasBitmap());
    EXPECT_EQ(image.Picture().pixelColor(1, 1), QColor(Qt::red));
    image.LoadFromFile(Path("b.png"));
    EXPECT_FALSE(image.HasBitmap());
    EXPECT_EQ(image.Picture().pixelColor(15, 1), QColor(Qt::blue));
    image.LoadFromFile(Path("c.JPG"));
    EXPECT_TRUE(Near(image.Picture().pixelColor(1, 1), Qt::red));
}

TEST_F(Picture, AFileThatIsNoPictureRaisesNamingTheFile)
{
    WriteBytes("notes.jpg", "not a picture at all");
    WriteBytes("notes.png", "not a picture at all");
    WriteBytes("notes.xyz", "not a picture at all");
    WriteBytes("cut.jpg", QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10));
    TImage image;
    for (const QString& name : QStringList{"notes.jpg", "notes.png", "notes.xyz", "cut.jpg"}) {
        const QString message = Raised([&] { image.LoadFromFile(Path(name)); });
        EXPECT_TRUE(message.contains(Path(name))) << message.toStdString();
    }
    EXPECT_TRUE(Raised([&] { image.LoadJpegFromFile(Path("missing.jpg")); }).contains(Path("missing.jpg")));
    EXPECT_TRUE(image.IsEmpty());
}

TEST_F(Picture, ALineChangesThePixelsAlongItsPathOnly)
{
    TImage image;
    image.resize(100, 50);
    TCanvas& canvas = image.Canvas();
    ASSERT_EQ(image.Picture().size(), QSize(100, 50));
    canvas.MoveTo(10, 20);
    canvas.LineTo(60, 20);
    canvas.Pen.Color = clRed;
    canvas.LineTo(60, 40);
    int changed = 0;
    const QImage pixels = image.Picture();
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) {
            const QColor colour = pixels.pixelColor(x, y);
            if (colour == Qt::white)
                continue;
            ++changed;
            const bool onFirst = y == 20 && x >= 10 && x < 60;
            const bool onSecond = x == 60 && y >= 20 && y < 40;
            EXPECT_TRUE(onFirst || onSecond) << x << "," << y;
            EXPECT_EQ(colour, onFirst ? QColor(Qt::black) : QColor(Qt::red));
        }
    EXPECT_EQ(changed, 70);
    EXPECT_EQ(canvas.PenPos(), QPoint(60, 40));
}

TEST_F(Picture, RectangleFramesWithThePenAndFillsWithTheBrush)
{
    TBitmap bitmap(20, 10);
    bitmap.Canvas().Brush.Color = RGBColor(0, 128, 0);
    bitmap.Canvas().Rectangle(2, 2, 12, 8);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 2), clBlack);
    EXPECT_EQ(bitmap.Canvas().Pixel(11, 7), clBlack);
    EXPECT_EQ(bitmap.Canvas().Pixel(12, 8), clWhite);
    EXPECT_EQ(bitmap.Canvas().Pixel(5, 5), RGBColor(0, 128, 0));
    bitmap.Canvas().FillRect(0, 0, 20, 10);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 2), RGBColor(0, 128, 0));
}

TEST_F(Picture, ABitmapSavedAsBmpReadsBackEqual)
{
    TImage image;
    image.resize(33, 17); // odd width: rows are padded to four bytes
    image.Canvas().Pen.Width = 3;
    image.Canvas().MoveTo(2, 2);
    image.Canvas().LineTo(30, 14);
    image.SaveToFile(Path("20240501130709123.BMP"));

    const QByteArray bytes = [&] {
        QFile file(Path("20240501130709123.BMP"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 2), static_cast<quint32>(bytes.size()));
    EXPECT_EQ(bytes.size(), 54 + 100 * 17);

    TImage reread;
    reread.LoadFromFile(Path("20240501130709123.BMP"));
    EXPECT_TRUE(reread.HasBitmap());
    EXPECT_EQ(reread.Picture(), image.Picture().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"20240501130709123.BMP"});
}

TEST_F(Picture, AFailedSaveLeavesNothingAndNamesTheFile)
{
    TImage image;
    image.resize(4, 4);
    image.Canvas();
    const QString target = Path("missing-folder/a.bmp");
    EXPECT_TRUE(Raised([&] { image.SaveToFile(target); }).contains(target));
    TImage empty;
    empty.SaveToFile(Path("empty.bmp"));
    EXPECT_FALSE(QFile::exists(Path("empty.bmp")));
}

TEST_F(Picture, StretchedPicturesFillTheComponent)
{
    TImage image;
    image.resize(64, 32);
    TwoColours().save(Path("p.bmp"), "BMP");
    image.LoadFromFile(Path("p.bmp"));
    image.SetStretch(true);
    QImage shot = image.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 30), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(60, 30), QColor(Qt::blue));
    image.SetStretch(false);
    shot = image.grab().toImage();
    EXPECT_EQ(shot.pixelColor(15, 7), QColor(Qt::blue));
    EXPECT_NE(shot.pixelColor(40, 20), QColor(Qt::blue));
}

TEST_F(Picture, MouseMovesReportComponentCoordinates)
{
    TImage image;
    image.resize(200, 100);
    image.setCursor(Qt::CrossCursor);
    image.show();
    std::vector<QPoint> moves;
    image.OnMouseMove = [&](TImage&, TShiftState, int x, int y) { moves.emplace_back(x, y); };
    QTest::mouseMove(&image, QPoint(30, 40));
    QTest::mouseMove(&image, QPoint(31, 42));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), QPoint(31, 42));
}

TEST_F(Picture, APictureWhoseHeaderClaimsMoreThanTheLimitIsRefusedBeforeItsMemoryIsTaken)
{
    WriteBytes("huge.jpg", JpegClaiming(65500, 65500));
    WriteBytes("large.JPG", JpegClaiming(16000, 16000));
    WriteBytes("over.jpg", JpegClaiming(8001, 8000));
    QByteArray bmp = EncodeBmp(QImage(16, 8, QImage::Format_RGB32));
    qToLittleEndian<quint32>(65500, bmp.data() + 18);
    qToLittleEndian<quint32>(65500, bmp.data() + 22);
    WriteBytes("huge.bmp", bmp);
    WriteBytes("huge.png", PngClaiming(65500, 65500));

    TwoColours().save(Path("shown.png"), "PNG");
    TImage image;
    image.LoadFromFile(Path("shown.png"));
    const QImage shown = image.Picture();
    const long before = PeakKiB();
    for (const QString& name : QStringList{"huge.jpg", "large.JPG", "over.jpg", "huge.png", "huge.bmp"}) {
        SCOPED_TRACE(name.toStdString());
        const QString message = Raised([&] { image.LoadFromFile(Path(name)); });
        EXPECT_TRUE(message.contains(Path(name))) << message.toStdString();
        // The bitmap reader refuses such a header itself.
        if (!name.endsWith(".bmp")) {
            EXPECT_TRUE(message.contains("pixels")) << message.toStdString();
        }
        EXPECT_EQ(image.Picture(), shown);
    }
    EXPECT_TRUE(Raised([&] { image.LoadJpegFromFile(Path("huge.jpg")); }).contains(Path("huge.jpg")));
    // Decoding the smallest of them would take 256 MB.
    EXPECT_LT(PeakKiB() - before, 64 * 1024);

    // At the limit the header is no reason to refuse: the picture is read (and is then
    // refused only because its data ends long before 8000 x 8000 pixels).
    WriteBytes("limit.jpg", JpegClaiming(8000, 8000));
    EXPECT_FALSE(Raised([&] { image.LoadFromFile(Path("limit.jpg")); }).contains("pixels"));
    EXPECT_EQ(8000LL * 8000, MaxPicturePixels);
}

TEST_F(Picture, AJpegCutShortIsRefusedInsteadOfShownHalfGrey)
{
    const QByteArray whole = DetailedJpeg();
    WriteBytes("whole.jpg", whole);
    WriteBytes("cut.jpg", whole.left(whole.size() * 2 / 3));
    WriteBytes("empty.jpg", QByteArray());
    TImage image;
    image.LoadFromFile(Path("whole.jpg"));
    ASSERT_EQ(image.Picture().size(), QSize(64, 48));
    const QImage shown = image.Picture();
    for (const QString& name : QStringList{"cut.jpg", "empty.jpg"}) {
        SCOPED_TRACE(name.toStdString());
        const QString message = Raised([&] { image.LoadJpegFromFile(Path(name)); });
        EXPECT_TRUE(message.contains(Path(name))) << message.toStdString();
        EXPECT_EQ(image.Picture(), shown);
    }
}
