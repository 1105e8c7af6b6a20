#pragma once
// Interpolating uniform cubic B-spline through a sequence of world points: the curve
// passes through every point, both ends included, and is evaluated by a parameter t
// from 0 (first point) to 1 (last point), the points at equal parameter steps. The
// polar diagram smooths its measured intensities with it.

#include "graphics/WorldMapping.h"

#include <span>
#include <vector>

namespace lumivar {

class BSpline {
public:
    BSpline() = default;
    // Fits the curve through the points; natural ends (no bending at the first and last
    // point). No points give an empty curve, one point a curve that stays there.
    explicit BSpline(std::span<const TPontoMundo> points);

    bool Empty() const { return m_control.empty(); }
    // The point at t (0..1, clamped); the origin for an empty curve.
    TPontoMundo At(double t) const;
    // The curve at t = i / (out.size() − 1) for every i; a single slot gets t = 0.
    void Sample(std::span<TPontoMundo> out) const;

private:
    struct Vec {
        double X = 0;
        double Y = 0;
    };
    // De Boor points C(-1)..C(n): one more on each side than the points fitted.
    std::vector<Vec> m_control;
};

} // namespace lumivar
