#pragma once
// The room sketch: a small oblique drawing of the rectangular room naming the walls
// "A" to "D", with the working plane hatched in blue and the four dimensions of the
// data page (length, width, room height, working-plane height) written along their
// dimension lines. Paints onto any painter: the data page's widget, a QPicture for print.

#include <QString>

class QPainter;

namespace lumivar {

class TMedidas {
public:
    // Size of the area the sketch fills, pixels; the drawing scales with it.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }

    // The figure and then the four dimension labels, in control pixels from (0, 0). The
    // painter's pen, brush and font are left as they were.
    void Paint(QPainter* painter) const;
    // The four labels alone. Changed values are shown by painting the whole sketch again,
    // so only the current values are ever on screen.
    void DrawDimensions(QPainter* painter) const;
    // A dimension as labelled: two decimals and " m".
    static QString DimensionLabel(float metres);

    // Room dimensions, metres; written by the owner.
    float Length = 0;
    float Width = 0;
    float Height = 0;
    float WorkPlaneHeight = 0;

private:
    int m_clientWidth = 0;
    int m_clientHeight = 0;
};

} // namespace lumivar
