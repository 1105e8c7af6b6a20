#include "app/PreferencesStore.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

namespace lumivar {
namespace {

// How a value is kept as text.
enum class Form {
    Text, // as it is
    Integer, // decimal
    Boolean, // 0 or 1; any non-zero integer reads as true
    Hundredths, // a decimal held ×100 as an integer
    ByteSet, // an integer of which only the low byte carries meaning
};

struct ValueRef {
    Form Kind;
    std::string* Text = nullptr;
    std::int32_t* Integer = nullptr;
    bool* Flag = nullptr;
    double* Decimal = nullptr;
};

ValueRef TextValue(std::string& v)
{
    return {Form::Text, &v};
}
ValueRef IntegerValue(std::int32_t& v)
{
    return {Form::Integer, nullptr, &v};
}
ValueRef ByteSetValue(std::int32_t& v)
{
    return {Form::ByteSet, nullptr, &v};
}
ValueRef BooleanValue(bool& v)
{
    return {Form::Boolean, nullptr, nullptr, &v};
}
ValueRef HundredthsValue(double& v)
{
    return {Form::Hundredths, nullptr, nullptr, nullptr, &v};
}

// Every stored value in the order it is read and written.
template <typename Visit> void ForEachValue(PreferencesStore& s, Visit&& visit)
{
    visit("Directorios", "Aparelhos", TextValue(s.ApparatusFolder));
    visit("Directorios", "Imagens", TextValue(s.ImagesFolder));
    visit("Directorios", "Projectos", TextValue(s.ProjectsFolder));
    visit("Localizar", "Idioma", IntegerValue(s.Language));
    visit("Janela", "Esq", IntegerValue(s.WindowLeft));
    visit("Janela", "Top", IntegerValue(s.WindowTop));
    visit("Janela", "Larg", IntegerValue(s.WindowWidth));
    visit("Janela", "Alt", IntegerValue(s.WindowHeight));
    visit("Janela", "Estado", IntegerValue(s.WindowState));
    visit("Janela", "CEstado", IntegerValue(s.ChildWindowState));
    visit("Personalizacao", "Logo Tavik", BooleanValue(s.ShowLogo));
    for (std::size_t i = 0; i < s.PageEndLines.size(); ++i)
        visit("Personalizacao", "PLinha " + std::to_string(i + 1), TextValue(s.PageEndLines[i]));
    visit("Projecto", "Iluminancia", IntegerValue(s.Illuminance));
    visit("Projecto", "Factor Manutencao", HundredthsValue(s.MaintenanceFactor));
    static constexpr const char* kReflectanceNames[6] = {"iRef Parede A", "iRef Parede B", "iRef Parede C",
                                                         "iRef Parede D", "iRef Tecto",    "iRef Plano Trab."};
    for (std::size_t i = 0; i < s.Reflectance.size(); ++i)
        visit("Projecto", kReflectanceNames[i], IntegerValue(s.Reflectance[i]));
    visit("Projecto", "Cotas Valor Min", HundredthsValue(s.DimensionMinimum));
    visit("Projecto", "DecimaisPrecosC", IntegerValue(s.PriceDecimals));
    visit("Projecto", "DecimaisPrecosL", IntegerValue(s.EnergyPriceDecimals));
    static constexpr const char* kGridNames[6] = {"Q. Plan Trab X", "Q. Plan Trab Y", "Q. Paredes X",
                                                  "Q. Paredes Y",   "Q. Tecto X",     "Q. Tecto Y"};
    for (std::size_t i = 0; i < s.GridDivisions.size(); ++i)
        visit("Calculo", kGridNames[i], IntegerValue(s.GridDivisions[i]));
    visit("Resultados", "Valores Ilum", IntegerValue(s.ValuesQuality));
    visit("Resultados", "Valores Q. X", IntegerValue(s.ValuesPointsX));
    visit("Resultados", "Valores Q. Y", IntegerValue(s.ValuesPointsY));
    visit("Resultados", "Escala Tons", IntegerValue(s.TonesQuality));
    visit("Resultados", "Escala Q. X", IntegerValue(s.TonesPointsX));
    visit("Resultados", "Escala Q. Y", IntegerValue(s.TonesPointsY));
    visit("Resultados", "Ilumin 3D X", IntegerValue(s.Chart3DPointsX));
    visit("Resultados", "Ilumin 3D Y", IntegerValue(s.Chart3DPointsY));
    visit("Relatorios", "Tipo", IntegerValue(s.ReportType));
    for (std::size_t k = 0; k < s.Sheets.size(); ++k)
        visit("Relatorios", "Relatorio " + std::to_string(k), BooleanValue(s.Sheets[k]));
    visit("Relatorios", "Bordos", ByteSetValue(s.PageBorders));
    visit("Relatorios", "Cab. Fonte N", TextValue(s.HeaderFontName));
    visit("Relatorios", "Cab. Fonte S", IntegerValue(s.HeaderFontSize));
    visit("Relatorios", "Cab. Fonte C", IntegerValue(s.HeaderFontColour));
    visit("Relatorios", "Cab. Fonte St", ByteSetValue(s.HeaderFontStyle));
    visit("Relatorios", "Cab. Formato", TextValue(s.HeaderFormat));
    visit("Relatorios", "Cab. Texto", TextValue(s.HeaderText));
    visit("Relatorios", "Rod. Fonte N", TextValue(s.FooterFontName));
    visit("Relatorios", "Rod. Fonte S", IntegerValue(s.FooterFontSize));
    visit("Relatorios", "Rod. Fonte C", IntegerValue(s.FooterFontColour));
    visit("Relatorios", "Rod. Fonte St", ByteSetValue(s.FooterFontStyle));
    visit("Relatorios", "Rod. Formato", TextValue(s.FooterFormat));
    visit("Relatorios", "Rod. Texto", TextValue(s.FooterText));
}

// A whole decimal number, optionally signed and surrounded by blanks, within the
// 32-bit range; nothing otherwise.
std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Nearest integer, ties to even, kept within the 32-bit range.
std::int32_t RoundToEven(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (x <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (x >= hi)
        return std::numeric_limits<std::int32_t>::max();
    const double below = std::floor(x);
    const double fraction = x - below;
    double r = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        r = below + 1.0;
    return std::int32_t(r);
}

void ReadValue(const PreferencesBackend& backend, const std::string& section, const std::string& name,
               const ValueRef& v)
{
    const std::optional<std::string> text = backend.ReadText(section, name);
    if (!text)
        return;
    if (v.Kind == Form::Text) {
        *v.Text = *text;
        return;
    }
    const std::optional<std::int32_t> n = ParseInteger(*text);
    if (!n)
        return;
    switch (v.Kind) {
    case Form::Integer:
        *v.Integer = *n;
        break;
    case Form::ByteSet:
        *v.Integer = *n & 0xFF;
        break;
    case Form::Boolean:
        *v.Flag = *n != 0;
        break;
    case Form::Hundredths:
        *v.Decimal = *n / 100.0;
        break;
    case Form::Text:
        break;
    }
}

std::string ValueText(const ValueRef& v)
{
    switch (v.Kind) {
    case Form::Text:
        return *v.Text;
    case Form::Integer:
    case Form::ByteSet:
        return std::to_string(*v.Integer);
    case Form::Boolean:
        return *v.Flag ? "1" : "0";
    case Form::Hundredths:
        return std::to_string(RoundToEven(*v.Decimal * 100.0));
    }
    return {};
}

std::filesystem::path Utf8Path(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool EndsWithSeparator(const std::string& folder)
{
    const char last = folder.back();
#ifdef _WIN32
    return last == '\\' || last == '/';
#else
    return last == '/';
#endif
}

} // namespace

std::string WithTrailingSeparator(std::string folder)
{
    if (!folder.empty() && !EndsWithSeparator(folder))
        folder += kFolderSeparator;
    return folder;
}

std::array<std::string, 3> PreferencesStore::DefaultPageEndLines()
{
    return {"Tavik Iluminação, Lda.", "Avenida da Luz, 100  -  1000-001 Lisboa",
            "Tel. 210 000 000  -  Fax 210 000 001  -  www.tavik.example  -  geral@tavik.example"};
}

PreferencesStore PreferencesStore::Defaults(const PreferencesLocations& locations)
{
    PreferencesStore s;
    const std::string program = WithTrailingSeparator(locations.ProgramFolder);
    s.ApparatusFolder = program + "Aparelhos" + kFolderSeparator;
    s.ImagesFolder = program + "Imagens" + kFolderSeparator;
    return s;
}

bool PreferencesStore::Load(const PreferencesBackend& backend, const PreferencesLocations& locations)
{
    *this = Defaults(locations);
    ForEachValue(*this, [&](const std::string& section, const std::string& name, const ValueRef& v) {
        ReadValue(backend, section, name, v);
    });
    // Everything that joins a file name onto a folder relies on the separator at its end.
    ApparatusFolder = WithTrailingSeparator(ApparatusFolder);
    ImagesFolder = WithTrailingSeparator(ImagesFolder);
    ProjectsFolder = WithTrailingSeparator(ProjectsFolder);

    if (!ProjectsFolder.empty())
        return true;
    if (locations.DocumentsFolder.empty())
        return false;
    ProjectsFolder = WithTrailingSeparator(locations.DocumentsFolder) + "Lumivar Projectos" + kFolderSeparator;
    std::error_code ec;
    const std::filesystem::path path = Utf8Path(ProjectsFolder);
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

void PreferencesStore::Save(PreferencesBackend& backend) const
{
    PreferencesStore copy = *this;
    ForEachValue(copy, [&](const std::string& section, const std::string& name, const ValueRef& v) {
        backend.WriteText(section, name, ValueText(v));
    });
}

ProjectDefaults PreferencesStore::NewProjectDefaults() const
{
    ProjectDefaults d;
    d.Illuminance = Illuminance;
    d.MaintenanceFactor = MaintenanceFactor;
    d.Reflectance = Reflectance;
    d.GridDivisions = GridDivisions;
    d.ValuesQuality = ValuesQuality;
    d.ValuesPointsX = ValuesPointsX;
    d.ValuesPointsY = ValuesPointsY;
    d.TonesQuality = TonesQuality;
    d.TonesPointsX = TonesPointsX;
    d.TonesPointsY = TonesPointsY;
    d.ReportType = ReportType;
    d.Sheets = Sheets;
    d.PageBorders = PageBorders;
    d.HeaderFontName = HeaderFontName;
    d.HeaderFontSize = HeaderFontSize;
    d.HeaderFontColour = HeaderFontColour;
    d.HeaderFontStyle = HeaderFontStyle;
    d.HeaderFormat = HeaderFormat;
    d.HeaderText = HeaderText;
    d.FooterFontName = FooterFontName;
    d.FooterFontSize = FooterFontSize;
    d.FooterFontColour = FooterFontColour;
    d.FooterFontStyle = FooterFontStyle;
    d.FooterFormat = FooterFormat;
    d.FooterText = FooterText;
    return d;
}

PreferencesStore& AppPreferences()
{
    static PreferencesStore store;
    return store;
}

} // namespace lumivar
