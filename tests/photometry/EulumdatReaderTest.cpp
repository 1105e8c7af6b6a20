#include "photometry/EulumdatReader.h"
#include "base/TextEncoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lumivar {
namespace {

Result<PhotometryFile> Read(const std::string& text)
{
    return ReadEulumdatPhotometry(ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

struct LdtFile {
    int Isym = 0;
    int Mc = 24;
    std::vector<std::string> Header23To25 = {"75", "1", "0"}; // LORL, conversion factor, tilt
    std::vector<std::vector<std::string>> Sets = {{"1", "T8 36 W", "3350", "4000", "85", "43"}};
    std::vector<std::string> Gammas = {"0", "45", "90", "180"};
    std::string Width = "300";
    // Value of every gamma of a stored plane at angle C.
    double (*PlaneValue)(double c) = [](double c) { return 100 + c; };

    std::vector<double> StoredAngles() const
    {
        const double dc = 360.0 / Mc;
        std::vector<double> a;
        auto add = [&](int from, int count) {
            for (int i = 0; i < count; ++i)
                a.push_back(dc * ((from + i) % Mc));
        };
        switch (Isym) {
        case 1:
            add(0, 1);
            break;
        case 2:
            add(0, Mc / 2 + 1);
            break;
        case 3:
            add(3 * Mc / 4, Mc / 2 + 1);
            break;
        case 4:
            add(0, Mc / 4 + 1);
            break;
        default:
            add(0, Mc);
            break;
        }
        return a;
    }

    std::string Text() const
    {
        std::vector<std::string> l = {"Fabricante",
                                      "1",
                                      std::to_string(Isym),
                                      std::to_string(Mc),
                                      std::to_string(360.0 / Mc),
                                      std::to_string(Gammas.size()),
                                      "0",
                                      "REL-1",
                                      "Projector de teste",
                                      "NUM-1",
                                      "teste.ldt",
                                      "2024-05-01",
                                      "600",
                                      Width,
                                      "80",
                                      "500",
                                      "250",
                                      "0",
                                      "0",
                                      "0",
                                      "0",
                                      "100"};
        l.insert(l.end(), Header23To25.begin(), Header23To25.end());
        l.push_back(std::to_string(Sets.size()));
        for (const auto& s : Sets)
            l.insert(l.end(), s.begin(), s.end());
        for (int i = 0; i < 10; ++i)
            l.push_back("0.5");
        for (int i = 0; i < Mc; ++i)
            l.push_back(std::to_string(360.0 / Mc * i));
        l.insert(l.end(), Gammas.begin(), Gammas.end());
        for (double c : StoredAngles())
            for (std::size_t g = 0; g < Gammas.size(); ++g)
                l.push_back(std::to_string(PlaneValue(c)));
        std::string text;
        for (const auto& line : l)
            text += line + "\r\n";
        return text;
    }
};

TEST(EulumdatReader, EverySymmetryIndicatorIsCompletedOverTheCircle)
{
    struct Case {
        int Isym;
        double (*PlaneValue)(double);
        std::vector<std::pair<double, double>> Expected; // target C, value
    };
    const Case cases[] = {
        {0, [](double c) { return 100 + c; }, {{0, 100}, {195, 295}, {345, 445}}},
        {1, [](double) { return 70.0; }, {{0, 70}, {120, 70}, {300, 70}}},
        {2, [](double c) { return 100 + c; }, {{90, 190}, {270, 190}, {330, 130}}},
        // Isym 3 stores C270 -> C0 -> C90; a value rising along that order shows which half is which.
        {3,
         [](double c) { return 100 + std::fmod(c + 90, 360); },
         {{270, 100}, {0, 190}, {90, 280}, {180, 190}, {120, 250}}},
        {4, [](double c) { return 100 + c; }, {{60, 160}, {120, 160}, {240, 160}, {300, 160}, {180, 100}}},
    };
    for (const Case& k : cases) {
        LdtFile file;
        file.Isym = k.Isym;
        file.PlaneValue = k.PlaneValue;
        const Result<PhotometryFile> f = Read(file.Text());
        ASSERT_TRUE(f) << "Isym " << k.Isym << ": " << f.Message();
        for (const auto& [c, expected] : k.Expected)
            EXPECT_NEAR(f->Intensities[9][int(c / 15)], expected, 1e-9) << "Isym " << k.Isym << " at C " << c;
        EXPECT_EQ(f->Format, "EULUMDAT");
    }
}

TEST(EulumdatReader, LampSetsDimensionsAndTexts)
{
    LdtFile file;
    file.Sets = {{"2", "T5 28 W", "5200", "4000", "85", "62"}, {"-1", "LED de presença", "300,5", "3000", "80", "3"}};
    file.Header23To25 = {"68,5", "2", "0"};
    const Result<PhotometryFile> f = Read(file.Text());
    ASSERT_TRUE(f) << f.Message();
    const TDadosLuminaria& d = f->Data;
    EXPECT_EQ(d.LampKindCount, 2);
    EXPECT_EQ(d.LampCount[0], 2);
    EXPECT_EQ(d.LampFlux[0], 2600);
    EXPECT_EQ(d.LampPower[0], 31);
    EXPECT_EQ(d.LampCode[0].Text(), "231");
    EXPECT_EQ(d.LampName[0].Text(), "T5 28 W");
    EXPECT_EQ(d.LampCount[1], 1);
    EXPECT_EQ(d.LampFlux[1], 300.5);
    EXPECT_EQ(Cp1252ToUtf8(d.LampName[1].Text()), "LED de presença");
    EXPECT_DOUBLE_EQ(TotalFlux(d), 5500.5);
    EXPECT_FLOAT_EQ(d.Efficiency, 68.5f);
    EXPECT_EQ(d.LengthC, 600);
    EXPECT_EQ(d.WidthL, 300);
    EXPECT_EQ(d.HeightA, 80);
    EXPECT_EQ(d.DiameterD, 0);
    EXPECT_EQ(d.Reference.Text(), "NUM-1");
    EXPECT_EQ(d.Description.Text(), "Projector de teste");
    EXPECT_EQ(d.Description2.Text(), "Fabricante");
    EXPECT_EQ(Cp1252ToUtf8(d.Characteristics[1].Text()), "EULUMDAT; relatório REL-1; 2024-05-01");
    EXPECT_NEAR(f->Intensities[9][2], 2 * (100 + 30), 1e-9); // conversion factor 2

    file.Width = "0";
    const Result<PhotometryFile> round = Read(file.Text());
    ASSERT_TRUE(round);
    EXPECT_EQ(round->Data.DiameterD, 600);
    EXPECT_EQ(round->Data.LengthC, 0);
    EXPECT_EQ(round->Data.WidthL, 0);
}

TEST(EulumdatReader, MalformedFilesAreRefusedNamingTheLine)
{
    struct Case {
        std::string Text;
        const char* Message;
    };
    std::vector<Case> cases;
    LdtFile file;
    file.Isym = 2;
    std::string text = file.Text();
    // Claims Isym 4 over data laid out for Isym 2: the C90 plane sits where C0..C90 should end.
    cases.push_back({std::string(text).replace(text.find("\r\n2\r\n"), 5, "\r\n4\r\n"), "há linhas a mais"});
    cases.push_back({text.substr(0, text.rfind("\r\n", text.size() - 3) + 2), "pedem"});
    cases.push_back(
        {std::string(text).replace(text.find("\r\n600\r\n") + 2, 3, "seiscentos"), "linha 13: esperava-se um número"});
    cases.push_back({std::string(text).replace(text.find("\r\n2\r\n24\r\n") + 5, 2, "-3"),
                     "linha 4: número de planos C Mc inválido"});
    cases.push_back(
        {std::string(text).replace(text.find("\r\n2\r\n"), 5, "\r\n7\r\n"), "linha 3: indicador de simetria"});
    LdtFile five;
    five.Sets.assign(5, five.Sets[0]);
    cases.push_back({five.Text(), "linha 26: 5 conjuntos de lâmpadas"});
    LdtFile gammas;
    gammas.Gammas = {"0", "90", "45", "180"};
    cases.push_back({gammas.Text(), "os ângulos gama não são crescentes"});
    LdtFile quarter;
    quarter.Isym = 4;
    quarter.Mc = 18; // 18 / 4 + 1 = 5 planes end at C80, not C90
    cases.push_back({quarter.Text(), "devia ser 90 e é 80"});
    cases.push_back({"", "vazio"});
    for (const Case& k : cases) {
        const Result<PhotometryFile> f = Read(k.Text);
        ASSERT_FALSE(f) << k.Message;
        EXPECT_NE(f.Message().find(k.Message), std::string::npos) << f.Message();
    }
}

} // namespace
} // namespace lumivar
