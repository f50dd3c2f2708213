#pragma once
// Reads a PAY by square text back into its fields, for tests only: base32hex,
// the header, raw LZMA1 (liblzma), the CRC-32 check (liblzma's own, so the
// program's zlib checksum is checked by another hand), then the TAB fields.
#include <QByteArray>
#include <QList>
#include <QString>
#include <lzma.h>
#include <optional>

struct DecodedPayBySquare {
    unsigned char typeVersion = 0; // byte 0 of the header
    unsigned char reserved = 0;    // byte 1
    int length = 0;                // bytes before compression
    QList<QByteArray> fields;
};

inline std::optional<QByteArray> FromBase32Hex(const QString& text)
{
    QByteArray out;
    unsigned buffer = 0;
    int bits = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int v = -1;
        if (u >= u'0' && u <= u'9')
            v = u - u'0';
        else if (u >= u'A' && u <= u'V')
            v = u - u'A' + 10;
        if (v < 0)
            return std::nullopt;
        buffer = ((buffer << 5) | static_cast<unsigned>(v)) & 0xFFFF;
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((buffer >> bits) & 0xFF);
        }
    }
    return out;
}

// Nothing when any step fails: a bad character, a short header, data that
// does not unpack to the length the header gives, a wrong checksum.
inline std::optional<DecodedPayBySquare> DecodePayBySquare(const QString& text)
{
    const std::optional<QByteArray> bytes = FromBase32Hex(text);
    if (!bytes || bytes->size() < 5)
        return std::nullopt;
    DecodedPayBySquare d;
    d.typeVersion = static_cast<unsigned char>(bytes->at(0));
    d.reserved = static_cast<unsigned char>(bytes->at(1));
    d.length = static_cast<unsigned char>(bytes->at(2)) | static_cast<unsigned char>(bytes->at(3)) << 8;
    if (d.length < 4)
        return std::nullopt;

    lzma_options_lzma options{};
    lzma_lzma_preset(&options, LZMA_PRESET_DEFAULT);
    options.lc = 3;
    options.lp = 0;
    options.pb = 2;
    options.dict_size = 128 * 1024;
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_raw_decoder(&stream, filters) != LZMA_OK)
        return std::nullopt;
    QByteArray plain(d.length, '\0');
    stream.next_in = reinterpret_cast<const uint8_t*>(bytes->constData()) + 4;
    stream.avail_in = static_cast<size_t>(bytes->size() - 4);
    stream.next_out = reinterpret_cast<uint8_t*>(plain.data());
    stream.avail_out = static_cast<size_t>(plain.size());
    lzma_ret ret = LZMA_OK;
    while (ret == LZMA_OK && stream.avail_out > 0 && stream.avail_in > 0)
        ret = lzma_code(&stream, LZMA_RUN);
    // The stream may end with a marker or without one; what counts is the length.
    if (stream.avail_out > 0 && ret == LZMA_OK)
        ret = lzma_code(&stream, LZMA_FINISH);
    const bool whole = stream.avail_out == 0;
    lzma_end(&stream);
    if (!whole || (ret != LZMA_OK && ret != LZMA_STREAM_END && ret != LZMA_BUF_ERROR))
        return std::nullopt;

    const QByteArray fields = plain.mid(4);
    const uint32_t crc = lzma_crc32(reinterpret_cast<const uint8_t*>(fields.constData()),
                                    static_cast<size_t>(fields.size()), 0);
    for (int i = 0; i < 4; ++i)
        if (static_cast<unsigned char>(plain[i]) != ((crc >> (8 * i)) & 0xFF))
            return std::nullopt;
    d.fields = fields.split('\t');
    return d;
}
