#pragma once
// The tips file data/subor1.tip: 256-byte records, each a short string.
#include "settings/Cp1250.h"

#include <QString>

class Platform;

constexpr std::size_t TipRecordSize = 256;

// Picks a record from 0 to N-2 (the last record is never shown; a file of one
// record shows that one) and returns its text. Throws FileError for a missing,
// unreadable or empty file.
Cp1250 ReadRandomTip(const QString& path, Platform& platform);
