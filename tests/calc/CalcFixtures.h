#pragma once
// Rooms and luminaire references built in memory for the calculation tests.

#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"

#include <memory>

namespace lumivar::testing {

// A 10 m x 6 m x 3 m room, working plane at 0.8 m, maintenance factor 1,
// reflectances 50 %, grids 10 x 6 / 8 x 4 / 10 x 6.
inline TDadosProjecto TestRoom()
{
    TDadosProjecto p;
    p.Length = 10;
    p.Width = 6;
    p.Height = 3;
    p.WorkPlaneHeight = 0.8f;
    p.MaintenanceFactor = 1;
    p.Illuminance = 500;
    p.Reflectance = {50, 50, 50, 50, 50, 50};
    p.GridDivisions = {10, 6, 8, 4, 10, 6};
    return p;
}

// A reference with one lamp of the given flux and the same intensity (cd/klm) in
// every direction.
inline std::unique_ptr<TRefLuminaria> UniformReference(double flux = 1000, double intensity = 1000)
{
    auto ref = std::make_unique<TRefLuminaria>();
    ref->Data.LampKindCount = 1;
    ref->Data.LampCount[0] = 1;
    ref->Data.LampFlux[0] = flux;
    ref->Data.Efficiency = 100;
    for (auto& row : ref->Intensities) {
        row.fill(intensity);
    }
    ref->GammaCount = kGammaRows;
    ref->CPlaneCount = kCPlanes;
    return ref;
}

inline TObjectoLuminaria Place(const TRefLuminaria& ref, float x, float y, float z, float angle = 0)
{
    TObjectoLuminaria l;
    l.RefIndex = 0;
    l.Ref = &ref;
    l.X = x;
    l.Y = y;
    l.Z = z;
    l.Angle = angle;
    return l;
}

} // namespace lumivar::testing
