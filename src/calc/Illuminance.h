#pragma once
// Direct illuminance from the placed luminaires at one point of a room surface.
// Metres, lux; plan coordinates (x along Length, y along Width, z up).

#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"

#include <span>

namespace lumivar {

// A point of a surface in room coordinates, with the weights that describe the
// surface's inward normal: horizontal weight E with normal azimuth G (degrees),
// vertical weight F (1 ceiling, -1 working plane).
struct SurfacePoint {
    double X = 0, Y = 0, Z = 0;
    double E = 0, F = 0, G = 0;
};

// Maps the surface coordinates (A, B) of a surface (0..5) to the room. Any other
// surface number gives the origin with a zero normal.
SurfacePoint SurfacePointAt(const TDadosProjecto& project, int surface, double a, double b);

// The factor every contribution is multiplied by for the project's maintenance
// factor: a value above 1 is a divisor (1.25), a value up to 1 a multiplier (0.8);
// both readings give the same light. Zero, negative or non-finite values give 0.
double MaintenanceScale(double maintenanceFactor);

// Intensity (cd/klm) of a table at the C angle 0..180 and the gamma angle 0..180
// (degrees), interpolated linearly between the 15 degree columns and 5 degree rows.
// Angles outside 0..180 are taken at the nearer edge.
double InterpolateIntensity(const IntensityTable& table, double cAngle, double gamma);

// Lux at the surface point (A, B) from one placed luminaire; 0 when the luminaire
// has no reference.
double LuminaireIlluminance(const TDadosProjecto& project, const TObjectoLuminaria& luminaire, int surface, double a,
                            double b);

// Sum of LuminaireIlluminance over the list, in list order.
double PointIlluminance(const TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires, int surface,
                        double a, double b);

} // namespace lumivar
