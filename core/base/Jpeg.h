#pragma once
// JPEG pictures through libjpeg. A file that is broken, truncated or larger
// than the program would ever show is refused whole: never half a picture,
// never a crash or an exit from inside the library.
#include <QByteArray>
#include <QImage>
#include <optional>

// The largest picture accepted on either side; far above any the program
// ships, and small enough that a forged header cannot ask for gigabytes.
inline constexpr int JpegMaxSide = 4096;

// The picture `bytes` hold, as RGB; nothing when they are not a whole,
// undamaged JPEG file of at most JpegMaxSide pixels a side.
std::optional<QImage> DecodeJpeg(const QByteArray& bytes);

// `image` as a baseline JPEG file of the given quality (1 to 100); empty when
// the image is null or libjpeg refuses it (above 65500 pixels a side).
QByteArray EncodeJpeg(const QImage& image, int quality);
