#pragma once
// The user's preferences: working folders, window placement, language, report
// customisation, the values a new project starts from, result grids and the default
// report layout. Built-in defaults on construction; Load reads every value through a
// backend (falling back to the default of each missing or malformed one), Save
// writes every value back. Texts are UTF-8.

#include "app/PreferencePresets.h"
#include "app/PreferencesBackend.h"
#include "project/ProjectDefaults.h"

#include <array>
#include <cstdint>
#include <string>

namespace lumivar {

#ifdef _WIN32
constexpr char kFolderSeparator = '\\';
#else
constexpr char kFolderSeparator = '/';
#endif

// The folders the defaults of the folder values derive from.
struct PreferencesLocations {
    std::string ProgramFolder; // folder of the running program file
    std::string DocumentsFolder; // the user's documents folder
};

class PreferencesStore {
public:
    // "Directorios": folders, each ending with the platform's separator (or empty).
    std::string ApparatusFolder; // "Aparelhos": photometric data files
    std::string ImagesFolder; // "Imagens": luminaire pictures
    std::string ProjectsFolder; // "Projectos": where the open and save dialogs start

    // "Localizar"
    std::int32_t Language = -1; // -1: the translation's own choice

    // "Janela": main window placement; -1 when never placed.
    std::int32_t WindowLeft = -1, WindowTop = -1, WindowWidth = -1, WindowHeight = -1;
    std::int32_t WindowState = -1; // 0 normal, 1 minimised, 2 maximised
    std::int32_t ChildWindowState = -1; // state of the first project window

    // "Personalizacao"
    bool ShowLogo = true;
    std::array<std::string, 3> PageEndLines = DefaultPageEndLines();

    // "Projecto": values of a new project and display settings.
    std::int32_t Illuminance = 300; // lux
    double MaintenanceFactor = 1.25; // stored ×100
    std::array<std::int32_t, 6> Reflectance{50, 50, 50, 50, 70, 30}; // percent: walls A..D, ceiling, working plane
    double DimensionMinimum = 0.5; // metres, stored ×100
    std::int32_t PriceDecimals = 2; // money
    std::int32_t EnergyPriceDecimals = 3; // price per kWh

    // "Calculo": divisions of working plane x, y; walls x, y; ceiling x, y.
    std::array<std::int32_t, 6> GridDivisions{15, 15, 15, 15, 15, 15};

    // "Resultados"
    std::int32_t ValuesQuality = QualityChosen;
    std::int32_t ValuesPointsX = 15, ValuesPointsY = 15;
    std::int32_t TonesQuality = QualityMedium;
    std::int32_t TonesPointsX = 120, TonesPointsY = 120;
    std::int32_t Chart3DPointsX = 30, Chart3DPointsY = 30;

    // "Relatorios"
    std::int32_t ReportType = ReportSimple;
    std::array<bool, kReportSheetFlags> Sheets = SheetPreset(ReportSimple);
    std::int32_t PageBorders = 2; // one-byte set
    std::string HeaderFontName = "Arial";
    std::int32_t HeaderFontSize = 9;
    std::int32_t HeaderFontColour = 0;
    std::int32_t HeaderFontStyle = 0; // one-byte set
    std::string HeaderFormat, HeaderText;
    std::string FooterFontName = "Arial";
    std::int32_t FooterFontSize = 9;
    std::int32_t FooterFontColour = 0;
    std::int32_t FooterFontStyle = 0; // one-byte set
    std::string FooterFormat, FooterText;

    // The built-in values, with the folders beside the program. The projects folder
    // stays empty: Load derives it.
    static PreferencesStore Defaults(const PreferencesLocations& locations);

    // Reads every value, each falling back to its built-in default when missing or
    // malformed. A projects folder still empty afterwards becomes the documents folder
    // + "Lumivar Projectos", which is created with its parents. Returns false when that
    // folder could not be created (the store is complete either way; the caller
    // signals it).
    bool Load(const PreferencesBackend& backend, const PreferencesLocations& locations);

    // Writes every value as text under its section and name.
    void Save(PreferencesBackend& backend) const;

    // What a new project starts from.
    ProjectDefaults NewProjectDefaults() const;

    static std::array<std::string, 3> DefaultPageEndLines();

    bool operator==(const PreferencesStore&) const = default;
};

// `folder` with the platform's separator at its end; empty stays empty.
std::string WithTrailingSeparator(std::string folder);

// The process-wide preferences the program's windows share.
PreferencesStore& AppPreferences();

} // namespace lumivar
