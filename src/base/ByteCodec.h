#pragma once
// Explicit little- and big-endian encoding of record fields. Records are never
// reinterpret_cast onto file bytes: every field is read and written at its offset.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace lumivar {

using Bytes = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;
using MutableByteSpan = std::span<std::uint8_t>;

// Fixed-offset access inside a record image. Callers guarantee offset + width <= size
// (records have fixed sizes; the encoders are tested against them).
namespace le {

inline std::uint32_t GetU32(ByteSpan b, std::size_t off)
{
    return std::uint32_t(b[off]) | std::uint32_t(b[off + 1]) << 8 | std::uint32_t(b[off + 2]) << 16 |
           std::uint32_t(b[off + 3]) << 24;
}
inline std::uint64_t GetU64(ByteSpan b, std::size_t off)
{
    return std::uint64_t(GetU32(b, off)) | std::uint64_t(GetU32(b, off + 4)) << 32;
}
inline std::int32_t GetI32(ByteSpan b, std::size_t off)
{
    return std::int32_t(GetU32(b, off));
}
inline std::int16_t GetI16(ByteSpan b, std::size_t off)
{
    return std::int16_t(std::uint16_t(b[off] | b[off + 1] << 8));
}
inline float GetF32(ByteSpan b, std::size_t off)
{
    return std::bit_cast<float>(GetU32(b, off));
}
inline double GetF64(ByteSpan b, std::size_t off)
{
    return std::bit_cast<double>(GetU64(b, off));
}

inline void PutU32(MutableByteSpan b, std::size_t off, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[off + i] = std::uint8_t(v >> (8 * i));
}
inline void PutU64(MutableByteSpan b, std::size_t off, std::uint64_t v)
{
    PutU32(b, off, std::uint32_t(v));
    PutU32(b, off + 4, std::uint32_t(v >> 32));
}
inline void PutI32(MutableByteSpan b, std::size_t off, std::int32_t v)
{
    PutU32(b, off, std::uint32_t(v));
}
inline void PutF32(MutableByteSpan b, std::size_t off, float v)
{
    PutU32(b, off, std::bit_cast<std::uint32_t>(v));
}
inline void PutF64(MutableByteSpan b, std::size_t off, double v)
{
    PutU64(b, off, std::bit_cast<std::uint64_t>(v));
}

template <std::size_t N> void GetBytes(ByteSpan b, std::size_t off, std::array<std::uint8_t, N>& out)
{
    std::memcpy(out.data(), b.data() + off, N);
}
template <std::size_t N> void PutBytes(MutableByteSpan b, std::size_t off, const std::array<std::uint8_t, N>& in)
{
    std::memcpy(b.data() + off, in.data(), N);
}

} // namespace le

// Sequential, bounds-checked reading of a whole file image. A read past the end
// fails (returns false) and leaves the cursor where it was; nothing is ever read
// outside the span.
class ByteReader {
public:
    explicit ByteReader(ByteSpan data) : m_data(data) {}

    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

    bool Read(MutableByteSpan out)
    {
        if (out.size() > Remaining())
            return false;
        if (!out.empty())
            std::memcpy(out.data(), m_data.data() + m_pos, out.size());
        m_pos += out.size();
        return true;
    }
    // A view of the next n bytes, advancing past them; empty optional-like failure via ok.
    bool Take(std::size_t n, ByteSpan& out)
    {
        if (n > Remaining())
            return false;
        out = m_data.subspan(m_pos, n);
        m_pos += n;
        return true;
    }
    bool Skip(std::size_t n)
    {
        if (n > Remaining())
            return false;
        m_pos += n;
        return true;
    }
    bool ReadI32(std::int32_t& v)
    {
        ByteSpan s;
        if (!Take(4, s))
            return false;
        v = le::GetI32(s, 0);
        return true;
    }
    bool ReadU8(std::uint8_t& v)
    {
        ByteSpan s;
        if (!Take(1, s))
            return false;
        v = s[0];
        return true;
    }
    // Big-endian forms, for the "Original" photometric format.
    bool ReadBeI16(std::int16_t& v)
    {
        ByteSpan s;
        if (!Take(2, s))
            return false;
        v = std::int16_t(std::uint16_t(s[0] << 8 | s[1]));
        return true;
    }
    bool ReadBeF64(double& v)
    {
        ByteSpan s;
        if (!Take(8, s))
            return false;
        std::uint64_t u = 0;
        for (int i = 0; i < 8; ++i)
            u = u << 8 | s[i];
        v = std::bit_cast<double>(u);
        return true;
    }

private:
    ByteSpan m_data;
    std::size_t m_pos = 0;
};

// Appending writer for whole file images.
class ByteWriter {
public:
    void Append(ByteSpan b) { m_out.insert(m_out.end(), b.begin(), b.end()); }
    void AppendU8(std::uint8_t v) { m_out.push_back(v); }
    void AppendI32(std::int32_t v)
    {
        std::array<std::uint8_t, 4> b{};
        le::PutI32(b, 0, v);
        Append(b);
    }
    void AppendText(std::string_view s) { m_out.insert(m_out.end(), s.begin(), s.end()); }
    const Bytes& Data() const { return m_out; }
    Bytes Take() { return std::move(m_out); }

private:
    Bytes m_out;
};

} // namespace lumivar
