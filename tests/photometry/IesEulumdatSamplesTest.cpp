// The shipped IES and EULUMDAT samples: read through the extension switch, flux
// balance, one luminaire in both formats, and its light in a room.

#include "calc/Illuminance.h"
#include "photometry/PhotometryFile.h"
#include "photometry/PhotometryResampler.h"
#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace lumivar {
namespace {

const char* const kSamples[] = {"LV-DL150", "LV-BW1200", "LV-WW30", "LV-PE400"};

std::filesystem::path Sample(const std::string& name)
{
    return std::filesystem::path(LUMIVAR_DATA_DIR) / "Aparelhos" / name;
}

PhotometryFile ReadSample(const std::string& name)
{
    Result<PhotometryFile> f = ReadPhotometryFile(Sample(name));
    EXPECT_TRUE(f) << name << ": " << (f ? "" : f.Message());
    return f ? *f : PhotometryFile{};
}

TRefLuminaria Reference(const PhotometryFile& f)
{
    TRefLuminaria ref;
    ref.SetPhotometry(f.Data, f.Intensities, f.UGRTable, f.CPlaneCount, f.GammaCount);
    return ref;
}

TEST(IesEulumdatSamples, FluxFromTheTableMatchesEfficiencyTimesLampFlux)
{
    for (const char* base : kSamples)
        for (const char* ext : {".ies", ".ldt"}) {
            const std::string name = std::string(base) + ext;
            const PhotometryFile f = ReadSample(name);
            const double lampFlux = TotalFlux(f.Data);
            ASSERT_GT(lampFlux, 0) << name;
            const double tableFlux = TableFlux(f.Intensities) * lampFlux / 1000;
            const double declared = f.Data.Efficiency / 100.0 * lampFlux;
            EXPECT_NEAR(tableFlux, declared, 0.01 * declared) << name;
            EXPECT_EQ(f.GammaCount, 37);
            EXPECT_EQ(f.CPlaneCount, 24);
        }
    // The wall-washer's IES file gives absolute photometry: its lamp flux is the
    // luminaire flux, 1147.7 lm as integrated from the candela values.
    const PhotometryFile washer = ReadSample("LV-WW30.ies");
    EXPECT_EQ(washer.Data.Efficiency, 100.0f);
    EXPECT_NEAR(TotalFlux(washer.Data), 1147.70, 0.01);
}

TEST(IesEulumdatSamples, OneLuminaireGivesTheSameReferenceFromBothFormats)
{
    for (const char* base : kSamples) {
        const PhotometryFile ies = ReadSample(std::string(base) + ".ies");
        const PhotometryFile ldt = ReadSample(std::string(base) + ".ldt");
        double largest = 0;
        for (const auto& row : ies.Intensities)
            for (double v : row)
                largest = std::max(largest, v);
        ASSERT_GT(largest, 0) << base;
        for (int g = 0; g < kGammaRows; ++g)
            for (int c = 0; c < kCPlanes; ++c)
                ASSERT_NEAR(ies.Intensities[g][c], ldt.Intensities[g][c], 1e-6 * largest)
                    << base << " gamma " << 5 * g << " C " << 15 * c;
        EXPECT_NEAR(TotalFlux(ies.Data), TotalFlux(ldt.Data), 1e-6 * TotalFlux(ldt.Data)) << base;
        EXPECT_NEAR(ies.Data.Efficiency, ldt.Data.Efficiency, 0.05) << base;
        EXPECT_EQ(ies.Data.DiameterD, ldt.Data.DiameterD) << base;
        EXPECT_EQ(ies.Format, "IES LM-63");
        EXPECT_EQ(ldt.Format, "EULUMDAT");
    }
}

TEST(IesEulumdatSamples, ExtensionsInAnyLetterCaseAndTheDescriptionReader)
{
    std::ifstream in(Sample("LV-DL150.ldt"), std::ios::binary);
    const Bytes content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* ext : {".LDT", ".ldt", "Ldt"}) {
        const Result<PhotometryFile> f = ReadPhotometryBytes(content, ext, "LV-DL150");
        ASSERT_TRUE(f) << ext;
        EXPECT_EQ(f->Format, "EULUMDAT");
    }
    const Result<PhotometryDescription> ies = ReadDescriptionFile(Sample("LV-BW1200.ies"));
    ASSERT_TRUE(ies);
    EXPECT_EQ(ies->Format, "IES LM-63");
    EXPECT_EQ(ies->Data.Reference.Text(), "LV-BW1200");
    EXPECT_EQ(ies->Data.LengthC, 1200);
    const Result<PhotometryFile> broken = ReadPhotometryBytes(Bytes{'x'}, ".ies", "mau.ies");
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.Message().find("mau.ies: não é um ficheiro IES"), std::string::npos) << broken.Message();
}

TEST(IesEulumdatSamples, EveryTruncationIsReadOrRefusedCleanly)
{
    // Cut anywhere, a file is either still complete enough to read or refused with a
    // message; never a crash or a read past the end (the sanitizer build watches).
    for (const char* name : {"LV-BW1200.ies", "LV-BW1200.ldt"}) {
        std::ifstream in(Sample(name), std::ios::binary);
        const Bytes content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string ext = std::filesystem::path(name).extension().string();
        int refused = 0;
        for (std::size_t n = 0; n < content.size(); ++n) {
            const Result<PhotometryFile> f = ReadPhotometryBytes(ByteSpan(content).first(n), ext, name);
            if (!f) {
                ++refused;
                EXPECT_FALSE(f.Message().empty());
            }
        }
        EXPECT_GT(refused, int(content.size()) * 9 / 10) << name;
    }
}

TEST(IesEulumdatSamples, AsymmetricWallWasherKeepsItsThrow)
{
    for (const char* name : {"LV-WW30.ies", "LV-WW30.ldt"}) {
        const PhotometryFile f = ReadSample(name);
        EXPECT_TRUE(IsAsymmetric(f.Data)) << name;
        EXPECT_GT(f.Intensities[11][0], 3 * f.Intensities[11][12]) << name; // C0 throws, C180 does not
    }
}

// A 6 m x 4 m room, working plane at 0.8 m, one luminaire at (3, 2, 2.8), no maintenance loss.
TDadosProjecto Room()
{
    TDadosProjecto room;
    room.Length = 6;
    room.Width = 4;
    room.Height = 2.8f;
    room.WorkPlaneHeight = 0.8f;
    room.MaintenanceFactor = 1;
    return room;
}

double Lux(const TRefLuminaria& ref, float angle, double x, double y)
{
    TObjectoLuminaria lum;
    lum.Ref = &ref;
    lum.RefIndex = 0;
    lum.X = 3;
    lum.Y = 2;
    lum.Z = 2.8f;
    lum.Angle = angle;
    const TDadosProjecto room = Room();
    return PointIlluminance(room, std::span(&lum, 1), WorkPlane, y, x);
}

TEST(IesEulumdatSamples, SameIlluminanceFromBothFormatsInARoom)
{
    for (const char* base : kSamples) {
        const TRefLuminaria ies = Reference(ReadSample(std::string(base) + ".ies"));
        const TRefLuminaria ldt = Reference(ReadSample(std::string(base) + ".ldt"));
        for (float angle : {0.0f, 30.0f})
            for (double x : {0.4, 1.7, 3.0, 4.2, 5.6})
                for (double y : {0.3, 2.0, 3.1}) {
                    const double a = Lux(ies, angle, x, y);
                    ASSERT_GT(a, 0) << base;
                    EXPECT_NEAR(Lux(ldt, angle, x, y), a, 1e-6 * a) << base << " at " << x << ", " << y;
                }
    }
}

TEST(IesEulumdatSamples, LinearLuminaireShinesAcrossItsLength)
{
    // The batwing spreads wide across the lamps (C0) and narrow along them (C90). At
    // angle 0 its length lies along the plan's x: a point 1.5 m away along x gets less
    // light than one 1.5 m away along y; turned by 90 degrees, the other way round.
    for (const char* name : {"LV-BW1200.ies", "LV-BW1200.ldt"}) {
        const TRefLuminaria ref = Reference(ReadSample(name));
        EXPECT_LT(Lux(ref, 0, 4.5, 2.0), 0.8 * Lux(ref, 0, 3.0, 3.5)) << name;
        EXPECT_GT(Lux(ref, 90, 4.5, 2.0), 1.25 * Lux(ref, 90, 3.0, 3.5)) << name;
    }
}

} // namespace
} // namespace lumivar
