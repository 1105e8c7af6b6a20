#include "graphics/WorldMapping.h"

#include <cmath>

namespace lumivar {

std::int32_t RoundEven(double value)
{
    const double r = std::nearbyint(value);
    if (!(r == r))
        return 0;
    if (r >= 2147483647.0)
        return 2147483647;
    if (r <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<std::int32_t>(r);
}

void WorldMapping::SetViewport(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, bool recalc)
{
    m_viewport = {x1, y1, x2, y2};
    if (recalc)
        SetWorld(m_world.X1, m_world.Y1, m_world.X2, m_world.Y2);
}

void WorldMapping::SetWorld(float x1, float y1, float x2, float y2)
{
    m_world = {x1, y1, x2, y2};
    ScaleX = static_cast<float>((static_cast<double>(m_viewport.Right) - m_viewport.Left) /
                                (static_cast<double>(x2) - static_cast<double>(x1)));
    ScaleY = static_cast<float>((static_cast<double>(m_viewport.Bottom) - m_viewport.Top) /
                                (static_cast<double>(y2) - static_cast<double>(y1)));
    OffsetX = static_cast<float>(m_viewport.Left - static_cast<double>(x1) * ScaleX);
    OffsetY = static_cast<float>(m_viewport.Top - static_cast<double>(y1) * ScaleY);
}

std::int32_t WorldMapping::ToDevice(double value)
{
    // The result is held as a Single before it is clamped and truncated.
    const double v = static_cast<float>(value);
    if (v > 2147483647.0)
        return 2147483647;
    if (v < -2147483646.0)
        return -2147483646;
    if (!(v == v)) // a window of zero extent: no meaningful pixel, but no undefined cast either
        return 0;
    return static_cast<std::int32_t>(v);
}

std::int32_t WorldMapping::ToLength(double value)
{
    const double v = std::fabs(static_cast<double>(static_cast<float>(value)));
    if (v >= 2147483647.0)
        return 2147483647;
    if (!(v == v))
        return 1;
    const auto n = static_cast<std::int32_t>(v);
    return n == 0 ? 1 : n;
}

} // namespace lumivar
