#include "core/base/Jpeg.h"

#include "core/base/JpegErrors.h"

namespace {

// Everything that has to outlive a jump back from the library lives here,
// outside the frame that calls setjmp.
struct Decoding {
    jpeg_decompress_struct info{};
    JpegErrors errors;
    QImage image;
};

// The library's calls. This frame holds no object with a destructor, so the
// jump back from an error skips nothing; nothing local is used after it.
bool decode(Decoding& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.errors.escape))
        return false;
    jpeg_create_decompress(&d.info);
    // Progressive pictures keep all coefficients; this bounds what a forged
    // file can make the library allocate.
    d.info.mem->max_memory_to_use = 128L * 1024 * 1024;
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);
    if (d.info.image_width > unsigned(JpegMaxSide) || d.info.image_height > unsigned(JpegMaxSide))
        return false;
    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);
    if (d.info.output_components != 3)
        return false;
    d.image = QImage(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB888);
    if (d.image.isNull())
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = d.image.scanLine(int(d.info.output_scanline));
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&d.info);
    return d.errors.warnings == 0;
}

} // namespace

std::optional<QImage> DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    Decoding d;
    InstallJpegErrors(*reinterpret_cast<jpeg_common_struct*>(&d.info), d.errors);
    const bool whole = decode(d, reinterpret_cast<const unsigned char*>(bytes.constData()),
                              static_cast<unsigned long>(bytes.size()));
    jpeg_destroy_decompress(&d.info);
    if (!whole)
        return std::nullopt;
    return d.image;
}
