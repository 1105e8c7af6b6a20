#pragma once
// The description record of a luminaire reference: 2264 bytes as stored in
// ".BDB" 3.1 files and in project files. Lengths in millimetres, flux in lumen,
// power in watt, efficiency in percent.

#include "base/ByteCodec.h"
#include "base/ShortString.h"

#include <array>
#include <cstdint>

namespace lumivar {

constexpr int kMaxLampKinds = 4;

struct TDadosLuminaria {
    static constexpr std::size_t Size = 2264;

    ShortString<40> Reference; // 0
    std::array<std::uint8_t, 3> Pad41{}; // 41
    std::int32_t AuxValue = 0; // 44: carried, never interpreted
    std::int32_t PhotometryKind = 0; // 48: 3 = upper half only
    ShortString<250> Description; // 52
    std::array<std::uint8_t, 1> Pad303{}; // 303
    std::int32_t LampKindCount = 0; // 304
    std::array<ShortString<5>, 4> LampCode; // 308
    std::array<ShortString<40>, 4> LampName; // 332
    ShortString<250> Description2; // 496
    ShortString<40> Note1; // 747
    ShortString<20> Note2; // 788
    std::array<ShortString<250>, 4> Characteristics; // 809
    std::array<ShortString<40>, 4> LampBase; // 1813
    std::array<ShortString<40>, 4> Notes; // 1977
    std::array<std::uint8_t, 3> Pad2141{}; // 2141
    std::array<double, 4> LampFlux{}; // 2144: lm per lamp
    std::array<double, 4> AuxReals{}; // 2176: carried
    std::int32_t CentreOffset = 0; // 2208: mm below mounting height
    std::int32_t LengthC = 0; // 2212
    std::int32_t WidthL = 0; // 2216
    std::int32_t HeightA = 0; // 2220
    std::int32_t DiameterD = 0; // 2224: 0 for rectangular
    std::array<std::int32_t, 4> LampCount{}; // 2228
    std::array<std::int32_t, 4> LampPower{}; // 2244: W per lamp
    float Efficiency = 0; // 2260: percent

    // Number of lamp kinds the per-kind loops may visit: LampKindCount limited to 0..4.
    int KindsInUse() const;

    void Decode(ByteSpan image); // image.size() >= Size
    void Encode(MutableByteSpan image) const;
    friend bool operator==(const TDadosLuminaria&, const TDadosLuminaria&) = default;
};

} // namespace lumivar
