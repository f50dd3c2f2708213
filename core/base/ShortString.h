#pragma once
// A counted string of at most 255 single-byte characters held inline, like the
// 256-byte slots of the files. Handy where no allocation is wanted.
#include <cstring>
#include <string>
#include <string_view>

class ShortString {
public:
    static constexpr std::size_t Capacity = 255;

    ShortString() = default;
    ShortString(std::string_view s) { append(s); }

    // Appends as much of `s` as still fits; the rest is cut.
    void append(std::string_view s)
    {
        const std::size_t n = std::min(s.size(), Capacity - len_);
        std::memcpy(data_ + len_, s.data(), n);
        len_ = static_cast<unsigned char>(len_ + n);
    }

    // Copies a fixed N bytes from `src` (so the copy compiles to a few moves)
    // and keeps `len` of them. The caller makes sure N more bytes fit.
    template <std::size_t N>
    void appendFixed(const char* src, std::size_t len)
    {
        std::memcpy(data_ + len_, src, N);
        len_ = static_cast<unsigned char>(len_ + len);
    }

    std::size_t size() const { return len_; }
    bool empty() const { return len_ == 0; }
    std::string_view view() const { return {data_, len_}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    bool operator==(std::string_view other) const { return view() == other; }

private:
    unsigned char len_ = 0;
    char data_[Capacity];
};
