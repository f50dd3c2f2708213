#pragma once
// A QR code as a plain grid of modules, made by libqrencode; the page draws
// it as squares with a quiet zone of its own.
#include <QString>
#include <optional>
#include <vector>

// Light modules kept free around the code, and the least side of the code
// with that zone on paper, so banking apps read it at arm's length.
constexpr int QrQuietZoneModules = 4;
constexpr double QrMinSideMm = 40.0;

struct QrMatrix {
    int size = 0;              // modules on a side, quiet zone not included
    std::vector<bool> modules; // row by row, true for a dark module

    bool dark(int x, int y) const { return modules[static_cast<std::size_t>(y * size + x)]; }
};

// The code of `text` in 8-bit mode, error correction level M (L when M
// cannot hold it); nothing when no QR code can hold the text.
std::optional<QrMatrix> EncodeQr(const QString& text);
