// The calculation sub-commands: calc (direct and reflected illuminance of a
// project, stored back into the file), point (direct illuminance at one point) and
// lumen (the lumen method for one reference).

#include "calc/CalculationInputs.h"
#include "calc/DirectCalculation.h"
#include "calc/Illuminance.h"
#include "calc/LumenMethod.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/RecordJson.h"
#include "project/ProjectFile.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace lumivar::cli {
namespace {

int Fail(const char* command, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", command, message.c_str());
    return 1;
}

int UsageError(const char* usage)
{
    std::fprintf(stderr, "usage: lumivar-cli %s\n", usage);
    return 2;
}

std::optional<double> ParseNumber(const std::string& text)
{
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseIndex(const std::string& text)
{
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || errno != 0 || end != text.c_str() + text.size() || value < 0 || value > 1000000) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

Result<ProjectDocument> ReadProject(const std::string& path)
{
    Result<ProjectReadResult> read = ReadProjectFile(path, ProjectDefaults{}, CurrentDateTime());
    if (!read) {
        return Error{read.Message()};
    }
    return std::move(read->Document);
}

// Pads UTF-8 text with spaces to the given width in characters.
std::string Pad(const std::string& text, std::size_t width)
{
    std::size_t characters = 0;
    for (unsigned char c : text) {
        characters += (c & 0xC0) != 0x80 ? 1 : 0;
    }
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

std::string Fixed1(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

// The project window's summary: per surface average, minimum and maximum with the
// reflected light added, the uniformities, and where the working plane's extremes lie.
void PrintSummary(const TResultadosCalculo& results)
{
    constexpr std::size_t kFirst = 16;
    constexpr std::size_t kColumn = 16;
    std::printf("%s%s%s%s%s%s\n", Pad("", kFirst).c_str(), Pad("Ilumin.  Média", kColumn).c_str(),
                Pad("Ilumin.  Min", kColumn).c_str(), Pad("Ilumin.  Máx", kColumn).c_str(),
                Pad("Unif.  Min/Max", kColumn).c_str(), "Unif.  Min/Méd");
    struct Row {
        const char* Name;
        int Surface;
    };
    const Row rows[] = {{"Tecto", Ceiling},
                        {"Parede A", WallA},
                        {"Parede B", WallB},
                        {"Parede C", WallC},
                        {"Parede D", WallD},
                        {"", -1},
                        {"Plano Trabalho", WorkPlane},
                        {"", -1}};
    for (const Row& row : rows) {
        if (row.Surface < 0) {
            std::printf("\n");
            continue;
        }
        const TResultadoSuperficie& s = results.Surfaces[static_cast<std::size_t>(row.Surface)];
        const double average = s.Average + s.Indirect;
        const double minimum = s.Minimum + s.Indirect;
        const double maximum = s.Maximum + s.Indirect;
        const double m = minimum == 0 ? 1e-8 : minimum;
        std::printf("%s%s%s%s%s%s\n", Pad(row.Name, kFirst).c_str(), Pad(Fixed1(average), kColumn).c_str(),
                    Pad(Fixed1(minimum), kColumn).c_str(), Pad(Fixed1(maximum), kColumn).c_str(),
                    Pad("1:" + Fixed1(maximum / m), kColumn).c_str(), ("1:" + Fixed1(average / m)).c_str());
    }
    const TResultadoSuperficie& plane = results.Surfaces[WorkPlane];
    std::printf("%s%s%s%s\n", Pad("Coordenadas", kFirst).c_str(), Pad("em   X:", kColumn).c_str(),
                Pad(Fixed1(plane.MinX) + " m", kColumn).c_str(), (Fixed1(plane.MaxX) + " m").c_str());
    std::printf("%s%s%s%s\n", Pad("", kFirst).c_str(), Pad("em   Y:", kColumn).c_str(),
                Pad(Fixed1(plane.MinY) + " m", kColumn).c_str(), (Fixed1(plane.MaxY) + " m").c_str());
}

} // namespace

// calc FILE.prj [-o OUT.prj] [--json] [--plain]
int RunCalc(const Args& args)
{
    constexpr const char* kUsage = "calc FILE.prj [-o OUT.prj] [--json] [--plain]";
    std::string input;
    std::string output;
    bool json = false;
    bool plain = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--plain") {
            plain = true;
        } else if (a == "-o") {
            if (i + 1 >= args.size() || !output.empty()) {
                return UsageError(kUsage);
            }
            output = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return UsageError(kUsage);
        } else if (input.empty()) {
            input = a;
        } else {
            return UsageError(kUsage);
        }
    }
    if (input.empty()) {
        return UsageError(kUsage);
    }

    Result<ProjectDocument> doc = ReadProject(input);
    if (!doc) {
        return Fail("calc", doc.Message());
    }
    CalculationOptions options;
    options.Plain = plain;
    if (Status done = CalculateIlluminances(doc->ProjectData, doc->Luminaires, options); !done) {
        return Fail("calc", done.Message());
    }
    doc->Modified = true;
    if (Status saved = SaveProjectFile(*doc, output.empty() ? input : output); !saved) {
        return Fail("calc", saved.Message());
    }

    if (json) {
        JsonWriter w;
        WriteJson(w, doc->ProjectData.Results);
        std::fputs(w.Text().c_str(), stdout);
        if (w.Text().empty() || w.Text().back() != '\n') {
            std::fputc('\n', stdout);
        }
    } else {
        PrintSummary(doc->ProjectData.Results);
    }
    return 0;
}

// point FILE.prj SURFACE A B
int RunPoint(const Args& args)
{
    constexpr const char* kUsage = "point FILE.prj SURFACE A B   (SURFACE 0 ceiling, 1-4 walls A-D, 5 working plane)";
    if (args.size() != 4) {
        return UsageError(kUsage);
    }
    const std::optional<int> surface = ParseIndex(args[1]);
    const std::optional<double> a = ParseNumber(args[2]);
    const std::optional<double> b = ParseNumber(args[3]);
    if (!surface || *surface > 5 || !a || !b) {
        return UsageError(kUsage);
    }
    Result<ProjectDocument> doc = ReadProject(args[0]);
    if (!doc) {
        return Fail("point", doc.Message());
    }
    if (Status valid = CheckCalculationInputs(doc->ProjectData, doc->Luminaires); !valid) {
        return Fail("point", valid.Message());
    }
    const double lux = PointIlluminance(doc->ProjectData, doc->Luminaires, *surface, *a, *b);
    std::printf("%.17g\n", lux);
    return 0;
}

// lumen FILE.prj [--ref N] [--json]
int RunLumen(const Args& args)
{
    constexpr const char* kUsage = "lumen FILE.prj [--ref N] [--json]";
    std::string input;
    int refIndex = 0;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--ref") {
            const std::optional<int> n = i + 1 < args.size() ? ParseIndex(args[i + 1]) : std::nullopt;
            if (!n) {
                return UsageError(kUsage);
            }
            refIndex = *n;
            ++i;
        } else if (!a.empty() && a[0] == '-') {
            return UsageError(kUsage);
        } else if (input.empty()) {
            input = a;
        } else {
            return UsageError(kUsage);
        }
    }
    if (input.empty()) {
        return UsageError(kUsage);
    }
    Result<ProjectDocument> doc = ReadProject(input);
    if (!doc) {
        return Fail("lumen", doc.Message());
    }
    if (static_cast<std::size_t>(refIndex) >= doc->LuminaireRefs.size()) {
        return Fail("lumen", "O projecto não tem a referência " + std::to_string(refIndex) + " (tem " +
                                 std::to_string(doc->LuminaireRefs.size()) + ").");
    }
    const TRefLuminaria& ref = *doc->LuminaireRefs[static_cast<std::size_t>(refIndex)];
    Result<LumenResult> lumen = LumenMethod(doc->ProjectData, ref.Data, ref.Intensities);
    if (!lumen) {
        return Fail("lumen", lumen.Message());
    }
    if (json) {
        JsonWriter w;
        w.BeginObject();
        w.Key("RoomIndex").Value(lumen->RoomIndex);
        w.Key("UtilisationFactor").Value(lumen->UtilisationFactor);
        w.Key("Count").Value(lumen->Count);
        w.Key("Counts").Array(lumen->Counts);
        w.EndObject();
        std::fputs(w.Text().c_str(), stdout);
        if (w.Text().empty() || w.Text().back() != '\n') {
            std::fputc('\n', stdout);
        }
        return 0;
    }
    std::printf("Índice do local (K): %.3f\n", lumen->RoomIndex);
    std::printf("Factor de utilização: %.1f %%\n", lumen->UtilisationFactor);
    std::printf("Nº Luminárias para %d lux: %d\n\n", doc->ProjectData.Illuminance, lumen->Count);
    std::printf("%s%s\n", Pad("Nível (lux)", 14).c_str(), "Quant.");
    for (std::size_t i = 0; i < kLumenLevels.size(); ++i) {
        std::printf("%s%d\n", Pad(std::to_string(kLumenLevels[i]), 14).c_str(), lumen->Counts[i]);
    }
    return 0;
}

} // namespace lumivar::cli
