#pragma once
// The data page's values as the user edits them, the checks they must pass before they
// are taken, and how they are stored into the project record.

#include "project/DadosProjecto.h"

#include <array>
#include <string>

namespace lumivar {

// The data page's fields, numbers as the page shows them (metres with three decimals,
// maintenance factor with two, illuminance and reflectances whole). Texts are UTF-8.
struct ProjectDataFields {
    std::string Number, ProjectName, Space, Designer;
    double DateTime = 0; // days since 1899-12-30
    double Length = 0, Width = 0, Height = 0, WorkPlaneHeight = 0, Margin = 0;
    std::array<int, 6> Reflectance{}; // walls A..D, ceiling, working plane; percent
    int Illuminance = 0; // lux
    double MaintenanceFactor = 0;
    bool WorkArea = false;
    double WorkAreaX1 = 0, WorkAreaY1 = 0, WorkAreaX2 = 0, WorkAreaY2 = 0;

    // The fields as the page shows the record.
    static ProjectDataFields FromRecord(const TDadosProjecto& record);
};

// Decimals the data page shows.
inline constexpr int kMetreDecimals = 3;
inline constexpr int kFactorDecimals = 2;

// The checks of the data page, in the order they run; the first failing one is reported.
enum class DataCheck {
    Ok,
    WidthAboveLength,
    PlaneNotBelowHeight,
    MarginAboveLength,
    MarginAboveWidth,
    X1AboveLength,
    X2AboveLength,
    X1AboveX2,
    Y1AboveWidth,
    Y2AboveWidth,
    Y1AboveY2,
};

// The first check the fields fail. Lengths are compared in whole millimetres, the
// precision the page shows, so a margin of exactly 40 % passes whatever the binary
// rounding of the two numbers. The working-area checks run only with WorkArea set.
DataCheck ValidateProjectData(const ProjectDataFields& fields);

// Stores the fields into the record: texts converted to Windows-1252 and cut to their
// capacity, numbers as shown. A number whose field still shows what the record holds
// keeps the record's own value, so opening the page and applying it changes nothing
// the calculation reads. Returns whether any calculation input (illuminance,
// maintenance factor, the dimensions, margin, reflectances, working area and its
// corners) now differs from before.
bool StoreProjectData(TDadosProjecto& record, const ProjectDataFields& fields);

} // namespace lumivar
