#include "calc/ArrayLayout.h"
#include "calc/BlockLayout.h"
#include "calc/CalcFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace lumivar {
namespace {

void ExpectPositions(const std::vector<LayoutPosition>& got, const std::vector<LayoutPosition>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].X, want[i].X, 1e-9) << i;
        EXPECT_NEAR(got[i].Y, want[i].Y, 1e-9) << i;
        EXPECT_NEAR(got[i].Angle, want[i].Angle, 1e-9) << i;
    }
}

TEST(CalcArrayLayout, ArrayShape)
{
    struct Case {
        int N;
        bool ByColumns;
        int Cols, Rows;
    };
    const Case cases[] = {
        {12, false, 4, 3}, {12, true, 3, 4},  {7, false, 3, 3},  {10, false, 3, 4}, {10, true, 4, 3}, {1, false, 1, 1},
        {2, false, 2, 1},  {15, false, 5, 3}, {17, false, 4, 5}, {0, false, 0, 0},  {-3, true, 0, 0},
    };
    for (const Case& c : cases) {
        const ArrayDimensions d = ArrayShape(c.N, c.ByColumns);
        EXPECT_EQ(d.Cols, c.Cols) << c.N << (c.ByColumns ? " by columns" : "");
        EXPECT_EQ(d.Rows, c.Rows) << c.N << (c.ByColumns ? " by columns" : "");
        EXPECT_GE(d.Cols * d.Rows, std::max(c.N, 0));
    }
}

TEST(CalcArrayLayout, PositionsOverTheWorkingArea)
{
    TDadosProjecto p = testing::TestRoom();
    p.WorkArea = 1;
    p.WorkAreaX1 = 2;
    p.WorkAreaY1 = 1;
    p.WorkAreaX2 = 8;
    p.WorkAreaY2 = 5;
    p.Margin = 0.7f; // plays no part
    // Half a spacing to the walls.
    ExpectPositions(ArrayPositions(p, 3, 2, 2, 15),
                    {{3, 2, 15}, {5, 2, 15}, {7, 2, 15}, {3, 4, 15}, {5, 4, 15}, {7, 4, 15}});
    // A whole spacing to the walls.
    const double y1 = 1 + 4.0 / 3;
    const double y2 = 1 + 8.0 / 3;
    ExpectPositions(ArrayPositions(p, 3, 2, 1, 0),
                    {{3.5, y1, 0}, {5, y1, 0}, {6.5, y1, 0}, {3.5, y2, 0}, {5, y2, 0}, {6.5, y2, 0}});
    const ArrayUnits units = ArraySpacing(p, 3, 2, 1);
    EXPECT_DOUBLE_EQ(units.UnitX, 1.5);
    EXPECT_DOUBLE_EQ(units.UnitY, 4.0 / 3);

    // The whole room without a working area; no counts, no array and no division by zero.
    p.WorkArea = 0;
    ExpectPositions(ArrayPositions(p, 2, 1, 2, 0), {{2.5, 3, 0}, {7.5, 3, 0}});
    EXPECT_TRUE(ArrayPositions(p, 0, 3, 2, 0).empty());
    const ArrayUnits none = ArraySpacing(p, 0, 0, 2);
    EXPECT_EQ(none.UnitX, 0);
    EXPECT_EQ(none.UnitY, 0);
}

TEST(CalcBlockLayout, BlocksAndContinuousLines)
{
    ExpectPositions(BlockPositions(3, 2, 1, 2, 1, 1.5, 0, 15),
                    {{1, 1, 0}, {3, 1, 15}, {5, 1, 30}, {1, 2.5, 45}, {3, 2.5, 60}, {5, 2.5, 75}});
    EXPECT_TRUE(BlockPositions(0, 4, 0, 1, 0, 1, 0, 0).empty());

    TDadosLuminaria fitting;
    fitting.LengthC = 1200;
    EXPECT_DOUBLE_EQ(LineLuminaireLength(fitting), 1.2);
    fitting.DiameterD = 300;
    EXPECT_DOUBLE_EQ(LineLuminaireLength(fitting), 0.3);

    ExpectPositions(
        LinePositions(LineOrientation::Horizontal, 1, 1, 4, 2, 2.5, 1.2, 0),
        {{1, 1, 0}, {2.2, 1, 0}, {3.4, 1, 0}, {4.6, 1, 0}, {1, 3.5, 0}, {2.2, 3.5, 0}, {3.4, 3.5, 0}, {4.6, 3.5, 0}});
    ExpectPositions(LinePositions(LineOrientation::Vertical, 1, 1, 4, 2, 2.5, 1.2, 90), {{1, 1, 90},
                                                                                         {3.5, 1, 90},
                                                                                         {1, 2.2, 90},
                                                                                         {3.5, 2.2, 90},
                                                                                         {1, 3.4, 90},
                                                                                         {3.5, 3.4, 90},
                                                                                         {1, 4.6, 90},
                                                                                         {3.5, 4.6, 90}});
}

TEST(CalcBlockLayout, CirclesAndArcs)
{
    struct Case {
        const char* Name;
        int Count;
        double From, To;
        bool Tangential;
        std::vector<double> Angles;
    };
    const Case cases[] = {
        {"full circle", 4, 0, 360, false, {0, 90, 180, 270}},
        {"half circle, both ends", 4, 0, 180, false, {0, 60, 120, 180}},
        {"arc through 360", 3, 300, 60, false, {300, 0, 60}},
        {"tangential", 2, 0, 90, true, {90, 180}},
        {"equal angles: a closed circle", 4, 90, 90, false, {90, 180, 270, 0}},
        {"one luminaire", 1, 45, 200, false, {45}},
    };
    for (const Case& c : cases) {
        const CircleLayout circle{5, 3, 2, c.Count, c.From, c.To, c.Tangential};
        const std::vector<LayoutPosition> got = CirclePositions(circle, 0, 10, 0, 6);
        ASSERT_EQ(got.size(), c.Angles.size()) << c.Name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].Angle, c.Angles[i], 1e-9) << c.Name << " " << i;
            const double theta = (c.Tangential ? got[i].Angle - 90 : got[i].Angle) * std::numbers::pi / 180;
            EXPECT_NEAR(got[i].X, 5 + 2 * std::cos(theta), 1e-9) << c.Name;
            EXPECT_NEAR(got[i].Y, 3 + 2 * std::sin(theta), 1e-9) << c.Name;
        }
    }
    // Positions outside the room are dropped; those on its edge stay.
    const CircleLayout large{5, 3, 3, 4, 0, 360, false};
    const std::vector<LayoutPosition> inside = CirclePositions(large, 0, 10, 0, 5);
    ASSERT_EQ(inside.size(), 3u);
    EXPECT_NEAR(inside[2].Angle, 270, 1e-9);
    EXPECT_NEAR(inside[2].Y, 0, 1e-9);
}

} // namespace
} // namespace lumivar
