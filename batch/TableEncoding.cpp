#include "batch/TableEncoding.h"

std::optional<TableBom> TableBomOf(const QByteArray& head)
{
    if (head.startsWith(QByteArray("\xEF\xBB\xBF", 3)))
        return TableBom{TableEncoding::Utf8, 3};
    if (head.startsWith(QByteArray("\xFF\xFE", 2)))
        return TableBom{TableEncoding::Utf16LE, 2};
    if (head.startsWith(QByteArray("\xFE\xFF", 2)))
        return TableBom{TableEncoding::Utf16BE, 2};
    return std::nullopt;
}

void Utf8Scan::bad()
{
    if (firstBadLine_ == 0)
        firstBadLine_ = line_;
    need_ = 0;
    low_ = 0x80, high_ = 0xBF;
}

void Utf8Scan::feed(const QByteArray& bytes)
{
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        // Lines as the table counts them: CR LF, CR or LF each end one.
        if (b == '\r' || (b == '\n' && !afterCr_))
            ++line_;
        afterCr_ = b == '\r';
        if (need_ > 0) {
            if (b >= low_ && b <= high_) {
                low_ = 0x80, high_ = 0xBF;
                if (--need_ == 0)
                    multiByte_ = true;
                continue;
            }
            bad(); // the sequence broke off; this byte starts anew
        }
        if (b < 0x80)
            continue;
        if (b >= 0xC2 && b <= 0xDF)
            need_ = 1, low_ = 0x80, high_ = 0xBF;
        else if (b >= 0xE0 && b <= 0xEF)
            need_ = 2, low_ = b == 0xE0 ? 0xA0 : 0x80, high_ = b == 0xED ? 0x9F : 0xBF;
        else if (b >= 0xF0 && b <= 0xF4)
            need_ = 3, low_ = b == 0xF0 ? 0x90 : 0x80, high_ = b == 0xF4 ? 0x8F : 0xBF;
        else
            bad();
    }
}

TableBytes::TableBytes(TableEncoding encoding, int bomLength) : skip_(bomLength)
{
    if (encoding == TableEncoding::Utf16LE)
        decoder_.emplace(QStringDecoder::Utf16LE);
    else if (encoding == TableEncoding::Utf16BE)
        decoder_.emplace(QStringDecoder::Utf16BE);
}

QByteArray TableBytes::next(const QByteArray& chunk)
{
    QByteArray bytes = chunk;
    if (skip_ > 0) {
        bytes.remove(0, skip_);
        skip_ = 0;
    }
    if (!decoder_)
        return bytes;
    return QString((*decoder_)(bytes)).toUtf8();
}
