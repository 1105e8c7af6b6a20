#include "calc/BlockLayout.h"

#include <cmath>
#include <numbers>

namespace lumivar {

std::vector<LayoutPosition> BlockPositions(int cols, int rows, double startX, double stepX, double startY, double stepY,
                                           double angleStart, double angleStep)
{
    std::vector<LayoutPosition> positions;
    if (cols < 1 || rows < 1) {
        return positions;
    }
    positions.reserve(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        for (int k = 0; k < cols; ++k) {
            const double index = static_cast<double>(i) * cols + k;
            positions.push_back({startX + k * stepX, startY + i * stepY, angleStart + angleStep * index});
        }
    }
    return positions;
}

double LineLuminaireLength(const TDadosLuminaria& data)
{
    return (data.DiameterD != 0 ? data.DiameterD : data.LengthC) / 1000.0;
}

std::vector<LayoutPosition> LinePositions(LineOrientation orientation, double startX, double startY, int perLine,
                                          int lines, double delta, double luminaireLength, double angle)
{
    if (orientation == LineOrientation::Horizontal) {
        return BlockPositions(perLine, lines, startX, luminaireLength, startY, delta, angle, 0);
    }
    return BlockPositions(lines, perLine, startX, delta, startY, luminaireLength, angle, 0);
}

std::vector<LayoutPosition> CirclePositions(const CircleLayout& circle, double xMin, double xMax, double yMin,
                                            double yMax)
{
    std::vector<LayoutPosition> positions;
    if (circle.Count < 1) {
        return positions;
    }
    const double span =
        circle.AngleFrom < circle.AngleTo ? circle.AngleTo - circle.AngleFrom : circle.AngleTo + 360 - circle.AngleFrom;
    // A full turn (0 to 360, or equal angles) is a closed circle: n equal steps, so
    // that the last luminaire does not land on the first.
    double step = 0;
    if (circle.Count > 1) {
        step = span >= 360 ? span / circle.Count : span / (circle.Count - 1);
    }
    positions.reserve(static_cast<std::size_t>(circle.Count));
    double theta = circle.AngleFrom;
    for (int n = 0; n < circle.Count; ++n) {
        const double radians = theta * (std::numbers::pi / 180.0);
        const double x = circle.CentreX + circle.Radius * std::cos(radians);
        const double y = circle.CentreY + circle.Radius * std::sin(radians);
        if (x >= xMin && x <= xMax && y >= yMin && y <= yMax) {
            double angle = circle.Tangential ? theta + 90 : theta;
            if (angle == 360) {
                angle = 0;
            }
            positions.push_back({x, y, angle});
        }
        theta += step;
        if (theta > 360) {
            theta -= 360;
        }
    }
    return positions;
}

} // namespace lumivar
