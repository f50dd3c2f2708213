#include "core/batch/TableEncoding.h"

#include <algorithm>

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

std::optional<TableEncoding> Utf16WithoutBom(const QByteArray& head)
{
    // The first line is enough, and a long table must not cost more.
    const qsizetype pairs = std::min<qsizetype>(head.size(), 512) / 2;
    int lowZero = 0, highZero = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        const bool first = head[2 * i] == 0, second = head[2 * i + 1] == 0;
        lowZero += !first && second;
        highZero += first && !second;
    }
    if (pairs == 0 || std::max(lowZero, highZero) * 2 < pairs)
        return std::nullopt;
    if (lowZero > highZero && head[0] != 0 && head[1] == 0)
        return TableEncoding::Utf16LE;
    if (highZero > lowZero && head[0] == 0 && head[1] != 0)
        return TableEncoding::Utf16BE;
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

TableBytes::TableBytes(TableEncoding encoding, int bomLength)
    : utf16_(encoding == TableEncoding::Utf16LE || encoding == TableEncoding::Utf16BE),
      bigEndian_(encoding == TableEncoding::Utf16BE), skip_(bomLength)
{
}

QByteArray TableBytes::next(const QByteArray& chunk)
{
    QByteArray bytes = chunk;
    if (skip_ > 0) {
        const qsizetype cut = std::min<qsizetype>(skip_, bytes.size());
        bytes.remove(0, cut);
        skip_ -= static_cast<int>(cut);
    }
    if (!utf16_)
        return bytes;
    QString text;
    text.reserve(bytes.size() / 2 + 2);
    auto unit = [&](char16_t u) {
        if (high_ != 0 && QChar::isLowSurrogate(u)) {
            text += QChar(high_);
            text += QChar(u);
            high_ = 0;
            return;
        }
        if (high_ != 0)
            text += QChar::ReplacementCharacter;
        high_ = 0;
        if (QChar::isHighSurrogate(u))
            high_ = u; // its low half may come in the next piece
        else
            text += QChar::isLowSurrogate(u) ? QChar(QChar::ReplacementCharacter) : QChar(u);
    };
    qsizetype i = 0;
    if (odd_ >= 0 && !bytes.isEmpty()) {
        const auto a = static_cast<unsigned char>(odd_), b = static_cast<unsigned char>(bytes[0]);
        unit(static_cast<char16_t>(bigEndian_ ? a << 8 | b : b << 8 | a));
        odd_ = -1;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        unit(static_cast<char16_t>(bigEndian_ ? a << 8 | b : b << 8 | a));
    }
    if (i < bytes.size())
        odd_ = static_cast<unsigned char>(bytes[i]);
    return text.toUtf8();
}

QByteArray TableBytes::finish()
{
    if (high_ == 0)
        return {};
    high_ = 0;
    return QString(QChar::ReplacementCharacter).toUtf8();
}

QString WithoutC1Controls(QString cell)
{
    for (QChar& c : cell)
        if (c.unicode() >= 0x80 && c.unicode() <= 0x9F)
            c = QChar::ReplacementCharacter;
    return cell;
}
