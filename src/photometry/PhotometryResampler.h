#pragma once
// Brings a measured intensity distribution (any C-plane and gamma angles, one of the
// usual symmetries) onto the reference's fixed table: gamma 0..180 every 5 degrees
// from straight down, C 0..345 every 15 degrees.
//
// C-plane convention: the source's C angles are taken as they stand. Both the IES
// type C files and EULUMDAT files put C0 across a linear luminaire and C90 along its
// length; our calculation looks up C90 along the luminaire's length (plan X at angle
// 0) and C0 towards -Y, so a source's C0 stays our C0 and a long luminaire keeps its
// long axis along the plan symbol's length.

#include "base/Result.h"
#include "photometry/DadosLuminaria.h"
#include "photometry/RefLuminaria.h"

#include <string>
#include <vector>

namespace lumivar {

// Which C planes a source stores and how the rest of the circle follows from them.
enum class CPlaneSymmetry {
    None, // every plane over 0..360 (360 may be left out: it repeats 0)
    Rotational, // one plane stands for all
    AboutC0C180, // I(C) = I(360 - C)
    AboutC90C270, // I(C) = I(180 - C)
    BothPlanes, // both mirrors: one quadrant stands for all four
};

struct SourceDistribution {
    CPlaneSymmetry Symmetry = CPlaneSymmetry::None;
    std::vector<double> CAngles; // degrees, one per stored plane, any order, each in -360..360
    std::vector<double> GammaAngles; // degrees from straight down, strictly increasing, within 0..180
    std::vector<double> Values; // [plane * GammaAngles.size() + gamma]; unit kept as given
};

// Intensities larger than this (cd/klm) are cut to it: no indoor luminaire comes near
// it, and values beyond it would only come from a damaged or mis-scaled file.
constexpr double kMaxIntensity = 1.0e7;

// The source on our grid: exact copies where the source has the target angle, linear
// interpolation between source angles otherwise (across the C0/C360 seam too), 0
// outside the measured gamma range, and one value per pole (the planes' mean) at
// gamma 0 and 180. The unit of the values is kept. Fails on an inconsistent source.
Result<IntensityTable> ResampleToTable(const SourceDistribution& source);

// Luminous flux of a table, in lumen per unit of the values (cd gives lm; cd/klm
// gives lm per 1000 lm). Exact for the calculation's interpolation: linear in gamma
// between rows and linear in C between columns.
double TableFlux(const IntensityTable& table);

// Flux of a source distribution on its own angles, with the same rule.
Result<double> SourceFlux(const SourceDistribution& source);

// Cuts negative values to 0 and values above kMaxIntensity to it; returns how many
// cells changed.
int ClipIntensities(IntensityTable& table);

// True when every row reads the same in each C column and the one 180 degrees away,
// within a relative tolerance: the front and back of the luminaire match.
bool FrontBackSymmetric(const IntensityTable& table, double relativeTolerance = 1e-6);

// Last step of the readers of makers' files: clips the table (a note says how many
// values were cut) and writes the reader's notes (UTF-8) into Characteristics[3],
// starting with "Feixe assimétrico" when the front and back of the distribution differ,
// which also keeps the table from being made front/back symmetric later.
void FinishImportedTable(IntensityTable& table, TDadosLuminaria& data, std::vector<std::string> notes);

} // namespace lumivar
