#include "calc/Illuminance.h"
#include "calc/CalcFixtures.h"
#include "calc/CalculationInputs.h"
#include "calc/DirectCalculation.h"
#include "calc/GridEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lumivar {
namespace {

using testing::Place;
using testing::TestRoom;
using testing::UniformReference;

TEST(CalcIlluminance, SingleLuminaireAboveAPointAndTheMaintenanceFactor)
{
    // 1000 lm, 1000 cd/klm everywhere, 2 m above a working-plane point: 1000 / 2^2.
    auto ref = UniformReference();
    struct Case {
        float Factor;
        double Lux;
    };
    for (const Case& c : {Case{1.0f, 250.0}, Case{1.25f, 200.0}, Case{0.8f, 200.0}, Case{0.5f, 125.0}}) {
        TDadosProjecto p = TestRoom();
        p.WorkPlaneHeight = 0.75f;
        p.MaintenanceFactor = c.Factor;
        const std::vector<TObjectoLuminaria> lums = {Place(*ref, 4, 3, 2.75f)};
        // 0.8 is stored as a 32-bit float, a little above 0.8.
        const double tolerance = c.Lux * 1e-7;
        EXPECT_NEAR(PointIlluminance(p, lums, WorkPlane, 3, 4), c.Lux, tolerance) << c.Factor;
        // The ceiling 0.25 m above it.
        EXPECT_NEAR(PointIlluminance(p, lums, Ceiling, 3, 4), c.Lux * 64, tolerance * 64) << c.Factor;
    }
}

TEST(CalcIlluminance, LightCentreOffsetAndPointsAtItsHeight)
{
    auto ref = UniformReference();
    ref->Data.CentreOffset = 500; // light centre 0.5 m below the mounting point
    TDadosProjecto p = TestRoom();
    p.WorkPlaneHeight = 0.75f;
    const std::vector<TObjectoLuminaria> lums = {Place(*ref, 5, 3, 2.5f)};
    // Centre at 2.0 m: 1.25 m above the working plane.
    EXPECT_NEAR(PointIlluminance(p, lums, WorkPlane, 3, 5), 640, 1e-9);
    // A wall point at the centre's height is taken 1 cm above it: dz = 0.01, horizontal distance 5 m.
    const double dz = 0.01;
    const double d2 = 25 + dz * dz;
    EXPECT_NEAR(PointIlluminance(p, lums, WallA, 2.0, 3), 5 / std::sqrt(d2) * 1000 / d2, 1e-9);
}

TEST(CalcIlluminance, IncidenceOnEachSurface)
{
    // A luminaire in the middle of the room lights every surface; surfaces facing away get nothing.
    auto ref = UniformReference();
    TDadosProjecto p = TestRoom();
    const std::vector<TObjectoLuminaria> lums = {Place(*ref, 5, 3, 2)};
    struct Case {
        int Surface;
        double A, B;
        double Lux;
    };
    const Case cases[] = {
        {Ceiling, 3, 5, 1000.0}, // 1 m below, facing down
        {WorkPlane, 3, 5, 1000 / (1.2 * 1.2)}, // 1.2 m above
        {WallA, 2, 3, 1000 / 25.0}, // 5 m away horizontally, at its height + 1 cm
        {WallC, 2, 3, 1000 / 25.0},
        {WallB, 2, 5, 1000 / 9.0}, // 3 m away
        {WallD, 2, 5, 1000 / 9.0},
        {7, 2, 5, 0.0}, // not a surface
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(PointIlluminance(p, lums, c.Surface, c.A, c.B), c.Lux, c.Lux * 1e-4 + 1e-12) << c.Surface;
    }
    // The working plane seen from a luminaire below it gets nothing.
    const std::vector<TObjectoLuminaria> low = {Place(*ref, 5, 3, 0.5f)};
    EXPECT_EQ(PointIlluminance(p, low, WorkPlane, 3, 5), 0.0);
}

TEST(CalcIlluminance, AsymmetricTableReadsTheRightHalfPlane)
{
    // Intensity 100 in the C0 half-plane and 900 in C180, linear between; a point straight along the
    // luminaire's +v axis (u exactly 0) lies in C180, one along -v in C0.
    auto ref = UniformReference();
    for (auto& row : ref->Intensities) {
        for (int c = 0; c < kCPlanes; ++c) {
            const int fromZero = c <= 12 ? c : 24 - c;
            row[c] = 100 + 800 * fromZero / 12.0;
        }
    }
    TDadosProjecto p = TestRoom();
    p.WorkPlaneHeight = 0.75f;
    const std::vector<TObjectoLuminaria> lums = {Place(*ref, 5, 3, 2.75f)};
    const double horizontal = 1.0;
    const double d2 = 4 + horizontal * horizontal;
    const double cosine = 2 / std::sqrt(d2);
    // Angle 0: v runs along +y.
    EXPECT_NEAR(PointIlluminance(p, lums, WorkPlane, 4, 5), cosine * 900 / d2, 1e-9);
    EXPECT_NEAR(PointIlluminance(p, lums, WorkPlane, 2, 5), cosine * 100 / d2, 1e-9);
    // Along +u the C90 plane: halfway.
    EXPECT_NEAR(PointIlluminance(p, lums, WorkPlane, 3, 6), cosine * 500 / d2, 1e-9);
    // Points just beside the +v axis read almost the C180 value from either side.
    EXPECT_NEAR(PointIlluminance(p, lums, WorkPlane, 4, 5.0001), cosine * 900 / d2, 0.01);
    EXPECT_NEAR(PointIlluminance(p, lums, WorkPlane, 4, 4.9999), cosine * 900 / d2, 0.01);
}

TEST(CalcIlluminance, NonFinitePositionsNeverReadOutsideTheTable)
{
    // The calculation refuses such a project; a view asking for a point anyway must
    // not read outside the intensity table (the sanitizer build checks that).
    auto ref = UniformReference();
    const TDadosProjecto p = TestRoom();
    for (float bad : {NAN, INFINITY, -INFINITY}) {
        const std::vector<TObjectoLuminaria> lums = {Place(*ref, bad, 3, 2.75f), Place(*ref, 4, 3, bad)};
        for (int surface = 0; surface < 6; ++surface) {
            (void)PointIlluminance(p, lums, surface, 1.5, 2.5);
        }
        const GridEvaluator evaluator(p, lums);
        const SurfaceGrid grid = CalculationGrid(p, WorkPlane);
        std::vector<double> values(grid.A.size() * grid.B.size());
        const GridRequest request{WorkPlane, grid.A, grid.B, values};
        EXPECT_TRUE(evaluator.Evaluate({&request, 1}));
    }
    EXPECT_EQ(InterpolateIntensity(ref->Intensities, NAN, 200), 1000);
}

TEST(CalcGrid, CellCentresOnWallsAndWithMargin)
{
    TDadosProjecto p = TestRoom();
    p.GridDivisions = {10, 5, 3, 2, 4, 3};
    SurfaceGrid wall = CalculationGrid(p, WallB);
    EXPECT_NEAR(wall.A[0], 1.35, 1e-6);
    EXPECT_NEAR(wall.A[1], 2.45, 1e-6);
    ASSERT_EQ(wall.B.size(), 3u);
    EXPECT_NEAR(wall.B[0], 10.0 / 6, 1e-6);

    p.Margin = 0.5f;
    SurfaceGrid plane = CalculationGrid(p, WorkPlane);
    ASSERT_EQ(plane.B.size(), 10u);
    ASSERT_EQ(plane.A.size(), 5u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(plane.B[i], 0.95 + 0.9 * i, 1e-6);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(plane.A[i], 1.0 + i, 1e-6);
    }
    // Coordinates are 32-bit floats.
    EXPECT_EQ(plane.B[1], static_cast<double>(static_cast<float>(plane.B[1])));
}

TEST(CalcGrid, StatisticsKeepTheEarlierPointOnTies)
{
    SurfaceGrid grid{{1, 2}, {10, 20, 30}}; // A inner, B outer
    const std::vector<double> values = {5, 3, 9, 3, 9, 1.5}; // (B, A): (10,1)=5 (10,2)=3 (20,1)=9 (20,2)=3 ...
    TResultadoSuperficie s;
    s.Indirect = 7;
    SurfaceStatistics(grid, values, s);
    EXPECT_DOUBLE_EQ(s.Average, 30.5 / 6);
    EXPECT_EQ(s.Minimum, 1.5);
    EXPECT_EQ(s.MinX, 30);
    EXPECT_EQ(s.MinY, 2);
    EXPECT_EQ(s.Maximum, 9);
    EXPECT_EQ(s.MaxX, 20); // the first 9, not the later one
    EXPECT_EQ(s.MaxY, 1);
    EXPECT_EQ(s.Indirect, 7);

    // The first point sets both extremes.
    const std::vector<double> flat = {4, 4, 4, 4, 4, 4};
    SurfaceStatistics(grid, flat, s);
    EXPECT_EQ(s.MinX, 10);
    EXPECT_EQ(s.MaxX, 10);
}

TEST(CalcDirect, OverallMaximumLeavesOutTheCeiling)
{
    // A luminaire just below the ceiling makes the ceiling the brightest surface.
    auto ref = UniformReference();
    TDadosProjecto p = TestRoom();
    const std::vector<TObjectoLuminaria> lums = {Place(*ref, 5, 3, 2.9f)};
    ASSERT_TRUE(DirectCalculation(p, lums));
    const TResultadosCalculo& r = p.Results;
    EXPECT_TRUE(r.DirectDone);
    EXPECT_GT(r.Surfaces[Ceiling].Maximum, r.Surfaces[WorkPlane].Maximum);
    double expected = 0;
    double least = r.Surfaces[0].Minimum;
    for (int s = 1; s < 6; ++s) {
        expected = std::max(expected, r.Surfaces[s].Maximum);
        least = std::min(least, r.Surfaces[s].Minimum);
    }
    EXPECT_EQ(r.OverallMaximum, expected);
    EXPECT_EQ(r.OverallMinimum, least);

    // No luminaires: 0 lux everywhere.
    ASSERT_TRUE(DirectCalculation(p, {}));
    EXPECT_EQ(p.Results.OverallMaximum, 0);
    EXPECT_EQ(p.Results.Surfaces[WorkPlane].Average, 0);
}

TEST(CalcDirect, RefusesWhatCannotBeCalculated)
{
    auto ref = UniformReference();
    auto broken = UniformReference();
    broken->Intensities[3][4] = std::nan("");
    struct Case {
        const char* Name;
        void (*Change)(TDadosProjecto&, std::vector<TObjectoLuminaria>&, const TRefLuminaria&);
    };
    const Case cases[] = {
        {"no height above the working plane", [](TDadosProjecto& p, auto&, auto&) { p.WorkPlaneHeight = p.Height; }},
        {"zero length", [](TDadosProjecto& p, auto&, auto&) { p.Length = 0; }},
        {"negative width", [](TDadosProjecto& p, auto&, auto&) { p.Width = -2; }},
        {"margin eats the plane", [](TDadosProjecto& p, auto&, auto&) { p.Margin = 3; }},
        {"maintenance factor 0", [](TDadosProjecto& p, auto&, auto&) { p.MaintenanceFactor = 0; }},
        {"maintenance factor NaN", [](TDadosProjecto& p, auto&, auto&) { p.MaintenanceFactor = std::nanf(""); }},
        {"zero grid divisions", [](TDadosProjecto& p, auto&, auto&) { p.GridDivisions[3] = 0; }},
        {"luminaire without reference", [](TDadosProjecto&, auto& l, auto&) { l[0].Ref = nullptr; }},
        {"luminaire at infinity", [](TDadosProjecto&, auto& l, auto&) { l[0].X = INFINITY; }},
        {"intensity NaN", [](TDadosProjecto&, auto& l, const TRefLuminaria& b) { l[0].Ref = &b; }},
    };
    for (const Case& c : cases) {
        TDadosProjecto p = TestRoom();
        std::vector<TObjectoLuminaria> lums = {Place(*ref, 5, 3, 2.8f)};
        c.Change(p, lums, *broken);
        const TDadosProjecto before = p;
        const Status status = DirectCalculation(p, lums);
        EXPECT_FALSE(status) << c.Name;
        if (!status) {
            EXPECT_FALSE(status.Message().empty()) << c.Name;
        }
        EXPECT_EQ(p.Results, before.Results) << c.Name;
    }
}

} // namespace
} // namespace lumivar
