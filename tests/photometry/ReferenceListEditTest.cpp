#include "photometry/ReferenceListEdit.h"
#include "base/TextEncoding.h"
#include "photometry/LampCatalogue.h"
#include "photometry/PhotometryFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumivar {
namespace {

std::filesystem::path Apparatus()
{
    return std::filesystem::path(LUMIVAR_DATA_DIR) / "Aparelhos";
}

TDadosLuminaria WithLamp(std::string_view base, int power, std::string_view code = {})
{
    TDadosLuminaria d;
    d.LampKindCount = 1;
    d.LampBase[0] = base;
    d.LampPower[0] = power;
    d.LampCode[0] = code;
    return d;
}

// Three references "A", "B", "C" and luminaires placed from them in the order given.
ProjectDocument Project(std::initializer_list<int> placed)
{
    ProjectDocument doc;
    for (const char* name : {"A", "B", "C"}) {
        auto ref = std::make_unique<TRefLuminaria>();
        ref->Data.Reference = name;
        doc.LuminaireRefs.push_back(std::move(ref));
    }
    int number = 10;
    for (int index : placed) {
        TObjectoLuminaria l;
        l.RefIndex = index;
        l.X = float(number);
        l.Number = number++;
        l.Attach(doc.LuminaireRefs, index);
        doc.Luminaires.push_back(l);
    }
    return doc;
}

TEST(ReferenceListEdit, RemovingReferencesTakesTheirLuminairesAndRenumbersTheRest)
{
    struct Case {
        std::vector<std::size_t> Remove;
        std::vector<std::string> RefsLeft;
        std::vector<float> XLeft; // which luminaires stay, by their original X
        std::vector<int> RefIndexLeft;
    };
    const Case cases[] = {
        {{1}, {"A", "C"}, {10, 12, 14}, {0, 1, 0}},
        {{2, 0, 2, 7}, {"B"}, {11, 13}, {0, 0}}, // any order, repeats and strays ignored
        {{}, {"A", "B", "C"}, {10, 11, 12, 13, 14}, {0, 1, 2, 1, 0}},
        {{0, 1, 2}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        ProjectDocument doc = Project({0, 1, 2, 1, 0});
        const std::size_t gone = RemoveReferences(doc, c.Remove);
        EXPECT_EQ(gone, 5 - c.XLeft.size());
        std::vector<std::string> names;
        for (const auto& r : doc.LuminaireRefs)
            names.push_back(r->Data.Reference.Text());
        EXPECT_EQ(names, c.RefsLeft);
        ASSERT_EQ(doc.Luminaires.size(), c.XLeft.size());
        for (std::size_t i = 0; i < doc.Luminaires.size(); ++i) {
            const TObjectoLuminaria& l = doc.Luminaires[i];
            EXPECT_EQ(l.X, c.XLeft[i]);
            EXPECT_EQ(l.Number, int(i) + 1);
            EXPECT_EQ(l.RefIndex, c.RefIndexLeft[i]);
            EXPECT_EQ(l.Ref, doc.LuminaireRefs[std::size_t(l.RefIndex)].get());
        }
    }
}

TEST(ReferenceListEdit, LuminaireWithoutValidReferenceNeverPointsAtAnotherOne)
{
    ProjectDocument doc = Project({0, 2});
    doc.Luminaires[0].RefIndex = 3; // past the list: would become valid after a removal
    RemoveReferences(doc, {1});
    ASSERT_EQ(doc.Luminaires.size(), 2u);
    EXPECT_EQ(doc.Luminaires[0].RefIndex, -1);
    EXPECT_EQ(doc.Luminaires[0].Ref, nullptr);
    EXPECT_EQ(doc.Luminaires[1].RefIndex, 1);
}

TEST(ReferenceListEdit, NameWithoutExtensionIsReadAsBdb)
{
    const std::filesystem::path folder = Apparatus();
    EXPECT_EQ(BrowserFilePath(folder, "LMV4218"), folder / "LMV4218.BDB");
    EXPECT_EQ(BrowserFilePath(folder, "LV-DL150.ies"), folder / "LV-DL150.ies");
    EXPECT_EQ(BrowserFilePath(folder, "LMV4136.ASC"), folder / "LMV4136.ASC");
    EXPECT_TRUE(ReadDescriptionFile(BrowserFilePath(folder, "LMV4218")).Ok());
}

TEST(ReferenceListEdit, AddingFromFileAppendsWithCostDefaultsOrLeavesListAlone)
{
    RefList refs;
    refs.push_back(std::make_unique<TRefLuminaria>());
    const Result<std::size_t> added = AddReferenceFromFile(refs, Apparatus() / "LMV4218.BDB");
    ASSERT_TRUE(added.Ok()) << added.Message();
    EXPECT_EQ(*added, 1u);
    ASSERT_EQ(refs.size(), 2u);
    const TRefLuminaria& ref = *refs[1];
    EXPECT_FALSE(ref.Data.Reference.Empty());
    EXPECT_GT(ref.GammaCount, 0);
    EXPECT_GT(ref.Costs.Consumption[0], 0.0f); // cost defaults from the lamp-base table

    const Result<std::size_t> missing = AddReferenceFromFile(refs, Apparatus() / "NO-SUCH.BDB");
    ASSERT_FALSE(missing.Ok());
    EXPECT_NE(missing.Message().find("Não foi possível abrir o ficheiro da Luminária!"), std::string::npos);
    EXPECT_EQ(refs.size(), 2u);
}

TEST(LampCatalogue, OffersTheLampsOfABaseAndPower)
{
    const auto g13 = LampCatalogue(WithLamp("BASE G13", 36), 0);
    ASSERT_EQ(g13.size(), 10u);
    EXPECT_EQ(g13.front(), (LampCatalogueEntry{"TL-D 36W/33", 2850}));
    const auto pick =
        std::find_if(g13.begin(), g13.end(), [](const auto& e) { return e.Designation == "TL-D 36W/840"; });
    ASSERT_NE(pick, g13.end());
    EXPECT_EQ(pick->Flux, 3350);

    struct Case {
        TDadosLuminaria Data;
        std::size_t Count;
        std::string First;
    };
    const Case cases[] = {
        {WithLamp("base g5 (tl5)", 14), 4, "TL5 HE 14W/827"}, // upper-cased, substring
        {WithLamp("BASE G5", 49), 7, "TL5 HO 49W/827"},
        {WithLamp("BASE 2G11", 36), 7, "PL-L/4p 36W/827"},
        {WithLamp("BASE GR10Q", 21), 3, "F-2D/4p 21W/827"},
        {WithLamp("BASE 2GX13", 60), 2, "TL5 Circular 60W/830"},
        {WithLamp("BASE E40", 400, "40I"), 2, "HPI PLUS 400W/743"}, // by code, whole names
        {WithLamp("BASE E40", 250, "99X"), 0, ""},
        {WithLamp("BASE G13", 37), 0, ""},
        {WithLamp("BASE E27", 60), 0, ""},
    };
    for (const Case& c : cases) {
        const auto entries = LampCatalogue(c.Data, 0);
        EXPECT_EQ(entries.size(), c.Count) << c.First;
        if (c.Count > 0 && !entries.empty()) {
            EXPECT_EQ(entries.front().Designation, c.First);
        }
    }
    EXPECT_TRUE(LampCatalogue(WithLamp("BASE G13", 36), 4).empty());
}

TEST(ReferenceListEdit, BallastChoicesOfAG5LampLeaveOutTheConventionalBallast)
{
    TDadosLuminaria data = WithLamp("BASE G5", 14, "214");
    const auto choices = BallastChoices(data, 0);
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].Name, "Electrónico");
    EXPECT_EQ(choices[0].Kind, 1);
    EXPECT_DOUBLE_EQ(choices[0].Consumption, 33.0);
    EXPECT_EQ(choices[1].Name, "Elect. Reg. Fluxo");
    EXPECT_EQ(choices[1].Kind, 2);
    EXPECT_DOUBLE_EQ(choices[1].Consumption, 35.6); // the table's single-precision value, rounded
}

TEST(ReferenceListEdit, UgrTableCountsOnlyWithAllFourCorners)
{
    UgrTable table{};
    EXPECT_FALSE(HasUgrValues(table));
    table[0][0] = table[0][9] = table[18][0] = table[18][9] = 19.5f;
    EXPECT_TRUE(HasUgrValues(table));
    table[18][9] = 0;
    EXPECT_FALSE(HasUgrValues(table));
}

TEST(ReferenceListEdit, TextsOfTheDialogAndBrowser)
{
    TDadosLuminaria d;
    d.Reference = "LMV 4218";
    d.Description = Utf8ToCp1252("Luminária de encastrar"); // records hold Windows-1252
    d.LengthC = 1200;
    d.WidthL = 300;
    d.HeightA = 80;
    d.Characteristics[0] = "BASE G13";
    d.Characteristics[2] = "Difusor opalino";
    d.Characteristics[3] = "   ";
    EXPECT_EQ(PropertiesCharacteristicsLines(d),
              (std::vector<std::string>{"Luminária de encastrar", "", "", "Medidas:  1200 x 300 x 80 mm  (C x L x A)",
                                        "Difusor opalino"}));
    d.DiameterD = 150;
    EXPECT_EQ(BrowserDescriptionLines(d),
              (std::vector<std::string>{"Luminária de encastrar", "", "Ref.  LMV 4218",
                                        "Medidas : 80 x 150 mm  (A x D)", "Difusor opalino"}));
    EXPECT_EQ(EfficiencyText(65.4), "65,40 %");

    using Lines = std::array<std::string, 2>;
    EXPECT_EQ(ProductCatalogueLines(""), Lines{});
    EXPECT_EQ(ProductCatalogueLines("a\nb"), Lines{});
    EXPECT_EQ(ProductCatalogueLines("[X]\r\nCódigo\t123\r\nPreço\t45\r\n[]"), (Lines{"Código 123", "Preço 45"}));
}

} // namespace
} // namespace lumivar
