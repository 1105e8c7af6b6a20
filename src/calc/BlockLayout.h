#pragma once
// The groups the block command adds to the plan: a rectangular block, continuous
// lines of luminaires end to end, and luminaires on a circle or an arc.

#include "calc/LayoutPosition.h"
#include "photometry/DadosLuminaria.h"

#include <vector>

namespace lumivar {

// Row by row (i = 0..rows-1), each row from k = 0: x = startX + k * stepX,
// y = startY + i * stepY, angle = angleStart + angleStep * (i * cols + k).
std::vector<LayoutPosition> BlockPositions(int cols, int rows, double startX, double stepX, double startY, double stepY,
                                           double angleStart, double angleStep);

enum class LineOrientation { Vertical = 0, Horizontal = 1 };

// Length of one luminaire in a continuous line, metres: the diameter of a round
// luminaire, else its length.
double LineLuminaireLength(const TDadosLuminaria& data);

// lines lines of perLine luminaires end to end (luminaireLength apart), the lines
// delta apart; horizontal lines run along x, vertical ones along y.
std::vector<LayoutPosition> LinePositions(LineOrientation orientation, double startX, double startY, int perLine,
                                          int lines, double delta, double luminaireLength, double angle);

struct CircleLayout {
    double CentreX = 0, CentreY = 0, Radius = 0; // metres
    int Count = 1;
    double AngleFrom = 0, AngleTo = 360; // degrees, counter-clockwise from +x
    bool Tangential = false; // luminaires along the circle instead of pointing out
};

// Luminaires spread from AngleFrom to AngleTo (through 360 when AngleTo is not
// above AngleFrom): a full turn spaces them evenly round the circle, an arc puts
// one at each end. Positions outside xMin..xMax, yMin..yMax (inclusive) are left
// out. Each luminaire's angle is its polar angle, plus 90 when tangential, with
// 360 written as 0.
std::vector<LayoutPosition> CirclePositions(const CircleLayout& circle, double xMin, double xMax, double yMin,
                                            double yMax);

} // namespace lumivar
