#pragma once
// Puts layout positions on a project's plan as luminaires of one reference, and
// clears the plan, keeping every reference's use count right.

#include "base/Result.h"
#include "calc/LayoutPosition.h"
#include "project/ProjectDocument.h"

#include <span>

namespace lumivar {

// The most luminaires one automatic count or block places: far beyond any room
// the program calculates, and small enough that a mistyped count (9999 x 9999)
// cannot exhaust memory or stall the plan.
inline constexpr int kMaxGroupLuminaires = 10000;

// Whether cols x rows luminaires can be placed as one group: both positive and
// together not above kMaxGroupLuminaires.
bool GroupSizeOk(long long cols, long long rows);

// Appends one luminaire of reference refIndex per position, at mounting height z,
// each numbered with the plan's new luminaire count (so numbering goes on from the
// luminaires already there). An index with no reference is refused and the plan is
// left as it was. When something was added the plan is changed, the document
// modified and its results invalidated. More than kMaxGroupLuminaires positions
// are refused too. Returns the number added.
Result<int> AppendLuminaires(ProjectDocument& document, int refIndex, float z,
                             std::span<const LayoutPosition> positions);

// Removes every luminaire of the plan, each giving back its reference's use. When
// something was removed the plan is changed, the document modified and its results
// invalidated. Returns the number removed.
int RemoveAllLuminaires(ProjectDocument& document);

} // namespace lumivar
