#include "platform/vcl/Bitmap.h"

#include <algorithm>

namespace {

QImage WhiteImage(int width, int height)
{
    QImage image(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TBitmap::TBitmap(int width, int height, std::function<void()> changed)
    : TBitmap(WhiteImage(width, height), std::move(changed))
{
}

TBitmap::TBitmap(QImage image, std::function<void()> changed)
    : image_(image.convertToFormat(QImage::Format_RGB32)),
      canvas_(image_, changed ? std::move(changed) : [] {})
{
}

void TBitmap::SetSize(int width, int height)
{
    image_ = WhiteImage(width, height);
}
