#pragma once
// One luminaire type of a project: description, intensity table (cd/klm), UGR
// table, cost figures and the number of placed luminaires that use it.

#include "photometry/CustosLuminaria.h"
#include "photometry/DadosLuminaria.h"

#include <array>
#include <cstdint>

namespace lumivar {

constexpr int kGammaRows = 37; // gamma 0..180 every 5 degrees, 0 = straight down
constexpr int kCPlanes = 24; // C 0..345 every 15 degrees
constexpr int kUgrRows = 19;
constexpr int kUgrColumns = 10;

using IntensityTable = std::array<std::array<double, kCPlanes>, kGammaRows>; // [gamma row][C column]
using UgrTable = std::array<std::array<float, kUgrColumns>, kUgrRows>;

constexpr std::size_t kIntensityBytes = kGammaRows * kCPlanes * 8; // 7104
constexpr std::size_t kUgrBytes = kUgrRows * kUgrColumns * 4; // 760

void DecodeIntensities(ByteSpan image, IntensityTable& out); // image.size() >= 7104
void EncodeIntensities(const IntensityTable& in, MutableByteSpan image);
void DecodeUgr(ByteSpan image, UgrTable& out); // image.size() >= 760
void EncodeUgr(const UgrTable& in, MutableByteSpan image);

class TRefLuminaria {
public:
    TDadosLuminaria Data;
    IntensityTable Intensities{};
    std::int32_t GammaCount = 0;
    std::int32_t CPlaneCount = 0;
    UgrTable UGRTable{};
    TCustosLuminaria Costs;
    std::int32_t Quantity = 0; // placed luminaires using this reference; not saved

    // All fields zero.
    void Create() { *this = TRefLuminaria{}; }
    void SetPhotometry(const TDadosLuminaria& data, const IntensityTable& intensities, const UgrTable& ugr,
                       std::int32_t cPlaneCount, std::int32_t gammaCount);
    void CopyFrom(const TRefLuminaria& other) { *this = other; }
    void AddUse() { ++Quantity; }
    void RemoveUse() { --Quantity; }

    // Sets LampType, and Ballast/Consumption where still 0, of lamp kinds 1..LampKindCount
    // (at most four) from the lamp-base table, as a newly added reference gets them: the
    // ballast becomes the first kind the lamp offers, the consumption that ballast's
    // power. A ballast the lamp does not offer leaves the consumption at 0.
    void SetCostDefaults();

    double Investment() const;
    double AnnualEnergyCost() const;
    double AnnualMaintenanceCost() const;

    friend bool operator==(const TRefLuminaria&, const TRefLuminaria&) = default;
};

// Total lamp flux of a luminaire, lm: kind 0 always counts, kinds 1.. up to LampKindCount - 1.
double TotalFlux(const TDadosLuminaria& data);

} // namespace lumivar
