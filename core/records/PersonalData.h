#pragma once
// The user's own data: 14 short strings in 256-byte slots, 3584 bytes, stored
// as record 0 of uziv.nas. The slot order is fixed by the file.
#include "core/base/Cp1250.h"

#include <array>

enum class Personal : int {
    meno = 0,
    priezvisko,
    titul,
    psc,
    ulica,
    mesto,
    cd,
    stat,
    CU,
    PU,
    nazov,
    ksymbol,
    PV,
    pv2,
};

class PersonalData {
public:
    static constexpr std::size_t Size = 3584;
    static constexpr int FieldCount = 14;
    static constexpr std::size_t SlotSize = 256;

    Cp1250 get(Personal f) const { return readSlot(slot(f)); }
    void set(Personal f, std::string_view v) { writeSlot(slot(f), v); }

    unsigned char* data() { return bytes_.data(); }
    const unsigned char* data() const { return bytes_.data(); }

private:
    unsigned char* slot(Personal f) { return &bytes_[static_cast<std::size_t>(f) * SlotSize]; }
    const unsigned char* slot(Personal f) const { return &bytes_[static_cast<std::size_t>(f) * SlotSize]; }
    std::array<unsigned char, Size> bytes_{};
};
