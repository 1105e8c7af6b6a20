#pragma once
// Page layout, header and footer of a project's reports: 1096 bytes, also the file image.

#include "base/ByteCodec.h"
#include "base/ShortString.h"

#include <array>
#include <cstdint>

namespace lumivar {

struct TPaginaRelatorio {
    static constexpr std::size_t Size = 1096;

    std::uint8_t MeasureUnit = 0; // 0: non-zero millimetres, 0 inches
    std::uint8_t Orientation = 0; // 1: 0 portrait, 1 landscape
    std::uint8_t PageBorders = 0; // 2: bit set
    std::array<std::uint8_t, 5> Pad3{};
    double MarginTop = 0; // 8
    double MarginBottom = 0; // 16
    double MarginLeft = 0; // 24
    double MarginRight = 0; // 32
    ShortString<128> HeaderFontName; // 40
    std::array<std::uint8_t, 3> Pad169{};
    std::int32_t HeaderFontSize = 0; // 172
    std::int32_t HeaderFontColour = 0; // 176
    std::uint8_t HeaderFontStyle = 0; // 180: bold, italic, underline, strike-out
    ShortString<128> HeaderFormat; // 181
    ShortString<255> HeaderText; // 310
    std::array<std::uint8_t, 2> Pad566{};
    ShortString<128> FooterFontName; // 568
    std::array<std::uint8_t, 3> Pad697{};
    std::int32_t FooterFontSize = 0; // 700
    std::int32_t FooterFontColour = 0; // 704
    std::uint8_t FooterFontStyle = 0; // 708
    ShortString<128> FooterFormat; // 709
    ShortString<255> FooterText; // 838
    std::array<std::uint8_t, 2> Pad1094{};

    void Decode(ByteSpan image);
    void Encode(MutableByteSpan image) const;
    friend bool operator==(const TPaginaRelatorio&, const TPaginaRelatorio&) = default;
};

} // namespace lumivar
