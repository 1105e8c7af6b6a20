#pragma once
// The rectangular array the automatic count proposes: its shape for a number of
// luminaires, its spacing over the room or the working area, and its positions.

#include "calc/LayoutPosition.h"
#include "project/DadosProjecto.h"

#include <vector>

namespace lumivar {

struct ArrayDimensions {
    int Rows = 0;
    int Cols = 0;
};

// Columns x rows for n luminaires, close to square, with at least n places; the
// larger side goes to the columns, or to the rows when byColumns. n <= 0 gives no
// array (0 x 0).
ArrayDimensions ArrayShape(int n, bool byColumns);

struct ArrayUnits {
    double UnitX = 0; // metres
    double UnitY = 0;
};

// The spacing unit along x and y: the extent over stepFactor * (count - 1) +
// 2 * wallFactor. The extent is the working area when set, else the room (the
// margin plays no part). stepFactor 1 puts the walls one spacing away, 2 half a
// spacing. A count that leaves no unit (below 1, or 0 parts) gives 0.
ArrayUnits ArraySpacing(const TDadosProjecto& project, int cols, int rows, int stepFactor, int wallFactor = 1);

// Positions row by row (i = 0..rows-1), each row column by column, all with the
// given angle: x = x0 + UnitX * (wallFactor + stepFactor * k), and likewise y.
std::vector<LayoutPosition> ArrayPositions(const TDadosProjecto& project, int cols, int rows, int stepFactor,
                                           double angle, int wallFactor = 1);

} // namespace lumivar
