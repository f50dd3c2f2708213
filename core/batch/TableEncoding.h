#pragma once
// How a table's bytes are written: the BOM it starts with, and a strict UTF-8
// scan that also finds where a table mixes UTF-8 with other bytes.
#include <QByteArray>
#include <QStringDecoder>
#include <optional>

enum class TableEncoding { Utf8, Cp1250, Utf16LE, Utf16BE };

struct TableBom {
    TableEncoding encoding;
    int length;
};
// The BOM at the start of `head`, if any (UTF-8, UTF-16 LE or BE).
std::optional<TableBom> TableBomOf(const QByteArray& head);
// UTF-16 saved without a BOM, told by its zero bytes: a table's header is
// plain ASCII, so in UTF-16 every other byte is zero, which neither UTF-8
// nor code page 1250 text ever holds.
std::optional<TableEncoding> Utf16WithoutBom(const QByteArray& head);

// Strict UTF-8 over pieces of a file: no overlong forms, no surrogates,
// nothing past U+10FFFF, no sequence cut at the end. After a byte that does
// not fit it goes on, so a later multi-byte sequence is still seen.
class Utf8Scan {
public:
    void feed(const QByteArray& bytes);
    // The bytes fed so far, whole, are UTF-8 (a sequence cut at the end is not).
    bool valid() const { return badLine() == 0; }
    // At least one complete sequence of two or more bytes was seen.
    bool sawMultiByte() const { return multiByte_; }
    // The line (from 1) of the first byte that is not UTF-8, counting a
    // sequence cut at the end; 0 when none. The first is final once seen.
    int firstBadLine() const { return firstBadLine_; }
    int badLine() const { return firstBadLine_ != 0 ? firstBadLine_ : need_ != 0 ? line_ : 0; }

private:
    void bad();
    int need_ = 0;
    unsigned char low_ = 0x80, high_ = 0xBF;
    bool multiByte_ = false;
    int firstBadLine_ = 0;
    int line_ = 1;
    bool afterCr_ = false;
};

// Turns the pieces of a table read from its file into bytes the CSV parser
// takes: UTF-16 becomes UTF-8, the BOM is dropped, the rest passes as is.
// Half of a surrogate pair that has no other half becomes U+FFFD, which no
// field takes, so the row that holds it is refused rather than printed with
// a stand-in.
class TableBytes {
public:
    explicit TableBytes(TableEncoding encoding, int bomLength);
    QByteArray next(const QByteArray& chunk);
    // What is left once the file has ended: U+FFFD for a pair cut short.
    QByteArray finish();
    // The file ended inside a UTF-16 unit (an odd count of bytes).
    bool endsInsideAUnit() const { return odd_ >= 0; }

private:
    bool utf16_ = false;
    bool bigEndian_ = false;
    int skip_;
    int odd_ = -1;         // a byte waiting for its partner, or -1
    char16_t high_ = 0;    // a high surrogate waiting for its low one, or 0
};

// U+0080 to U+009F are controls no table means as text; in code page 1250
// they are what its five unassigned bytes decode to. Each becomes U+FFFD.
QString WithoutC1Controls(QString cell);
