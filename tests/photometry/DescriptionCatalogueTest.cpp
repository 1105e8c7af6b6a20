#include "photometry/DescriptionCatalogue.h"
#include "photometry/ReferenceListEdit.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lumivar {
namespace {

DescriptionCatalogue Catalogue(std::string_view rtf)
{
    Result<DescriptionCatalogue> c = DescriptionCatalogue::FromBytes(rtf);
    EXPECT_TRUE(c.Ok());
    return c ? *c : DescriptionCatalogue();
}

TEST(DescriptionCatalogue, KeyIsTheFamilyPartOfTheReference)
{
    EXPECT_EQ(DescriptionCatalogue::KeyOf("LMV 4136 236 Louvre"), "[LMV]");
    EXPECT_EQ(DescriptionCatalogue::KeyOf("LV-DL150"), "[LV-DL150]"); // no blank: the whole reference
    EXPECT_EQ(DescriptionCatalogue::KeyOf(" LMV"), "[]");
}

TEST(DescriptionCatalogue, BlocksAndTheirMessages)
{
    const DescriptionCatalogue c = Catalogue(
        R"({\rtf1 [A]\par {\b Fam\'edlia A}\par cat\'e1logo\tab p. 3\par c\'f3digo\par []\par [B]\par sem fim})");
    const Result<RtfText> a = c.Block("[A]");
    ASSERT_TRUE(a.Ok());
    EXPECT_EQ(a->Text, "\nFamília A\ncatálogo\tp. 3\ncódigo\n");
    EXPECT_TRUE(a->Runs[1].Format.Bold);
    const std::array<std::string, 2> lines = ProductCatalogueLines(a->Text);
    EXPECT_EQ(lines[0], "catálogo p. 3");
    EXPECT_EQ(lines[1], "código");

    struct Case {
        const char* key;
        const char* message;
    };
    const Case misses[] = {
        {"[C]", "Não foi encontrada a luminária: [C]"},
        {"[B]", "Não foi possível determinar o bloco de informações da luminária: [B]"},
        {"[]", "Não foi encontrada a luminária: []"},
    };
    for (const Case& m : misses) {
        const Result<RtfText> r = c.Block(m.key);
        ASSERT_FALSE(r.Ok()) << m.key;
        EXPECT_EQ(r.Message(), m.message);
    }
    EXPECT_EQ(DescriptionCatalogue().Block("[A]").Message(), "Não foi encontrada a luminária: [A]");
}

TEST(DescriptionCatalogue, ShippedCatalogueDescribesEverySampleFamily)
{
    std::ifstream in(std::string(LUMIVAR_DATA_DIR) + "/LumivarM.Rtf", std::ios::binary);
    ASSERT_TRUE(in);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const DescriptionCatalogue c = Catalogue(bytes);
    for (const char* reference : {"LMV 4136 236 Louvre encastrado", "LV-BW1200", "LV-DL150", "LV-PE400", "LV-WW30"}) {
        const Result<RtfText> block = c.Block(DescriptionCatalogue::KeyOf(reference));
        ASSERT_TRUE(block.Ok()) << reference << ": " << block.Message();
        const std::array<std::string, 2> lines = ProductCatalogueLines(block->Text);
        EXPECT_NE(lines[0].find("Catálogo"), std::string::npos) << reference;
        EXPECT_NE(lines[1].find("Garantia"), std::string::npos) << reference;
    }
}

} // namespace
} // namespace lumivar
