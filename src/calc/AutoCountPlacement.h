#pragma once
// The automatic count: the lumen-method counts of one reference, the array they
// propose, and the plan that array replaces.

#include "base/Result.h"
#include "calc/ArrayLayout.h"
#include "calc/LumenMethod.h"
#include "calc/LuminairePlacement.h"
#include "project/ProjectDocument.h"

#include <vector>

namespace lumivar {

// Distance from the walls: one spacing (step factor 1) or half a spacing (2).
inline constexpr int kWallAtSpacing = 1;
inline constexpr int kWallAtHalfSpacing = 2;

struct AutoCountProposal {
    LumenResult Lumen;
    // Columns x rows for Lumen.Count. A count of 0 (no working area, or no
    // illuminance asked for) proposes no array: 0 x 0, and so does a count above
    // kMaxGroupLuminaires.
    ArrayDimensions Shape;
};

// Runs the lumen method for the reference and shapes the array for its count, the
// larger side along the columns, or along the rows when byColumns. Fails with the
// lumen method's reason.
Result<AutoCountProposal> ProposeAutoCount(const TDadosProjecto& project, const TRefLuminaria& ref, bool byColumns);

// The array the dialog confirms.
struct AutoCountArray {
    int RefIndex = -1;
    int Cols = 0;
    int Rows = 0;
    int StepFactor = kWallAtHalfSpacing;
    float Height = 0; // mounting height, metres
    float Angle = 0; // degrees
};

// Positions over the working area when set, else over the room; none when a side
// is below 1 or the array is larger than one group may be.
std::vector<LayoutPosition> AutoCountPositions(const TDadosProjecto& project, const AutoCountArray& array);

// Replaces every luminaire of the plan, whatever its reference, with the array.
// An unknown reference or an array too large to place is refused before anything
// is removed. Returns the number
// of luminaires placed.
Result<int> ApplyAutoCount(ProjectDocument& document, const AutoCountArray& array);

} // namespace lumivar
