// The polar intensity diagram: the smoothing curve, the fitting of its world window, its
// grid rays and labels, and the curves as painted on an offscreen image.

#include "views/DiagPolar.h"
#include "render/GuiApplication.h"
#include "views/BSpline.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace lumivar {
namespace {

// A table with one intensity per C column, the same at every gamma angle.
IntensityTable PlaneTable(double c0, double c90, double c180, double c270)
{
    IntensityTable table{};
    for (auto& row : table) {
        row[0] = c0;
        row[6] = c90;
        row[12] = c180;
        row[18] = c270;
    }
    return table;
}

QImage Render(TDiagPolar& diagram)
{
    EnsureGuiApplication();
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    diagram.PaintOn(&painter);
    painter.end();
    return image;
}

// Distance in pixels from (x0, y0) along the screen direction (dx, dy) to the first pixel
// of the colour, or -1.
double FirstAlong(const QImage& image, int x0, int y0, double dx, double dy, QRgb colour)
{
    for (double t = 0; t < 600; t += 0.25) {
        const int x = static_cast<int>(std::lround(x0 + t * dx));
        const int y = static_cast<int>(std::lround(y0 + t * dy));
        if (!image.rect().contains(x, y))
            return -1;
        if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff))
            return t;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------
// Smoothing

TEST(BSplineTest, PassesThroughEveryPointEndsIncluded)
{
    std::vector<std::vector<TPontoMundo>> cases = {
        {{0, 0}, {10, 5}},
        {{0, 0}, {1, 3}, {2, -1}, {3, 4}, {4, 0}},
        {{5, 5}, {5, 5}, {6, 7}, {-2, 1}}, // a repeated point
    };
    std::vector<TPontoMundo> polar(73);
    for (int i = 0; i < 73; ++i)
        PolarToXY(polar[i], 100 + 80 * std::sin(i * 0.4f), i * 5.0f - 90);
    cases.push_back(polar);

    for (const auto& points : cases) {
        const BSpline spline(points);
        const int n = static_cast<int>(points.size());
        for (int i = 0; i < n; ++i) {
            const TPontoMundo p = spline.At(static_cast<double>(i) / (n - 1));
            EXPECT_NEAR(p.X, points[i].X, 1e-3) << "point " << i << " of " << n;
            EXPECT_NEAR(p.Y, points[i].Y, 1e-3) << "point " << i << " of " << n;
        }
    }
}

TEST(BSplineTest, StraightEvenPointsGiveAStraightEvenCurve)
{
    const std::vector<TPontoMundo> points = {{0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 8}};
    std::vector<TPontoMundo> curve(41);
    BSpline(points).Sample(curve);
    for (int i = 0; i < 41; ++i) {
        EXPECT_NEAR(curve[i].X, i * 0.1, 1e-4);
        EXPECT_NEAR(curve[i].Y, i * 0.2, 1e-4);
    }
}

TEST(BSplineTest, MirroredInputGivesAMirroredCurve)
{
    // A polar-like curve that runs down the right side, round the top and back down the
    // left, mirror-symmetric about the vertical axis.
    std::vector<TPontoMundo> points(73);
    for (int g = 0; g < 37; ++g) {
        const float r = 50 + 200 * std::exp(-g / 6.0f);
        PolarToXY(points[g], r, g * 5.0f - 90);
        PolarToXY(points[72 - g], r, 180 - (g * 5.0f - 90));
    }
    std::vector<TPontoMundo> curve(201);
    BSpline(points).Sample(curve);
    for (int i = 0; i <= 200; ++i) {
        EXPECT_NEAR(curve[i].X, -curve[200 - i].X, 1e-3) << i;
        EXPECT_NEAR(curve[i].Y, curve[200 - i].Y, 1e-3) << i;
    }
}

TEST(BSplineTest, FewPoints)
{
    EXPECT_TRUE(BSpline().Empty());
    EXPECT_EQ(BSpline(std::vector<TPontoMundo>{}).At(0.5), (TPontoMundo{0, 0}));
    const std::vector<TPontoMundo> one = {{3, -4}};
    EXPECT_EQ(BSpline(one).At(0.7), (TPontoMundo{3, -4}));
    const std::vector<TPontoMundo> two = {{0, 0}, {10, -6}};
    const TPontoMundo mid = BSpline(two).At(0.5);
    EXPECT_NEAR(mid.X, 5, 1e-5);
    EXPECT_NEAR(mid.Y, -3, 1e-5);
}

// ---------------------------------------------------------------------------------------
// World window

TEST(DiagPolarFitTest, FitWorldTakesTheBoxOrGrowsTheWindowAndScalesIt)
{
    const std::vector<TPontoMundo> points = {{1, 5}, {-3, 2}, {4, -1}};
    struct Case {
        WorldRect start;
        bool init;
        float xFactor, yFactor;
        WorldRect expected;
    } cases[] = {
        {{0, 0, 0, 0}, true, 1, 1, {-3, -1, 4, 5}},
        {{-10, 8, 0, -20}, false, 1, 1, {-10, -20, 4, 8}}, // grows from a window with Y upwards
        {{0, 0, 0, 0}, true, 2, 0.5f, {-6.5f, 0.5f, 7.5f, 3.5f}},
    };
    for (const Case& c : cases) {
        TDiagPolar d;
        d.SetViewport(0, 0, 100, 100, false);
        d.SetWorld(c.start.X1, c.start.Y1, c.start.X2, c.start.Y2);
        d.FitWorld(points, 2, c.xFactor, c.yFactor, c.init);
        EXPECT_EQ(d.World(), c.expected);
    }
    // Only points 0..last count.
    TDiagPolar d;
    d.FitWorld(points, 1, 1, 1, true);
    EXPECT_EQ(d.World(), (WorldRect{-3, 2, 1, 5}));
}

TEST(DiagPolarFitTest, FitPolarWorldSquaresTheWindowWithYUpwardsAndAMargin)
{
    struct Case {
        WorldRect box; // as FitWorld leaves it: X1 ≤ X2, Y1 ≤ Y2
        float step;
        WorldRect expected;
    } cases[] = {
        // Extent 240: circles 40 apart; the top at the centre line gets a whole step above.
        {{-120, -240, 120, 0}, 40, {-160, 40, 160, -280}},
        // Extent 420: 70 becomes 75; a top above one step gets a margin of 11.
        {{-100, -300, 100, 120}, 75, {-221, 131, 221, -311}},
        // Wider than high: the bottom moves down by the difference.
        {{-150, -100, 150, 0}, 50, {-200, 50, 200, -350}},
        // Nothing to show: a grid ten apart round the centre.
        {{0, 0, 0, 0}, 10, {-10, 10, 10, -10}},
        // A box away from the centre grows to hold it.
        {{20, -80, 60, -40}, 10, {-20, 10, 80, -90}},
    };
    for (const Case& c : cases) {
        TDiagPolar d;
        d.SetViewport(0, 0, 100, 100, false);
        d.SetWorld(c.box.X1, c.box.Y1, c.box.X2, c.box.Y2);
        EXPECT_EQ(d.FitPolarWorld(), c.step);
        EXPECT_EQ(d.World(), c.expected);
    }
}

TEST(DiagPolarDataTest, LowerHalfReachesTheHorizontalOnBothSides)
{
    IntensityTable table = PlaneTable(0, 0, 0, 0);
    for (int g = 0; g <= 18; ++g) {
        table[g][0] = 200 - 10 * g; // C0: 110 at the horizontal
        table[g][12] = 200 - 5 * g; // C180: 110 at the horizontal
        table[g][6] = table[g][18] = 150;
    }
    TDiagPolar d;
    d.SetViewport(20, 20, 380, 380, false);
    d.SetData(table, 19, 1);
    EXPECT_EQ(d.GammaCount, 19);
    EXPECT_EQ(d.CPlaneCount, 1);
    ASSERT_EQ(d.RawCount, 38);
    auto near = [](TPontoMundo p, float x, float y) { return std::fabs(p.X - x) < 1e-3 && std::fabs(p.Y - y) < 1e-3; };
    EXPECT_TRUE(near(d.RawC0[0], 0, -200)); // straight down on the C0 side
    EXPECT_TRUE(near(d.RawC0[18], 20, 0)); // C0 at 90°, to the right
    EXPECT_TRUE(near(d.RawC0[19], -110, 0)); // C180 at 90°, to the left
    EXPECT_TRUE(near(d.RawC0[37], 0, -200)); // back down on the C180 side
    EXPECT_TRUE(near(d.RawC90[18], 150, 0));
    EXPECT_TRUE(near(d.RawC90[19], -150, 0));
    // Each half is smoothed from straight down to its own horizontal point; a straight
    // line joins the two across the centre.
    EXPECT_TRUE(near(d.CurveC0[0], 0, -200));
    EXPECT_TRUE(near(d.CurveC0[100], 20, 0));
    EXPECT_TRUE(near(d.CurveC0[101], -110, 0));
    EXPECT_TRUE(near(d.CurveC0[200], 0, -200));
    for (const TPontoMundo& p : d.CurveC90)
        EXPECT_LE(p.Y, 1e-3) << p.X; // nothing swings above the horizontal
    // Cut one radius step above the centre line, Y upwards.
    EXPECT_EQ(d.World().Y1, d.RadiusStep);
    EXPECT_GT(d.World().Y1, d.World().Y2);
}

TEST(DiagPolarDataTest, FullRangeMeetsStraightUpAndNegativeValuesCountAsNone)
{
    IntensityTable table = PlaneTable(100, 100, 100, -50);
    TDiagPolar d;
    d.SetViewport(20, 20, 380, 380, false);
    d.SetData(table, 37, 24);
    ASSERT_EQ(d.RawCount, 73);
    EXPECT_NEAR(d.RawC0[36].X, 0, 1e-3);
    EXPECT_NEAR(d.RawC0[36].Y, 100, 1e-3);
    for (int i = 37; i < 73; ++i)
        EXPECT_EQ(d.RawC90[i], (TPontoMundo{})) << i; // the C270 half, all at the centre
}

TEST(DiagPolarDataTest, NoDataGivesAnEmptyGrid)
{
    TDiagPolar d;
    d.SetViewport(20, 20, 380, 380, false);
    d.SetData(PlaneTable(300, 300, 300, 300), 37, 24);
    d.SetData(PlaneTable(300, 300, 300, 300), 0, 0);
    EXPECT_EQ(d.RawCount, 0);
    EXPECT_EQ(d.RadiusStep, 10);
    EXPECT_EQ(d.World(), (WorldRect{-10, 10, 10, -10}));
    const QImage image = Render(d);
    EXPECT_EQ(FirstAlong(image, 200, 200, 1, 1, qRgb(255, 0, 0)), -1);
}

// ---------------------------------------------------------------------------------------
// Grid

TEST(DiagPolarGridTest, AngleLabelsShowTheGammaAngle)
{
    const struct {
        float angle;
        const char* label;
    } cases[] = {{90 + 270, "0"},  {90 + 0, "90"}, {90 + 180, "90"}, {90 + 90, "180"}, {90 + 15, "105"},
                 {90 + 330, "60"}, {360, "0"},     {450, "90"},      {200, "160"},     {0, "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(AngleLabel(c.angle), QString::fromLatin1(c.label)) << c.angle;
}

TEST(DiagPolarGridTest, RaysEndOnTheBorderWhereTheirAngleLeavesTheWindow)
{
    TDiagPolar d;
    d.SetViewport(0, 0, 200, 200, false);
    d.SetWorld(-100, 100, 100, -100); // centre at pixel (100, 100)
    const std::vector<PolarRay> rays = d.PolarRays(15, 10);
    ASSERT_EQ(rays.size(), 20u); // 24 directions less the four half-axes
    for (const PolarRay& ray : rays) {
        const double a = ray.Angle * std::numbers::pi / 180;
        const double x = std::cos(a), y = std::sin(a);
        const double t = 100 / std::max(std::fabs(x), std::fabs(y));
        EXPECT_NEAR(ray.End.x(), 100 + t * x, 1.01) << ray.Angle;
        EXPECT_NEAR(ray.End.y(), 100 - t * y, 1.01) << ray.Angle;
    }
    EXPECT_EQ(rays.front().Angle, 15);
    EXPECT_EQ(rays.front().End.x(), 200);
    EXPECT_TRUE(rays.front().Labelled);
}

TEST(DiagPolarGridTest, LabelsCrowdingThePreviousOneOnTheSameRowAreLeftOut)
{
    // The centre close to the top edge: the upper rays all end on the top row, close
    // together near the centre.
    TDiagPolar d;
    d.SetViewport(0, 0, 400, 400, false);
    d.SetWorld(-200, 20, 200, -380);
    const int labelHeight = 10;
    const std::vector<PolarRay> rays = d.PolarRays(15, labelHeight);
    int lastX = d.XToScreen(0), lastY = -1, skipped = 0;
    for (const PolarRay& ray : rays) {
        if ((ray.Angle - 15) % 90 == 0)
            lastX = d.XToScreen(0); // a half-axis came just before
        const bool crowded = std::abs(ray.End.x() - lastX) < 2.75 * labelHeight && ray.End.y() == lastY;
        EXPECT_EQ(ray.Labelled, !crowded) << ray.Angle;
        if (ray.Labelled) {
            lastX = ray.End.x();
            lastY = ray.End.y();
        } else {
            ++skipped;
            EXPECT_EQ(ray.End.y(), 0) << ray.Angle; // only on the top row
        }
    }
    EXPECT_GE(skipped, 2);
}

// ---------------------------------------------------------------------------------------
// Painting

TEST(DiagPolarPaintTest, CurvesLieWhereTheIntensitySays)
{
    // C0-C180 a circle of 200 cd/klm, C90-C270 one of 100.
    TDiagPolar d;
    d.SetViewport(20, 20, 380, 380, false);
    d.SetData(PlaneTable(200, 100, 200, 100), 37, 24);
    const QImage image = Render(d);
    const int cx = d.XToScreen(0), cy = d.YToScreen(0);
    const double scale = d.Mapping().ScaleX;
    ASSERT_NEAR(scale, -d.Mapping().ScaleY, 1e-4); // round circles on a square viewport
    const struct {
        double gamma; // from straight down, to the right (C0, C90) or mirrored left (C180, C270)
        bool left;
        QRgb colour;
        double radius;
    } cases[] = {{45, false, qRgb(255, 0, 0), 200},
                 {120, true, qRgb(255, 0, 0), 200},
                 {30, false, qRgb(0, 0, 255), 100},
                 {160, true, qRgb(0, 0, 255), 100}};
    for (const auto& c : cases) {
        const double a = c.gamma * std::numbers::pi / 180;
        const double dx = (c.left ? -1 : 1) * std::sin(a), dy = std::cos(a); // screen Y down
        EXPECT_NEAR(FirstAlong(image, cx, cy, dx, dy, c.colour), c.radius * scale, 2.0) << c.gamma;
    }
}

TEST(DiagPolarPaintTest, GridCirclesTakeTheGridColour)
{
    for (const QColor colour : {TDiagPolar::kScreenGrid, TDiagPolar::kPrintGrid}) {
        TDiagPolar d;
        d.GridColor = colour;
        d.SetViewport(20, 20, 380, 380, false);
        d.SetData(PlaneTable(200, 200, 200, 200), 37, 24);
        const QImage image = Render(d);
        // Between two rays, from half-way between the first two circles outwards.
        const double a = -7.5 * std::numbers::pi / 180;
        const double dx = std::cos(a), dy = -std::sin(a);
        const double from = 1.5 * d.RadiusStep * d.Mapping().ScaleX;
        const double found = FirstAlong(image, d.XToScreen(0) + static_cast<int>(from * dx),
                                        d.YToScreen(0) + static_cast<int>(from * dy), dx, dy, colour.rgb());
        EXPECT_NEAR(found, 0.5 * d.RadiusStep * d.Mapping().ScaleX, 2.0) << colour.name().toStdString();
    }
}

TEST(DiagPolarPaintTest, SeriesMarkersAndDropLines)
{
    EnsureGuiApplication();
    const std::vector<TPontoMundo> points = {{2, 2}, {8, 2}};
    struct Case {
        int markerKind, dropLines;
        std::vector<QPoint> dark, light; // pixels for points at (20, 80) and (80, 80)
    } cases[] = {
        {0, 0, {{50, 80}}, {{20, 90}, {20, 72}}}, // a line, no marks
        {-5, 0, {{20, 80}, {20, 74}, {26, 80}}, {{50, 80}, {25, 75}}}, // diamonds without the line
        {-1, 0, {{20, 74}, {26, 80}, {22, 80}}, {{25, 75}, {50, 80}}}, // plus signs
        {-9, 0, {{20, 80}, {80, 80}}, {{21, 80}, {50, 80}}}, // single pixels
        {-0, 1, {{20, 95}, {80, 95}, {50, 80}}, {{50, 95}}}, // drop lines from both points, even the first
    };
    for (const Case& c : cases) {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 0));
        TDiagPolar d;
        d.SetViewport(0, 0, 100, 100, false);
        // A chart window as fitted (Y1 the lowest value), drawn with Y upwards: y = 2 is pixel
        // row 80, drop lines go down to y = 0.
        d.SetWorld(0, 0, 10, 10);
        d.SetDrawCanvas(&painter);
        d.DrawSeries(points, 1, true, 0, c.markerKind, 6, c.dropLines);
        painter.end();
        EXPECT_EQ(d.World(), (WorldRect{0, 0, 10, 10}));
        for (const QPoint& p : c.dark)
            EXPECT_LT(qGray(image.pixel(p)), 128) << c.markerKind << " at " << p.x() << "," << p.y();
        for (const QPoint& p : c.light)
            EXPECT_GT(qGray(image.pixel(p)), 128) << c.markerKind << " at " << p.x() << "," << p.y();
    }
}

TEST(DiagPolarPaintTest, SeriesWithoutTwoPointsDrawsNothing)
{
    EnsureGuiApplication();
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    TDiagPolar d;
    d.SetViewport(0, 0, 100, 100, false);
    d.SetWorld(0, 10, 10, 0);
    d.SetDrawCanvas(&painter);
    const std::vector<TPontoMundo> points = {{1, 2}, {9, 2}};
    d.DrawSeries(points, 1, false, -1, 5, 3, 3); // no first point
    d.DrawSeries(points, 1, false, 1, 5, 3, 3); // one point
    d.DrawSeries(points, 7, false, 1, 5, 3, 3); // last beyond the array: still one point
    painter.end();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(qGray(image.pixel(x, y)), 255) << x << "," << y;
}

} // namespace
} // namespace lumivar
