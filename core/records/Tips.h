#pragma once
// The tips file data/subor1.tip: 256-byte records, each a short string.
#include "core/base/Cp1250.h"

#include <QString>
#include <functional>

constexpr std::size_t TipRecordSize = 256;

// Picks a record from 0 to N-2 (the last record is never shown; a file of one
// record shows that one) and returns its text. `randomBelow(n)` gives a number
// in [0, n). Throws FileError for a missing, unreadable or empty file, and for
// one that is no regular file or is over 1 MiB.
Cp1250 ReadRandomTip(const QString& path, const std::function<int(int)>& randomBelow);
