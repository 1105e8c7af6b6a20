#include "calc/Illuminance.h"

#include <cmath>
#include <numbers>

namespace lumivar {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// Straight line through (x1, y1) and (x2, y2) read at x; y2 when the two abscissae meet.
double Interpolate(double x1, double y1, double x2, double y2, double x)
{
    if (x1 == x2) {
        return y2;
    }
    return y2 - (x2 - x) * (y2 - y1) / (x2 - x1);
}

} // namespace

SurfacePoint SurfacePointAt(const TDadosProjecto& project, int surface, double a, double b)
{
    const double length = project.Length;
    const double width = project.Width;
    switch (surface) {
    case Ceiling:
        return {b, a, project.Height, 0, 1, 0};
    case WallA:
        return {0, b, a, 1, 0, 0};
    case WallB:
        return {b, width, a, 1, 0, 270};
    case WallC:
        return {length, b, a, 1, 0, 180};
    case WallD:
        return {b, 0, a, 1, 0, 90};
    case WorkPlane:
        return {b, a, project.WorkPlaneHeight, 0, -1, 0};
    default:
        return {};
    }
}

double MaintenanceScale(double maintenanceFactor)
{
    if (!std::isfinite(maintenanceFactor) || maintenanceFactor <= 0) {
        return 0;
    }
    return maintenanceFactor > 1 ? 1 / maintenanceFactor : maintenanceFactor;
}

double InterpolateIntensity(const IntensityTable& table, double cAngle, double gamma)
{
    // Angles outside 0..180 (or NaN, from a non-finite position) are held at the
    // table's edges, so the table is never read out of bounds.
    gamma = gamma > 0 ? (gamma < 180 ? gamma : 180) : 0;
    cAngle = cAngle > 0 ? (cAngle < 180 ? cAngle : 180) : 0;
    const int row = static_cast<int>(gamma / 5);
    int upperRow = gamma - 5.0 * row < 1e-6 ? row : row + 1;
    if (upperRow > kGammaRows - 1) {
        upperRow = kGammaRows - 1;
    }
    const int column = static_cast<int>(cAngle / 15);
    const int upperColumn = cAngle - 15.0 * column < 1e-6 ? column : column + 1;

    const double lower = Interpolate(5.0 * row, table[row][column], 5.0 * upperRow, table[upperRow][column], gamma);
    const double upper =
        Interpolate(5.0 * row, table[row][upperColumn], 5.0 * upperRow, table[upperRow][upperColumn], gamma);
    return Interpolate(15.0 * column, lower, 15.0 * upperColumn, upper, cAngle);
}

double LuminaireIlluminance(const TDadosProjecto& project, const TObjectoLuminaria& luminaire, int surface, double a,
                            double b)
{
    const TRefLuminaria* ref = luminaire.Ref;
    if (ref == nullptr) {
        return 0;
    }
    const SurfacePoint p = SurfacePointAt(project, surface, a, b);

    // Offsets from the light centre, which lies CentreOffset millimetres below the mounting point.
    const double centreZ = static_cast<double>(luminaire.Z) - ref->Data.CentreOffset / 1000.0;
    double dx = p.X - luminaire.X;
    double dy = p.Y - luminaire.Y;
    double dz = p.Z - centreZ;
    if (dz == 0) {
        dz = 0.01;
    }

    // The luminaire's own axes.
    const double theta = luminaire.Angle * kDegToRad;
    const double c = std::cos(theta);
    double s = std::sin(theta);
    if (c == s) {
        s -= 1e-6;
    }
    const double u = c * dx + s * dy;
    const double v = -s * dx + c * dy;
    const double w = dz;

    double gamma = 90;
    if (std::fabs(w) >= 1e-10) {
        const double gamma0 = std::atan(std::sqrt(u * u + v * v) / w) * kRadToDeg;
        gamma = w > 0 ? 180 - gamma0 : -gamma0;
    }

    // C is measured from the luminaire's -v axis towards |u|, folded into 0..180.
    double cAngle = 90;
    if (std::fabs(v) >= 1e-10) {
        if (u == 0 && v > 0) {
            cAngle = 180; // straight along +v: the C180 half-plane, not C0
        } else {
            const double c0 = std::atan(u / v) * kRadToDeg;
            if (u > 0) {
                cAngle = 180 - c0;
            } else if (u < 0 && v > 0) {
                cAngle = c0 + 360;
            } else {
                cAngle = c0;
            }
            if (cAngle >= 180) {
                cAngle -= 180;
            }
        }
    }

    // Distance and the cosine of incidence on the surface.
    if (std::fabs(dx) < 1e-4) {
        dx = 0;
    }
    if (std::fabs(dy) < 1e-4) {
        dy = 0;
    }
    if (std::fabs(dz) < 1e-4) {
        dz = 0;
    }
    double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    double m = 1;
    double l = 1;
    if (d < 1e-10) {
        d = 1;
    } else {
        m = std::sqrt(dx * dx + dy * dy) / d;
        l = dz / d;
    }
    double t = 0;
    if (dx != 0) {
        t = std::atan(dy / dx) * kRadToDeg;
        if (dx < 0) {
            t += 180;
        }
        if (t < 0) {
            t += 360;
        }
    } else if (dy > 0) {
        t = 90;
    } else if (dy < 0) {
        t = 270;
    }
    double k = std::cos((t + 180 - p.G) * kDegToRad) * m * p.E + l * p.F;
    if (k <= 0) {
        return 0;
    }

    const double intensity = InterpolateIntensity(ref->Intensities, cAngle, gamma);
    const double value = k * (TotalFlux(ref->Data) * intensity / 1000) / (d * d);
    const double mf = project.MaintenanceFactor;
    if (mf > 1) {
        return value / mf;
    }
    return value * MaintenanceScale(mf);
}

double PointIlluminance(const TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires, int surface,
                        double a, double b)
{
    double sum = 0;
    for (const TObjectoLuminaria& luminaire : luminaires) {
        sum += LuminaireIlluminance(project, luminaire, surface, a, b);
    }
    return sum;
}

} // namespace lumivar
