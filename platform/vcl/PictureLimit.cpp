#include "platform/vcl/PictureLimit.h"

#include "platform/core/Exception.h"

void CheckPictureSize(const QString& fileName, std::int64_t width, std::int64_t height)
{
    if (width * height <= MaxPicturePixels)
        return;
    throw Exception(QStringLiteral("Picture \"%1\" of %2 x %3 pixels is larger than %4 pixels")
                        .arg(fileName)
                        .arg(width)
                        .arg(height)
                        .arg(MaxPicturePixels));
}
