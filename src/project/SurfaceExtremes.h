#pragma once
// The stored extremes of a surface sharpened by a finer grid computed for a result view.

#include "project/DadosProjecto.h"

namespace lumivar {

// The least and greatest value of a computed grid with their positions (metres, the
// surface's coordinates as the results store them).
struct GridExtremes {
    double Minimum = 0;
    float MinX = 0, MinY = 0;
    double Maximum = 0;
    float MaxX = 0, MaxY = 0;
};

// Illuminance kinds of a result view.
enum class IlluminanceKind : int { Direct = 0, Indirect = 1, Both = 2 };

// Takes a grid's extremes into the stored direct extremes of surface (0 ceiling .. 5
// working plane): a lower minimum replaces the surface's Minimum with its position
// and, when lower still, OverallMinimum; a higher maximum likewise Maximum and
// OverallMaximum. Values of a direct + indirect grid have the surface's Indirect taken
// off first. The ceiling and grids of indirect values only (one uniform value that
// says nothing about the direct light) change nothing. Returns whether anything was
// replaced.
bool UpdateSurfaceExtremes(TResultadosCalculo& results, int surface, IlluminanceKind kind, const GridExtremes& grid);

} // namespace lumivar
