#pragma once
// JPEG pictures decoded with libjpeg, whatever the file's name says.

#include <QImage>
#include <QString>

// The picture in the file; raises Exception naming the file when it cannot be read, is cut
// short, names more than MaxPicturePixels in its header (checked before decoding) or is
// not a JPEG picture.
QImage ReadJpegFile(const QString& fileName);

// True when the bytes begin like a JPEG file (start-of-image marker).
bool LooksLikeJpeg(const QByteArray& head);
