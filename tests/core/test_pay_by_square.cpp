// PAY by square: the public example read back, our own text read back, and
// the QR code read by a real reader (zbarimg) and decoded to what was typed.
#include "core/forms/payment/PayBySquare.h"
#include "core/forms/payment/PaymentForm.h"
#include "core/forms/payment/PaymentOrder.h"
#include "core/forms/payment/PaymentText.h"
#include "core/forms/payment/QrMatrix.h"
#include "core/print/PageRenderer.h"
#include "support/PayBySquareDecode.h"
#include "support/RecordingCanvas.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(PaymentOrder)

namespace {

const QString PublicExample = QStringLiteral(
    "04090000FG1KUI2DV2DLQHJU5JFC5OBU94RMDAV8918OG9676KI4MFVBG9FI6DCNS4IINFN5Q6UGE5BA9BE4G271G0OHTLJ7A1FUL9J25J6"
    "9T14V9MD35ER96PSLE773DNEH8NR8H4ENKDBRJR2TUPEFU6P7VENSCFKAEOJQSNCIIUT3M2J0Q3BTLCINVKD464OL7PAEAVFVVM9FE000");

const QList<QByteArray> ExampleFields = {
    "", "1", "1", "25.5", "EUR", "20270131", "2027001", "0308", "", "", "Clensky prispevok 2027", "1",
    "SK3112000000198742637541", "", "0", "0", "Spolok priatelov prirody", "Hlavna 12", "04001 Kosice"};

CheckedPayment checked(const PaymentOrder& order)
{
    const PaymentCheck check = CheckPayment(order);
    if (!check.payment)
        qFatal("order refused: %s", qPrintable(check.problem));
    return *check.payment;
}

// The example's fields as a user types them, Slovak letters and all.
PaymentOrder exampleOrder()
{
    PaymentOrder o;
    o.prijemca = QStringLiteral("Spolok priateľov prírody");
    o.prijemca_ulica = QStringLiteral("Hlavná 12");
    o.prijemca_mesto = QStringLiteral("04001 Košice");
    o.iban = QStringLiteral("SK31 1200 0000 1987 4263 7541");
    o.suma = QStringLiteral("25,50");
    o.vsymbol = QStringLiteral("2027001");
    o.ksymbol = QStringLiteral("0308");
    o.splatnost = QStringLiteral("31.1.2027");
    o.sprava = QStringLiteral("Členský príspevok 2027");
    return o;
}

// Each module `scale` pixels, the quiet zone around, as a PNG file.
bool writeQrPng(const QrMatrix& m, const QString& path, int scale)
{
    const int q = QrQuietZoneModules;
    const int side = (m.size + 2 * q) * scale;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < m.size; ++y)
        for (int x = 0; x < m.size; ++x)
            if (m.dark(x, y))
                for (int py = 0; py < scale; ++py)
                    for (int px = 0; px < scale; ++px)
                        image.setPixel((x + q) * scale + px, (y + q) * scale + py, qRgb(0, 0, 0));
    return image.save(path, "PNG");
}

} // namespace

class PayBySquareTest : public QObject {
    Q_OBJECT
private slots:
    void publicExampleDecodes()
    {
        const std::optional<DecodedPayBySquare> d = DecodePayBySquare(PublicExample);
        QVERIFY(d);
        QCOMPARE(int(d->typeVersion), 0x01);
        QCOMPARE(int(d->reserved), 0x00);
        QCOMPARE(d->length, 144);
        QCOMPARE(d->fields, ExampleFields);
    }

    void ourTextDecodesToTheExamplesFields()
    {
        const CheckedPayment p = checked(exampleOrder());
        QCOMPARE(PayBySquareFields(p).split('\t'), ExampleFields);
        const std::optional<QString> text = PayBySquareText(p);
        QVERIFY(text);
        QVERIFY2(text->startsWith(QLatin1String("040900")), qPrintable(*text)); // 01 00 90 00: 144 bytes
        const std::optional<DecodedPayBySquare> d = DecodePayBySquare(*text);
        QVERIFY(d);
        QCOMPARE(int(d->typeVersion), 0x01);
        QCOMPARE(d->length, 144);
        QCOMPARE(d->fields, ExampleFields);
    }

    void damagedTextIsNotRead()
    {
        QString text = PublicExample;
        text[40] = text[40] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
        QVERIFY(!DecodePayBySquare(text));
        QVERIFY(!DecodePayBySquare(PublicExample.left(60)));
        QVERIFY(!DecodePayBySquare(PublicExample.toLower()));
    }

    void amountsAndTexts()
    {
        QCOMPARE(PayBySquareAmount(2550), QByteArray("25.5"));
        QCOMPARE(PayBySquareAmount(123400), QByteArray("1234"));
        QCOMPARE(PayBySquareAmount(5), QByteArray("0.05"));
        QCOMPARE(PayBySquareAmount(10), QByteArray("0.1"));
        QCOMPARE(PayBySquareAmount(999999999), QByteArray("9999999.99"));
        QCOMPARE(PayloadText(QStringLiteral("ĽŠČŤŽÝÁÍÉÚÄÔŇĎĹŔ ľščťžýáíéúäôňďĺŕ")),
                 QStringLiteral("LSCTZYAIEUAONDLR lsctzyaieuaondlr"));
        QCOMPARE(PayloadText(QStringLiteral("Łódź\tŐrség\r\nĂ")), QStringLiteral("Lodz Orseg A"));
        // What the page shows: nothing for a soft hyphen or a zero-width
        // blank, one blank for any run, none at the ends; other letters kept.
        const std::pair<const char16_t*, const char16_t*> shown[] = {
            {u"Spolo\u00ADčenstvo", u"Spoločenstvo"}, {u" a \u00A0\t b\u200B ", u"a b"},
            {u"\u00AD\u00AD", u""}, {u"x\U0001D11Ey  z", u"x\U0001D11Ey z"}, {u"\uFEFFa\u2028b", u"a b"}};
        for (const auto& [typed, page] : shown)
            QCOMPARE(ShownPaymentText(QString::fromUtf16(typed)), QString::fromUtf16(page));
    }

    // One encoder serves payload after payload, whatever their sizes, even
    // beyond its least window.
    void payloadsOfEverySizeDecode()
    {
        CheckedPayment p = checked(exampleOrder());
        for (const int length : {20, 6000, 0, 140, 5000, 3}) {
            QString message;
            for (int i = 0; i < length; ++i)
                message += QChar(u'a' + (i * 7919 + i / 26) % 26);
            p.sprava = message;
            const std::optional<QString> text = PayBySquareText(p);
            QVERIFY(text);
            const std::optional<DecodedPayBySquare> d = DecodePayBySquare(*text);
            QVERIFY2(d, qPrintable(QString::number(length)));
            QCOMPARE(d->fields.value(10), message.toUtf8());
        }
    }

    // A page keeps the code made from its texts; a print of texts changed
    // since draws the code of the new texts.
    void printedCodeFollowsThePagesTexts()
    {
        FieldTexts texts;
        for (const auto& [field, text] : {std::pair{"prijemca", "Eva Malá"}, {"iban", "SK3112000000198742637541"},
                                          {"suma", "12,50"}, {"vsymbol", "1"}})
            texts.setText(QString::fromLatin1(field), QString::fromUtf8(text));
        const auto squares = [](const FormPage& page) {
            RecordingCanvas canvas(ExamplePrinter);
            PrintFormPage(canvas, PaymentForm(), page);
            return canvas.rects;
        };
        FormPage page{{}, texts};
        PreparePage(PaymentForm(), page);
        QVERIFY(page.made && page.made->madeFrom(texts));
        const QList<QRect> before = squares(page);
        page.texts.setText(QStringLiteral("vsymbol"), QStringLiteral("2"));
        QVERIFY(!page.made->madeFrom(page.texts));
        const QList<QRect> after = squares(page);
        QVERIFY(after != before);
        QCOMPARE(after, squares(FormPage{{}, page.texts}));
    }

    void base32hex()
    {
        // RFC 4648's base32hex vectors, padding left out.
        const QList<std::pair<QByteArray, QString>> vectors = {
            {"f", "CO"}, {"fo", "CPNG"}, {"foob", "CPNMUOG"}, {"fooba", "CPNMUOJ1"}, {"foobar", "CPNMUOJ1E8"},
            {QByteArray(5, '\xFF'), "VVVVVVVV"}};
        for (const auto& [bytes, text] : vectors) {
            QCOMPARE(Base32Hex(bytes), text);
            QCOMPARE(FromBase32Hex(text), std::optional<QByteArray>(bytes));
        }
    }

    void readByARealReader_data()
    {
        QTest::addColumn<PaymentOrder>("order");
        QTest::addColumn<QList<QByteArray>>("fields");
        PaymentOrder o = exampleOrder();
        o.bic = QStringLiteral("subaskbx");
        o.sprava = QStringLiteral("Členský\tpríspevok – ďakujeme");
        o.ssymbol = QStringLiteral("42");
        o.suma = QStringLiteral("1 234.05");
        o.splatnost.clear();
        QTest::newRow("slovak letters")
            << o << QList<QByteArray>{"", "1", "1", "1234.05", "EUR", "", "2027001", "0308", "42", "",
                                      "Clensky prispevok \xE2\x80\x93 dakujeme", "1", "SK3112000000198742637541",
                                      "SUBASKBX", "0", "0", "Spolok priatelov prirody", "Hlavna 12", "04001 Kosice"};
        // Every field at its longest, so the code is as big as it gets.
        PaymentOrder big = exampleOrder();
        big.prijemca = QString(70, QChar(u'Ž'));
        big.prijemca_ulica = QString(70, QChar(u'ô'));
        big.prijemca_mesto = QString(70, QLatin1Char('9'));
        big.sprava = QStringLiteral("Príspevok ") + QString(130, QChar(u'ť'));
        big.vsymbol = big.ssymbol = QStringLiteral("9876543210");
        big.bic = QStringLiteral("SUBASKBXXXX");
        big.suma = QStringLiteral("9999999,99");
        QTest::newRow("longest")
            << big << QList<QByteArray>{"", "1", "1", "9999999.99", "EUR", "20270131", "9876543210", "0308",
                                        "9876543210", "", "Prispevok " + QByteArray(130, 't'), "1",
                                        "SK3112000000198742637541", "SUBASKBXXXX", "0", "0", QByteArray(70, 'Z'),
                                        QByteArray(70, 'o'), QByteArray(70, '9')};
    }
    void readByARealReader()
    {
        QFETCH(PaymentOrder, order);
        QFETCH(QList<QByteArray>, fields);
        const std::optional<QString> text = PayBySquareText(checked(order));
        QVERIFY(text);
        const std::optional<QrMatrix> qr = EncodeQr(*text);
        QVERIFY(qr);
        QCOMPARE((qr->size - 17) % 4, 0);
        QCOMPARE(qr->modules.size(), std::size_t(qr->size * qr->size));

        const QString zbarimg = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
        if (zbarimg.isEmpty())
            QSKIP("zbarimg (zbar-tools) is not installed");
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("qr.png"));
        QVERIFY(writeQrPng(*qr, png, 4));
        QProcess reader;
        reader.start(zbarimg, {QStringLiteral("--raw"), QStringLiteral("-q"), png});
        QVERIFY(reader.waitForFinished(60000));
        QCOMPARE(reader.exitCode(), 0);
        const QString read = QString::fromLatin1(reader.readAllStandardOutput()).trimmed();
        QCOMPARE(read, *text);
        const std::optional<DecodedPayBySquare> d = DecodePayBySquare(read);
        QVERIFY(d);
        QCOMPARE(d->fields, fields);
    }
};

QTEST_GUILESS_MAIN(PayBySquareTest)
#include "test_pay_by_square.moc"
