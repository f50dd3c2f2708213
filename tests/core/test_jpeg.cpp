// JPEG through libjpeg: the shipped picture and an image of known colours
// decode as drawn; a file broken in any way (cut short at every length,
// bytes flipped, garbage, empty, a forged size) gives nothing, never a crash
// or an exit.
#include "core/base/Jpeg.h"

#include <QFile>
#include <QtTest>
#include <random>

namespace {

QByteArray shippedPicture()
{
    QFile file(QStringLiteral(ZELVANA_BUILD_FOLDER "/data/oprograme.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Four quadrants of plain colours.
QImage quadrants()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QColor colours[] = {QColor(200, 30, 40), QColor(20, 150, 60), QColor(30, 60, 190), QColor(240, 220, 40)};
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixelColor(x, y, colours[(y >= 24) * 2 + (x >= 32)]);
    return image;
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class JpegTest : public QObject {
    Q_OBJECT
private slots:
    void shippedPictureDecodesToItsSize()
    {
        const QByteArray bytes = shippedPicture();
        QVERIFY(bytes.startsWith("\xFF\xD8"));
        const std::optional<QImage> image = DecodeJpeg(bytes);
        QVERIFY(image);
        QCOMPARE(image->size(), QSize(80, 175));
        QSet<QRgb> colours;
        for (int y = 0; y < image->height(); y += 3)
            for (int x = 0; x < image->width(); x += 3)
                colours.insert(image->pixel(x, y));
        QVERIFY(colours.size() > 50); // a picture, not a flat fill
    }

    void coloursComeBackWhereTheyWereDrawn()
    {
        const QImage drawn = quadrants();
        const std::optional<QImage> image = DecodeJpeg(EncodeJpeg(drawn, 95));
        QVERIFY(image);
        QCOMPARE(image->size(), drawn.size());
        for (QPoint at : {QPoint(10, 10), QPoint(50, 10), QPoint(10, 40), QPoint(50, 40)})
            QVERIFY2(near(image->pixelColor(at), drawn.pixelColor(at), 12),
                     qPrintable(QStringLiteral("at %1,%2: %3 for %4")
                                    .arg(at.x())
                                    .arg(at.y())
                                    .arg(image->pixelColor(at).name(), drawn.pixelColor(at).name())));
    }

    void everyTruncationIsRefused()
    {
        const QByteArray bytes = shippedPicture();
        QVERIFY(bytes.size() > 1000);
        for (qsizetype n = 0; n < bytes.size(); ++n)
            QVERIFY2(!DecodeJpeg(bytes.left(n)), qPrintable(QStringLiteral("cut to %1 bytes").arg(n)));
    }

    void flippedBytesNeverCrash()
    {
        const QByteArray bytes = shippedPicture();
        QVERIFY(!bytes.isEmpty());
        std::mt19937 random(20240601);
        int refused = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray broken = bytes;
            const int flips = 1 + int(random() % 4);
            for (int i = 0; i < flips; ++i)
                broken[qsizetype(random() % std::uint32_t(broken.size()))] ^= char(1 << (random() % 8));
            const std::optional<QImage> image = DecodeJpeg(broken);
            if (!image) {
                ++refused;
                continue;
            }
            // What still decodes is a whole picture of a size the header allows.
            QVERIFY(!image->isNull());
            QVERIFY(image->width() <= JpegMaxSide && image->height() <= JpegMaxSide);
        }
        QVERIFY(refused > 0);
    }

    void garbageIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Toto nie je obrázok.");
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("start and end") << QByteArray("\xFF\xD8\xFF\xD9", 4);
        QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QByteArray noise(65536, Qt::Uninitialized);
        std::mt19937 random(7);
        for (char& c : noise)
            c = char(random());
        QTest::newRow("noise") << noise;
        noise[0] = char(0xFF);
        noise[1] = char(0xD8);
        QTest::newRow("noise after a start marker") << noise;
    }
    void garbageIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!DecodeJpeg(bytes));
    }

    void forgedHugeSizeIsRefused()
    {
        QByteArray bytes = EncodeJpeg(quadrants(), 80);
        const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(frame > 0);
        // Height and width of the frame header, big-endian: 60000 x 60000.
        for (qsizetype at : {frame + 5, frame + 7}) {
            bytes[at] = char(0xEA);
            bytes[at + 1] = char(0x60);
        }
        QVERIFY(!DecodeJpeg(bytes));
    }

    void widthAboveTheLimitIsRefused()
    {
        QImage wide(JpegMaxSide, 2, QImage::Format_RGB32);
        wide.fill(Qt::darkGreen);
        const std::optional<QImage> atLimit = DecodeJpeg(EncodeJpeg(wide, 50));
        QVERIFY(atLimit);
        QCOMPARE(atLimit->size(), wide.size());
        QImage wider(JpegMaxSide + 1, 2, QImage::Format_RGB32);
        wider.fill(Qt::darkGreen);
        const QByteArray bytes = EncodeJpeg(wider, 50);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(!DecodeJpeg(bytes));
    }

    void nullImageEncodesToNothing() { QVERIFY(EncodeJpeg(QImage(), 90).isEmpty()); }
};

QTEST_GUILESS_MAIN(JpegTest)
#include "test_jpeg.moc"
