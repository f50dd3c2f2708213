// The JPEG decoder: any bytes give a picture within the limits or nothing,
// never a crash, a hang or an exit; a picture it gives encodes again and
// decodes to the same size.
#include "FuzzSupport.h"
#include "core/base/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<QImage> image = DecodeJpeg(InputBytes(data, size));
    if (!image)
        return 0;
    FUZZ_CHECK(!image->isNull());
    FUZZ_CHECK(image->width() <= JpegMaxSide && image->height() <= JpegMaxSide);
    if (qint64(image->width()) * image->height() > 1024 * 1024)
        return 0; // the encoder's time, not the decoder's
    const QByteArray again = EncodeJpeg(*image, 75);
    FUZZ_CHECK(!again.isEmpty());
    const std::optional<QImage> back = DecodeJpeg(again);
    FUZZ_CHECK(back && back->size() == image->size());
    return 0;
}
