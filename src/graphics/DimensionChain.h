#pragma once
// Dimension chains of the plan: the sorted, distinct X (or Y) positions of the placed
// luminaires, and the marks drawn from them. Plain values, no painting.

#include <vector>

namespace lumivar {

// One position of a dimension chain, metres.
struct TCota {
    float Value = 0;
};

// Inserts value into the ascending list unless an equal value is already there.
void InsertDimension(std::vector<TCota>& dims, float value);

// One mark of a chain: a measured span from From to To (metres) and whether it opens
// the chain with a start tick.
struct DimensionSpan {
    float From = 0;
    float To = 0;
    bool StartTick = false;
    friend bool operator==(const DimensionSpan&, const DimensionSpan&) = default;
};

// The marks of a chain starting at 0: each position at least `minimum` metres beyond the
// last marked one gets a mark from there; closer ones are skipped, so the next mark
// spans them. Only a mark ending at the list's first position carries the start tick.
std::vector<DimensionSpan> DimensionSpans(const std::vector<TCota>& dims, double minimum);

} // namespace lumivar
