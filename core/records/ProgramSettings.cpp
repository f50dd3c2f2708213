#include "core/records/ProgramSettings.h"

std::int32_t ProgramSettings::printFontSize() const
{
    const unsigned char* p = &bytes_[PrintFontSizeOffset];
    const std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
        | std::uint32_t(p[3]) << 24;
    return static_cast<std::int32_t>(v);
}

void ProgramSettings::setPrintFontSize(std::int32_t size)
{
    const auto v = static_cast<std::uint32_t>(size);
    for (int i = 0; i < 4; ++i)
        bytes_[PrintFontSizeOffset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

void ProgramSettings::setDefaults()
{
    bytes_.fill(0); // the reserved block of a new file is zero
    setEnvelopeTemplateName(" ");
    setPrintFontName("");
    setPrintFontSize(0);
}
