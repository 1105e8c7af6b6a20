#include "views/DiagPolar.h"

#include "graphics/PainterState.h"
#include "views/BSpline.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace lumivar {

namespace {

// Columns of the intensity table for the four half-planes shown.
constexpr int kColumnC0 = 0;
constexpr int kColumnC90 = 6;
constexpr int kColumnC180 = 12;
constexpr int kColumnC270 = 18;

const QColor kBackground(255, 255, 255);
const QColor kC0Colour(255, 0, 0);
const QColor kC90Colour(0, 0, 255);

// Intensities are drawn as radii: a negative or unreadable value would put its point on
// the opposite side of the centre, so it counts as no light.
float Radius(double value)
{
    return std::isfinite(value) && value > 0 ? static_cast<float>(value) : 0.0f;
}

// The measured points of one plane pair: plane a from straight down (gamma ascending)
// round to plane b back down (gamma descending); plane b is mirrored to the left. When
// the rows reach straight up both halves meet there in one point; otherwise each half
// keeps its own last point. Returns the number of points.
int PlanePairPoints(const IntensityTable& table, int n, int a, int b,
                    std::array<TPontoMundo, TDiagPolar::kRawPoints>& out)
{
    out.fill({});
    if (n <= 0)
        return 0;
    const int count = n == kGammaRows ? 2 * n - 1 : 2 * n;
    for (int g = 0; g < n; ++g) {
        const float gamma = 5.0f * static_cast<float>(g);
        PolarToXY(out[g], Radius(table[g][a]), gamma - 90.0f);
    }
    for (int g = 0; g < n; ++g) {
        const float gamma = 5.0f * static_cast<float>(g);
        PolarToXY(out[count - 1 - g], Radius(table[g][b]), 180.0f - (gamma - 90.0f));
    }
    return count;
}

// The smoothed curve of one plane pair. When the halves meet straight up they form one
// curve; otherwise each half is smoothed on its own and a straight line joins their last
// points, so the curve does not swing about where the halves end apart.
void SmoothPlanePair(std::span<const TPontoMundo> raw, std::array<TPontoMundo, TDiagPolar::kCurvePoints>& curve)
{
    const std::size_t n = raw.size();
    if (n % 2 == 1 || n == 0) {
        BSpline(raw).Sample(curve);
        return;
    }
    const std::size_t split = TDiagPolar::kCurvePoints / 2 + 1;
    BSpline(raw.first(n / 2)).Sample(std::span(curve).first(split));
    BSpline(raw.subspan(n / 2)).Sample(std::span(curve).subspan(split));
}

QRect OutlineBox(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

} // namespace

QString AngleLabel(float angle)
{
    double a = angle;
    if (a > 360)
        a -= 360;
    if (a == 360)
        a = 0;
    else if (a > 180)
        a = 360 - a;
    return QString::number(RoundEven(a));
}

TDiagPolar::TDiagPolar()
{
    ZoomEnabled = false;
}

void TDiagPolar::SetData(const TRefLuminaria& reference)
{
    SetData(reference.Intensities, reference.GammaCount, reference.CPlaneCount);
}

void TDiagPolar::SetData(const IntensityTable& intensities, int gammaCount, int cPlaneCount)
{
    const int n = std::clamp(gammaCount, 0, kGammaRows);
    RawCount = PlanePairPoints(intensities, n, kColumnC0, kColumnC180, RawC0);
    PlanePairPoints(intensities, n, kColumnC90, kColumnC270, RawC90);
    const std::span<const TPontoMundo> c0(RawC0.data(), static_cast<std::size_t>(RawCount));
    const std::span<const TPontoMundo> c90(RawC90.data(), static_cast<std::size_t>(RawCount));

    if (RawCount == 0)
        SetWorld(0, 0, 0, 0);
    FitWorld(c0, RawCount - 1, 1, 1, true);
    SmoothPlanePair(c0, CurveC0);
    FitWorld(c90, RawCount - 1, 1, 1, false);
    SmoothPlanePair(c90, CurveC90);

    RadiusStep = FitPolarWorld();
    GammaCount = n;
    CPlaneCount = cPlaneCount;
}

void TDiagPolar::Paint()
{
    QPainter* p = DrawCanvas();
    if (!p || !(RadiusStep > 0))
        return;
    PainterState state(p);
    p->setPen(QPen(QColor(0, 0, 0), 1, Qt::SolidLine));
    p->setBrush(Qt::NoBrush);
    DrawPolarGrid(false, 0, 0, 0, 0, 1, 90, 15, RadiusStep);
    if (RawCount == 0)
        return;
    p->setPen(QPen(kC0Colour, 1, Qt::SolidLine));
    DrawSeries(CurveC0, kCurvePoints - 1, false, 0, 0, 0, 0);
    p->setPen(QPen(kC90Colour, 1, Qt::SolidLine));
    DrawSeries(CurveC90, kCurvePoints - 1, false, 0, 0, 0, 0);
}

void TDiagPolar::FitWorld(std::span<const TPontoMundo> points, int last, float xFactor, float yFactor, bool init)
{
    last = static_cast<int>(std::min<long long>(last, static_cast<long long>(points.size()) - 1));
    const WorldRect& w = World();
    float x1 = std::min(w.X1, w.X2);
    float x2 = std::max(w.X1, w.X2);
    float y1 = std::min(w.Y1, w.Y2);
    float y2 = std::max(w.Y1, w.Y2);
    if (init) {
        if (last < 0)
            return;
        x1 = x2 = points[0].X;
        y1 = y2 = points[0].Y;
    }
    for (int i = 0; i <= last; ++i) {
        x1 = std::min(x1, points[i].X);
        x2 = std::max(x2, points[i].X);
        y1 = std::min(y1, points[i].Y);
        y2 = std::max(y2, points[i].Y);
    }
    if (xFactor != 1) {
        const double centre = (static_cast<double>(x1) + x2) / 2;
        const double half = (static_cast<double>(x2) - x1) / 2 * std::fabs(xFactor);
        x1 = static_cast<float>(centre - half);
        x2 = static_cast<float>(centre + half);
    }
    if (yFactor != 1) {
        const double centre = (static_cast<double>(y1) + y2) / 2;
        const double half = (static_cast<double>(y2) - y1) / 2 * std::fabs(yFactor);
        y1 = static_cast<float>(centre - half);
        y2 = static_cast<float>(centre + half);
    }
    SetWorld(x1, y1, x2, y2);
}

float TDiagPolar::FitPolarWorld()
{
    const WorldRect& w = World();
    // The diagram is centred on the luminaire: the window always holds the centre.
    double x1 = std::min({w.X1, w.X2, 0.0f});
    double x2 = std::max({w.X1, w.X2, 0.0f});
    double bottom = std::min({w.Y1, w.Y2, 0.0f});
    double top = std::max({w.Y1, w.Y2, 0.0f});
    const double width = x2 - x1;
    const double height = top - bottom;

    float step = 10.0f * static_cast<float>(RoundEven(std::max(width, height) / 60.0));
    if (step == 70)
        step = 75;
    // A faint or empty distribution still gets a grid of circles apart.
    if (!(step >= 10))
        step = 10;

    if (width < height) {
        x1 -= (height - width) / 2;
        x2 += (height - width) / 2;
    } else if (width > height) {
        bottom -= width - height;
    }
    const double margin = std::fabs(top) > step ? 11.0 : static_cast<double>(step);
    SetWorld(static_cast<float>(x1 - margin), static_cast<float>(top + margin), static_cast<float>(x2 + margin),
             static_cast<float>(bottom - margin));
    return step;
}

std::vector<PolarRay> TDiagPolar::PolarRays(int angleStep, int labelHeight) const
{
    std::vector<PolarRay> rays;
    if (angleStep <= 0)
        return rays;
    const WorldRect& w = World();
    const DeviceRect& vp = Viewport();
    const bool xGrowsRight = w.X1 <= w.X2;
    const bool yGrowsUp = w.Y2 <= w.Y1;
    const float left = xGrowsRight ? w.X1 : w.X2;
    const float right = xGrowsRight ? w.X2 : w.X1;
    const float top = yGrowsUp ? w.Y1 : w.Y2;
    const float bottom = yGrowsUp ? w.Y2 : w.Y1;
    const int pxLeft = xGrowsRight ? vp.Left : vp.Right;
    const int pxRight = xGrowsRight ? vp.Right : vp.Left;
    const int pyTop = yGrowsUp ? vp.Top : vp.Bottom;
    const int pyBottom = yGrowsUp ? vp.Bottom : vp.Top;

    int lastX = XToScreen(0);
    int lastY = INT_MIN;
    for (int k = 0; k <= 360 / angleStep; ++k) {
        const int v = k * angleStep;
        if (v % 90 == 0) {
            // The half-axes carry their own labels: rays next to them keep clear of the centre.
            lastX = XToScreen(0);
            continue;
        }
        const double tangent = std::tan(v * std::numbers::pi / 180.0);
        const bool rightSide = v < 90 || v > 270;
        const bool upper = v < 180;
        const double edgeX = rightSide ? right : left;
        const double y = edgeX * tangent;
        PolarRay ray;
        ray.Angle = v;
        if (upper ? y <= top : y >= bottom) {
            ray.End = QPoint(rightSide ? pxRight : pxLeft, YToScreen(static_cast<float>(y)));
        } else {
            const double edgeY = upper ? top : bottom;
            ray.End = QPoint(XToScreen(static_cast<float>(edgeY / tangent)), upper ? pyTop : pyBottom);
        }
        ray.Labelled = !(std::abs(ray.End.x() - lastX) < 2.75 * labelHeight && ray.End.y() == lastY);
        if (ray.Labelled) {
            lastX = ray.End.x();
            lastY = ray.End.y();
        }
        rays.push_back(ray);
    }
    return rays;
}

void TDiagPolar::EdgeLabel(int px, int py, const QString& text)
{
    const DeviceRect& vp = Viewport();
    TextHAlign h = TextHAlign::Centred;
    if (px >= vp.Right) {
        px += 2;
        h = TextHAlign::BeginsAtX;
    } else if (px <= vp.Left) {
        px -= 2;
        h = TextHAlign::EndsAtX;
    }
    const TextVAlign v = py >= vp.Bottom ? TextVAlign::BelowY : py <= vp.Top ? TextVAlign::AboveY : TextVAlign::Centred;
    // The opaque box is asked for by a negative X; a point off the picture gets no label.
    if (px <= 0 || py < 0)
        return;
    TextAt(-px, py, text, h, v);
}

void TDiagPolar::DrawPolarGrid(bool reserveLabels, int leftMargin, int topMargin, int rightMargin, int bottomMargin,
                               int frame, float angleOffset, int angleStep, float radiusStep)
{
    QPainter* p = DrawCanvas();
    if (!p)
        return;
    PainterState state(p);
    QFont font = p->font();
    font.setPointSize(AxisFontSize());
    font.setFamily(QStringLiteral("Arial"));
    p->setFont(font);

    const DeviceRect outer = Viewport();
    SetViewport(outer.Left + leftMargin, outer.Top + topMargin, outer.Right - rightMargin, outer.Bottom - bottomMargin,
                true);
    const QFontMetrics fm = p->fontMetrics();
    if (reserveLabels) {
        // The same room the axes keep for their labels.
        const DeviceRect vp = Viewport();
        const WorldRect& w = World();
        const QString sample(std::max(LabelDigits + LabelDecimals + 2, 0), QLatin1Char(' '));
        const int wS = fm.horizontalAdvance(sample);
        const int hS = fm.height();
        const bool yAxisLeft = w.X1 < w.X2;
        const bool xAxisBottom = w.Y2 < w.Y1;
        const int xL = yAxisLeft ? vp.Left + wS + 9 : vp.Left + 3;
        const int xR = yAxisLeft ? vp.Right - 3 : vp.Right - wS + 9;
        const int yB = xAxisBottom ? vp.Bottom - hS + 9 : vp.Bottom - hS / 2;
        const int yT = xAxisBottom ? vp.Top + hS / 2 : vp.Top + hS + 9;
        SetViewport(xL, yT, xR, yB, true);
    }
    const DeviceRect vp = Viewport();
    const int cx = XToScreen(0);
    const int cy = YToScreen(0);
    const QString degree = QStringLiteral("°");
    const QBrush opaque(kBackground);

    // Rays with their angle labels.
    QPen gridPen = p->pen();
    gridPen.setColor(GridColor);
    gridPen.setStyle(Qt::SolidLine);
    p->setPen(gridPen);
    const std::vector<PolarRay> rays = PolarRays(angleStep, fm.height());
    for (const PolarRay& ray : rays) {
        Line(cx, cy, ray.End.x(), ray.End.y());
        if (ray.Labelled) {
            p->setBrush(opaque);
            EdgeLabel(ray.End.x(), ray.End.y(), AngleLabel(static_cast<float>(ray.Angle) + angleOffset) + degree);
        }
    }

    // Circles: the innermost filled, covering where the rays meet.
    if (radiusStep > 0) {
        ClipTo(vp.Left + 1, vp.Top + 1, vp.Right - 1, vp.Bottom - 1);
        p->setBrush(opaque);
        CircleW(false, 0, 0, radiusStep);
        p->setBrush(Qt::NoBrush);
        for (int k = 2; k <= 8; ++k)
            CircleW(true, 0, 0, static_cast<float>(k) * radiusStep);
        RestoreClip();
    }

    // Half-axes with their labels.
    QPen axisPen = p->pen();
    axisPen.setColor(QColor(0, 0, 0));
    p->setPen(axisPen);
    p->setBrush(opaque);
    const struct {
        int Angle;
        int X;
        int Y;
    } axes[] = {{0, vp.Right, cy}, {90, cx, vp.Top}, {180, vp.Left, cy}, {270, cx, vp.Bottom}};
    for (const auto& axis : axes) {
        Line(cx, cy, axis.X, axis.Y);
        EdgeLabel(axis.X, axis.Y, AngleLabel(angleOffset + static_cast<float>(axis.Angle)) + degree);
    }

    // Radius labels on the vertical axis, above and below the centre.
    if (radiusStep > 0 && cx > 0) {
        ClipTo(vp.Left + 1, vp.Top + 1, vp.Right - 1, vp.Bottom - 1);
        // Only labels that fit inside the frame: one cut by the frame reads as another number.
        const int half = fm.height() / 2;
        for (int i = 1; i <= 7; ++i) {
            const float r = static_cast<float>(i) * radiusStep;
            const QString text = QString::number(RoundEven(r));
            for (const int y : {YToScreen(r), YToScreen(-r)})
                if (y > 0 && y - half > vp.Top && y + half < vp.Bottom)
                    TextAt(-cx, y, text, TextHAlign::Centred, TextVAlign::Centred);
        }
        RestoreClip();
    }

    if (frame > 0) {
        p->setBrush(Qt::NoBrush);
        p->drawRect(OutlineBox(vp.Left, vp.Top, vp.Right, vp.Bottom));
    }
}

void TDiagPolar::DrawSeries(std::span<const TPontoMundo> points, int last, bool reverseY, int first, int markerKind,
                            int markerSize, int dropLines)
{
    QPainter* p = DrawCanvas();
    if (!p)
        return;
    last = static_cast<int>(std::min<long long>(last, static_cast<long long>(points.size()) - 1));
    if (first < 0 || last < 0 || first >= static_cast<int>(points.size()) || std::abs(last - first) < 1)
        return;
    const WorldRect saved = World();
    if (reverseY)
        SetWorld(saved.X1, saved.Y2, saved.X2, saved.Y1);

    const int kind = std::abs(markerKind);
    const int size = std::abs(markerSize);
    const int drop = std::abs(dropLines);
    const int direction = last > first ? 1 : -1;
    QPolygon path;
    for (int i = first;; i += direction) {
        const TPontoMundo& pt = points[static_cast<std::size_t>(i)];
        if (drop == 1 || drop == 3)
            LineW(pt.X, pt.Y, pt.X, saved.Y1);
        if (drop == 2 || drop == 3)
            LineW(World().X1, pt.Y, pt.X, pt.Y);
        path << QPoint(XToScreen(pt.X), YToScreen(pt.Y));
        if (i == last)
            break;
    }
    if (markerKind >= 0)
        p->drawPolyline(path);
    for (int i = first;; i += direction) {
        const TPontoMundo& pt = points[static_cast<std::size_t>(i)];
        Marker(kind, size, pt.X, pt.Y);
        if (i == last)
            break;
    }

    if (reverseY)
        SetWorld(saved.X1, saved.Y1, saved.X2, saved.Y2);
}

void TDiagPolar::Marker(int kind, int size, float x, float y)
{
    QPainter* p = DrawCanvas();
    if (!p)
        return;
    const int px = XToScreen(x);
    const int py = YToScreen(y);
    const int s = size;
    const int f = s / 3;
    const QBrush savedBrush = p->brush();
    const QBrush filled(p->pen().color());
    QPolygon shape;
    switch (kind) {
    case 1:
        shape << QPoint(px - f, py - s) << QPoint(px + f, py - s) << QPoint(px + f, py - f) << QPoint(px + s, py - f)
              << QPoint(px + s, py + f) << QPoint(px + f, py + f) << QPoint(px + f, py + s) << QPoint(px - f, py + s)
              << QPoint(px - f, py + f) << QPoint(px - s, py + f) << QPoint(px - s, py - f) << QPoint(px - f, py - f);
        break;
    case 2: {
        const int g = RoundEven(1.5 * f);
        shape << QPoint(px, py - f) << QPoint(px + g, py - s) << QPoint(px + s, py - f) << QPoint(px + g, py)
              << QPoint(px + s, py + f) << QPoint(px + g, py + s) << QPoint(px, py + f) << QPoint(px - g, py + s)
              << QPoint(px - s, py + f) << QPoint(px - g, py) << QPoint(px - s, py - f) << QPoint(px - g, py - s);
        break;
    }
    case 3:
    case 4:
        p->drawRect(OutlineBox(px - s, py - s, px + s, py + s));
        return;
    case 5:
        shape << QPoint(px, py - s) << QPoint(px + s, py) << QPoint(px, py + s) << QPoint(px - s, py);
        break;
    case 6:
        Line(px - s, py - s, px, py);
        Line(px + s, py - s, px, py);
        Line(px, py + s, px, py);
        return;
    case 8:
        p->setBrush(filled);
        p->drawEllipse(OutlineBox(px - s, py - s, px + s, py + s));
        p->setBrush(savedBrush);
        return;
    case 9:
        p->drawPoint(px, py);
        return;
    default:
        return;
    }
    p->setBrush(filled);
    p->drawPolygon(shape);
    p->setBrush(savedBrush);
}

} // namespace lumivar
