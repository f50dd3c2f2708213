#pragma once
// banky.cbx: the bank list, plain text in code page 1250, one bank per line.
// Lines are written with CR LF; CR, LF and CR LF all end a line when read.
#include <QString>
#include <QStringList>

// Both throw FileError ("Cannot open file %s", "Cannot create file %s"). A
// list that is no regular file or is over 1 MiB is not read, and no list is
// written through a link to a missing file; a Slovak text says why.
QStringList LoadBankList(const QString& path);
void SaveBankList(const QString& path, const QStringList& banks);

// Creates an empty list file when none exists, then reads it. A link to a
// missing file is reported, not created.
QStringList LoadOrCreateBankList(const QString& path);

// Splits text at CR, LF or CR LF; a final line end adds no empty line.
QStringList SplitLines(const QString& text);
