#include "graphics/DimensionChain.h"

namespace lumivar {

void InsertDimension(std::vector<TCota>& dims, float value)
{
    // Walk from the end: most luminaires are added in ascending order.
    for (auto i = dims.size(); i > 0; --i) {
        const float v = dims[i - 1].Value;
        if (v == value)
            return;
        if (v < value) {
            dims.insert(dims.begin() + static_cast<std::ptrdiff_t>(i), TCota{value});
            return;
        }
    }
    dims.insert(dims.begin(), TCota{value});
}

std::vector<DimensionSpan> DimensionSpans(const std::vector<TCota>& dims, double minimum)
{
    std::vector<DimensionSpan> spans;
    float prev = 0;
    for (std::size_t i = 0; i < dims.size(); ++i) {
        const float v = dims[i].Value;
        if (static_cast<double>(v - prev) < minimum)
            continue;
        spans.push_back({prev, v, i == 0});
        prev = v;
    }
    return spans;
}

} // namespace lumivar
