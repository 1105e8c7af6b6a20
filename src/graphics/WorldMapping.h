#pragma once
// The affine mapping of a world window (metres, lux, years, candela: whatever a picture
// plots) onto a rectangle of device pixels, with the program's rounding and truncation
// rules. A plain value: no painter, no Qt.

#include <cstdint>

namespace lumivar {

// A world point: two Singles, X first (8 bytes).
struct TPontoMundo {
    float X = 0;
    float Y = 0;
    friend bool operator==(const TPontoMundo&, const TPontoMundo&) = default;
};

// Device rectangle, pixels; Right and Bottom are the far edges.
struct DeviceRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

// World window: X1 maps to the viewport's left, X2 to its right, Y1 to its top, Y2 to
// its bottom. Y1 > Y2 makes Y grow upwards on screen.
struct WorldRect {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    friend bool operator==(const WorldRect&, const WorldRect&) = default;
};

// Rounds to the nearest integer, ties to even.
std::int32_t RoundEven(double value);

class WorldMapping {
public:
    // Stores the viewport; with recalc the scale and offset follow the current world window.
    void SetViewport(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, bool recalc);
    // Stores the world window and recomputes scale and offset. A window of zero extent
    // gives an infinite scale; callers always pass a window of non-zero extent.
    void SetWorld(float x1, float y1, float x2, float y2);

    // World coordinate to device pixel: Scale·w + Offset as a Single, truncated toward
    // zero and clamped to -2147483646..2147483647.
    std::int32_t XToScreen(float x) const { return ToDevice(ScaleX * static_cast<double>(x) + OffsetX); }
    std::int32_t YToScreen(float y) const { return ToDevice(ScaleY * static_cast<double>(y) + OffsetY); }
    // World length to pixels: |Scale·length| truncated, never 0 so a mark stays visible.
    std::int32_t LenXToScreen(float length) const { return ToLength(ScaleX * static_cast<double>(length)); }
    std::int32_t LenYToScreen(float length) const { return ToLength(ScaleY * static_cast<double>(length)); }
    float ScreenToX(std::int32_t pixel) const
    {
        return static_cast<float>((pixel - static_cast<double>(OffsetX)) / ScaleX);
    }
    float ScreenToY(std::int32_t pixel) const
    {
        return static_cast<float>((pixel - static_cast<double>(OffsetY)) / ScaleY);
    }
    // World units per pixel along Y; negative when Y grows upwards.
    float PixelHeight() const { return static_cast<float>(1.0 / ScaleY); }

    const DeviceRect& Viewport() const { return m_viewport; }
    const WorldRect& World() const { return m_world; }

    float ScaleX = 1; // pixels per world unit, signed
    float ScaleY = 1;
    float OffsetX = 1; // device coordinate of world 0
    float OffsetY = 1;

private:
    static std::int32_t ToDevice(double value);
    static std::int32_t ToLength(double value);

    DeviceRect m_viewport{1, 1, 1, 1};
    WorldRect m_world{};
};

} // namespace lumivar
