#include "base/TextEncoding.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/RecordJson.h"
#include "photometry/LampBase.h"
#include "photometry/PhotometryFile.h"
#include "project/ProjectFile.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace lumivar::cli {
namespace {

std::string Utf8(std::string_view cp1252)
{
    return Cp1252ToUtf8(cp1252);
}

// A project file is recognised by its signature, whatever its extension.
bool LooksLikeProject(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<std::uint8_t, kProjectSignatureSize> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), head.size()))
        return false;
    return VersionFromSignature(head).has_value();
}

void PrintReference(const TRefLuminaria& ref, int index)
{
    const TDadosLuminaria& d = ref.Data;
    if (index >= 0)
        std::printf("  [%d] ", index);
    else
        std::printf("  ");
    std::printf("%s\n", Utf8(d.Reference.View()).c_str());
    if (!d.Description.Empty())
        std::printf("      %s\n", Utf8(d.Description.View()).c_str());
    for (int k = 0; k < std::max(1, d.KindsInUse()); ++k) {
        std::vector<BallastItem> ballasts;
        const LampBaseResult base = LampBaseInfo(d, k + 1, ballasts);
        std::printf("      lamps %d: %d x %s (%s, %s), %.0f lm, %d W\n", k + 1, d.LampCount[k],
                    Utf8(d.LampName[k].View()).c_str(), Utf8(d.LampBase[k].View()).c_str(),
                    LampTypeName(base.LampType).c_str(), d.LampFlux[k], d.LampPower[k]);
    }
    double peak = 0;
    for (const auto& row : ref.Intensities)
        for (const double v : row)
            peak = std::max(peak, v);
    std::printf("      total flux %.0f lm, efficiency %.1f %%, peak intensity %.1f cd/klm\n", TotalFlux(d),
                double(d.Efficiency), peak);
    std::printf("      size C %d x L %d x A %d mm", d.LengthC, d.WidthL, d.HeightA);
    if (d.DiameterD != 0)
        std::printf(", diameter %d mm", d.DiameterD);
    std::printf(", centre offset %d mm\n", d.CentreOffset);
    std::printf("      table %d gamma rows x %d C-planes%s%s\n", ref.GammaCount, ref.CPlaneCount,
                d.PhotometryKind == 3 ? ", upper half only" : "", IsAsymmetric(d) ? ", asymmetric" : "");
}

int ProjectInfo(const std::string& path, bool json)
{
    auto read = ReadProjectFile(path, ProjectDefaults{}, CurrentDateTime());
    if (!read) {
        std::fprintf(stderr, "%s\n", read.Message().c_str());
        return 1;
    }
    const ProjectDocument& doc = read->Document;
    if (json) {
        JsonWriter w;
        WriteJson(w, doc);
        std::fputs(w.Text().c_str(), stdout);
        return 0;
    }
    const TDadosProjecto& p = doc.ProjectData;
    if (!read->ConversionNotice.empty())
        std::printf("%s\n\n", read->ConversionNotice.c_str());
    std::printf("Project file %s (version %s)\n", doc.FileName.c_str(),
                std::string(VersionName(read->Version)).c_str());
    std::printf("  Projecto     %s\n  Nº           %s\n  Projectista  %s\n  Espaço       %s\n",
                Utf8(p.ProjectName.View()).c_str(), Utf8(p.Number.View()).c_str(), Utf8(p.Designer.View()).c_str(),
                Utf8(p.Space.View()).c_str());
    std::printf("  Room %.2f m x %.2f m, height %.2f m, working plane %.2f m, margin %.2f m\n", double(p.Length),
                double(p.Width), double(p.Height), double(p.WorkPlaneHeight), double(p.Margin));
    std::printf("  Reflectances: walls A %d, B %d, C %d, D %d, ceiling %d, working plane %d %%\n", p.Reflectance[0],
                p.Reflectance[1], p.Reflectance[2], p.Reflectance[3], p.Reflectance[4], p.Reflectance[5]);
    std::printf("  Required %d lux, maintenance factor %.2f\n", p.Illuminance, double(p.MaintenanceFactor));
    std::printf("  Results: %s\n", p.Results.DirectDone && p.Results.IndirectDone ? "calculated" : "not calculated");
    std::printf("Luminaire references: %zu\n", doc.LuminaireRefs.size());
    for (std::size_t i = 0; i < doc.LuminaireRefs.size(); ++i) {
        PrintReference(*doc.LuminaireRefs[i], int(i));
        std::printf("      placed %d\n", doc.LuminaireRefs[i]->Quantity);
    }
    std::printf("Placed luminaires: %zu\n", doc.Luminaires.size());
    for (const auto& l : doc.Luminaires)
        std::printf("  %3d  ref %d  x %.3f  y %.3f  z %.3f  angle %.1f\n", l.Number, l.RefIndex, double(l.X),
                    double(l.Y), double(l.Z), double(l.Angle));
    if (!doc.Observations.empty())
        std::printf("Observações:\n%s\n", Utf8(doc.Observations).c_str());
    if (!doc.Photo.Empty())
        std::printf("Photo: %s, %zu bytes\n", Utf8(doc.Photo.Kind).c_str(), doc.Photo.Data.size());
    return 0;
}

int PhotometryInfo(const std::string& path, bool json)
{
    auto read = ReadPhotometryFile(path);
    if (!read) {
        std::fprintf(stderr, "%s\n", read.Message().c_str());
        return 1;
    }
    TRefLuminaria ref;
    ref.SetPhotometry(read->Data, read->Intensities, read->UGRTable, read->CPlaneCount, read->GammaCount);
    ref.SetCostDefaults();
    if (json) {
        JsonWriter w;
        w.BeginObject();
        w.Key("Format").Value(read->Format);
        w.Key("Reference");
        WriteJson(w, ref);
        w.EndObject();
        std::fputs(w.Text().c_str(), stdout);
        return 0;
    }
    std::printf("Photometric file %s (format %s)\n", path.c_str(), read->Format.c_str());
    PrintReference(ref, -1);
    return 0;
}

} // namespace

int RunInfo(const Args& args)
{
    std::string path;
    bool json = false;
    for (const auto& a : args) {
        if (a == "--json")
            json = true;
        else if (path.empty())
            path = a;
        else {
            std::fputs("usage: lumivar-cli info FILE [--json]\n", stderr);
            return 2;
        }
    }
    if (path.empty()) {
        std::fputs("usage: lumivar-cli info FILE [--json]\n", stderr);
        return 2;
    }
    std::string ext = std::filesystem::path(path).extension().string();
    for (auto& c : ext)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (ext == ".PRJ" || LooksLikeProject(path))
        return ProjectInfo(path, json);
    return PhotometryInfo(path, json);
}

} // namespace lumivar::cli
