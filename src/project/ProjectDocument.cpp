#include "project/ProjectDocument.h"

#include "base/TextEncoding.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <string_view>

namespace lumivar {

namespace {

// Camera of the 3D surface chart in a new project; also what a 1.0 file's two
// 3D views become.
TVista3D SurfaceChartCamera()
{
    TVista3D v;
    v.Elevation = 300;
    v.Perspective = 15;
    v.Rotation = 345;
    v.Tilt = 0;
    v.Zoom = 55;
    return v;
}

TVista3D IsoluxChartCamera()
{
    TVista3D v;
    v.Elevation = 270;
    v.Perspective = 15;
    v.Rotation = 0;
    v.Tilt = 0;
    v.Zoom = 100;
    v.View2D = 1;
    return v;
}

std::uint8_t LowByte(std::int32_t v)
{
    return std::uint8_t(std::uint32_t(v) & 0xFFu);
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

} // namespace

TVista3D DefaultSurfaceView3D()
{
    return SurfaceChartCamera();
}

bool ProjectPhoto::HasKnownKind() const
{
    static constexpr std::array<std::string_view, 4> kKinds{"TBitmap", "TIcon", "TMetafile", "TJPEGImage"};
    return std::any_of(kKinds.begin(), kKinds.end(), [&](std::string_view k) { return EqualsNoCase(Kind, k); });
}

ByteSpan ProjectPhoto::PictureBytes() const
{
    const ByteSpan all(Data);
    if (all.size() >= 8 && le::GetI16(all, 0) == 1 && std::uint16_t(le::GetI16(all, 2)) == 0x0100 &&
        le::GetU32(all, 4) == all.size() - 8)
        return all.subspan(8);
    return all;
}

ProjectDocument ProjectDocument::New(const ProjectDefaults& defaults, double dateTime)
{
    ProjectDocument doc;
    TDadosProjecto& p = doc.ProjectData;
    p = TDadosProjecto{};
    p.DateTime = dateTime;
    p.Illuminance = defaults.Illuminance;
    p.MaintenanceFactor = float(defaults.MaintenanceFactor);
    for (std::size_t i = 0; i < p.Reflectance.size(); ++i)
        p.Reflectance[i] = LowByte(defaults.Reflectance[i]);
    // The preferences allow up to 999 divisions; the record holds one byte, and a
    // grid needs at least one division.
    for (std::size_t i = 0; i < p.GridDivisions.size(); ++i)
        p.GridDivisions[i] = std::uint8_t(std::clamp(defaults.GridDivisions[i], 1, 255));

    p.IsoluxView3D = IsoluxChartCamera();
    p.Isolux.AutoLines = 1;
    p.Isolux.LineCount = 7;
    p.SurfaceView3D = SurfaceChartCamera();

    p.ValuesView.Quality = defaults.ValuesQuality;
    p.ValuesView.PointsX = defaults.ValuesPointsX;
    p.ValuesView.PointsY = defaults.ValuesPointsY;
    p.ValuesView.IlluminanceKind = 2;
    p.ValuesView.ShowLuminaires = 1;
    p.TonesView.Quality = defaults.TonesQuality;
    p.TonesView.PointsX = defaults.TonesPointsX;
    p.TonesView.PointsY = defaults.TonesPointsY;
    p.TonesView.IlluminanceKind = 2;
    p.TonesView.ShowLuminaires = 1;

    TPaginaRelatorio& page = doc.ReportPage;
    page.MeasureUnit = 1;
    page.Orientation = 0;
    page.PageBorders = LowByte(defaults.PageBorders);
    page.MarginTop = 15;
    page.MarginBottom = 25;
    page.MarginLeft = 15;
    page.MarginRight = 15;
    page.HeaderFontName = Utf8ToCp1252(defaults.HeaderFontName);
    page.HeaderFontSize = defaults.HeaderFontSize;
    page.HeaderFontColour = defaults.HeaderFontColour;
    page.HeaderFontStyle = LowByte(defaults.HeaderFontStyle);
    page.HeaderFormat = Utf8ToCp1252(defaults.HeaderFormat);
    page.HeaderText = Utf8ToCp1252(defaults.HeaderText);
    page.FooterFontName = Utf8ToCp1252(defaults.FooterFontName);
    page.FooterFontSize = defaults.FooterFontSize;
    page.FooterFontColour = defaults.FooterFontColour;
    page.FooterFontStyle = LowByte(defaults.FooterFontStyle);
    page.FooterFormat = Utf8ToCp1252(defaults.FooterFormat);
    page.FooterText = Utf8ToCp1252(defaults.FooterText);

    TOpcoesRelatorio& options = doc.ReportOptions;
    options = TOpcoesRelatorio{};
    options.ReportType = defaults.ReportType;
    for (std::size_t k = 0; k < options.Sheets.size(); ++k)
        options.Sheets[k] = defaults.Sheets[k] ? 1 : 0;
    options.UseProjectValues = 1;
    options.ValuesShowLuminaires = 1;
    options.UseProjectTones = 1;
    options.TonesShowLuminaires = 1;
    options.UseProjectSections = 1;
    return doc;
}

void ProjectDocument::AddLuminaire(TObjectoLuminaria luminaire)
{
    luminaire.Attach(LuminaireRefs, luminaire.RefIndex);
    if (luminaire.Ref != nullptr)
        LuminaireRefs[std::size_t(luminaire.RefIndex)]->AddUse();
    Luminaires.push_back(luminaire);
}

double CurrentDateTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const sys_days day{year{local.tm_year + 1900} / month{unsigned(local.tm_mon + 1)} /
                       std::chrono::day{unsigned(local.tm_mday)}};
    const sys_days epoch{year{1899} / December / 30};
    const double millis = double(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    const double secondOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + millis / 1000.0;
    return double((day - epoch).count()) + secondOfDay / 86400.0;
}

} // namespace lumivar
