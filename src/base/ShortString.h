#pragma once
// A length-prefixed text of fixed capacity N as held in the fixed records: one
// length byte (0..N) and N character bytes (Windows-1252). All N + 1 bytes are
// kept, so the bytes past the length survive a read and a write unchanged.

#include "base/ByteCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumivar {

template <std::size_t N> class ShortString {
    static_assert(N >= 1 && N <= 255);

public:
    static constexpr std::size_t Capacity = N;
    static constexpr std::size_t StoredSize = N + 1;

    ShortString() = default;
    ShortString(std::string_view cp1252) { Assign(cp1252); } // NOLINT: implicit from text is handy

    // Length as stored; a length byte above N (a damaged file) is read as N.
    std::size_t Length() const { return std::min<std::size_t>(m_raw[0], N); }
    bool Empty() const { return Length() == 0; }

    // The Windows-1252 characters.
    std::string Text() const { return std::string(reinterpret_cast<const char*>(m_raw.data() + 1), Length()); }
    std::string_view View() const { return {reinterpret_cast<const char*>(m_raw.data() + 1), Length()}; }

    // Stores cp1252 text cut to N characters; bytes past the new length keep what they held.
    void Assign(std::string_view cp1252)
    {
        const std::size_t n = std::min(cp1252.size(), N);
        std::copy_n(cp1252.data(), n, reinterpret_cast<char*>(m_raw.data() + 1));
        m_raw[0] = std::uint8_t(n);
    }
    ShortString& operator=(std::string_view cp1252)
    {
        Assign(cp1252);
        return *this;
    }

    // Copies another capacity's text as a string (length byte and characters, cut to N).
    template <std::size_t M> void AssignFrom(const ShortString<M>& other) { Assign(other.View()); }

    void Decode(ByteSpan image, std::size_t offset) { std::copy_n(image.begin() + offset, StoredSize, m_raw.begin()); }
    void Encode(MutableByteSpan image, std::size_t offset) const
    {
        std::copy_n(m_raw.begin(), StoredSize, image.begin() + offset);
    }

    const std::array<std::uint8_t, N + 1>& Raw() const { return m_raw; }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.m_raw == b.m_raw; }

private:
    std::array<std::uint8_t, N + 1> m_raw{};
};

} // namespace lumivar
