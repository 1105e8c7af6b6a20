#pragma once
// The drawing base of every picture plotted from numbers (plan, result plane, sections,
// polar diagram, charts): a world-to-device mapping plus drawing operations in world or
// device coordinates on a QPainter, labelled axes, and the rubber-band state of a view.
// Subclasses override Paint and build their picture from these operations; the same
// Paint serves the screen, a QPicture for print, and an offscreen image.

#include "graphics/WorldMapping.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QtCore/qnamespace.h>

#include <cstdint>
#include <span>

class QFont;
class QPainter;

namespace lumivar {

// Horizontal placement of text relative to its reference point.
enum class TextHAlign : int {
    EndsAtX = 0, // the text ends at X
    BeginsAtX = 1, // the text begins at X
    Centred = 2,
};

// Vertical placement of text relative to its reference point.
enum class TextVAlign : int {
    AboveY = 0, // the text sits above Y
    BelowY = 1, // the text hangs below Y
    Centred = 2,
};

// Direction an arrowhead points to.
enum class ArrowDirection : int { Left = 0, Right = 1, Up = 2, Down = 3 };

// Shrinks the box (pixels) to Ratio = height / width and keeps it centred.
void FitAspect(int& left, int& top, int& width, int& height, float ratio);
// Tick spacing (metres) for plans and sections of the given extent.
float GridStep(float extent);
// Coarse spacing for larger extents (lux, candela).
float CoarseStep(float extent);
// The power of ten axis labels are divided by: counts groups of digits − 1 decades for
// values of 1 and more, decades for values below 1.
int ScaleExponent(int digits, float value);
// Value · 10^(−exponent) in fixed notation with the locale's decimal separator.
QString FormatScaled(int exponent, int decimals, float value);
// Fixed notation with the locale's decimal separator; values with more than `precision`
// digits before the separator fall back to scientific notation.
QString FormatFixed(double value, int decimals, int precision);
// Rotates points 0..last about (cx, cy) by angle degrees, counter-clockwise in world
// axes; nothing when last < 1. last is limited to the array.
void RotatePoints(std::span<TPontoMundo> points, int last, float angle, float cx, float cy);
// Polar to Cartesian; angle in degrees.
void PolarToXY(TPontoMundo& p, float r, float angle);
// The font size (points) at which text just fits the rectangle, searched from the
// painter's current font size; the painter's font is left unchanged. minSize/maxSize
// bound the search when positive.
int FitFontToRect(QPainter* painter, const QString& text, const QRect& rect, int minSize, int maxSize);
// Writes text rotated by escapement (tenths of a degree, counter-clockwise, 900 = upwards)
// with the reference point placed by the alignment in the text's own frame.
void TextAtAngle(QPainter* painter, int x, int y, const QString& text, int escapement, TextHAlign h, TextVAlign v);

class TMundoGrafico {
public:
    TMundoGrafico() = default;
    virtual ~TMundoGrafico() = default;
    TMundoGrafico(const TMundoGrafico&) = delete;
    TMundoGrafico& operator=(const TMundoGrafico&) = delete;

    // Draws the picture on DrawCanvas. Subclasses set the viewport to the client area,
    // the world window, draw the axes and then the contents.
    virtual void Paint() {}
    // Paint onto another painter (a widget, a QPicture for print, an image); DrawCanvas
    // is restored afterwards. The painter is not owned.
    void PaintOn(QPainter* painter);

    // Size of the area the picture is drawn into, pixels.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }

    // Target of all drawing; not owned; may be null (drawing is then skipped).
    QPainter* DrawCanvas() const { return m_canvas; }
    void SetDrawCanvas(QPainter* painter) { m_canvas = painter; }

    // Mapping, device pixels and world units.
    const WorldMapping& Mapping() const { return m_map; }
    void SetViewport(int x1, int y1, int x2, int y2, bool recalc) { m_map.SetViewport(x1, y1, x2, y2, recalc); }
    void SetWorld(float x1, float y1, float x2, float y2) { m_map.SetWorld(x1, y1, x2, y2); }
    const DeviceRect& Viewport() const { return m_map.Viewport(); }
    const WorldRect& World() const { return m_map.World(); }
    int XToScreen(float x) const { return m_map.XToScreen(x); }
    int YToScreen(float y) const { return m_map.YToScreen(y); }
    int LenXToScreen(float length) const { return m_map.LenXToScreen(length); }
    int LenYToScreen(float length) const { return m_map.LenYToScreen(length); }
    float ScreenToX(int pixel) const { return m_map.ScreenToX(pixel); }
    float ScreenToY(int pixel) const { return m_map.ScreenToY(pixel); }
    float PixelHeight() const { return m_map.PixelHeight(); }

    // Drawing with the canvas's current pen, brush and font, device pixels unless named …W.
    void Line(int x1, int y1, int x2, int y2);
    void LineW(float x1, float y1, float x2, float y2);
    // A filled circle, or with segmented an unfilled outline of 72 chords that is
    // pixel-symmetric; the radius in pixels is the smaller of its X and Y lengths.
    void CircleW(bool segmented, float x, float y, float radius);
    // A filled triangle (unless the brush is clear) with its tip at (x, y), in the pen colour.
    void Arrow(int x, int y, int size, ArrowDirection direction);
    // Text placed by the alignment; a negative x asks for an opaque box in the brush
    // colour behind the text, at (|x|, |y|).
    void TextAt(int x, int y, const QString& text, TextHAlign h, TextVAlign v);
    void NumberAt(int x, int y, float value, int exponent, int decimals, TextHAlign h, TextVAlign v);
    // "x 10" with the exponent raised after it, in a slightly smaller Arial.
    void PowerOfTenMark(int x, int y, int exponent);
    // Points first..last: an open polyline when the two ends differ, otherwise a filled
    // polygon without the repeated closing point. last is limited to the array.
    void PolyW(std::span<const TPontoMundo> points, int last, int first);
    // Clips drawing to the rectangle (right and bottom edges excluded); RestoreClip
    // brings back the clipping in force before.
    void ClipTo(int left, int top, int right, int bottom);
    void RestoreClip();
    // Label font size (points) for the current viewport.
    int AxisFontSize() const;
    // Axes with ticks and labels; with reserveLabels the viewport shrinks to the plotting
    // area inside the axes. |xDiv|, |yDiv| (1..9) are tick intervals per labelled step; a
    // negative yDiv frames the viewport, a negative xDiv closes the box on the far sides.
    void DrawAxes(bool reserveLabels, int xDiv, int yDiv, int leftMargin, int topMargin, int rightMargin,
                  int bottomMargin, Qt::PenStyle xAxisStyle, Qt::PenStyle yAxisStyle, bool arrows, float xStep,
                  float yStep);

    // Rubber band, control pixels. MouseDown/MouseMove/MouseUp are called by the widget
    // shell; subclasses extend them and call the base.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    virtual void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    bool HasZoomRect() const { return ZoomRect.Left != ZoomRect.Right && ZoomRect.Top != ZoomRect.Bottom; }
    // Whether the band is on screen: while dragging and, after release, until the next
    // drag or HideRubberBand.
    bool RubberBandShown() const { return m_bandShown && HasZoomRect(); }
    void HideRubberBand() { m_bandShown = false; }
    // The band as drawn over the picture: blue, dotted, not filled.
    void DrawRubberBand(QPainter* painter) const;

    bool Dragging = false;
    QPoint DragStart{0, 0};
    DeviceRect ZoomRect{}; // last rubber band; Right/Bottom follow the mouse
    bool ZoomEnabled = true;
    int LabelDigits = 5;
    int LabelDecimals = 1;
    int MaxAxisFontSize = 7; // points

private:
    // Ticks and labels along one axis from its origin pixel towards its far end.
    void DrawAxisTicks(bool vertical, int origin, int direction, int axisAt, int outward, int span, int div, float low,
                       float step, double extent, int exponent, int majorTick, int minorTick, int labelAt);

    WorldMapping m_map;
    QPainter* m_canvas = nullptr;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_bandShown = false;
    QRegion m_savedClip;
    bool m_savedClipOn = false;
};

} // namespace lumivar
