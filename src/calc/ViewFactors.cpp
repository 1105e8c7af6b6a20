#include "calc/ViewFactors.h"

#include <cmath>
#include <numbers>

namespace lumivar {

double ParallelViewFactor(double distance, double sideA, double sideB)
{
    const double x = sideA / distance;
    const double y = sideB / distance;
    const double x2 = x * x;
    const double y2 = y * y;
    const double sum = 0.5 * std::log((1 + x2) * (1 + y2) / (1 + x2 + y2)) +
                       x * std::sqrt(1 + y2) * std::atan(x / std::sqrt(1 + y2)) +
                       y * std::sqrt(1 + x2) * std::atan(y / std::sqrt(1 + x2)) - x * std::atan(x) - y * std::atan(y);
    return 2 / (std::numbers::pi * x * y) * sum;
}

double PerpendicularViewFactor(double edge, double emitterDepth, double receiverDepth)
{
    const double w = emitterDepth / edge;
    const double h = receiverDepth / edge;
    const double w2 = w * w;
    const double h2 = h * h;
    const double diagonal = std::sqrt(h2 + w2);
    const double logs = w2 * std::log(w2 * (1 + w2 + h2) / ((1 + w2) * (w2 + h2))) +
                        h2 * std::log(h2 * (1 + w2 + h2) / ((1 + h2) * (w2 + h2))) +
                        std::log((1 + w2) * (1 + h2) / (1 + w2 + h2));
    const double sum = w * std::atan(1 / w) + h * std::atan(1 / h) - diagonal * std::atan(1 / diagonal) + 0.25 * logs;
    return sum / (std::numbers::pi * w);
}

SquareMatrix<6> RoomViewFactors(double length, double width, double height)
{
    SquareMatrix<6> f{};
    const double ceilingPlane = ParallelViewFactor(height, length, width);
    const double wallsAC = ParallelViewFactor(length, height, width);
    const double wallsBD = ParallelViewFactor(width, length, height);
    const double horizontalToAC = PerpendicularViewFactor(width, length, height);
    const double horizontalToBD = PerpendicularViewFactor(length, width, height);
    const double bdToAC = PerpendicularViewFactor(height, length, width);
    // The reverse directions by reciprocity (F_ji = F_ij * area_i / area_j).
    const double acToHorizontal = horizontalToAC * length / height;
    const double bdToHorizontal = horizontalToBD * width / height;
    const double acToBD = bdToAC * length / width;

    f[Ceiling][WorkPlane] = f[WorkPlane][Ceiling] = ceilingPlane;
    f[WallA][WallC] = f[WallC][WallA] = wallsAC;
    f[WallB][WallD] = f[WallD][WallB] = wallsBD;
    for (int horizontal : {Ceiling, WorkPlane}) {
        for (int wall : {WallA, WallC}) {
            f[horizontal][wall] = horizontalToAC;
            f[wall][horizontal] = acToHorizontal;
        }
        for (int wall : {WallB, WallD}) {
            f[horizontal][wall] = horizontalToBD;
            f[wall][horizontal] = bdToHorizontal;
        }
    }
    for (int bd : {WallB, WallD}) {
        for (int ac : {WallA, WallC}) {
            f[bd][ac] = bdToAC;
            f[ac][bd] = acToBD;
        }
    }
    return f;
}

} // namespace lumivar
