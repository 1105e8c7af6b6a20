#pragma once
// The lumen method: how many luminaires of one reference give a required average
// illuminance on the working plane, from the room index, the reference's
// intensity table and a four-surface flux exchange in a standard room.

#include "base/Result.h"
#include "photometry/RefLuminaria.h"
#include "project/DadosProjecto.h"

#include <array>

namespace lumivar {

// The illuminance levels (lux) of LumenResult::Counts, in order.
inline constexpr std::array<int, 9> kLumenLevels = {100, 200, 300, 400, 500, 600, 750, 1000, 1500};

struct LumenResult {
    double RoomIndex = 0; // K of the working area
    double UtilisationFactor = 0; // percent, at most 100
    int Count = 0; // for the project's required Illuminance
    std::array<int, 9> Counts{}; // for kLumenLevels
};

// Refuses, with the reason, a working area or reflectances that make no sense, a
// maintenance factor of 0, a reference without flux or without intensity in the
// C180/C270 planes, a room index too large for the standard room, and a zero
// utilisation factor. A zero room index gives zero counts.
Result<LumenResult> LumenMethod(const TDadosProjecto& project, const TDadosLuminaria& data,
                                const IntensityTable& intensities);

// Utilisation factor (percent, at most 100) of a room of sideX x sideY with the
// working plane at height 0, the luminaires at lowerHeight and the ceiling at
// ceilingHeight (upperHeight above the luminaires); the luminaire sends up flux up
// and down flux down, of which the fraction directRatio of the whole reaches the
// working plane directly. Reflectances from the project. Fails when the exchange
// has no solution.
Result<double> CavityUtilisation(const TDadosProjecto& project, double lowerHeight, double ceilingHeight,
                                 double upperHeight, double sideX, double sideY, double directRatio, double up,
                                 double down);

} // namespace lumivar
