#include "project/SurfaceExtremes.h"

#include <gtest/gtest.h>

namespace lumivar {
namespace {

TResultadosCalculo Stored()
{
    TResultadosCalculo r;
    r.DirectDone = r.IndirectDone = 1;
    for (auto& s : r.Surfaces) {
        s.Minimum = 100;
        s.Maximum = 400;
        s.Indirect = 50;
    }
    r.OverallMinimum = 80;
    r.OverallMaximum = 500;
    return r;
}

TEST(SurfaceExtremes, FinerGridSharpensTheDirectExtremes)
{
    TResultadosCalculo r = Stored();
    // Direct + indirect 140..470 is direct 90..420: both surface extremes move, the
    // overall ones stay.
    EXPECT_TRUE(UpdateSurfaceExtremes(r, WorkPlane, IlluminanceKind::Both, {140, 1.5f, 2.5f, 470, 3.5f, 4.5f}));
    const TResultadoSuperficie& s = r.Surfaces[WorkPlane];
    EXPECT_EQ(s.Minimum, 90);
    EXPECT_EQ(s.MinX, 1.5f);
    EXPECT_EQ(s.MinY, 2.5f);
    EXPECT_EQ(s.Maximum, 420);
    EXPECT_EQ(s.MaxX, 3.5f);
    EXPECT_EQ(r.OverallMinimum, 80);
    EXPECT_EQ(r.OverallMaximum, 500);

    // A direct grid beyond the overall extremes moves them too.
    EXPECT_TRUE(UpdateSurfaceExtremes(r, WallB, IlluminanceKind::Direct, {70, 0, 0, 600, 0, 0}));
    EXPECT_EQ(r.OverallMinimum, 70);
    EXPECT_EQ(r.OverallMaximum, 600);
    EXPECT_EQ(r.Surfaces[WallB].Minimum, 70);

    // A grid inside the stored extremes changes nothing.
    const TResultadosCalculo before = r;
    EXPECT_FALSE(UpdateSurfaceExtremes(r, WallB, IlluminanceKind::Direct, {200, 1, 1, 300, 1, 1}));
    EXPECT_EQ(r, before);
}

TEST(SurfaceExtremes, CeilingAndIndirectGridsChangeNothing)
{
    for (auto [surface, kind] : {std::pair{Ceiling, IlluminanceKind::Both}, std::pair{Ceiling, IlluminanceKind::Direct},
                                 std::pair{WorkPlane, IlluminanceKind::Indirect}}) {
        TResultadosCalculo r = Stored();
        const TResultadosCalculo before = r;
        EXPECT_FALSE(UpdateSurfaceExtremes(r, surface, kind, {1, 0, 0, 9999, 0, 0}));
        EXPECT_EQ(r, before);
    }
}

} // namespace
} // namespace lumivar
