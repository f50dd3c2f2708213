// libFuzzer entry for the JPEG decoder: any bytes give a picture within the
// limits or nothing, never a crash, a hang or an exit.
#include "app/Jpeg.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<QImage> image =
        DecodeJpeg(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (image && (image->isNull() || image->width() > JpegMaxSide || image->height() > JpegMaxSide))
        std::abort();
    return 0;
}
