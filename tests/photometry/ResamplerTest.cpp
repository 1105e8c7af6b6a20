#include "photometry/PhotometryFile.h"
#include "photometry/PhotometryResampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lumivar {
namespace {

std::vector<double> Steps(double from, double step, int count)
{
    std::vector<double> v;
    for (int i = 0; i < count; ++i)
        v.push_back(from + step * i);
    return v;
}

TEST(Resampler, GridAlignedSourceComesThroughBitForBit)
{
    // Our own grid, values that no arithmetic would reproduce by accident; the poles agree.
    SourceDistribution s;
    s.CAngles = Steps(0, 15, 24);
    s.GammaAngles = Steps(0, 5, 37);
    for (int c = 0; c < 24; ++c)
        for (int g = 0; g < 37; ++g)
            s.Values.push_back(g == 0 ? 1.0 / 3 : g == 36 ? 0.1 : std::sqrt(2.0 + c * 37 + g));
    const Result<IntensityTable> t = ResampleToTable(s);
    ASSERT_TRUE(t) << t.Message();
    for (int c = 0; c < 24; ++c)
        for (int g = 0; g < 37; ++g)
            ASSERT_EQ((*t)[g][c], s.Values[std::size_t(c) * 37 + g]) << "C " << 15 * c << " gamma " << 5 * g;
}

TEST(Resampler, NonAlignedSourceInterpolatesLinearlyInBothAngles)
{
    // Planes at 0, 40, 200 (no symmetry, so 200 -> 360 wraps to 0); gammas 0, 8, 20, 90.
    SourceDistribution s;
    s.CAngles = {0, 40, 200};
    s.GammaAngles = {0, 8, 20, 90};
    s.Values = {50, 80,  120, 10, // C0
                50, 100, 200, 30, // C40
                50, 60,  40,  0}; // C200
    const Result<IntensityTable> t = ResampleToTable(s);
    ASSERT_TRUE(t) << t.Message();
    struct Case {
        double C, Gamma, Expected;
    };
    const Case cases[] = {
        {0, 5, 50 + 30 * 5.0 / 8}, // gamma between 0 and 8, on a plane
        {0, 20, 120}, // on a source node
        {15, 20, 120 + 80 * 15.0 / 40}, // C between 0 and 40
        {30, 10, (80 + 40 * 2.0 / 12) * 0.25 + (100 + 100 * 2.0 / 12) * 0.75}, // both angles
        {120, 90, 30 + (0 - 30) * 80.0 / 160}, // between 40 and 200
        {300, 20, 40 + (120 - 40) * 100.0 / 160}, // across the C360 seam
        {345, 55,
         (40 + (0 - 40) * 35.0 / 70) + ((120 + (10 - 120) * 35.0 / 70) - (40 + (0 - 40) * 35.0 / 70)) * 145.0 / 160},
        {90, 95, 0}, // beyond the measured gammas
        {90, 180, 0},
    };
    for (const Case& k : cases) {
        const int c = int(k.C / 15), g = int(k.Gamma / 5);
        EXPECT_NEAR((*t)[g][c], k.Expected, 1e-9) << "C " << k.C << " gamma " << k.Gamma;
    }
}

TEST(Resampler, PolesTakeOneValueWhenPlanesDisagree)
{
    SourceDistribution s;
    s.CAngles = {0, 90, 180, 270};
    s.GammaAngles = {0, 180};
    s.Values = {100, 1, 200, 1, 100, 1, 200, 1};
    const Result<IntensityTable> t = ResampleToTable(s);
    ASSERT_TRUE(t);
    for (int c = 0; c < kCPlanes; ++c) {
        EXPECT_DOUBLE_EQ((*t)[0][c], 150.0); // mean over the circle
        EXPECT_DOUBLE_EQ((*t)[36][c], 1.0);
    }
}

TEST(Resampler, FluxOfUniformAndCosineTables)
{
    IntensityTable uniform{};
    for (auto& row : uniform)
        row.fill(1000.0);
    EXPECT_NEAR(TableFlux(uniform), 4000 * std::numbers::pi, 1e-9);

    // A cosine downlight: flux pi x I0; the table's linear rows lose a little, well under 0.5 %.
    IntensityTable cosine{};
    for (int g = 0; g <= 18; ++g)
        cosine[g].fill(100 * std::cos(5 * g * std::numbers::pi / 180));
    EXPECT_NEAR(TableFlux(cosine), 100 * std::numbers::pi, 0.005 * 100 * std::numbers::pi);

    SourceDistribution s;
    s.Symmetry = CPlaneSymmetry::Rotational;
    s.CAngles = {0};
    s.GammaAngles = {0, 180};
    s.Values = {1000, 1000};
    EXPECT_NEAR(*SourceFlux(s), 4000 * std::numbers::pi, 1e-9);
}

TEST(Resampler, InconsistentSourcesAreRefused)
{
    SourceDistribution s;
    s.CAngles = {0};
    s.GammaAngles = {0, 90};
    s.Values = {1}; // one short
    EXPECT_FALSE(ResampleToTable(s));
    s.Values = {1, NAN};
    EXPECT_FALSE(ResampleToTable(s));
    s.Values = {1, 2};
    s.GammaAngles = {90, 0};
    EXPECT_FALSE(ResampleToTable(s));
}

TEST(Resampler, ClippingAndAsymmetryNote)
{
    IntensityTable t{};
    t[3][2] = -4;
    t[4][2] = 2 * kMaxIntensity;
    t[5][2] = 10;
    TDadosLuminaria d;
    FinishImportedTable(t, d, {});
    EXPECT_EQ(t[3][2], 0);
    EXPECT_EQ(t[4][2], kMaxIntensity);
    EXPECT_EQ(t[5][2], 10);
    // Column 2 (C30) now differs from column 14 (C210): front and back differ.
    const std::string note = d.Characteristics[3].Text();
    EXPECT_NE(note.find("2 intensidades"), std::string::npos) << note;
    EXPECT_TRUE(IsAsymmetric(d));
}

} // namespace
} // namespace lumivar
