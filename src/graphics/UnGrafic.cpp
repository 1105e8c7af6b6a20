#include "graphics/UnGrafic.h"

#include "graphics/PainterState.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace lumivar {

namespace {

const QString kAxisFont = QStringLiteral("Arial");

// A box given by its edges, right and bottom excluded, as QPainter's outline rectangle:
// a stroked QRect covers one pixel more than its size.
QRect OutlineBox(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

// The same box as the pixels a fill covers.
QRect FillBox(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Writes text with its top-left corner at (x, y).
void WriteText(QPainter* painter, int x, int y, const QString& text)
{
    painter->drawText(QPoint(x, y + painter->fontMetrics().ascent()), text);
}

int HShift(TextHAlign h, int width)
{
    switch (h) {
    case TextHAlign::EndsAtX:
        return width;
    case TextHAlign::BeginsAtX:
        return 0;
    case TextHAlign::Centred:
        return width / 2;
    }
    return 0;
}

int VShift(TextVAlign v, int height)
{
    switch (v) {
    case TextVAlign::AboveY:
        return height;
    case TextVAlign::BelowY:
        return 0;
    case TextVAlign::Centred:
        return height / 2;
    }
    return 0;
}

// Quarter circle, 10000·sin(k·5°) for k = 0..18.
constexpr int kQuarterSine[19] = {0,    872,  1736, 2588, 3420, 4226, 5000, 5736, 6428, 7071,
                                  7660, 8192, 8660, 9063, 9397, 9659, 9848, 9962, 10000};

// Pixel offset of the end of small interval i (1..t) when l pixels are shared by t
// intervals: q each, the remainder r spread evenly starting with the first interval.
int TickOffset(int i, int q, int r, int t)
{
    if (r <= 0)
        return q * i;
    return q * i + static_cast<int>((static_cast<long long>(i - 1) * r) / t) + 1;
}

} // namespace

void FitAspect(int& left, int& top, int& width, int& height, float ratio)
{
    auto tryWidth = [&] {
        const int w = RoundEven(height / static_cast<double>(ratio));
        if (w > width)
            return false;
        left = (left + RoundEven(width / 2.0)) - RoundEven(w / 2.0);
        width = w;
        return true;
    };
    auto tryHeight = [&] {
        const int h = RoundEven(width * static_cast<double>(ratio));
        if (h > height)
            return false;
        top = (top + RoundEven(height / 2.0)) - RoundEven(h / 2.0);
        height = h;
        return true;
    };
    // For a positive ratio one of the two always fits; otherwise the box stays as it is.
    if (width >= height) {
        if (!tryWidth())
            tryHeight();
    } else {
        if (!tryHeight())
            tryWidth();
    }
}

float GridStep(float extent)
{
    if (extent <= 3)
        return 0.5f;
    if (extent <= 10)
        return 1;
    if (extent <= 20)
        return 2.5f;
    if (extent <= 50)
        return 5;
    return 10;
}

float CoarseStep(float extent)
{
    if (extent <= 50)
        return 10;
    if (extent <= 100)
        return 25;
    if (extent <= 500)
        return 50;
    if (extent <= 1000)
        return 100;
    return 250;
}

int ScaleExponent(int digits, float value)
{
    const double a = std::fabs(static_cast<double>(value));
    if (a == 0 || !std::isfinite(a))
        return 0;
    if (a < 1)
        return -static_cast<int>(std::trunc(std::fabs(std::log10(a))));
    // ln|v| / ln B with B = 10^(digits − 1), or 10 when that is not above 1; in decades so
    // that exact powers of ten land on whole groups.
    const int decades = digits - 1 >= 1 ? digits - 1 : 1;
    return static_cast<int>(std::trunc(std::log10(a) / decades));
}

QString FormatFixed(double value, int decimals, int precision)
{
    decimals = std::max(decimals, 0);
    QString text;
    if (!std::isfinite(value))
        text = QString::number(value);
    else if (std::fabs(value) >= std::pow(10.0, precision))
        text = QString::number(value, 'E', std::max(precision - 1, 0));
    else {
        text = QString::number(value, 'f', decimals);
        // A value that rounds to zero prints without a sign.
        const bool allZero = std::none_of(text.begin(), text.end(),
                                          [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
        if (allZero && text.startsWith(QLatin1Char('-')))
            text.remove(0, 1);
    }
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

QString FormatScaled(int exponent, int decimals, float value)
{
    return FormatFixed(static_cast<double>(value) * std::pow(10.0, -exponent), decimals, 16);
}

void RotatePoints(std::span<TPontoMundo> points, int last, float angle, float cx, float cy)
{
    last = static_cast<int>(std::min<long long>(last, static_cast<long long>(points.size()) - 1));
    if (last < 1)
        return;
    const double a = angle * std::numbers::pi / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    for (int i = 0; i <= last; ++i) {
        const double x = points[i].X - static_cast<double>(cx);
        const double y = points[i].Y - static_cast<double>(cy);
        points[i].X = static_cast<float>(cx + x * c - y * s);
        points[i].Y = static_cast<float>(cy + x * s + y * c);
    }
}

void PolarToXY(TPontoMundo& p, float r, float angle)
{
    const double a = angle * std::numbers::pi / 180.0;
    p.X = static_cast<float>(r * std::cos(a));
    p.Y = static_cast<float>(r * std::sin(a));
}

int FitFontToRect(QPainter* painter, const QString& text, const QRect& rect, int minSize, int maxSize)
{
    if (!painter)
        return std::max(minSize, 1);
    QFont font = painter->font();
    int size = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    size = std::max(size, 1);
    const int width = std::abs(rect.width());
    const int height = std::abs(rect.height());
    bool roomLeft = false;
    auto fits = [&](int s) {
        font.setPointSize(s);
        const QFontMetrics fm(font, painter->device());
        const int w = fm.horizontalAdvance(text);
        const int h = fm.height();
        roomLeft = w < width || h < height;
        return w <= width && h <= height;
    };
    // Down until the text fits, or up while it still fits with room to spare; the last
    // size that fits is the answer. No size beyond the bounds is tried.
    const int lowest = minSize > 0 ? minSize : 1;
    const int highest = maxSize > 0 ? maxSize : 1000;
    if (!fits(size)) {
        while (size > lowest && !fits(--size)) {
        }
    } else {
        while (roomLeft && size < highest && fits(size + 1))
            ++size;
    }
    return std::clamp(size, lowest, std::max(lowest, highest));
}

void TextAtAngle(QPainter* painter, int x, int y, const QString& text, int escapement, TextHAlign h, TextVAlign v)
{
    if (!painter)
        return;
    PainterState state(painter);
    const QFontMetrics fm = painter->fontMetrics();
    painter->translate(x, y);
    painter->rotate(-escapement / 10.0);
    const int dx = HShift(h, fm.horizontalAdvance(text));
    const int dy = VShift(v, fm.height());
    painter->drawText(QPoint(-dx, -dy + fm.ascent()), text);
}

// ---------------------------------------------------------------------------------------

void TMundoGrafico::PaintOn(QPainter* painter)
{
    QPainter* saved = m_canvas;
    m_canvas = painter;
    Paint();
    m_canvas = saved;
}

void TMundoGrafico::SetClientSize(int width, int height)
{
    m_clientWidth = width;
    m_clientHeight = height;
}

void TMundoGrafico::Line(int x1, int y1, int x2, int y2)
{
    if (m_canvas)
        m_canvas->drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void TMundoGrafico::LineW(float x1, float y1, float x2, float y2)
{
    Line(XToScreen(x1), YToScreen(y1), XToScreen(x2), YToScreen(y2));
}

void TMundoGrafico::CircleW(bool segmented, float x, float y, float radius)
{
    if (!m_canvas)
        return;
    const int r = std::min(LenXToScreen(radius), LenYToScreen(radius));
    const int cx = XToScreen(x);
    const int cy = YToScreen(y);
    if (!segmented) {
        m_canvas->drawEllipse(OutlineBox(cx - r, cy - r, cx + r, cy + r));
        return;
    }
    const double s = r / 10000.0;
    for (int k = 0; k < 18; ++k) {
        const int x0 = RoundEven(s * kQuarterSine[k]);
        const int y0 = RoundEven(s * kQuarterSine[18 - k]);
        const int x1 = RoundEven(s * kQuarterSine[k + 1]);
        const int y1 = RoundEven(s * kQuarterSine[17 - k]);
        Line(cx + x0, cy - y0, cx + x1, cy - y1);
        Line(cx - x0, cy - y0, cx - x1, cy - y1);
        // The lower half one pixel higher, so the figure is pixel-symmetric.
        Line(cx + x0, cy + y0 - 1, cx + x1, cy + y1 - 1);
        Line(cx - x0, cy + y0 - 1, cx - x1, cy + y1 - 1);
    }
}

void TMundoGrafico::Arrow(int x, int y, int size, ArrowDirection direction)
{
    if (!m_canvas)
        return;
    const int s = size;
    QPolygon triangle;
    switch (direction) {
    case ArrowDirection::Left:
        triangle << QPoint(x, y) << QPoint(x + s, y + s) << QPoint(x + s, y - s);
        break;
    case ArrowDirection::Right:
        triangle << QPoint(x, y) << QPoint(x - s, y + s) << QPoint(x - s, y - s);
        break;
    case ArrowDirection::Up:
        triangle << QPoint(x, y) << QPoint(x - s, y + s) << QPoint(x + s, y + s);
        break;
    case ArrowDirection::Down:
        triangle << QPoint(x, y) << QPoint(x - s, y - s) << QPoint(x + s, y - s);
        break;
    }
    const QBrush saved = m_canvas->brush();
    QBrush brush = saved;
    brush.setColor(m_canvas->pen().color());
    m_canvas->setBrush(brush);
    m_canvas->drawPolygon(triangle);
    m_canvas->setBrush(saved);
}

void TMundoGrafico::TextAt(int x, int y, const QString& text, TextHAlign h, TextVAlign v)
{
    if (!m_canvas)
        return;
    const QFontMetrics fm = m_canvas->fontMetrics();
    const int w = fm.horizontalAdvance(text);
    const int hgt = fm.height();
    const int dx = HShift(h, w);
    const int dy = VShift(v, hgt);
    if (x < 0) {
        x = -x;
        y = std::abs(y);
        const int right = h == TextHAlign::EndsAtX ? x + 2 : h == TextHAlign::BeginsAtX ? x + w + 2 : x + dx + 2;
        const int bottom = v == TextVAlign::AboveY ? y + 1 : v == TextVAlign::BelowY ? y + hgt + 1 : y + dy + 1;
        m_canvas->fillRect(FillBox(x - dx - 1, y - dy - 1, right, bottom), m_canvas->brush().color());
    }
    WriteText(m_canvas, x - dx, y - dy, text);
}

void TMundoGrafico::NumberAt(int x, int y, float value, int exponent, int decimals, TextHAlign h, TextVAlign v)
{
    TextAt(x, y, FormatScaled(exponent, decimals, value), h, v);
}

void TMundoGrafico::PowerOfTenMark(int x, int y, int exponent)
{
    if (!m_canvas)
        return;
    const QFont saved = m_canvas->font();
    QFont font = saved;
    font.setPointSize(saved.pointSize() > 0 ? std::max(RoundEven(0.9 * saved.pointSize()), 1) : 6);
    font.setFamily(kAxisFont);
    m_canvas->setFont(font);
    WriteText(m_canvas, x, y, QStringLiteral("x 10"));
    const QFontMetrics fm = m_canvas->fontMetrics();
    const QString ten = QStringLiteral("10");
    WriteText(m_canvas, x + fm.horizontalAdvance(ten), y - RoundEven(0.85 * fm.height()),
              QStringLiteral("%1").arg(exponent, 3));
    m_canvas->setFont(saved);
}

void TMundoGrafico::PolyW(std::span<const TPontoMundo> points, int last, int first)
{
    last = static_cast<int>(std::min<long long>(last, static_cast<long long>(points.size()) - 1));
    if (!m_canvas || first < 0 || last - first < 1)
        return;
    const bool closed = points[first] == points[last];
    QPolygon polygon;
    for (int i = first; i <= (closed ? last - 1 : last); ++i)
        polygon << QPoint(XToScreen(points[i].X), YToScreen(points[i].Y));
    if (closed)
        m_canvas->drawPolygon(polygon);
    else
        m_canvas->drawPolyline(polygon);
}

void TMundoGrafico::ClipTo(int left, int top, int right, int bottom)
{
    if (!m_canvas)
        return;
    m_savedClipOn = m_canvas->hasClipping();
    m_savedClip = m_canvas->clipRegion();
    m_canvas->setClipRect(FillBox(left, top, right, bottom));
}

void TMundoGrafico::RestoreClip()
{
    if (!m_canvas)
        return;
    if (m_savedClipOn)
        m_canvas->setClipRegion(m_savedClip);
    else
        m_canvas->setClipping(false);
}

int TMundoGrafico::AxisFontSize() const
{
    const DeviceRect& vp = Viewport();
    const int size = std::min({RoundEven(std::abs(static_cast<double>(vp.Bottom) - vp.Top) / 20.0), MaxAxisFontSize,
                               RoundEven(std::abs(static_cast<double>(vp.Right) - vp.Left) / 25.0)});
    return size <= 0 ? 1 : size;
}

void TMundoGrafico::DrawAxes(bool reserveLabels, int xDiv, int yDiv, int leftMargin, int topMargin, int rightMargin,
                             int bottomMargin, Qt::PenStyle xAxisStyle, Qt::PenStyle yAxisStyle, bool arrows,
                             float xStep, float yStep)
{
    if (!m_canvas)
        return;
    QPainter* p = m_canvas;
    const QFont savedFont = p->font();
    QFont font = savedFont;
    font.setPointSize(AxisFontSize());
    font.setFamily(kAxisFont);
    p->setFont(font);

    const DeviceRect outer = Viewport();
    SetViewport(outer.Left + leftMargin, outer.Top + topMargin, outer.Right - rightMargin, outer.Bottom - bottomMargin,
                true);
    const DeviceRect vp = Viewport();
    const WorldRect w = World();

    const QFontMetrics fm = p->fontMetrics();
    const int majorTick = RoundEven(0.8 * fm.horizontalAdvance(QLatin1Char('0')));
    const int labelGap = majorTick + RoundEven(majorTick / 3.0);
    const int minorTick = RoundEven(majorTick / 2.0 + 0.5);

    if (yDiv < 0)
        p->drawRect(OutlineBox(vp.Left, vp.Top, vp.Right, vp.Bottom));

    const QString sample(std::max(LabelDigits + LabelDecimals + 2, 0), QLatin1Char(' '));
    const int wS = fm.horizontalAdvance(sample);
    const int hS = fm.height();

    // Y axis on the left when X grows to the right; X axis at the bottom when Y grows upwards.
    const bool yAxisLeft = w.X1 < w.X2;
    const bool xAxisBottom = w.Y2 < w.Y1;
    int xL, xR, xA, yT, yB, yA;
    if (yAxisLeft) {
        xL = reserveLabels ? vp.Left + wS + 9 : vp.Left - 1;
        xR = reserveLabels ? vp.Right - 3 : vp.Right;
        xA = xL;
    } else {
        xL = reserveLabels ? vp.Left + 3 : vp.Left;
        xR = reserveLabels ? vp.Right - wS + 9 : vp.Right;
        xA = xR;
    }
    if (xAxisBottom) {
        yB = reserveLabels ? vp.Bottom - hS + 9 : vp.Bottom;
        yT = reserveLabels ? vp.Top + hS / 2 : vp.Top;
        yA = yB;
    } else {
        yB = reserveLabels ? vp.Bottom - hS / 2 : vp.Bottom;
        yT = reserveLabels ? vp.Top + hS + 9 : vp.Top - 1;
        yA = yT;
    }
    if (reserveLabels)
        SetViewport(xL, yT, xR, yB, true);

    if (xDiv < 0) {
        const int xFarSide = yAxisLeft ? xR : xL;
        const int yFarSide = xAxisBottom ? yT : yB;
        Line(xFarSide, yB, xFarSide, yT);
        Line(xL, yFarSide, xR, yFarSide);
    }
    xDiv = std::abs(xDiv);
    yDiv = std::abs(yDiv);

    if (xAxisStyle != Qt::NoPen || yAxisStyle != Qt::NoPen) {
        const QPen savedPen = p->pen();
        QPen pen = savedPen;
        pen.setStyle(xAxisStyle);
        p->setPen(pen);
        Line(xL, yA, xR, yA);
        pen.setStyle(yAxisStyle);
        p->setPen(pen);
        Line(xA, yB, xA, yT);
        p->setPen(savedPen);
    }

    if (arrows) {
        if (xAxisBottom)
            Arrow(xA, yT, majorTick, ArrowDirection::Up);
        else
            Arrow(xA, yB, majorTick, ArrowDirection::Down);
        if (yAxisLeft)
            Arrow(xR, yA, majorTick, ArrowDirection::Right);
        else
            Arrow(xL, yA, majorTick, ArrowDirection::Left);
    }

    if (std::abs(yB - yT) >= 10 && std::abs(xL - xR) >= 10 && xDiv > 0 && yDiv > 0) {
        // Each axis continues a little beyond the other, away from the plot.
        Line(xA, yA, xA, yA + (xAxisBottom ? majorTick : -majorTick));
        Line(xA, yA, xA + (yAxisLeft ? -majorTick : majorTick), yA);

        // Y axis: labels beside it, outside the plot.
        const float yBig = std::fabs(w.Y1) > std::fabs(w.Y2) ? w.Y1 : w.Y2;
        const int eY = ScaleExponent(LabelDigits, yBig);
        const int yOutward = yAxisLeft ? -1 : 1;
        const int yLabelX = xA + yOutward * labelGap;
        const TextHAlign yLabelAlign = yAxisLeft ? TextHAlign::EndsAtX : TextHAlign::BeginsAtX;
        const float yLow = xAxisBottom ? w.Y2 : w.Y1;
        NumberAt(yLabelX, yA, yLow, eY, LabelDecimals, yLabelAlign, TextVAlign::Centred);
        if (eY != 0)
            PowerOfTenMark(Viewport().Left + 2 * labelGap, xAxisBottom ? yT : yB, eY);
        DrawAxisTicks(true, yA, xAxisBottom ? -1 : 1, xA, yOutward, yB - yT, yDiv, yLow, yStep,
                      std::fabs(static_cast<double>(w.Y2) - w.Y1), eY, majorTick, minorTick, yLabelX);

        // X axis: labels centred below (axis at the bottom) or above it.
        const float xBig = std::fabs(w.X1) > std::fabs(w.X2) ? w.X1 : w.X2;
        const int eX = ScaleExponent(LabelDigits, xBig);
        const int xOutward = xAxisBottom ? 1 : -1;
        const int xLabelY = yA + xOutward * labelGap;
        const float xLow = yAxisLeft ? w.X1 : w.X2;
        NumberAt(xA, xLabelY, xLow, eX, LabelDecimals, TextHAlign::Centred,
                 xAxisBottom ? TextVAlign::BelowY : TextVAlign::AboveY);
        if (eX != 0)
            PowerOfTenMark((yAxisLeft ? xR : xL) - majorTick, yA + 1, eX);
        DrawAxisTicks(false, xA, yAxisLeft ? 1 : -1, yA, xOutward, xR - xL, xDiv, xLow, xStep,
                      std::fabs(static_cast<double>(w.X2) - w.X1), eX, majorTick, minorTick, xLabelY);
    }

    p->setFont(savedFont);
}

void TMundoGrafico::DrawAxisTicks(bool vertical, int origin, int direction, int axisAt, int outward, int span, int div,
                                  float low, float step, double extent, int exponent, int majorTick, int minorTick,
                                  int labelAt)
{
    // Nothing sensible to mark for a non-positive step, and no more ticks than a picture
    // could ever show.
    if (!(step > 0) || !(extent > 0) || !std::isfinite(extent))
        return;
    const double steps = std::trunc(extent / step);
    if (!(steps * div <= 1000000.0))
        return;
    const int n = std::max(static_cast<int>(steps), 1);
    const int length = RoundEven(n * static_cast<double>(step) * span / extent);
    const int t = n * div;
    const int q = length / t;
    const int r = length - q * t;
    for (int i = 1; i <= t; ++i) {
        const int pos = origin + direction * TickOffset(i, q, r, t);
        int tick = minorTick;
        if (i % div == 0) {
            tick = majorTick;
            const float value = static_cast<float>(low + static_cast<double>(i / div) * step);
            if (vertical)
                NumberAt(labelAt, pos, value, exponent, LabelDecimals,
                         outward < 0 ? TextHAlign::EndsAtX : TextHAlign::BeginsAtX, TextVAlign::Centred);
            else
                NumberAt(pos, labelAt, value, exponent, LabelDecimals, TextHAlign::Centred,
                         outward > 0 ? TextVAlign::BelowY : TextVAlign::AboveY);
        } else if (div % 2 == 0 && i % div == div / 2) {
            tick = majorTick;
        }
        if (vertical)
            Line(axisAt, pos, axisAt + outward * tick, pos);
        else
            Line(pos, axisAt, pos, axisAt + outward * tick);
    }
}

void TMundoGrafico::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos)
{
    if (!ZoomEnabled || button != Qt::LeftButton)
        return;
    Dragging = true;
    DragStart = pos;
    ZoomRect = {pos.x(), pos.y(), pos.x(), pos.y()};
    m_bandShown = true;
}

void TMundoGrafico::MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos)
{
    if (!Dragging)
        return;
    ZoomRect.Right = std::clamp(pos.x(), 0, std::max(m_clientWidth, 0));
    ZoomRect.Bottom = std::clamp(pos.y(), 0, std::max(m_clientHeight, 0));
}

void TMundoGrafico::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)
{
    if (ZoomEnabled)
        Dragging = false;
}

void TMundoGrafico::DrawRubberBand(QPainter* painter) const
{
    if (!painter || !RubberBandShown())
        return;
    PainterState state(painter);
    QPen pen(QColor(0, 0, 255));
    pen.setWidth(0);
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const int left = std::min(ZoomRect.Left, ZoomRect.Right);
    const int right = std::max(ZoomRect.Left, ZoomRect.Right);
    const int top = std::min(ZoomRect.Top, ZoomRect.Bottom);
    const int bottom = std::max(ZoomRect.Top, ZoomRect.Bottom);
    painter->drawRect(OutlineBox(left, top, right, bottom));
}

} // namespace lumivar
