#include "project/ProjectDataValidation.h"

#include "base/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lumivar {

namespace {

double Scale(int decimals)
{
    return std::pow(10.0, decimals);
}

std::int64_t Units(double value, int decimals)
{
    return std::llround(value * Scale(decimals));
}

std::int64_t Millimetres(double metres)
{
    return Units(metres, kMetreDecimals);
}

// The record's float when the field still shows it, otherwise the field's value as shown.
float Shown(float stored, double field, int decimals)
{
    if (Units(stored, decimals) == Units(field, decimals))
        return stored;
    return float(double(Units(field, decimals)) / Scale(decimals));
}

double AsShown(float stored, int decimals)
{
    return double(Units(stored, decimals)) / Scale(decimals);
}

} // namespace

ProjectDataFields ProjectDataFields::FromRecord(const TDadosProjecto& r)
{
    ProjectDataFields f;
    f.Number = Cp1252ToUtf8(r.Number.View());
    f.ProjectName = Cp1252ToUtf8(r.ProjectName.View());
    f.Space = Cp1252ToUtf8(r.Space.View());
    f.Designer = Cp1252ToUtf8(r.Designer.View());
    f.DateTime = r.DateTime;
    f.Length = AsShown(r.Length, kMetreDecimals);
    f.Width = AsShown(r.Width, kMetreDecimals);
    f.Height = AsShown(r.Height, kMetreDecimals);
    f.WorkPlaneHeight = AsShown(r.WorkPlaneHeight, kMetreDecimals);
    f.Margin = AsShown(r.Margin, kMetreDecimals);
    for (std::size_t k = 0; k < 6; ++k)
        f.Reflectance[k] = r.Reflectance[k];
    f.Illuminance = r.Illuminance;
    f.MaintenanceFactor = AsShown(r.MaintenanceFactor, kFactorDecimals);
    f.WorkArea = r.WorkArea != 0;
    f.WorkAreaX1 = AsShown(r.WorkAreaX1, kMetreDecimals);
    f.WorkAreaY1 = AsShown(r.WorkAreaY1, kMetreDecimals);
    f.WorkAreaX2 = AsShown(r.WorkAreaX2, kMetreDecimals);
    f.WorkAreaY2 = AsShown(r.WorkAreaY2, kMetreDecimals);
    return f;
}

DataCheck ValidateProjectData(const ProjectDataFields& f)
{
    const std::int64_t length = Millimetres(f.Length);
    const std::int64_t width = Millimetres(f.Width);
    const std::int64_t margin = Millimetres(f.Margin);
    if (width > length)
        return DataCheck::WidthAboveLength;
    if (Millimetres(f.WorkPlaneHeight) >= Millimetres(f.Height))
        return DataCheck::PlaneNotBelowHeight;
    // margin > 0.4 × side, in whole numbers: 5 × margin > 2 × side.
    if (5 * margin > 2 * length)
        return DataCheck::MarginAboveLength;
    if (5 * margin > 2 * width)
        return DataCheck::MarginAboveWidth;
    if (f.WorkArea) {
        const std::int64_t x1 = Millimetres(f.WorkAreaX1), x2 = Millimetres(f.WorkAreaX2);
        const std::int64_t y1 = Millimetres(f.WorkAreaY1), y2 = Millimetres(f.WorkAreaY2);
        if (x1 > length)
            return DataCheck::X1AboveLength;
        if (x2 > length)
            return DataCheck::X2AboveLength;
        if (x1 > x2)
            return DataCheck::X1AboveX2;
        if (y1 > width)
            return DataCheck::Y1AboveWidth;
        if (y2 > width)
            return DataCheck::Y2AboveWidth;
        if (y1 > y2)
            return DataCheck::Y1AboveY2;
    }
    return DataCheck::Ok;
}

bool StoreProjectData(TDadosProjecto& r, const ProjectDataFields& f)
{
    const TDadosProjecto before = r;

    r.Number = Utf8ToCp1252(f.Number);
    r.ProjectName = Utf8ToCp1252(f.ProjectName);
    r.Space = Utf8ToCp1252(f.Space);
    r.Designer = Utf8ToCp1252(f.Designer);
    r.DateTime = f.DateTime;
    r.Length = Shown(r.Length, f.Length, kMetreDecimals);
    r.Width = Shown(r.Width, f.Width, kMetreDecimals);
    r.Height = Shown(r.Height, f.Height, kMetreDecimals);
    r.WorkPlaneHeight = Shown(r.WorkPlaneHeight, f.WorkPlaneHeight, kMetreDecimals);
    r.Margin = Shown(r.Margin, f.Margin, kMetreDecimals);
    for (std::size_t k = 0; k < 6; ++k)
        r.Reflectance[k] = std::uint8_t(std::clamp(f.Reflectance[k], 0, 100));
    r.Illuminance = f.Illuminance;
    r.MaintenanceFactor = Shown(r.MaintenanceFactor, f.MaintenanceFactor, kFactorDecimals);
    // Keep a stored non-zero byte as it was when the box is still ticked.
    if (f.WorkArea != (r.WorkArea != 0))
        r.WorkArea = f.WorkArea ? 1 : 0;
    r.WorkAreaX1 = Shown(r.WorkAreaX1, f.WorkAreaX1, kMetreDecimals);
    r.WorkAreaY1 = Shown(r.WorkAreaY1, f.WorkAreaY1, kMetreDecimals);
    r.WorkAreaX2 = Shown(r.WorkAreaX2, f.WorkAreaX2, kMetreDecimals);
    r.WorkAreaY2 = Shown(r.WorkAreaY2, f.WorkAreaY2, kMetreDecimals);

    return r.Illuminance != before.Illuminance || r.MaintenanceFactor != before.MaintenanceFactor ||
           r.Length != before.Length || r.Width != before.Width || r.Height != before.Height ||
           r.WorkPlaneHeight != before.WorkPlaneHeight || r.Margin != before.Margin ||
           r.Reflectance != before.Reflectance || r.WorkArea != before.WorkArea || r.WorkAreaX1 != before.WorkAreaX1 ||
           r.WorkAreaY1 != before.WorkAreaY1 || r.WorkAreaX2 != before.WorkAreaX2 || r.WorkAreaY2 != before.WorkAreaY2;
}

} // namespace lumivar
