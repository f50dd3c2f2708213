#pragma once
// A table as spreadsheets save it: comma, semicolon or tab separated (taken
// from the header line), quoted cells with separators and line breaks inside,
// UTF-8 with or without BOM, UTF-16 with or without BOM, else code page 1250;
// CR LF, LF or CR. A table that mixes UTF-8 with other bytes is refused, and
// bytes that are no character reach the cells as U+FFFD, which no field
// takes. The file is read in pieces and each row handed on as it ends; the
// cells of a row, the rows and the file's size are bounded while reading.
#include "core/batch/TableEncoding.h"

#include <QString>
#include <QStringList>
#include <functional>

// Far past any real table, and short of what memory and the check can bear.
inline constexpr int MaxTableCells = 1000;     // in a row; no form has a hundred fields
inline constexpr int MaxTableRows = 100000;    // rows to print, the header aside
inline constexpr qint64 MaxTableBytes = 128LL << 20;

struct TableRow {
    int line = 0; // the table line where the row starts, 1 for the header
    QStringList cells;
};

class TableReader {
public:
    explicit TableReader(QString path) : path_(std::move(path)) {}

    // Looks at the file once: its encoding and separator. Empty when it can
    // be read, else what is wrong, in Slovak.
    QString open();
    // Every non-empty row, header first; stops when `onRow` returns false.
    // Empty when the whole table was read (or the stop was asked for), else
    // what is wrong, with the line.
    QString forEachRow(const std::function<bool(const TableRow&)>& onRow) const;

    // The cells come out of UTF-8 (UTF-16 is read as UTF-8 too).
    bool isUtf8() const { return encoding_ != TableEncoding::Cp1250; }
    TableEncoding encoding() const { return encoding_; }
    char separator() const { return separator_; }

private:
    QString path_;
    TableEncoding encoding_ = TableEncoding::Utf8;
    int bomLength_ = 0;
    char separator_ = ';';
};

inline const QString TableOpenMessage = QStringLiteral("Tabuľku „%1“ sa nepodarilo otvoriť: %2.");
inline const QString TableNotFileMessage = QStringLiteral("„%1“ nie je obyčajný súbor, tabuľku z neho nemožno čítať.");
inline const QString TableReadMessage = QStringLiteral("Tabuľku „%1“ sa nepodarilo prečítať celú: %2.");
inline const QString TableSyntaxMessage =
    QStringLiteral("Riadok %1: úvodzovky bunky nie sú správne uzavreté, tabuľka sa nedá čítať ďalej.");
inline const QString TableMixedEncodingMessage =
    QStringLiteral("Tabuľka „%1“ má časť textu v UTF-8 a časť v inom kódovaní: riadok %2 obsahuje prvý bajt, ktorý do "
                   "UTF-8 nepatrí. Uložte celú tabuľku v jednom kódovaní (najlepšie UTF-8) a skúste to znova.");
inline const QString TableCellTooLongMessage =
    QStringLiteral("Riadok %1: bunka je dlhšia ako %2 znakov, toľko nevezme žiadne pole; tabuľka sa nedá čítať ďalej.");
inline const QString TableTooManyCellsMessage =
    QStringLiteral("Riadok %1: riadok má viac ako %2 buniek, toľko stĺpcov nemá žiadny formulár; tabuľka sa nedá čítať ďalej.");
inline const QString TableTooManyRowsMessage =
    QStringLiteral("Riadok %1: tabuľka má viac ako %2 riadkov na tlač, toľko program naraz nevytlačí; rozdeľte ju na menšie.");
inline const QString TableTooLargeMessage =
    QStringLiteral("Tabuľka „%1“ je väčšia ako %2 MiB, takú program nečíta; rozdeľte ju na menšie.");
inline const QString TableHalfUnitMessage =
    QStringLiteral("Riadok %1: tabuľka v kódovaní UTF-16 končí polovicou znaku (má nepárny počet bajtov), súbor je zrejme "
                   "neúplný.");

// A count as the messages write it: "100 000".
QString TableCountText(qint64 n);
