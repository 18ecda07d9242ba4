#pragma once
// Windows bitmap files (BMP, 24 bits per pixel, bottom-up rows).

#include <QImage>
#include <QString>

// Writes the picture completely or not at all (temporary file, then rename); raises
// Exception naming the file when that fails.
void WriteBmpFile(const QImage& image, const QString& fileName);

// The bytes of the BMP file of the picture.
QByteArray EncodeBmp(const QImage& image);
