#include "core/base/Jpeg.h"

#include "core/base/JpegErrors.h"

#include <cstdlib>

namespace {

struct Encoding {
    jpeg_compress_struct info{};
    JpegErrors errors;
    unsigned char* buffer = nullptr; // grown by libjpeg, freed with free()
    unsigned long size = 0;
};

// As in the decoder: no object with a destructor in the frame that calls setjmp.
bool encode(Encoding& e, const QImage& rgb, int quality)
{
    if (setjmp(e.errors.escape))
        return false;
    jpeg_create_compress(&e.info);
    jpeg_mem_dest(&e.info, &e.buffer, &e.size);
    e.info.image_width = JDIMENSION(rgb.width());
    e.info.image_height = JDIMENSION(rgb.height());
    e.info.input_components = 3;
    e.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    while (e.info.next_scanline < e.info.image_height) {
        // libjpeg takes rows as non-const but only reads them.
        auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(int(e.info.next_scanline)));
        jpeg_write_scanlines(&e.info, &row, 1);
    }
    jpeg_finish_compress(&e.info);
    return true;
}

} // namespace

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Encoding e;
    InstallJpegErrors(*reinterpret_cast<jpeg_common_struct*>(&e.info), e.errors);
    const bool ok = encode(e, rgb, qBound(1, quality, 100));
    jpeg_destroy_compress(&e.info);
    QByteArray bytes;
    if (ok && e.buffer)
        bytes = QByteArray(reinterpret_cast<const char*>(e.buffer), qsizetype(e.size));
    std::free(e.buffer);
    return bytes;
}
