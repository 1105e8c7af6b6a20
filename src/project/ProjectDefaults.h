#pragma once
// The values a new project starts from. Built-in values here; the preferences
// store fills the same struct from the user's settings.

#include <array>
#include <cstdint>
#include <string>

namespace lumivar {

struct ProjectDefaults {
    std::int32_t Illuminance = 300;
    double MaintenanceFactor = 1.25;
    std::array<std::int32_t, 6> Reflectance{50, 50, 50, 50, 70, 30}; // walls A..D, ceiling, working plane
    std::array<std::int32_t, 6> GridDivisions{15, 15, 15, 15, 15, 15};
    std::int32_t ValuesQuality = 3;
    std::int32_t ValuesPointsX = 15, ValuesPointsY = 15;
    std::int32_t TonesQuality = 1;
    std::int32_t TonesPointsX = 120, TonesPointsY = 120;
    std::int32_t ReportType = 0;
    std::array<bool, 31> Sheets = MakeSheets();
    std::int32_t PageBorders = 2;
    std::string HeaderFontName = "Arial"; // UTF-8
    std::int32_t HeaderFontSize = 9;
    std::int32_t HeaderFontColour = 0;
    std::int32_t HeaderFontStyle = 0;
    std::string HeaderFormat, HeaderText;
    std::string FooterFontName = "Arial";
    std::int32_t FooterFontSize = 9;
    std::int32_t FooterFontColour = 0;
    std::int32_t FooterFontStyle = 0;
    std::string FooterFormat, FooterText;

private:
    static constexpr std::array<bool, 31> MakeSheets()
    {
        std::array<bool, 31> s{};
        for (int k : {0, 1, 2, 10, 16})
            s[k] = true;
        return s;
    }
};

} // namespace lumivar
