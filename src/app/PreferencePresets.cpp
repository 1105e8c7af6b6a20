#include "app/PreferencePresets.h"

#include <initializer_list>

namespace lumivar {

int QualityPoints(int kind, int quality)
{
    static constexpr int kPoints[2][3] = {{10, 20, 30}, {80, 120, 160}};
    if (kind < 0 || kind > 1 || quality < 0 || quality > 2)
        return -1;
    return kPoints[kind][quality];
}

std::array<bool, kReportSheetFlags> SheetPreset(int reportType)
{
    std::array<bool, kReportSheetFlags> sheets{};
    const auto select = [&](std::initializer_list<int> numbers) {
        for (int k : numbers)
            sheets[std::size_t(k)] = true;
    };
    switch (reportType) {
    case ReportSimple:
        select({0, 1, 2, 10, 16});
        break;
    case ReportNormal:
        select({0, 1, 2, 4, 10, 16, 18});
        break;
    case ReportAdvanced:
        select({0, 1, 2, 4, 10, 16, 17, 18, 19, 20});
        break;
    default:
        break;
    }
    return sheets;
}

std::string VersionText(bool longForm)
{
    return longForm ? "3.1.0.0" : "3.1";
}

} // namespace lumivar
