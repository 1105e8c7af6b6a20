#include "calc/ArrayLayout.h"

#include <algorithm>

namespace lumivar {

namespace {

struct Extent {
    double X0 = 0, Y0 = 0, Ex = 0, Ey = 0;
};

Extent LayoutExtent(const TDadosProjecto& project)
{
    if (project.WorkArea) {
        return {project.WorkAreaX1, project.WorkAreaY1, static_cast<double>(project.WorkAreaX2) - project.WorkAreaX1,
                static_cast<double>(project.WorkAreaY2) - project.WorkAreaY1};
    }
    return {0, 0, project.Length, project.Width};
}

double Unit(double extent, int count, int stepFactor, int wallFactor)
{
    if (count < 1) {
        return 0;
    }
    const double parts = static_cast<double>(stepFactor) * (count - 1) + 2.0 * wallFactor;
    return parts == 0 ? 0 : extent / parts;
}

} // namespace

ArrayDimensions ArrayShape(int n, bool byColumns)
{
    if (n <= 0) {
        return {};
    }
    int c = 1;
    while (static_cast<long long>(c + 1) * (c + 1) <= n) {
        ++c;
    }
    if (n % c != 0 && n % (c + 1) == 0) {
        ++c;
    }
    c = std::max(c, n / c);
    const int other = n / c;
    ArrayDimensions d;
    if (byColumns) {
        d.Rows = c;
        d.Cols = other;
    } else {
        d.Cols = c;
        d.Rows = other;
    }
    while (static_cast<long long>(d.Cols) * d.Rows < n) {
        if (byColumns) {
            ++d.Cols;
        } else {
            ++d.Rows;
        }
    }
    return d;
}

ArrayUnits ArraySpacing(const TDadosProjecto& project, int cols, int rows, int stepFactor, int wallFactor)
{
    const Extent e = LayoutExtent(project);
    return {Unit(e.Ex, cols, stepFactor, wallFactor), Unit(e.Ey, rows, stepFactor, wallFactor)};
}

std::vector<LayoutPosition> ArrayPositions(const TDadosProjecto& project, int cols, int rows, int stepFactor,
                                           double angle, int wallFactor)
{
    std::vector<LayoutPosition> positions;
    if (cols < 1 || rows < 1) {
        return positions;
    }
    const Extent e = LayoutExtent(project);
    const ArrayUnits units = ArraySpacing(project, cols, rows, stepFactor, wallFactor);
    positions.reserve(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        for (int k = 0; k < cols; ++k) {
            positions.push_back({e.X0 + units.UnitX * (wallFactor + stepFactor * k),
                                 e.Y0 + units.UnitY * (wallFactor + stepFactor * i), angle});
        }
    }
    return positions;
}

} // namespace lumivar
