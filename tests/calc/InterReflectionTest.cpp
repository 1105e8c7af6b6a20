#include "calc/CalcFixtures.h"
#include "calc/DirectCalculation.h"
#include "calc/ViewFactors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumivar {
namespace {

using testing::TestRoom;

double Area(int surface, double length, double width, double height)
{
    switch (surface) {
    case Ceiling:
    case WorkPlane:
        return length * width;
    case WallA:
    case WallC:
        return width * height;
    default:
        return length * height;
    }
}

TEST(CalcViewFactors, SumToOneAndReciprocal)
{
    struct Room {
        double Length, Width, Height;
    };
    for (const Room& r : {Room{10, 6, 2.2}, Room{3, 3, 3}, Room{40, 2, 5}, Room{1.5, 20, 0.4}}) {
        const SquareMatrix<6> f = RoomViewFactors(r.Length, r.Width, r.Height);
        for (int i = 0; i < 6; ++i) {
            double sum = 0;
            for (int j = 0; j < 6; ++j) {
                sum += f[i][j];
                EXPECT_GE(f[i][j], 0);
                EXPECT_NEAR(Area(i, r.Length, r.Width, r.Height) * f[i][j],
                            Area(j, r.Length, r.Width, r.Height) * f[j][i], 1e-9 * r.Length * r.Width)
                    << i << "," << j;
            }
            EXPECT_EQ(f[i][i], 0);
            EXPECT_NEAR(sum, 1, 1e-9) << "surface " << i << " of " << r.Length << "x" << r.Width;
        }
    }
}

TEST(CalcViewFactors, CubeFactorsAreAboutOneFifth)
{
    const SquareMatrix<6> f = RoomViewFactors(2, 2, 2);
    const double opposite = f[Ceiling][WorkPlane];
    const double adjacent = f[Ceiling][WallA];
    EXPECT_NEAR(opposite, 0.19982, 1e-5);
    EXPECT_NEAR(adjacent, 0.20005, 1e-5);
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 6; ++j) {
            if (i != j) {
                EXPECT_NEAR(f[i][j], 0.2, 2.5e-4);
            }
        }
    }
    EXPECT_NEAR(f[WallA][WallC], opposite, 1e-12);
    EXPECT_NEAR(f[WallB][WallA], adjacent, 1e-12);
}

// A project whose direct averages are given, ready for the inter-reflection step.
TDadosProjecto WithAverages(std::uint8_t reflectance)
{
    TDadosProjecto p = TestRoom();
    p.Reflectance.fill(reflectance);
    const double averages[6] = {40, 120, 80, 95, 60, 450};
    for (int s = 0; s < 6; ++s) {
        p.Results.Surfaces[s].Average = averages[s];
    }
    p.Results.DirectDone = 1;
    return p;
}

TEST(CalcInterReflection, EqualReflectancesMultiplyTheDirectFlux)
{
    // With every reflectance rho the indirect flux is rho / (1 - rho) times the direct flux.
    for (int percent : {0, 20, 50, 85}) {
        TDadosProjecto p = WithAverages(static_cast<std::uint8_t>(percent));
        ASSERT_TRUE(InterReflection(p));
        const double upper = p.Height - p.WorkPlaneHeight;
        double direct = 0;
        double indirect = 0;
        for (int s = 0; s < 6; ++s) {
            const double area = Area(s, p.Length, p.Width, upper);
            direct += p.Results.Surfaces[s].Average * area;
            indirect += p.Results.Surfaces[s].Indirect * area;
            if (percent == 0) {
                EXPECT_EQ(p.Results.Surfaces[s].Indirect, 0);
            }
        }
        const double rho = percent / 100.0;
        EXPECT_NEAR(indirect, rho / (1 - rho) * direct, 1e-7 * direct) << percent;
        EXPECT_TRUE(p.Results.IndirectDone);
    }
}

TEST(CalcInterReflection, MaxIndirectLeavesOutTheCeiling)
{
    TDadosProjecto p = WithAverages(50);
    p.Reflectance[5] = 90; // a bright floor lights the ceiling most
    ASSERT_TRUE(InterReflection(p));
    const TResultadosCalculo& r = p.Results;
    double expected = r.Surfaces[WallA].Indirect;
    for (int s : {WallB, WallC, WallD, WorkPlane}) {
        expected = std::max(expected, r.Surfaces[s].Indirect);
    }
    EXPECT_GT(r.Surfaces[Ceiling].Indirect, expected);
    EXPECT_EQ(r.MaxIndirect, expected);
}

TEST(CalcInterReflection, Refusals)
{
    struct Case {
        const char* Name;
        void (*Change)(TDadosProjecto&);
    };
    const Case cases[] = {
        {"lossless room", [](TDadosProjecto& p) { p.Reflectance.fill(100); }},
        {"reflectance above 100", [](TDadosProjecto& p) { p.Reflectance[2] = 120; }},
        {"no direct results", [](TDadosProjecto& p) { p.Results.DirectDone = 0; }},
        {"working plane at the ceiling", [](TDadosProjecto& p) { p.WorkPlaneHeight = p.Height; }},
        {"zero width", [](TDadosProjecto& p) { p.Width = 0; }},
    };
    for (const Case& c : cases) {
        TDadosProjecto p = WithAverages(50);
        c.Change(p);
        const TDadosProjecto before = p;
        const Status status = InterReflection(p);
        EXPECT_FALSE(status) << c.Name;
        EXPECT_EQ(p, before) << c.Name;
    }
}

} // namespace
} // namespace lumivar
