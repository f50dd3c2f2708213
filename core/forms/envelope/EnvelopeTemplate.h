#pragma once
// An envelope template, the whole content of a "<name>.obl" file: four signed
// 32-bit little-endian values, 16 bytes, no header. Nothing is range-checked:
// any value is stored and read back as it is.
#include "core/base/FileError.h"

#include <array>
#include <cstdint>
#include <string>

struct EnvelopeTemplate {
    std::int32_t WidthMm = 0;  // across the printer page
    std::int32_t HeightMm = 0; // down the printer page
    std::int32_t RecipientFontSize = 11;
    std::int32_t SenderFontSize = 9; // the sender's and the note's lines

    friend bool operator==(const EnvelopeTemplate&, const EnvelopeTemplate&) = default;
};

constexpr std::size_t EnvelopeTemplateSize = 16;
using EnvelopeTemplateBytes = std::array<unsigned char, EnvelopeTemplateSize>;

EnvelopeTemplateBytes EncodeTemplate(const EnvelopeTemplate& t);
EnvelopeTemplate DecodeTemplate(const EnvelopeTemplateBytes& bytes);

// The file could not be opened as a template at all (missing, not a regular
// file, no permission), as opposed to a read that failed once it was open.
class TemplateOpenError : public FileError {
public:
    using FileError::FileError;
};

// Creates the file or empties an existing one, writes the 16 bytes and makes
// them durable. On any failure the partly written file is removed and the
// FileError says why. A symbolic link or a special file in its place is
// refused and left alone.
void WriteTemplateFile(const std::string& path, const EnvelopeTemplate& t);

// Reads the first 16 bytes of a regular file. Throws TemplateOpenError when
// the file cannot be opened or is no regular file, FileError ("Read beyond
// end of file") when it is shorter.
EnvelopeTemplate ReadTemplateFile(const std::string& path);
