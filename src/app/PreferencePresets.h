#pragma once
// Presets shared by the preferences, the result dialogs and the report dialogs:
// the grid size of each quality of a result view, the sheets each report type
// selects, and the program's version text.

#include <array>
#include <string>

namespace lumivar {

constexpr int kReportSheetFlags = 31; // sheets 0..20 have meaning; 21..30 are carried along

enum class ResultViewKind { Values = 0, ToneScale = 1 };

// Quality names of a result view, by number.
enum ViewQuality { QualityLow = 0, QualityMedium = 1, QualityHigh = 2, QualityChosen = 3 };

// Report types, by number.
enum ReportTypeNumber { ReportSimple = 0, ReportNormal = 1, ReportAdvanced = 2, ReportCustom = 3 };

// Points in each direction of a result view's grid at a quality (0 "Baixa", 1 "Média",
// 2 "Alta"): 10/20/30 for the values view (kind 0), 80/120/160 for the tone scale
// (kind 1); -1 for any other kind or quality.
int QualityPoints(int kind, int quality);

// The sheets a report type selects (31 flags): 0 "Simples", 1 "Normal", 2 "Avançado";
// none for any other type.
std::array<bool, kReportSheetFlags> SheetPreset(int reportType);

// "3.1", or "3.1.0.0" when longForm is set.
std::string VersionText(bool longForm);

} // namespace lumivar
