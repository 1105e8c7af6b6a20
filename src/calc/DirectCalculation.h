#pragma once
// The calculation the project window runs: the direct illuminance on the grids of
// the six room surfaces with their statistics, then the inter-reflection step.

#include "base/Result.h"
#include "calc/CalculationProgress.h"
#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"

#include <span>
#include <vector>

namespace lumivar {

// The calculation grid of a surface: cell centres, B the first coordinate (outer
// loop) and A the second (inner loop), in surface coordinates as PointIlluminance
// takes them (wall heights from the floor, working-plane points shifted by the
// margin), each rounded to a 32-bit float.
struct SurfaceGrid {
    std::vector<double> A;
    std::vector<double> B;
};
SurfaceGrid CalculationGrid(const TDadosProjecto& project, int surface);

// Average, minimum and maximum with their positions (MinX/MaxX = B, MinY/MaxY = A)
// of values laid out as the grid evaluator writes them (B outer, A inner). The
// first point sets both extremes; a later point replaces the minimum when below
// it, otherwise the maximum when above it; ties keep the earlier point. Indirect
// is left as it was.
void SurfaceStatistics(const SurfaceGrid& grid, std::span<const double> values, TResultadoSuperficie& out);

// The order in which the surfaces are computed.
inline constexpr int kCalculationOrder[6] = {WallA, WallB, WallC, WallD, WorkPlane, Ceiling};

struct CalculationOptions {
    bool Plain = false; // one point after the other with PointIlluminance
    int Threads = 0; // 0: one per core
    CalculationProgress* Progress = nullptr; // not owned; may be null
};

// Fills the direct part of every surface's results, OverallMinimum and
// OverallMaximum (walls and working plane only), and sets DirectDone. Refuses,
// leaving the project untouched, a project CheckCalculationInputs refuses, and
// stops the same way when cancelled.
Status DirectCalculation(TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires,
                         const CalculationOptions& options = {});

// From the direct averages: the uniform Indirect of every surface, MaxIndirect
// (walls and working plane), and IndirectDone. Refuses, leaving the project
// untouched, a room without extent, reflectances above 100 %, missing direct
// results and an exchange without solution (a lossless room).
Status InterReflection(TDadosProjecto& project);

// DirectCalculation and then InterReflection, as the project window runs them.
// On failure of the second step the direct results stay stored.
Status CalculateIlluminances(TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires,
                             const CalculationOptions& options = {});

} // namespace lumivar
