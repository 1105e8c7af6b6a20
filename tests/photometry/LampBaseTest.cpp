#include "photometry/LampBase.h"
#include "photometry/RefLuminaria.h"

#include <gtest/gtest.h>

namespace lumivar {
namespace {

TDadosLuminaria WithLamp(std::string_view base, std::string_view code, int kind = 1)
{
    TDadosLuminaria d;
    d.LampKindCount = kind;
    d.LampBase[kind - 1] = base;
    d.LampCode[kind - 1] = code;
    return d;
}

struct LookupCase {
    std::string_view Base;
    std::string_view Code;
    std::string_view Type;
    std::array<float, 3> Powers;
    std::vector<int> Ballasts;
};

TEST(LampBase, LooksUpTypeAndSystemPowers)
{
    const LookupCase cases[] = {
        {"BASE E27", "110", "Fluorescente", {100, -1, -1}, {0}},
        {"BASE E27", "60", "Halogéneo", {60, -1, -1}, {0}},
        {"BASE G5", "228", "Linear", {-1, 63, 61}, {1, 2}},
        {"BASE G5", "999", "Linear", {-1, 17, 17.8f}, {1, 2}}, // unknown code: the group's first row
        {"Base g13", "236", "Linear", {86, 71.5f, 70.4f}, {0, 1, 2}}, // upper-cased before matching
        {" BASE G13 (TL-D)", " 236 ", "Linear", {86, 71.5f, 70.4f}, {0, 1, 2}},
        {"BASE G13", "25H", "Linear", {26, 18.5f, 20.8f}, {0, 1, 2}}, // not an integer: code 0
        {"", "358", "Linear", {201, 161.5f, 167}, {0, 1, 2}}, // no base: the G13 group
        {"BASE G23", "209", "Compacta", {21, 7.2f, -1}, {0, 1}},
        {"BASE 2G11", "155", "Compacta", {-1, 63.7f, 61.5f}, {1, 2}},
        {"BASE G24D/Q", "226", "Compacta", {68, 51, 55}, {0, 1, 2}},
        {"BASE GX24Q", "142", "Compacta", {-1, 46, 47}, {1, 2}},
        {"BASE GR10Q", "138", "Compacta", {45, 39.7f, 37.5f}, {0, 1, 2}},
        {"BASE 2GX13", "160", "Circulínea", {-1, 67.5f, 66}, {1, 2}},
        {"BASE E40", "40H", "Descarga", {426, -1, -1}, {0}},
        {"BASE E40", "40N", "Descarga", {435, -1, -1}, {0}},
        {"BASE E40", "400", "Descarga", {272, -1, -1}, {0}}, // E40 codes compare as text
        {"BASE R7S", "", "Halogéneo", {100, -1, -1}, {0}},
        {"BASE G4", "120", "Halogéneo", {20, -1, -1}, {0}},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(std::string(c.Base) + " / " + std::string(c.Code));
        std::vector<BallastItem> ballasts{{"stale", 9}};
        const LampBaseResult r = LampBaseInfo(WithLamp(c.Base, c.Code), 1, ballasts);
        EXPECT_EQ(LampTypeName(r.LampType), c.Type);
        EXPECT_EQ(r.Powers, c.Powers);
        std::vector<int> kinds;
        for (const BallastItem& b : ballasts) {
            kinds.push_back(b.Kind);
            EXPECT_EQ(b.Name, BallastName(b.Kind));
        }
        EXPECT_EQ(kinds, c.Ballasts);
    }
}

TEST(LampBase, LooksAtTheGivenKindAndTreatsOtherKindsAsEmpty)
{
    std::vector<BallastItem> ballasts;
    const TDadosLuminaria d = WithLamp("BASE E40", "40I", 3);
    EXPECT_EQ(LampBaseInfo(d, 3, ballasts).Powers[0], 430);
    for (int kind : {0, 5, -1}) // out of range: the G13 group's first row
        EXPECT_EQ(LampBaseInfo(d, kind, ballasts).Powers[0], 26) << kind;
}

TEST(LampBase, Names)
{
    EXPECT_EQ(BallastName(0), "Convencional");
    EXPECT_EQ(BallastName(1), "Electrónico");
    EXPECT_EQ(BallastName(2), "Elect. Reg. Fluxo");
    EXPECT_EQ(BallastName(3), "");
    EXPECT_EQ(LampTypeName(2), "Circulínea");
    EXPECT_EQ(LampTypeName(6), "");
    EXPECT_EQ(LampTypeName(-1), "");
}

TEST(RefLuminaria, CostDefaultsOfANewReference)
{
    TRefLuminaria ref;
    ref.Data = WithLamp("BASE G5", "224", 1);
    ref.Data.LampKindCount = 3;
    ref.Data.LampBase[1] = "BASE E27";
    ref.Data.LampCode[1] = "110";
    ref.Data.LampBase[2] = "BASE G5";
    ref.Data.LampCode[2] = "224";
    ref.Costs.Ballast[2] = 2; // chosen already: kept, and its power taken
    ref.Costs.Consumption[1] = 90.0f; // entered already: kept
    ref.SetCostDefaults();
    EXPECT_EQ(ref.Costs.Ballast, (std::array<std::uint8_t, 4>{1, 0, 2, 0})); // G5 starts electronic
    EXPECT_EQ(ref.Costs.LampType, (std::array<std::uint8_t, 4>{0, 4, 0, 0}));
    EXPECT_EQ(ref.Costs.Consumption, (std::array<float, 4>{49.6f, 90.0f, 51.5f, 0}));

    TRefLuminaria many; // more kinds than the arrays hold: only four are visited
    many.Data.LampKindCount = 9;
    many.SetCostDefaults();
    EXPECT_EQ(many.Costs.Consumption, (std::array<float, 4>{26, 26, 26, 26}));
}

TEST(RefLuminaria, TotalFluxAlwaysCountsTheFirstKind)
{
    TDadosLuminaria d;
    d.LampCount = {2, 1, 3, 1};
    d.LampFlux = {3350, 1000, 100, 10};
    const std::pair<int, double> cases[] = {{0, 6700}, {1, 6700}, {2, 7700}, {4, 8010}, {9, 8010}, {-3, 6700}};
    for (const auto& [kinds, flux] : cases) {
        d.LampKindCount = kinds;
        EXPECT_DOUBLE_EQ(TotalFlux(d), flux) << kinds;
    }
}

TEST(RefLuminaria, CostFigures)
{
    TRefLuminaria ref;
    ref.Data.LampKindCount = 2;
    ref.Data.LampCount = {2, 1, 5, 5}; // kinds past LampKindCount do not count
    ref.Costs.LuminairePrice = 100;
    ref.Costs.LampPrice = {5, 10, 1000, 1000};
    ref.Costs.InstallCost = 20;
    ref.Costs.Consumption = {71.5f, 20, 1000, 1000};
    ref.Costs.AnnualUse = 3000;
    ref.Costs.EnergyPrice = 0.125f;
    ref.Costs.LampLife = {10000, 0, 1, 1}; // a life of 0 counts as 1 h
    ref.Costs.ReplacementCost = 2;
    ref.Costs.CleaningCost = 4;

    EXPECT_EQ(ref.Investment(), 0); // no luminaire placed
    EXPECT_EQ(ref.AnnualEnergyCost(), 0);
    EXPECT_EQ(ref.AnnualMaintenanceCost(), 0);

    ref.Quantity = 3;
    EXPECT_DOUBLE_EQ(ref.Investment(), 3 * (100 + 2 * 5 + 1 * 10 + 20));
    EXPECT_DOUBLE_EQ(ref.AnnualEnergyCost(), 3 * 91.5 * 3000 * 0.125 * 0.001);
    EXPECT_NEAR(ref.AnnualMaintenanceCost(), 3 * 3000 * (2 * 5 / 1e4 + 2 / 1e4 * 2 + 10 + 2) + 3 * 4, 1e-6);

    ref.Data.LampKindCount = 0; // no lamp kinds: only the per-luminaire figures
    EXPECT_DOUBLE_EQ(ref.Investment(), 3 * 120);
    EXPECT_DOUBLE_EQ(ref.AnnualEnergyCost(), 0);
    EXPECT_DOUBLE_EQ(ref.AnnualMaintenanceCost(), 12);
    ref.Data.LampKindCount = 40; // clipped to the four kinds held
    EXPECT_DOUBLE_EQ(ref.Investment(), 3 * (120 + 20 + 5 * 1000 * 2));
}

TEST(RefLuminaria, BlockCodecsAreRowMajor)
{
    IntensityTable table{};
    table[1][2] = 42.5;
    Bytes image(kIntensityBytes);
    EncodeIntensities(table, image);
    EXPECT_EQ(le::GetF64(image, 8 * (24 + 2)), 42.5);
    IntensityTable back{};
    DecodeIntensities(image, back);
    EXPECT_EQ(back, table);

    UgrTable ugr{};
    ugr[18][9] = 19.5f;
    Bytes ugrImage(kUgrBytes);
    EncodeUgr(ugr, ugrImage);
    EXPECT_EQ(le::GetF32(ugrImage, kUgrBytes - 4), 19.5f);
    UgrTable ugrBack{};
    DecodeUgr(ugrImage, ugrBack);
    EXPECT_EQ(ugrBack, ugr);
}

} // namespace
} // namespace lumivar
