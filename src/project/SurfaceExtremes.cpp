#include "project/SurfaceExtremes.h"

namespace lumivar {

bool UpdateSurfaceExtremes(TResultadosCalculo& results, int surface, IlluminanceKind kind, const GridExtremes& grid)
{
    if (surface <= Ceiling || surface > WorkPlane || kind == IlluminanceKind::Indirect)
        return false;
    TResultadoSuperficie& s = results.Surfaces[std::size_t(surface)];
    const double offset = kind == IlluminanceKind::Both ? s.Indirect : 0.0;
    const double minimum = grid.Minimum - offset;
    const double maximum = grid.Maximum - offset;
    bool changed = false;
    if (minimum < s.Minimum) {
        s.Minimum = minimum;
        s.MinX = grid.MinX;
        s.MinY = grid.MinY;
        changed = true;
    }
    if (minimum < results.OverallMinimum) {
        results.OverallMinimum = minimum;
        changed = true;
    }
    if (maximum > s.Maximum) {
        s.Maximum = maximum;
        s.MaxX = grid.MaxX;
        s.MaxY = grid.MaxY;
        changed = true;
    }
    if (maximum > results.OverallMaximum) {
        results.OverallMaximum = maximum;
        changed = true;
    }
    return changed;
}

} // namespace lumivar
