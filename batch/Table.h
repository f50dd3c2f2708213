#pragma once
// A table as spreadsheets save it: comma or semicolon separated (taken from
// the header line), quoted cells with separators and line breaks inside,
// UTF-8 with or without BOM, else code page 1250, CR LF, LF or CR. The file is
// read in pieces and each row handed on as it ends, so a table of any length
// takes the memory of one row.
#include <QString>
#include <QStringList>
#include <functional>

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

    bool isUtf8() const { return utf8_; }
    char separator() const { return separator_; }

private:
    QString path_;
    bool utf8_ = true;
    bool bom_ = false;
    char separator_ = ';';
};

inline const QString TableOpenMessage = QStringLiteral("Tabuľku „%1“ sa nepodarilo otvoriť: %2.");
inline const QString TableNotFileMessage = QStringLiteral("„%1“ nie je obyčajný súbor, tabuľku z neho nemožno čítať.");
inline const QString TableReadMessage = QStringLiteral("Tabuľku „%1“ sa nepodarilo prečítať celú: %2.");
inline const QString TableSyntaxMessage =
    QStringLiteral("Riadok %1: úvodzovky bunky nie sú správne uzavreté, tabuľka sa nedá čítať ďalej.");
