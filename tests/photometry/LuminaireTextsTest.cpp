#include "photometry/LuminaireTexts.h"
#include "base/TextEncoding.h"

#include <gtest/gtest.h>

namespace lumivar {
namespace {

TRefLuminaria TwoKinds()
{
    TRefLuminaria ref;
    ref.Data.LampKindCount = 2;
    ref.Data.LampName[0] = Utf8ToCp1252("TL-D 36W/840 lâmpada");
    ref.Data.LampName[1] = "PL-C 18W";
    ref.Data.LampCount = {2, 1, 9, 9};
    ref.Data.LampFlux = {3350.4, 1199.5, 9, 9};
    ref.Data.LampPower = {36, 18, 9, 9};
    ref.Costs.Ballast = {1, 0, 2, 2};
    ref.Costs.Consumption = {71.5f, 20.25f, 9, 9};
    ref.Costs.LampPrice = {5.5f, 1234.56789f, 9, 9};
    ref.Costs.LampLife = {12000, 8000, 9, 9};
    return ref;
}

TEST(LuminaireTexts, OneLinePerLampKind)
{
    const TRefLuminaria ref = TwoKinds();
    const TDadosLuminaria& d = ref.Data;
    EXPECT_EQ(LampNamesText(d), "TL-D 36W/840 lâmpada\r\nPL-C 18W");
    EXPECT_EQ(LampCountsText(d), "2\r\n1");
    EXPECT_EQ(LampsWithCountsText(d), "TL-D 36W/840 lâmpada   x2\r\nPL-C 18W   x1");
    EXPECT_EQ(LampFluxesText(d), "3350\r\n1200");
    EXPECT_EQ(LampPowersText(d), "36 W\r\n18 W");
    EXPECT_EQ(BallastsText(ref), "Electrónico\r\nConvencional");
    EXPECT_EQ(ConsumptionsText(ref), "71,5 W\r\n20,2 W");
    EXPECT_EQ(ConsumptionsText(ref, "."), "71.5 W\r\n20.2 W");
    EXPECT_EQ(LampPricesText(ref), "5,50 €\r\n1\u00A0234,57 €");
    EXPECT_EQ(LampLivesText(ref), "12000 h\r\n8000 h");
}

TEST(LuminaireTexts, KindCountsOutsideOneToFour)
{
    TRefLuminaria ref = TwoKinds();
    for (int kinds : {0, 1, -2}) { // a single line
        ref.Data.LampKindCount = kinds;
        EXPECT_EQ(LampCountsText(ref.Data), "2") << kinds;
    }
    ref.Data.LampKindCount = 7; // the arrays hold four kinds
    EXPECT_EQ(LampCountsText(ref.Data), "2\r\n1\r\n9\r\n9");
}

TEST(LuminaireTexts, NameAndCountAreCutTo44Characters)
{
    TDadosLuminaria d;
    d.LampKindCount = 1;
    d.LampName[0] = std::string(40, 'A');
    d.LampCount[0] = 3;
    EXPECT_EQ(LampsWithCountsText(d), std::string(40, 'A') + "   x3");
}

TEST(LuminaireTexts, MoneyFormats)
{
    MoneyFormat before;
    before.SymbolAfter = false;
    before.CurrencySymbol = "$";
    before.DecimalSeparator = ".";
    before.ThousandsSeparator = ",";
    EXPECT_EQ(MoneyText(1234567.891, before), "$ 1,234,567.89");
    EXPECT_EQ(MoneyText(-2.5, MoneyFormat{}), "-2,50 €");
    EXPECT_EQ(MoneyText(-0.001, MoneyFormat{}), "0,00 €");
    MoneyFormat whole;
    whole.Decimals = 0;
    whole.SymbolSpaced = false;
    EXPECT_EQ(MoneyText(999.6, whole), "1\u00A0000€");
}

TEST(LuminaireTexts, PictureFileNames)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"C:\\Aparelhos\\lv orio 236.bdb", "LVORIO.jpg"}, // the family table, any case
        {"/dados/LV DISCO 226.EUL", "LVDISCO.jpg"},
        {"/dados/LX1234AB.D1A", "LX1234D.jpg"}, // up to two characters before the first ".", then the extension's first
        {"my.file.v2.ies", "i.jpg"}, // the first "." decides the cut, the last "." the character
        {"MAÇÃ12.EUL", "MAÇÃE.jpg"},
        {"ÉA.ÇX", "Ç.jpg"}, // characters, not bytes
        {"TL 236 H.BDB", "TLH.jpg"}, // first word and the first character of word 3
        {"A B C D.asc", "AC.jpg"},
        {"TL 236.ASC", "TL2.jpg"}, // two words: word 2
        {"FOO.ASC", "FOO.ASCF.jpg"}, // one word: itself
        {"Aparelhos/NOEXT", "NOEXTN.jpg"}, // no extension
    };
    for (const auto& [file, picture] : cases)
        EXPECT_EQ(PictureFileName(file, ".jpg"), picture) << file;
}

} // namespace
} // namespace lumivar
