#include "platform/vcl/JpegFile.h"

#include "platform/core/Exception.h"
#include "platform/vcl/PictureLimit.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
#include <vector>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings pass, except those of a file that ends before its picture: libjpeg would
// fill the missing part with grey, so such a file counts as unreadable.
void OnMessage(j_common_ptr info, int level)
{
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER))
        OnError(info);
}

// Adobe CMYK JPEGs store inverted ink values.
QRgb FromInvertedCmyk(const JSAMPLE* p)
{
    const int k = p[3];
    return qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
}

enum class TDecoded { Done, Failed, TooLarge };

// Decodes into image. On failure fills message; a picture whose header names more than
// MaxPicturePixels gives its size and is not decoded. No object with a destructor is
// created between setjmp and the end of decoding.
TDecoded Decode(const QByteArray& bytes, QImage& image, std::vector<JSAMPLE>& row, char* message,
                JDIMENSION& width, JDIMENSION& height)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        jpeg_destroy_decompress(&info);
        return TDecoded::Failed;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    width = info.image_width;
    height = info.image_height;
    if (static_cast<std::int64_t>(width) * height > MaxPicturePixels) {
        jpeg_destroy_decompress(&info);
        return TDecoded::TooLarge;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB32);
    if (image.isNull()) {
        std::snprintf(message, JMSG_LENGTH_MAX, "picture too large");
        jpeg_destroy_decompress(&info);
        return TDecoded::Failed;
    }
    row.resize(static_cast<std::size_t>(info.output_width) * 4);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW target = cmyk ? row.data() : image.scanLine(y);
        jpeg_read_scanlines(&info, &target, 1);
        if (cmyk) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (JDIMENSION x = 0; x < info.output_width; ++x)
                line[x] = FromInvertedCmyk(row.data() + x * 4);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return TDecoded::Done;
}

} // namespace

bool LooksLikeJpeg(const QByteArray& head)
{
    return head.size() >= 3 && static_cast<unsigned char>(head[0]) == 0xFF
           && static_cast<unsigned char>(head[1]) == 0xD8 && static_cast<unsigned char>(head[2]) == 0xFF;
}

QImage ReadJpegFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open picture file \"%1\": %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (!LooksLikeJpeg(bytes))
        throw Exception(QStringLiteral("\"%1\" is not a JPEG picture").arg(fileName));
    QImage image;
    std::vector<JSAMPLE> row;
    char message[JMSG_LENGTH_MAX] = {};
    JDIMENSION width = 0;
    JDIMENSION height = 0;
    const TDecoded decoded = Decode(bytes, image, row, message, width, height);
    if (decoded == TDecoded::TooLarge)
        CheckPictureSize(fileName, width, height);
    if (decoded != TDecoded::Done)
        throw Exception(QStringLiteral("JPEG picture \"%1\" cannot be read: %2")
                            .arg(fileName, QString::fromLocal8Bit(message)));
    return image;
}
