#include "platform/vcl/BmpFile.h"

#include "platform/core/Exception.h"
#include "platform/files/AtomicFile.h"

#include <QtEndian>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int PixelsPerMetre = 3780; // 96 dots per inch

void Put16(QByteArray& bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void Put32(QByteArray& bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

QByteArray EncodeBmp(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const int stride = (width * 3 + 3) & ~3;
    const int pixelBytes = stride * height;
    QByteArray bytes(FileHeaderSize + InfoHeaderSize + pixelBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<quint32>(bytes.size()));
    Put32(bytes, 10, FileHeaderSize + InfoHeaderSize);
    Put32(bytes, 14, InfoHeaderSize);
    Put32(bytes, 18, static_cast<quint32>(width));
    Put32(bytes, 22, static_cast<quint32>(height));
    Put16(bytes, 26, 1);  // planes
    Put16(bytes, 28, 24); // bits per pixel
    Put32(bytes, 34, static_cast<quint32>(pixelBytes));
    Put32(bytes, 38, PixelsPerMetre);
    Put32(bytes, 42, PixelsPerMetre);
    char* pixels = bytes.data() + FileHeaderSize + InfoHeaderSize;
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - y));
        char* target = pixels + y * stride;
        for (int x = 0; x < width; ++x) {
            target[x * 3] = static_cast<char>(qBlue(source[x]));
            target[x * 3 + 1] = static_cast<char>(qGreen(source[x]));
            target[x * 3 + 2] = static_cast<char>(qRed(source[x]));
        }
    }
    return bytes;
}

void WriteBmpFile(const QImage& image, const QString& fileName)
{
    QString error;
    if (!SaveFileAtomically(fileName, EncodeBmp(image), &error))
        throw Exception(QStringLiteral("Cannot write picture file \"%1\": %2").arg(fileName, error));
}
