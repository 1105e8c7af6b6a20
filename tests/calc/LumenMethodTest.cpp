#include "calc/LumenMethod.h"
#include "calc/CalcFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lumivar {
namespace {

using testing::TestRoom;
using testing::UniformReference;

// (1000 / pi) cos(gamma) cd/klm below the horizontal, nothing above, in every C plane:
// a 1000 lm downlight with a cosine distribution.
std::unique_ptr<TRefLuminaria> CosineReference(double flux, float efficiency)
{
    auto ref = UniformReference(flux, 0);
    ref->Data.Efficiency = efficiency;
    for (int g = 0; g <= 18; ++g) {
        ref->Intensities[g].fill(1000 / std::numbers::pi * std::cos(5 * g * std::numbers::pi / 180));
    }
    return ref;
}

TDadosProjecto OfficeRoom()
{
    TDadosProjecto p = TestRoom();
    p.Reflectance = {50, 50, 50, 50, 70, 30};
    p.MaintenanceFactor = 1.25f;
    p.Illuminance = 500;
    return p;
}

TEST(CalcLumenMethod, CosineLuminaireNeedsFifteenFor500Lux)
{
    auto ref = CosineReference(3000, 100);
    const TDadosProjecto p = OfficeRoom();
    Result<LumenResult> r = LumenMethod(p, ref->Data, ref->Intensities);
    ASSERT_TRUE(r) << r.Message();
    EXPECT_NEAR(r->RoomIndex, 60 / 2.2 / 16, 1e-6);
    EXPECT_NEAR(r->UtilisationFactor, 85, 1.5);
    EXPECT_EQ(r->Count, 15);
    EXPECT_EQ(r->Counts[4], 15); // the 500 lux level
    for (std::size_t i = 1; i < r->Counts.size(); ++i) {
        EXPECT_LE(r->Counts[i - 1], r->Counts[i]);
    }

    // Read as a multiplier, 0.8 is the same maintenance as the divisor 1.25.
    TDadosProjecto multiplier = p;
    multiplier.MaintenanceFactor = 0.8f;
    Result<LumenResult> same = LumenMethod(multiplier, ref->Data, ref->Intensities);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->Counts, r->Counts);
    EXPECT_EQ(same->Count, r->Count);
}

TEST(CalcLumenMethod, RoomIndexOfTheWorkingArea)
{
    auto ref = CosineReference(3000, 100);
    struct Case {
        const char* Name;
        float Length, Width, Height, Plane, Margin;
        bool WorkArea;
        double K;
    };
    const Case cases[] = {
        {"10 x 5, 2 m", 10, 5, 2.8f, 0.8f, 0, false, 50.0 / (2 * 15)},
        {"margin", 10, 6, 3, 1, 0.5f, false, 9 * 5 / 2.0 / 14},
        {"working area 4 x 2", 10, 6, 3, 1, 0.5f, true, 8 / 2.0 / 6},
        {"working plane at the ceiling: height 1", 10, 5, 3, 3, 0, false, 50.0 / 15},
    };
    for (const Case& c : cases) {
        TDadosProjecto p = OfficeRoom();
        p.Length = c.Length;
        p.Width = c.Width;
        p.Height = c.Height;
        p.WorkPlaneHeight = c.Plane;
        p.Margin = c.Margin;
        p.WorkArea = c.WorkArea;
        p.WorkAreaX1 = 1;
        p.WorkAreaY1 = 2;
        p.WorkAreaX2 = 5;
        p.WorkAreaY2 = 4;
        Result<LumenResult> r = LumenMethod(p, ref->Data, ref->Intensities);
        ASSERT_TRUE(r) << c.Name << ": " << r.Message();
        EXPECT_NEAR(r->RoomIndex, c.K, 1e-6) << c.Name;
    }
}

TEST(CalcLumenMethod, UtilisationFactorStaysWithinItsBounds)
{
    // Very bright rooms of every shape: never above 100 %; a luminaire sending more down than its
    // efficiency allows is scaled back, not refused.
    auto ref = CosineReference(3000, 100);
    auto weak = CosineReference(3000, 50);
    for (float size : {2.0f, 10.0f, 60.0f}) {
        TDadosProjecto p = OfficeRoom();
        p.Reflectance = {99, 99, 99, 99, 99, 99};
        p.Length = size;
        p.Width = size;
        Result<LumenResult> r = LumenMethod(p, ref->Data, ref->Intensities);
        ASSERT_TRUE(r) << r.Message();
        EXPECT_LE(r->UtilisationFactor, 100);
        EXPECT_GT(r->UtilisationFactor, 0);
    }
    const TDadosProjecto p = OfficeRoom();
    Result<LumenResult> full = LumenMethod(p, ref->Data, ref->Intensities);
    Result<LumenResult> half = LumenMethod(p, weak->Data, weak->Intensities);
    ASSERT_TRUE(full);
    ASSERT_TRUE(half);
    EXPECT_LT(half->UtilisationFactor, full->UtilisationFactor);
    EXPECT_GT(half->Count, full->Count);
}

TEST(CalcLumenMethod, ZeroRoomIndexGivesNoLuminaires)
{
    auto ref = CosineReference(3000, 100);
    TDadosProjecto p = OfficeRoom();
    p.WorkArea = 1;
    p.WorkAreaX1 = p.WorkAreaX2 = 2;
    p.WorkAreaY2 = 4;
    Result<LumenResult> r = LumenMethod(p, ref->Data, ref->Intensities);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->RoomIndex, 0);
    EXPECT_EQ(r->Count, 0);
    EXPECT_EQ(r->Counts, (std::array<int, 9>{}));
}

TEST(CalcLumenMethod, Refusals)
{
    struct Case {
        const char* Name;
        void (*Change)(TDadosProjecto&, TRefLuminaria&);
    };
    const Case cases[] = {
        {"maintenance factor 0", [](TDadosProjecto& p, TRefLuminaria&) { p.MaintenanceFactor = 0; }},
        {"no lamp flux", [](TDadosProjecto&, TRefLuminaria& r) { r.Data.LampFlux[0] = 0; }},
        {"nothing in C180 and C270",
         [](TDadosProjecto&, TRefLuminaria& r) {
             for (auto& row : r.Intensities) {
                 row[12] = row[18] = 0;
             }
         }},
        {"no light at all",
         [](TDadosProjecto&, TRefLuminaria& r) {
             r.Data.Efficiency = 0;
             for (auto& row : r.Intensities) {
                 row.fill(0);
             }
         }},
        {"room index too large for the standard room",
         [](TDadosProjecto& p, TRefLuminaria&) {
             p.Length = 3000;
             p.Width = 3000;
         }},
        {"negative working area",
         [](TDadosProjecto& p, TRefLuminaria&) {
             p.WorkArea = 1;
             p.WorkAreaX1 = 5;
             p.WorkAreaX2 = 1;
         }},
        {"reflectance above 100", [](TDadosProjecto& p, TRefLuminaria&) { p.Reflectance[4] = 200; }},
        {"lossless room", [](TDadosProjecto& p, TRefLuminaria&) { p.Reflectance.fill(100); }},
    };
    for (const Case& c : cases) {
        TDadosProjecto p = OfficeRoom();
        auto ref = CosineReference(3000, 100);
        c.Change(p, *ref);
        Result<LumenResult> r = LumenMethod(p, ref->Data, ref->Intensities);
        EXPECT_FALSE(r) << c.Name;
        if (!r) {
            EXPECT_FALSE(r.Message().empty());
        }
    }
}

} // namespace
} // namespace lumivar
