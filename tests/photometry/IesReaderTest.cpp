#include "photometry/IesReader.h"
#include "base/TextEncoding.h"
#include "photometry/PhotometryResampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace lumivar {
namespace {

Result<PhotometryFile> Read(const std::string& text)
{
    return ReadIesPhotometry(ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// A small type C file: 1 lamp of 1000 lm (so candela = cd/klm), vertical 0, 45, 90,
// the given horizontal angles and, in every plane, the value 100 + C at every gamma.
std::string Planes(const std::string& horizontal, int count, const std::string& header = "IESNA:LM-63-2002")
{
    std::string text = header + "\n[LUMCAT] T-1\nTILT=NONE\n1 1000 1 3 " + std::to_string(count) +
                       " 1 2 0.5 1.0 0.0\n1 1 40\n0 45 90\n" + horizontal + "\n";
    std::size_t start = 0;
    while (start < horizontal.size()) {
        std::size_t end = horizontal.find(' ', start);
        if (end == std::string::npos)
            end = horizontal.size();
        const double c = std::stod(horizontal.substr(start, end - start));
        const std::string v = std::to_string(100 + c);
        text += v + " " + v + " " + v + "\n";
        start = end + 1;
    }
    return text;
}

TEST(IesReader, EverySymmetryIsCompletedOverTheCircle)
{
    struct Case {
        const char* Horizontal;
        int Count;
        // expected value (100 + the C of the stored plane the target mirrors to) per target C
        std::vector<std::pair<double, double>> Expected;
    };
    const Case cases[] = {
        {"0", 1, {{0, 100}, {90, 100}, {255, 100}}},
        {"0 30 60 90", 4, {{15, 115}, {90, 190}, {135, 145}, {195, 115}, {285, 175}}},
        {"0 45 90 135 180", 5, {{30, 130}, {180, 280}, {270, 190}, {345, 115}}},
        {"90 135 180 225 270", 5, {{0, 280}, {75, 205}, {300, 340}, {180, 280}, {270, 370}}},
        {"0 60 120 180 240 300", 6, {{30, 130}, {300, 400}, {330, 250}}},
        {"0 90 180 270 360", 5, {{45, 145}, {315, 235}}}, // C360 repeats C0, whose values count
    };
    for (const Case& k : cases) {
        const Result<PhotometryFile> f = Read(Planes(k.Horizontal, k.Count));
        ASSERT_TRUE(f) << k.Horizontal << ": " << f.Message();
        EXPECT_EQ(f->GammaCount, 37);
        EXPECT_EQ(f->CPlaneCount, 24);
        for (const auto& [c, expected] : k.Expected)
            EXPECT_NEAR(f->Intensities[9][int(c / 15)], expected, 1e-9) << k.Horizontal << " at C " << c;
        EXPECT_EQ(f->Intensities[19][0], 0) << "nothing above 90 degrees";
    }
}

TEST(IesReader, EditionsScalesAndBallastFactors)
{
    // candela = value x multiplier x ballast factor (x ballast-lamp factor before 2002);
    // relative photometry: per 2 x 500 lm.
    struct Case {
        const char* Header;
        double Expected;
    };
    const Case cases[] = {
        {"Luminaria antiga, sem cabecalho", 100 * 2 * 0.9 * 0.5},
        {"IESNA91", 100 * 2 * 0.9 * 0.5},
        {"IESNA:LM-63-1995", 100 * 2 * 0.9 * 0.5},
        {"IESNA:LM-63-2002", 100 * 2 * 0.9},
        {"IES:LM-63-2019", 100 * 2 * 0.9},
    };
    for (const Case& k : cases) {
        const std::string text =
            std::string(k.Header) + "\nTILT=NONE\n2, 500, 2, 2, 1, 1, 2, 0.5, 1.0, 0.0\n0.9 0.5 40\n0 90\n0\n100 0\n";
        const Result<PhotometryFile> f = Read(text);
        ASSERT_TRUE(f) << k.Header << ": " << f.Message();
        EXPECT_NEAR(f->Intensities[0][5], k.Expected, 1e-9) << k.Header;
        EXPECT_EQ(f->Data.LampCount[0], 2);
        EXPECT_EQ(f->Data.LampFlux[0], 500);
        EXPECT_EQ(f->Data.LampPower[0], 20);
        EXPECT_EQ(f->Data.LampCode[0].Text(), "220");
        EXPECT_EQ(f->Format, "IES LM-63");
    }
}

TEST(IesReader, AbsolutePhotometryTakesTheIntegratedFlux)
{
    // Linear in gamma from 2000 cd down to 0 at the horizon: the flux, integrated finely here.
    const Result<PhotometryFile> f =
        Read("IESNA:LM-63-2002\nTILT=NONE\n1 -1 1 3 1 1 2 0 0 0\n1 1 15\n0 45 90\n0\n2000 1000 0\n");
    ASSERT_TRUE(f) << f.Message();
    double flux = 0;
    const int steps = 100000;
    for (int i = 0; i < steps; ++i) {
        const double g = (i + 0.5) * (std::numbers::pi / 2) / steps;
        flux += 2000 * (1 - g / (std::numbers::pi / 2)) * std::sin(g) * (std::numbers::pi / 2) / steps;
    }
    flux *= 2 * std::numbers::pi;
    EXPECT_NEAR(f->Data.LampFlux[0], flux, 1e-6 * flux);
    EXPECT_EQ(f->Data.LampCount[0], 1);
    EXPECT_EQ(f->Data.Efficiency, 100.0f);
    EXPECT_NEAR(f->Intensities[0][0], 2000 * 1000 / flux, 1e-6);
    EXPECT_NEAR(TableFlux(f->Intensities) * TotalFlux(f->Data) / 1000, flux, 1e-6 * flux);
}

TEST(IesReader, RelativePhotometryEfficiencyIsTheIntegratedRatio)
{
    // 100 cd/klm over the lower half: 200 pi lm per klm, 62.8 %.
    const Result<PhotometryFile> f =
        Read("IESNA:LM-63-2002\nTILT=NONE\n1 1000 1 3 1 1 2 0 0 0\n1 1 15\n0 45 90\n0\n100 100 100\n");
    ASSERT_TRUE(f);
    EXPECT_NEAR(f->Data.Efficiency, 20 * std::numbers::pi, 1e-4);
}

TEST(IesReader, SizesInFeetOrMetresAndRoundOpenings)
{
    const std::string numbers = "\n1 -1 1 2 1 1 ";
    const std::string tail = "\n1 1 10\n0 90\n0\n10 0\n";
    Result<PhotometryFile> f = Read("IESNA:LM-63-2002\nTILT=NONE" + numbers + "1 1.0 4.0 0.25" + tail);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Data.WidthL, 305);
    EXPECT_EQ(f->Data.LengthC, 1219);
    EXPECT_EQ(f->Data.HeightA, 76);
    EXPECT_EQ(f->Data.DiameterD, 0);
    f = Read("IESNA:LM-63-2002\nTILT=NONE" + numbers + "2 -0.2 -0.2 0.05" + tail);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Data.DiameterD, 200);
    EXPECT_EQ(f->Data.LengthC, 0);
    EXPECT_EQ(f->Data.WidthL, 0);
    EXPECT_EQ(f->Data.HeightA, 50);
}

TEST(IesReader, TiltIsAppliedAtLevelMountingOrStated)
{
    const std::string body = "1 1000 1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100 0\n";
    // Tilt table wrapped over lines; factor 0.8 at 0 degrees.
    Result<PhotometryFile> f = Read("IESNA:LM-63-2002\nTILT=INCLUDE\n1\n3\n0 45\n90\n0.8 0.9 1.0\n" + body);
    ASSERT_TRUE(f) << f.Message();
    EXPECT_NEAR(f->Intensities[0][0], 80, 1e-9);
    EXPECT_TRUE(f->Data.Characteristics[3].Empty());

    f = Read("IESNA:LM-63-2002\nTILT=INCLUDE\n1\n2\n10 90\n0.8 1.0\n" + body);
    ASSERT_TRUE(f);
    EXPECT_NEAR(f->Intensities[0][0], 100, 1e-9);
    EXPECT_EQ(Cp1252ToUtf8(f->Data.Characteristics[3].Text()), "tabela de inclinação sem 0°: não aplicada");

    f = Read("IESNA:LM-63-1995\nTILT=LAMPADA.TLT\n" + body);
    ASSERT_TRUE(f);
    EXPECT_EQ(Cp1252ToUtf8(f->Data.Characteristics[3].Text()), "inclinação no ficheiro LAMPADA.TLT: não aplicada");
}

TEST(IesReader, TextsLandInTheDescriptionFields)
{
    // One Latin-1 keyword line, one UTF-8 line; [MORE] continues the luminaire's text.
    const std::string text = "IESNA:LM-63-2002\n[TEST] R-7\n[MANUFAC] F\xE1"
                             "brica\n[LUMCAT] AB-12\n[LUMINAIRE] Calha estanque\n[MORE] IP65\n"
                             "[LAMP] T8 36 W\n[OTHER] Luminária ASSIMÉTRICA\nTILT=NONE\n"
                             "1 3350 1 2 1 1 2 0 0 0\n1 1 40\n0 90\n0\n100 0\n";
    const Result<PhotometryFile> f = Read(text);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Data.Reference.Text(), "AB-12");
    EXPECT_EQ(f->Data.Description.Text(), "Calha estanque IP65");
    EXPECT_EQ(Cp1252ToUtf8(f->Data.Description2.Text()), "Fábrica");
    EXPECT_EQ(f->Data.LampName[0].Text(), "T8 36 W");
    EXPECT_EQ(Cp1252ToUtf8(f->Data.Characteristics[1].Text()), "IES LM-63-2002; ensaio R-7");
    EXPECT_EQ(Cp1252ToUtf8(f->Data.Characteristics[2].Text()), "Luminária ASSIMÉTRICA");
    EXPECT_EQ(f->Data.LampKindCount, 1);
}

TEST(IesReader, MalformedFilesAreRefusedNamingTheLine)
{
    const std::string head = "IESNA:LM-63-2002\nTILT=NONE\n";
    struct Case {
        std::string Text;
        const char* Message;
    };
    const Case cases[] = {
        {"IESNA:LM-63-2002\n[TEST] x\n1 1000 1 2 1 1 2 0 0 0\n", "falta a linha TILT="},
        {head + "1 1000 1 2 1 1 2 0 0\n", "o ficheiro acaba na linha 3 antes de dimensões"},
        {head + "1 1000 1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100\n",
         "linha 5: o ficheiro anuncia 2 ângulos verticais e 1 horizontais, mas tem só 4 dos 5"},
        {head + "1 1000 1 2 1 1 2 0 0 0\n1 1 10\n0 noventa\n0\n100 0\n", "linha 5: esperava-se um número"},
        {head + "1 1000 1 -2 1 1 2 0 0 0\n1 1 10\n", "linha 3: número de ângulos verticais inválido (-2)"},
        {head + "1 1000 1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100 0 7\n", "linha 7: há 1 valores a mais"},
        {head + "1 1000 1 3 1 1 2 0 0 0\n1 1 10\n0 90 45\n0\n100 0 0\n",
         "linha 5: os ângulos verticais não são crescentes"},
        {head + "1 1000 1 2 2 1 2 0 0 0\n1 1 10\n0 90\n0 45\n100 0 100 0\n", "simetria"},
        {head + "1 1000 1 2 1 2 2 0 0 0\n1 1 10\n0 90\n0\n100 0\n", "tipo B não é suportada"},
        {head + "1 1000 1 2 1 3 2 0 0 0\n1 1 10\n0 90\n0\n100 0\n", "tipo A não é suportada"},
        {head + "1 0 1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100 0\n", "lúmenes por lâmpada inválidos"},
        {head + "1 1000 1 90000 90000 1 2 0 0 0\n1 1 10\n0 90\n", "anuncia 90000 ângulos verticais"},
        {head + "1 1000 1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n0 0\n", "não emite fluxo"},
        {"IESNA:LM-63-2002\nTILT=INCLUDE\n1\n99999\n0 1\n", "tabela de inclinação anuncia 99999"},
        {"", "vazio"},
    };
    for (const Case& k : cases) {
        const Result<PhotometryFile> f = Read(k.Text);
        ASSERT_FALSE(f) << k.Text;
        EXPECT_NE(f.Message().find(k.Message), std::string::npos) << f.Message();
    }
}

} // namespace
} // namespace lumivar
