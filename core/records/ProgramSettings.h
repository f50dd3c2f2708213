#pragma once
// The settings record: 1308 bytes, stored as record 0 of program.nas. The
// accessors name the fields; the bytes themselves are the record, so reserved
// bytes and padding go back to the file exactly as they were read.
#include "core/base/Cp1250.h"

#include <array>
#include <cstdint>

enum class Flag : int {
    AddName = 0,
    AddAddress,
    AddCountry,
    AutoAmountInWords,
    OpenOnStart,
    AddAccount,
    AddBank,
    AllowMultipleForms,
    AddConstantSymbol,
    StartWithSlipA,
    StartWithSlipC,
    StartWithSlipD,
    StartWithEnvelope,
    SlipAOwnerIsRecipient,
    SlipAOwnerIsSender,
    SlipCOwnerIsRecipient,
    SlipCOwnerIsSender,
    SlipDOwnerIsRecipient,
    SlipDOwnerIsSender,
    EnvelopeOwnerIsRecipient,
    EnvelopeOwnerIsSender,
};

class ProgramSettings {
public:
    static constexpr std::size_t Size = 1308;
    static constexpr int FlagCount = 21;
    static constexpr std::size_t EnvelopeTemplateNameOffset = 21;
    static constexpr std::size_t ReservedOffset = 277;
    static constexpr std::size_t PrintFontNameOffset = 1045;
    static constexpr std::size_t PaddingOffset = 1301;
    static constexpr std::size_t PrintFontSizeOffset = 1304;

    // Any non-zero byte reads as true; writes store 0 or 1.
    bool flag(int index) const { return bytes_.at(static_cast<std::size_t>(index)) != 0; }
    bool flag(Flag f) const { return flag(static_cast<int>(f)); }
    void setFlag(int index, bool on) { bytes_.at(static_cast<std::size_t>(index)) = on ? 1 : 0; }
    void setFlag(Flag f, bool on) { setFlag(static_cast<int>(f), on); }

    Cp1250 envelopeTemplateName() const { return readSlot(&bytes_[EnvelopeTemplateNameOffset]); }
    void setEnvelopeTemplateName(std::string_view v) { writeSlot(&bytes_[EnvelopeTemplateNameOffset], v); }
    Cp1250 printFontName() const { return readSlot(&bytes_[PrintFontNameOffset]); }
    void setPrintFontName(std::string_view v) { writeSlot(&bytes_[PrintFontNameOffset], v); }
    std::int32_t printFontSize() const;
    void setPrintFontSize(std::int32_t size);

    // The record of a new installation.
    void setDefaults();

    unsigned char* data() { return bytes_.data(); }
    const unsigned char* data() const { return bytes_.data(); }

private:
    std::array<unsigned char, Size> bytes_{};
};
