#include "core/forms/payment/PayBySquare.h"

#include "core/forms/payment/PaymentText.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>

namespace {

constexpr unsigned char HeaderTypeVersion = (0 << 4) | 1; // payment order, version 1.1.0

// Raw LZMA1 with the literal and position settings the format fixes. The
// dictionary need not be larger than the data: no match reaches further, so
// the stream is the one the format's 128 KiB window gives, while the match
// finder shrinks from 2.5 MB to 1.3 MB. One encoder per thread is set up
// again for each payload, reusing its memory: allocating and zeroing a match
// finder for every payload cost far more than the compression itself.
class Encoder {
public:
    Encoder() = default;
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
    ~Encoder() { lzma_end(&stream_); }

    std::optional<QByteArray> compress(const QByteArray& data)
    {
        lzma_options_lzma options;
        if (lzma_lzma_preset(&options, LZMA_PRESET_DEFAULT))
            return std::nullopt;
        options.lc = 3;
        options.lp = 0;
        options.pb = 2;
        options.dict_size = std::max<uint32_t>(LZMA_DICT_SIZE_MIN, static_cast<uint32_t>(data.size()));
        const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
        if (lzma_raw_encoder(&stream_, filters) != LZMA_OK)
            return std::nullopt;
        QByteArray out(data.size() + data.size() / 2 + 256, Qt::Uninitialized);
        stream_.next_in = reinterpret_cast<const uint8_t*>(data.constData());
        stream_.avail_in = static_cast<size_t>(data.size());
        stream_.next_out = reinterpret_cast<uint8_t*>(out.data());
        stream_.avail_out = static_cast<size_t>(out.size());
        const uint64_t before = stream_.total_out;
        lzma_ret ret = LZMA_OK;
        while (ret == LZMA_OK) {
            if (stream_.avail_out == 0) {
                const qsizetype done = out.size();
                out.resize(done * 2);
                stream_.next_out = reinterpret_cast<uint8_t*>(out.data()) + done;
                stream_.avail_out = static_cast<size_t>(out.size() - done);
            }
            ret = lzma_code(&stream_, LZMA_FINISH);
        }
        if (ret != LZMA_STREAM_END)
            return std::nullopt;
        out.resize(static_cast<qsizetype>(stream_.total_out - before));
        return out;
    }

private:
    lzma_stream stream_ = LZMA_STREAM_INIT;
};

std::optional<QByteArray> compress(const QByteArray& data)
{
    thread_local Encoder encoder;
    return encoder.compress(data);
}

// Letters whose mark NFD does not take apart.
QChar plainLetter(QChar c)
{
    switch (c.unicode()) {
    case u'ł': return QLatin1Char('l');
    case u'Ł': return QLatin1Char('L');
    case u'đ': return QLatin1Char('d');
    case u'Đ': return QLatin1Char('D');
    default: return c;
    }
}

} // namespace

QString PayloadText(const QString& text)
{
    QString out;
    for (const QChar c : ShownPaymentText(text).normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_SpacingCombining
            || c.category() == QChar::Mark_Enclosing)
            continue;
        out += plainLetter(c);
    }
    return out;
}

QByteArray PayBySquareAmount(qint64 cents)
{
    QByteArray text = QByteArray::number(cents / 100);
    if (const qint64 part = cents % 100; part != 0) {
        text += '.' + QByteArray::number(part).rightJustified(2, '0');
        if (text.endsWith('0'))
            text.chop(1);
    }
    return text;
}

QByteArray PayBySquareFields(const CheckedPayment& p)
{
    const auto text = [](const QString& s) { return PayloadText(s).toUtf8(); };
    const QByteArray due = p.splatnost.isValid() ? p.splatnost.toString(QStringLiteral("yyyyMMdd")).toLatin1()
                                                 : QByteArray();
    const QList<QByteArray> fields = {
        QByteArray(),               // invoice id
        "1",                        // payments
        "1",                        // payment order
        PayBySquareAmount(p.cents), "EUR", due,
        text(p.vsymbol), text(p.ksymbol), text(p.ssymbol),
        QByteArray(),               // originator's reference
        text(p.sprava),
        "1",                        // bank accounts
        text(p.iban), text(p.bic),
        "0",                        // standing order
        "0",                        // direct debit
        text(p.prijemca), text(p.prijemcaUlica), text(p.prijemcaMesto)};
    return fields.join('\t');
}

std::optional<QString> PayBySquareText(const CheckedPayment& payment)
{
    const QByteArray fields = PayBySquareFields(payment);
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(fields.constData()),
                            static_cast<uInt>(fields.size()));
    QByteArray plain;
    for (int i = 0; i < 4; ++i)
        plain += static_cast<char>((crc >> (8 * i)) & 0xFF);
    plain += fields;
    if (plain.size() > 0xFFFF) // the header holds the length in two bytes
        return std::nullopt;
    const std::optional<QByteArray> packed = compress(plain);
    if (!packed)
        return std::nullopt;
    QByteArray all;
    all += static_cast<char>(HeaderTypeVersion);
    all += '\0';
    all += static_cast<char>(plain.size() & 0xFF);
    all += static_cast<char>((plain.size() >> 8) & 0xFF);
    all += *packed;
    return Base32Hex(all);
}

QString Base32Hex(const QByteArray& bytes)
{
    static constexpr char Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
    QString out;
    out.reserve(bytes.size() * 8 / 5 + 1);
    unsigned buffer = 0;
    int bits = 0;
    for (const char byte : bytes) {
        buffer = ((buffer << 8) | static_cast<unsigned char>(byte)) & 0xFFFF;
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            out += QLatin1Char(Alphabet[(buffer >> bits) & 31]);
        }
    }
    if (bits > 0)
        out += QLatin1Char(Alphabet[(buffer << (5 - bits)) & 31]);
    return out;
}
