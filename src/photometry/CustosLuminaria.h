#pragma once
// Operating and cost figures of a luminaire reference: 80 bytes as stored.

#include "base/ByteCodec.h"

#include <array>
#include <cstdint>

namespace lumivar {

struct TCustosLuminaria {
    static constexpr std::size_t Size = 80;

    std::array<std::uint8_t, 4> Ballast{}; // 0: 0 conventional, 1 electronic, 2 dimmable
    std::array<std::uint8_t, 4> LampType{}; // 4: see LampTypeName
    std::array<float, 4> Consumption{}; // 8: W of all lamps of the kind with ballast
    float LuminairePrice = 0; // 24
    std::array<float, 4> LampPrice{}; // 28
    float InstallCost = 0; // 44
    float EnergyPrice = 0; // 48: per kWh
    std::array<float, 4> LampLife{}; // 52: h
    float AnnualUse = 0; // 68: h per year
    float CleaningCost = 0; // 72
    float ReplacementCost = 0; // 76

    void Decode(ByteSpan image); // image.size() >= Size
    void Encode(MutableByteSpan image) const;
    friend bool operator==(const TCustosLuminaria&, const TCustosLuminaria&) = default;
};

} // namespace lumivar
