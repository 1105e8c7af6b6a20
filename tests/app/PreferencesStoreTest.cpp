// The preferences store: names, defaults, reading of malformed texts, the ×100
// values, the round trip through a backend, the projects folder and what a new
// project takes from the store; the quality and report-type presets.

#include "app/PreferencesStore.h"
#include "app/PreferencePresets.h"
#include "project/ProjectDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>

#include <unistd.h>

namespace lumivar {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path Path;
    TempFolder()
    {
        Path = fs::temp_directory_path() / ("lumivar-pref-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Path);
        fs::create_directories(Path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(Path, ec);
    }
    std::string Text() const { return Path.string(); }
};

using Values = std::map<std::pair<std::string, std::string>, std::string>;

// Every value a first run writes, as the table of settings names it.
Values ExpectedDefaults(const std::string& program, const std::string& projects)
{
    Values v{
        {{"Directorios", "Aparelhos"}, program + "/Aparelhos/"},
        {{"Directorios", "Imagens"}, program + "/Imagens/"},
        {{"Directorios", "Projectos"}, projects},
        {{"Localizar", "Idioma"}, "-1"},
        {{"Janela", "Esq"}, "-1"},
        {{"Janela", "Top"}, "-1"},
        {{"Janela", "Larg"}, "-1"},
        {{"Janela", "Alt"}, "-1"},
        {{"Janela", "Estado"}, "-1"},
        {{"Janela", "CEstado"}, "-1"},
        {{"Personalizacao", "Logo Tavik"}, "1"},
        {{"Projecto", "Iluminancia"}, "300"},
        {{"Projecto", "Factor Manutencao"}, "125"},
        {{"Projecto", "iRef Parede A"}, "50"},
        {{"Projecto", "iRef Parede B"}, "50"},
        {{"Projecto", "iRef Parede C"}, "50"},
        {{"Projecto", "iRef Parede D"}, "50"},
        {{"Projecto", "iRef Tecto"}, "70"},
        {{"Projecto", "iRef Plano Trab."}, "30"},
        {{"Projecto", "Cotas Valor Min"}, "50"},
        {{"Projecto", "DecimaisPrecosC"}, "2"},
        {{"Projecto", "DecimaisPrecosL"}, "3"},
        {{"Calculo", "Q. Plan Trab X"}, "15"},
        {{"Calculo", "Q. Plan Trab Y"}, "15"},
        {{"Calculo", "Q. Paredes X"}, "15"},
        {{"Calculo", "Q. Paredes Y"}, "15"},
        {{"Calculo", "Q. Tecto X"}, "15"},
        {{"Calculo", "Q. Tecto Y"}, "15"},
        {{"Resultados", "Valores Ilum"}, "3"},
        {{"Resultados", "Valores Q. X"}, "15"},
        {{"Resultados", "Valores Q. Y"}, "15"},
        {{"Resultados", "Escala Tons"}, "1"},
        {{"Resultados", "Escala Q. X"}, "120"},
        {{"Resultados", "Escala Q. Y"}, "120"},
        {{"Resultados", "Ilumin 3D X"}, "30"},
        {{"Resultados", "Ilumin 3D Y"}, "30"},
        {{"Relatorios", "Tipo"}, "0"},
        {{"Relatorios", "Bordos"}, "2"},
        {{"Relatorios", "Cab. Fonte N"}, "Arial"},
        {{"Relatorios", "Cab. Fonte S"}, "9"},
        {{"Relatorios", "Cab. Fonte C"}, "0"},
        {{"Relatorios", "Cab. Fonte St"}, "0"},
        {{"Relatorios", "Cab. Formato"}, ""},
        {{"Relatorios", "Cab. Texto"}, ""},
        {{"Relatorios", "Rod. Fonte N"}, "Arial"},
        {{"Relatorios", "Rod. Fonte S"}, "9"},
        {{"Relatorios", "Rod. Fonte C"}, "0"},
        {{"Relatorios", "Rod. Fonte St"}, "0"},
        {{"Relatorios", "Rod. Formato"}, ""},
        {{"Relatorios", "Rod. Texto"}, ""},
    };
    const std::set<int> selected{0, 1, 2, 10, 16};
    for (int k = 0; k <= 30; ++k)
        v[{"Relatorios", "Relatorio " + std::to_string(k)}] = selected.count(k) ? "1" : "0";
    const auto lines = PreferencesStore::DefaultPageEndLines();
    for (int i = 0; i < 3; ++i)
        v[{"Personalizacao", "PLinha " + std::to_string(i + 1)}] = lines[std::size_t(i)];
    return v;
}

TEST(PreferencesStore, EmptyBackendGivesTheDefaultsAndCreatesTheProjectsFolder)
{
    TempFolder temp;
    const std::string documents = (temp.Path / "Documentos").string();
    const PreferencesLocations where{"/opt/lumivar", documents};

    PreferencesStore store;
    store.Illuminance = 1; // Load starts over from the defaults
    MemoryPreferencesBackend empty;
    ASSERT_TRUE(store.Load(empty, where));

    const std::string projects = documents + "/Lumivar Projectos/";
    EXPECT_EQ(store.ProjectsFolder, projects);
    EXPECT_TRUE(fs::is_directory(projects));
    EXPECT_DOUBLE_EQ(store.MaintenanceFactor, 1.25);
    EXPECT_DOUBLE_EQ(store.DimensionMinimum, 0.5);

    MemoryPreferencesBackend written;
    store.Save(written);
    EXPECT_EQ(written.Values, ExpectedDefaults("/opt/lumivar", projects));

    // A second start finds the folder stored and leaves it alone.
    PreferencesStore again;
    ASSERT_TRUE(again.Load(written, where));
    EXPECT_EQ(again, store);
}

TEST(PreferencesStore, ProjectsFolderThatCannotBeCreatedIsReported)
{
    TempFolder temp;
    const fs::path blocker = temp.Path / "ficheiro";
    std::ofstream(blocker) << "x"; // a file where the documents folder should be
    PreferencesStore store;
    MemoryPreferencesBackend empty;
    EXPECT_FALSE(store.Load(empty, {"/opt/lumivar", blocker.string()}));
    EXPECT_EQ(store.ProjectsFolder, blocker.string() + "/Lumivar Projectos/");
    EXPECT_EQ(store.Illuminance, 300); // the rest is loaded all the same
}

TEST(PreferencesStore, StoredFoldersAreKeptAndEndWithTheSeparator)
{
    MemoryPreferencesBackend backend;
    backend.WriteText("Directorios", "Aparelhos", "/dados/fotometria");
    backend.WriteText("Directorios", "Imagens", "/dados/imagens/");
    backend.WriteText("Directorios", "Projectos", "/dados/projectos");
    PreferencesStore store;
    ASSERT_TRUE(store.Load(backend, {"/opt/lumivar", "/nowhere"}));
    EXPECT_EQ(store.ApparatusFolder, "/dados/fotometria/");
    EXPECT_EQ(store.ImagesFolder, "/dados/imagens/");
    EXPECT_EQ(store.ProjectsFolder, "/dados/projectos/");
    EXPECT_FALSE(fs::exists("/nowhere"));
}

TEST(PreferencesStore, ReadsStoredTextsAndFallsBackOnMalformedOnes)
{
    struct Case {
        std::string Section, Name, Text;
        std::function<bool(const PreferencesStore&)> Check;
    };
    const std::vector<Case> cases{
        {"Projecto", "Factor Manutencao", "80", [](auto& s) { return s.MaintenanceFactor == 0.8; }},
        {"Projecto", "Factor Manutencao", "abc", [](auto& s) { return s.MaintenanceFactor == 1.25; }},
        {"Projecto", "Cotas Valor Min", "125", [](auto& s) { return s.DimensionMinimum == 1.25; }},
        {"Projecto", "Cotas Valor Min", "0.75", [](auto& s) { return s.DimensionMinimum == 0.5; }},
        {"Projecto", "Iluminancia", " 500 ", [](auto& s) { return s.Illuminance == 500; }},
        {"Projecto", "Iluminancia", "+450", [](auto& s) { return s.Illuminance == 450; }},
        {"Projecto", "Iluminancia", "500lux", [](auto& s) { return s.Illuminance == 300; }},
        {"Projecto", "Iluminancia", "", [](auto& s) { return s.Illuminance == 300; }},
        {"Projecto", "Iluminancia", "99999999999", [](auto& s) { return s.Illuminance == 300; }},
        {"Janela", "Esq", "-120", [](auto& s) { return s.WindowLeft == -120; }},
        {"Personalizacao", "Logo Tavik", "0", [](auto& s) { return !s.ShowLogo; }},
        {"Relatorios", "Relatorio 3", "7", [](auto& s) { return s.Sheets[3]; }},
        {"Relatorios", "Relatorio 0", "sim", [](auto& s) { return s.Sheets[0]; }},
        {"Relatorios", "Relatorio 30", "1", [](auto& s) { return s.Sheets[30]; }},
        {"Relatorios", "Bordos", "258", [](auto& s) { return s.PageBorders == 2; }},
        {"Relatorios", "Cab. Fonte St", "-1", [](auto& s) { return s.HeaderFontStyle == 255; }},
        {"Relatorios", "Rod. Texto", " página {$PAGE} ", [](auto& s) { return s.FooterText == " página {$PAGE} "; }},
        {"Calculo", "Q. Tecto Y", "40", [](auto& s) { return s.GridDivisions[5] == 40 && s.GridDivisions[4] == 15; }},
    };
    for (const Case& c : cases) {
        MemoryPreferencesBackend backend;
        backend.WriteText("Directorios", "Projectos", "/p/");
        backend.WriteText(c.Section, c.Name, c.Text);
        PreferencesStore store;
        store.Load(backend, {"/opt/lumivar", ""});
        EXPECT_TRUE(c.Check(store)) << c.Section << " / " << c.Name << " = \"" << c.Text << "\"";
    }
}

TEST(PreferencesStore, HundredthsAreWrittenRoundedToEven)
{
    const std::vector<std::pair<double, std::string>> cases{
        {0.8, "80"},   {1.25, "125"}, {0.125, "12"}, {0.375, "38"},   {1.125, "112"},
        {0.625, "62"}, {0.004, "0"},  {0.006, "1"},  {-0.125, "-12"}, {1e12, "2147483647"},
    };
    for (const auto& [value, text] : cases) {
        PreferencesStore store;
        store.MaintenanceFactor = value;
        store.DimensionMinimum = value;
        MemoryPreferencesBackend backend;
        store.Save(backend);
        EXPECT_EQ(backend.Values.at({"Projecto", "Factor Manutencao"}), text) << value;
        EXPECT_EQ(backend.Values.at({"Projecto", "Cotas Valor Min"}), text) << value;
    }
}

TEST(PreferencesStore, EveryValueSurvivesARoundTrip)
{
    PreferencesStore store = PreferencesStore::Defaults({"/opt/lumivar", ""});
    store.ApparatusFolder = "/a/ç/";
    store.ImagesFolder = "/i/";
    store.ProjectsFolder = "/p/";
    store.Language = 2;
    store.WindowLeft = 10, store.WindowTop = 20, store.WindowWidth = 800, store.WindowHeight = 600;
    store.WindowState = 2, store.ChildWindowState = 1;
    store.ShowLogo = false;
    store.PageEndLines = {"Um", "", "Três"};
    store.Illuminance = 500;
    store.MaintenanceFactor = 0.85;
    store.Reflectance = {10, 20, 30, 40, 80, 20};
    store.DimensionMinimum = 0.75;
    store.PriceDecimals = 0, store.EnergyPriceDecimals = 4;
    store.GridDivisions = {1, 2, 3, 4, 5, 999};
    store.ValuesQuality = 0, store.ValuesPointsX = 10, store.ValuesPointsY = 11;
    store.TonesQuality = 2, store.TonesPointsX = 160, store.TonesPointsY = 161;
    store.Chart3DPointsX = 40, store.Chart3DPointsY = 41;
    store.ReportType = 3;
    store.Sheets = SheetPreset(ReportAdvanced);
    store.Sheets[30] = true;
    store.PageBorders = 15;
    store.HeaderFontName = "Tahoma", store.HeaderFontSize = 11, store.HeaderFontColour = 0xFF0000;
    store.HeaderFontStyle = 3, store.HeaderFormat = "{$TITLE}", store.HeaderText = "Cabeçalho";
    store.FooterFontName = "Verdana", store.FooterFontSize = 7, store.FooterFontColour = 255;
    store.FooterFontStyle = 4, store.FooterFormat = "{$PAGE}", store.FooterText = "Rodapé";

    MemoryPreferencesBackend backend;
    store.Save(backend);
    EXPECT_EQ(backend.Values.size(), ExpectedDefaults("", "").size());
    PreferencesStore back;
    ASSERT_TRUE(back.Load(backend, {"/elsewhere", ""}));
    EXPECT_EQ(back, store);
}

TEST(PreferencesStore, NewProjectsStartFromTheStore)
{
    PreferencesStore store;
    store.Illuminance = 750;
    store.MaintenanceFactor = 0.8;
    store.Reflectance = {11, 12, 13, 14, 75, 25};
    store.GridDivisions = {21, 22, 23, 24, 25, 26};
    store.ValuesQuality = 1, store.ValuesPointsX = 20, store.ValuesPointsY = 21;
    store.TonesQuality = 3, store.TonesPointsX = 99, store.TonesPointsY = 98;
    store.ReportType = 1;
    store.Sheets = SheetPreset(ReportNormal);
    store.PageBorders = 5;
    store.HeaderFontName = "Tahoma", store.FooterText = "Rodapé";

    const ProjectDocument doc = ProjectDocument::New(store.NewProjectDefaults(), 0.0);
    const TDadosProjecto& p = doc.ProjectData;
    EXPECT_EQ(p.Illuminance, 750);
    EXPECT_FLOAT_EQ(p.MaintenanceFactor, 0.8f);
    EXPECT_EQ(p.Reflectance, (std::array<std::uint8_t, 6>{11, 12, 13, 14, 75, 25}));
    EXPECT_EQ(p.GridDivisions, (std::array<std::uint8_t, 6>{21, 22, 23, 24, 25, 26}));
    EXPECT_EQ(p.ValuesView.Quality, 1);
    EXPECT_EQ(p.ValuesView.PointsY, 21);
    EXPECT_EQ(p.TonesView.Quality, 3);
    EXPECT_EQ(p.TonesView.PointsX, 99);
    EXPECT_EQ(doc.ReportOptions.ReportType, 1);
    for (int k = 0; k < kReportSheetFlags; ++k)
        EXPECT_EQ(doc.ReportOptions.Sheets[std::size_t(k)] != 0, store.Sheets[std::size_t(k)]) << k;
    EXPECT_EQ(doc.ReportPage.PageBorders, 5);
    EXPECT_EQ(doc.ReportPage.HeaderFontName.Text(), "Tahoma");
}

TEST(PreferencePresets, QualityPoints)
{
    const int expected[3][5] = {
        // quality -1, 0, 1, 2, 3
        {-1, 10, 20, 30, -1}, // kind 0, values
        {-1, 80, 120, 160, -1}, // kind 1, tone scale
        {-1, -1, -1, -1, -1}, // kind 2
    };
    for (int kind = 0; kind < 3; ++kind)
        for (int quality = -1; quality <= 3; ++quality)
            EXPECT_EQ(QualityPoints(kind, quality), expected[kind][quality + 1]) << kind << ", " << quality;
    EXPECT_EQ(QualityPoints(-1, 0), -1);
}

TEST(PreferencePresets, SheetPresets)
{
    const auto selected = [](int type) {
        std::set<int> s;
        const auto flags = SheetPreset(type);
        for (int k = 0; k < kReportSheetFlags; ++k)
            if (flags[std::size_t(k)])
                s.insert(k);
        return s;
    };
    EXPECT_EQ(selected(0), (std::set<int>{0, 1, 2, 10, 16}));
    EXPECT_EQ(selected(1), (std::set<int>{0, 1, 2, 4, 10, 16, 18}));
    EXPECT_EQ(selected(2), (std::set<int>{0, 1, 2, 4, 10, 16, 17, 18, 19, 20}));
    EXPECT_TRUE(selected(3).empty());
    EXPECT_TRUE(selected(-1).empty());
    EXPECT_EQ(VersionText(false), "3.1");
    EXPECT_EQ(VersionText(true), "3.1.0.0");
}

} // namespace
} // namespace lumivar
