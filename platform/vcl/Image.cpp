#include "platform/vcl/Image.h"

#include "platform/core/Exception.h"
#include "platform/vcl/BmpFile.h"
#include "platform/vcl/Dispatch.h"
#include "platform/vcl/JpegFile.h"
#include "platform/vcl/PictureLimit.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace {

QImage ReadWithQt(const QString& fileName, const QByteArray& format)
{
    QImageReader reader(fileName, format);
    reader.setAutoDetectImageFormat(false);
    // The size from the header, before any pixel memory is taken.
    const QSize size = reader.size();
    if (size.isValid())
        CheckPictureSize(fileName, size.width(), size.height());
    QImage image = reader.read();
    if (image.isNull())
        throw Exception(QStringLiteral("Picture file \"%1\" cannot be read: %2").arg(fileName, reader.errorString()));
    return image;
}

bool IsJpegExtension(const QString& suffix)
{
    return suffix == u"jpg" || suffix == u"jpeg" || suffix == u"jpe" || suffix == u"jfif";
}

} // namespace

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

TImage::~TImage() = default;

void TImage::SetStretch(bool on)
{
    stretch_ = on;
    update();
}

QImage TImage::Picture() const
{
    return bitmap_ ? bitmap_->Image() : other_;
}

TCanvas& TImage::Canvas()
{
    return Bitmap().Canvas();
}

TBitmap& TImage::Bitmap()
{
    if (!other_.isNull())
        throw Exception(QStringLiteral("Can only modify an image if it contains a bitmap"));
    if (!bitmap_)
        bitmap_ = std::make_unique<TBitmap>(width(), height(), [this] { update(); });
    return *bitmap_;
}

void TImage::Clear()
{
    bitmap_.reset();
    other_ = QImage();
    update();
}

void TImage::LoadFromFile(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"bmp" || suffix == u"dib") {
        setBitmap(ReadWithQt(fileName, "bmp"));
        return;
    }
    if (IsJpegExtension(suffix)) {
        setOther(ReadJpegFile(fileName));
        return;
    }
    if (suffix.isEmpty() || !QImageReader::supportedImageFormats().contains(suffix.toLatin1()))
        throw Exception(QStringLiteral("Unknown picture file extension (.%1) of \"%2\"").arg(suffix, fileName));
    setOther(ReadWithQt(fileName, suffix.toLatin1()));
}

void TImage::LoadJpegFromFile(const QString& fileName)
{
    setOther(ReadJpegFile(fileName));
}

void TImage::SaveToFile(const QString& fileName) const
{
    if (!IsEmpty())
        WriteBmpFile(Picture(), fileName);
}

void TImage::setBitmap(QImage image)
{
    other_ = QImage();
    bitmap_ = std::make_unique<TBitmap>(std::move(image), [this] { update(); });
    update();
}

void TImage::setOther(QImage image)
{
    bitmap_.reset();
    other_ = std::move(image);
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    const QImage picture = Picture();
    if (picture.isNull())
        return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), picture);
    else
        painter.drawImage(0, 0, picture);
}

void TImage::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (!OnMouseMove)
        return;
    const QPoint at = event->position().toPoint();
    const TShiftState shift = ShiftState(event->modifiers(), event->buttons());
    Dispatch([&] { OnMouseMove(*this, shift, at.x(), at.y()); });
}
