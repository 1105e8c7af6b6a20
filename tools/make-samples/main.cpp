// Writes the sample data that ships with the program: six luminaires of our own
// design in the three photometric formats the program reads, and an office project
// that uses three of them. Run it from the build:  make-samples DATA_DIR
//
// The intensity tables are built from smooth shapes (across the lamps in C0, along
// them in C90, blended by cos²C / sin²C) and scaled so that the flux integrated from
// the table equals the stated light output ratio.

#include "base/TextEncoding.h"
#include "photometry/LampBase.h"
#include "project/ProjectFile.h"
#include "support/PhotometryWriters.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>

namespace fs = std::filesystem;
using namespace lumivar;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

using Shape = std::function<double(double gammaDeg, double cDeg)>;

// Luminous flux per 1000 lm of lamp flux given by a table, by zones of 5° x 15°.
double TableFlux(const IntensityTable& t)
{
    double flux = 0;
    for (int g = 0; g < kGammaRows; ++g) {
        const double g1 = std::max(0.0, 5.0 * g - 2.5) * kDeg;
        const double g2 = std::min(180.0, 5.0 * g + 2.5) * kDeg;
        for (int c = 0; c < kCPlanes; ++c)
            flux += t[g][c] * 15.0 * kDeg * (std::cos(g1) - std::cos(g2));
    }
    return flux;
}

// The table of a shape, scaled to the light output ratio lor (0..1); values rounded
// to 0.1 cd/klm as a photometric laboratory would report them.
IntensityTable MakeTable(const Shape& shape, double lor)
{
    IntensityTable t{};
    for (int g = 0; g < kGammaRows; ++g)
        for (int c = 0; c < kCPlanes; ++c)
            t[g][c] = std::max(0.0, shape(5.0 * g, 15.0 * c));
    const double scale = lor * 1000.0 / TableFlux(t);
    for (auto& row : t)
        for (double& v : row)
            v = std::round(v * scale * 10.0) / 10.0;
    return t;
}

// Blend of a distribution across the lamps (C0/C180) and one along them (C90/C270).
Shape Blend(std::function<double(double)> across, std::function<double(double)> along)
{
    return [across, along](double g, double c) {
        const double cc = std::cos(c * kDeg);
        return cc * cc * across(g) + (1 - cc * cc) * along(g);
    };
}

double CosPow(double gDeg, double p, double cutoffDeg)
{
    if (gDeg >= cutoffDeg)
        return 0;
    const double v = std::pow(std::cos(gDeg * kDeg), p);
    // Soft edge over the last 15° before the cut-off of the louvre or reflector.
    const double edge = std::clamp((cutoffDeg - gDeg) / 15.0, 0.0, 1.0);
    return v * edge;
}

void FillUgr(UgrTable& ugr, float base)
{
    // Larger rooms see more luminaires; the view along the lamps is a little lower.
    const float growX[] = {0, 0.9f, 1.6f, 2.0f};
    const float growY[] = {0, 0.4f, 0.7f, 1.0f, 1.2f, 1.4f};
    int row = 0;
    const int ys[4][6] = {{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}, {2, 3, 4, 5, -1, -1}, {2, 3, 4, -1, -1, -1}};
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 6 && ys[x][y] >= 0; ++y, ++row)
            for (int col = 0; col < kUgrColumns; ++col) {
                const float refl[] = {0, 0.6f, 0.3f, 1.0f, 1.6f};
                const float v = base + growX[x] + growY[ys[x][y]] + refl[col % 5] - (col >= 5 ? 0.8f : 0.0f);
                ugr[row][col] = std::round(v * 10.0f) / 10.0f;
            }
}

template <std::size_t N> void SetText(ShortString<N>& s, const char* utf8)
{
    s = Utf8ToCp1252(utf8);
}

struct Lamp {
    const char* Code;
    const char* Name;
    const char* Base;
    int Count;
    double Flux;
    int Power;
};

TRefLuminaria MakeReference(const char* reference, const char* description, const char* description2, const Lamp& lamp,
                            int lengthC, int widthL, int heightA, int diameterD, double lor, const Shape& shape)
{
    TRefLuminaria ref;
    TDadosLuminaria& d = ref.Data;
    SetText(d.Reference, reference);
    SetText(d.Description, description);
    SetText(d.Description2, description2);
    d.AuxValue = 1;
    d.PhotometryKind = 1;
    d.LampKindCount = 1;
    SetText(d.LampCode[0], lamp.Code);
    SetText(d.LampName[0], lamp.Name);
    SetText(d.LampBase[0], lamp.Base);
    SetText(d.Characteristics[0], lamp.Base);
    d.LampCount[0] = lamp.Count;
    d.LampFlux[0] = lamp.Flux;
    d.LampPower[0] = lamp.Power;
    d.LengthC = lengthC;
    d.WidthL = widthL;
    d.HeightA = heightA;
    d.DiameterD = diameterD;
    d.Efficiency = float(std::round(lor * 1000.0) / 10.0);
    ref.Intensities = MakeTable(shape, lor);
    ref.GammaCount = kGammaRows;
    ref.CPlaneCount = kCPlanes;
    return ref;
}

void WriteFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    std::printf("wrote %s (%zu bytes)\n", path.string().c_str(), bytes.size());
}

void SetCosts(TRefLuminaria& ref, float luminairePrice, float lampPrice, float lampLife)
{
    ref.SetCostDefaults();
    TCustosLuminaria& c = ref.Costs;
    c.LuminairePrice = luminairePrice;
    c.LampPrice[0] = lampPrice;
    c.LampLife[0] = lampLife;
    c.InstallCost = 18.5f;
    c.EnergyPrice = 0.162f;
    c.AnnualUse = 2600;
    c.CleaningCost = 3.5f;
    c.ReplacementCost = 6;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make-samples DATA_DIR\n", stderr);
        return 2;
    }
    const fs::path data = argv[1];
    const fs::path lum = data / "Aparelhos";
    fs::create_directories(lum);
    fs::create_directories(data / "samples");

    // 1. Recessed louvre 2 x 36 W: wide across the lamps, cut off along them. Text format.
    TRefLuminaria louvre = MakeReference(
        "LMV 4136 236 Louvre encastrado", "Luminária de encastrar com grelha parabólica em alumínio especular",
        "Corpo em chapa de aço lacada a branco; 600 x 1200 mm", {"236", "TL-D 36W/840", "BASE G13", 2, 3350, 36}, 1197,
        597, 85, 0, 0.66,
        Blend([](double g) { return CosPow(g, 0.9, 80) * (1 + 0.35 * std::pow(std::sin(2 * g * kDeg), 2)); },
              [](double g) { return CosPow(g, 1.7, 70); }));
    SetText(louvre.Data.Characteristics[1], "Grelha de baixa luminância, UGR < 19");
    FillUgr(louvre.UGRTable, 15.8f);

    // 2. Recessed square louvre 4 x 18 W, symmetric in both planes. BDB 3.1.
    TRefLuminaria square = MakeReference(
        "LMV 4218 418 Louvre quadrado", "Luminária quadrada de encastrar em tecto modular, grelha em V",
        "Para tectos falsos 600 x 600 mm", {"418", "TL-D 18W/840", "BASE G13", 4, 1350, 18}, 597, 597, 80, 0, 0.62,
        Blend([](double g) { return CosPow(g, 1.2, 75); }, [](double g) { return CosPow(g, 1.3, 72); }));
    FillUgr(square.UGRTable, 16.4f);

    // 3. Round compact-fluorescent downlight 2 x 26 W, rotationally symmetric. "Original".
    TRefLuminaria downlight =
        MakeReference("LMV 5226 226 Downlight", "Downlight de encastrar com reflector facetado",
                      "Diâmetro de corte 205 mm", {"226", "TC-D 26W/840", "BASE G24D/Q", 2, 1800, 26}, 0, 0, 120, 220,
                      0.55, [](double g, double) { return CosPow(g, 1.6, 65); });

    // 4. High-bay 400 W, narrow reflector. BDB 2.0 (no UGR table).
    TRefLuminaria highbay =
        MakeReference("LMV 7400 40H Campânula industrial", "Campânula em alumínio anodizado para pés-direitos altos",
                      "Equipamento eléctrico incorporado", {"40H", "HIE 400W/E40", "BASE E40", 1, 32000, 400}, 0, 0,
                      560, 500, 0.75, [](double g, double) { return CosPow(g, 3.0, 70); });

    // 5. Asymmetric wall-washer 1 x 42 W, throws towards C0. Text format; kept asymmetric.
    TRefLuminaria washer =
        MakeReference("LMV 8142 142 Projector de parede", "Projector de tecto para iluminação uniforme de paredes",
                      "Reflector assimétrico", {"142", "TC-TEL 42W/840", "BASE GX24Q", 1, 3200, 42}, 260, 260, 150, 0,
                      0.58, [](double g, double c) {
                          if (g >= 90)
                              return 0.0;
                          const double toward = std::cos(c * kDeg); // +1 towards C0, -1 away
                          const double lobe =
                              std::exp(-std::pow((g - 35) / 22.0, 2)) * (0.15 + 0.85 * std::max(0.0, toward));
                          return 0.35 * CosPow(g, 1.0, 90) + lobe;
                      });
    SetText(washer.Data.Characteristics[1], "Distribuição ASSIMÉTRICO para paredes");

    // 6. Suspended uplight 1 x 58 W: the file gives only the upper half. "Original", kind 3.
    TRefLuminaria uplight = MakeReference(
        "LMV 9158 158 Suspensão indirecta", "Luminária suspensa de luz indirecta", "Suspensão por cabos, 1500 mm",
        {"158", "TL-D 58W/840", "BASE G13", 1, 5200, 58}, 1520, 180, 60, 0, 0.78,
        Blend([](double g) { return g < 95 ? 0.0 : std::pow(-std::cos(g * kDeg), 0.8); },
              [](double g) { return g < 95 ? 0.0 : std::pow(-std::cos(g * kDeg), 1.6); }));
    uplight.Data.PhotometryKind = 3;
    uplight.GammaCount = 19;

    WriteFile(lum / "LMV4136.ASC", WriteAscFile(louvre));
    WriteFile(lum / "LMV4218.BDB", WriteBdbFile(square, BdbSignature("BDB v3.1")));
    WriteFile(lum / "LMV5226.ORG", WriteOriginalFile(downlight));
    WriteFile(lum / "LMV7400.BDB", WriteBdbFile(highbay, BdbSignature("BDB v2.0")));
    WriteFile(lum / "LMV8142.ASC", WriteAscFile(washer));
    WriteFile(lum / "LMV9158.ORG", WriteOriginalFile(uplight));

    // The office: 10 m x 6 m, 2.8 m high, eight louvres in two rows, two downlights at
    // the entrance and three wall-washers on wall B.
    ProjectDocument doc = ProjectDocument::New(ProjectDefaults{}, 46367.4166666667); // 2026-12-11 10:00
    TDadosProjecto& p = doc.ProjectData;
    SetText(p.ProjectName, "Escritório do piso 1");
    SetText(p.Number, "2026/014");
    SetText(p.Designer, "Equipa Lumivar");
    SetText(p.Space, "Sala de trabalho aberta");
    p.Length = 10;
    p.Width = 6;
    p.Height = 2.8f;
    p.WorkPlaneHeight = 0.8f;
    p.Illuminance = 500;
    p.Reflectance = {50, 50, 50, 50, 70, 20};
    p.Margin = 0.5f;
    doc.Observations = Utf8ToCp1252("Iluminação geral com grelhas de baixa luminância; paredes do lado norte "
                                    "realçadas com projectores assimétricos.");
    SetCosts(louvre, 96, 2.9f, 15000);
    SetCosts(downlight, 58, 4.5f, 12000);
    SetCosts(washer, 132, 7.8f, 12000);
    for (TRefLuminaria* ref : {&louvre, &downlight, &washer})
        doc.LuminaireRefs.push_back(std::make_unique<TRefLuminaria>(*ref));

    int number = 0;
    auto place = [&](int refIndex, float x, float y, float z, float angle) {
        TObjectoLuminaria l;
        l.RefIndex = refIndex;
        l.X = x;
        l.Y = y;
        l.Z = z;
        l.Angle = angle;
        l.Number = ++number;
        doc.AddLuminaire(l);
    };
    for (const float y : {1.5f, 4.5f})
        for (const float x : {1.25f, 3.75f, 6.25f, 8.75f})
            place(0, x, y, 2.8f, 0);
    place(1, 0.6f, 2.4f, 2.8f, 0);
    place(1, 0.6f, 3.6f, 2.8f, 0);
    for (const float x : {2.5f, 5.0f, 7.5f})
        place(2, x, 5.2f, 2.8f, 180);

    const fs::path prj = data / "samples" / "Escritorio.prj";
    const Status saved = SaveProjectFile(doc, prj.string());
    if (!saved) {
        std::fprintf(stderr, "%s\n", saved.Message().c_str());
        return 1;
    }
    std::printf("wrote %s\n", prj.string().c_str());
    return 0;
}
