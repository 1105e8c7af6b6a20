// The drawing base: world-to-device mapping, unit functions and drawing operations on
// offscreen images.

#include "graphics/UnGrafic.h"
#include "render/GuiApplication.h"

#include <QImage>
#include <QLocale>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace lumivar {
namespace {

// Fonts need a GUI application; one is made once for the whole test program if no other
// test made one first.
class CLocale {
public:
    explicit CLocale(const QLocale& locale = QLocale::c()) : m_saved(QLocale()) { QLocale::setDefault(locale); }
    ~CLocale() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

// A white image with a painter drawing black, cosmetic pen, no antialiasing.
struct Canvas {
    explicit Canvas(int width, int height) : image(width, height, QImage::Format_RGB32)
    {
        EnsureGuiApplication();
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
    }
    QImage& Done()
    {
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
};

bool Dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

int DarkIn(const QImage& image, const QRect& area)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += Dark(image, x, y);
    return n;
}

// ---------------------------------------------------------------------------------------
// Mapping

TEST(WorldMappingTest, ScaleAndOffsetFollowTheWindowWithYUpwards)
{
    WorldMapping m;
    m.SetViewport(10, 20, 210, 120, false);
    m.SetWorld(0, 5, 10, 0); // Y grows upwards
    EXPECT_FLOAT_EQ(m.ScaleX, 20);
    EXPECT_FLOAT_EQ(m.ScaleY, -20);
    EXPECT_FLOAT_EQ(m.OffsetX, 10);
    EXPECT_FLOAT_EQ(m.OffsetY, 120);
    EXPECT_EQ(m.XToScreen(0), 10);
    EXPECT_EQ(m.XToScreen(10), 210);
    EXPECT_EQ(m.YToScreen(5), 20);
    EXPECT_EQ(m.YToScreen(0), 120);
    EXPECT_FLOAT_EQ(m.PixelHeight(), -0.05f);

    // Without recalc the old scale stays; with it, the new viewport is used.
    m.SetViewport(0, 0, 100, 50, false);
    EXPECT_FLOAT_EQ(m.ScaleX, 20);
    m.SetViewport(0, 0, 100, 50, true);
    EXPECT_FLOAT_EQ(m.ScaleX, 10);
    EXPECT_FLOAT_EQ(m.ScaleY, -10);
    EXPECT_EQ(m.YToScreen(0), 50);
}

TEST(WorldMappingTest, RoundTripReturnsEveryPixelAndEveryPointWithinAPixel)
{
    struct Case {
        DeviceRect viewport;
        WorldRect world;
    };
    const Case cases[] = {
        {{0, 0, 640, 480}, {0, 8, 12, 0}}, // plan: Y up
        {{35, 12, 603, 455}, {-3.5f, -2, 17.25f, 9}}, // Y down, negative origin
        {{5, 5, 305, 205}, {0, 60000, 25000, 0}}, // lux and candela ranges
    };
    for (const Case& c : cases) {
        WorldMapping m;
        m.SetViewport(c.viewport.Left, c.viewport.Top, c.viewport.Right, c.viewport.Bottom, false);
        m.SetWorld(c.world.X1, c.world.Y1, c.world.X2, c.world.Y2);
        for (int px = c.viewport.Left; px <= c.viewport.Right; px += 7) {
            const float x = m.ScreenToX(px);
            // A pixel maps back to itself or, by truncation, to its neighbour toward zero.
            EXPECT_LE(std::abs(m.XToScreen(x) - px), 1) << px;
        }
        for (int py = c.viewport.Top; py <= c.viewport.Bottom; py += 7)
            EXPECT_LE(std::abs(m.YToScreen(m.ScreenToY(py)) - py), 1) << py;
        const float pixelX = std::fabs(1 / m.ScaleX);
        const float pixelY = std::fabs(m.PixelHeight());
        for (int i = 0; i <= 10; ++i) {
            const float x = c.world.X1 + (c.world.X2 - c.world.X1) * i / 10;
            const float y = c.world.Y1 + (c.world.Y2 - c.world.Y1) * i / 10;
            EXPECT_NEAR(m.ScreenToX(m.XToScreen(x)), x, pixelX * 1.001f);
            EXPECT_NEAR(m.ScreenToY(m.YToScreen(y)), y, pixelY * 1.001f);
        }
    }
}

TEST(WorldMappingTest, TruncatesTowardZeroClampsAndNeverGivesAZeroLength)
{
    WorldMapping m;
    m.SetViewport(0, 0, 100, 100, false);
    m.SetWorld(0, 0, 100, 100); // one pixel per unit, offset 0
    EXPECT_EQ(m.XToScreen(2.9f), 2);
    EXPECT_EQ(m.XToScreen(-2.9f), -2);
    EXPECT_EQ(m.XToScreen(1e12f), 2147483647);
    EXPECT_EQ(m.XToScreen(-1e12f), -2147483646);
    EXPECT_EQ(m.YToScreen(1e12f), 2147483647);

    m.SetWorld(0, 10, 10, 0); // ten pixels per unit, Y up
    EXPECT_EQ(m.LenXToScreen(0.04f), 1); // 0.4 pixels
    EXPECT_EQ(m.LenXToScreen(0), 1);
    EXPECT_EQ(m.LenYToScreen(0.55f), 5); // negative scale, positive length
    EXPECT_EQ(m.LenXToScreen(1e12f), 2147483647);

    // A window of zero extent gives no meaningful pixel, but no undefined conversion either.
    m.SetWorld(3, 3, 3, 3);
    EXPECT_EQ(m.XToScreen(3), 0);
    EXPECT_EQ(m.LenXToScreen(0), 1);
}

TEST(WorldMappingTest, RoundEvenSendsTiesToTheEvenNeighbour)
{
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(3.5), 4);
    EXPECT_EQ(RoundEven(-2.5), -2);
    EXPECT_EQ(RoundEven(11.76), 12);
    EXPECT_EQ(RoundEven(-0.6), -1);
}

// ---------------------------------------------------------------------------------------
// Unit functions

TEST(UnitFunctionsTest, FitAspectShrinksToTheRatioAndKeepsTheBoxCentred)
{
    struct Case {
        int left, top, width, height;
        float ratio;
        int eLeft, eTop, eWidth, eHeight;
    };
    const Case cases[] = {
        {0, 0, 200, 200, 0.5f, 0, 50, 200, 100}, // wide box, height gives way
        {0, 0, 200, 200, 2.0f, 50, 0, 100, 200},   {0, 0, 300, 100, 1.0f, 100, 0, 100, 100},
        {0, 0, 100, 300, 1.0f, 0, 100, 100, 100}, // tall box: height tried first
        {10, 20, 101, 50, 1.0f, 35, 20, 50, 50}, // rnd(101 / 2) = 50, ties to even
        {10, 20, 120, 80, 0.75f, 16, 20, 107, 80}, // rnd(106.67) = 107, rnd(53.5) = 54
    };
    for (const Case& c : cases) {
        int left = c.left, top = c.top, width = c.width, height = c.height;
        FitAspect(left, top, width, height, c.ratio);
        EXPECT_EQ(left, c.eLeft) << c.width << "x" << c.height << " " << c.ratio;
        EXPECT_EQ(top, c.eTop) << c.width << "x" << c.height << " " << c.ratio;
        EXPECT_EQ(width, c.eWidth) << c.width << "x" << c.height << " " << c.ratio;
        EXPECT_EQ(height, c.eHeight) << c.width << "x" << c.height << " " << c.ratio;
    }
}

TEST(UnitFunctionsTest, GridAndCoarseStepsAtTheirBoundaries)
{
    const std::pair<float, float> grid[] = {{0.2f, 0.5f}, {3, 0.5f},  {3.01f, 1}, {10, 1},     {10.5f, 2.5f},
                                            {20, 2.5f},   {20.1f, 5}, {50, 5},    {50.1f, 10}, {400, 10}};
    for (auto [extent, step] : grid)
        EXPECT_FLOAT_EQ(GridStep(extent), step) << extent;
    const std::pair<float, float> coarse[] = {{5, 10},   {50, 10},   {51, 25},    {100, 25},  {101, 50},
                                              {500, 50}, {501, 100}, {1000, 100}, {1001, 250}};
    for (auto [extent, step] : coarse)
        EXPECT_FLOAT_EQ(CoarseStep(extent), step) << extent;
}

TEST(UnitFunctionsTest, ScaleExponentGroupsDecades)
{
    struct Case {
        int digits;
        float value;
        int exponent;
    };
    const Case cases[] = {
        {5, 0, 0},      {5, 9999, 0}, {5, 10000, 1}, {5, 25000, 1},  {5, -25000, 1},
        {5, 9.9e7f, 1}, {5, 1e8f, 2}, {5, 0.5f, 0},  {5, 0.05f, -1}, {5, -0.002f, -2},
        {3, 1000, 1},   {3, 9999, 1}, {3, 10000, 2}, {1, 100, 2},    {0, 1000, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleExponent(c.digits, c.value), c.exponent) << c.digits << " " << c.value;
}

TEST(UnitFunctionsTest, FormatScaledDividesByThePowerOfTenInTheLocale)
{
    {
        CLocale c;
        EXPECT_EQ(FormatScaled(1, 1, 25000), "2500.0");
        EXPECT_EQ(FormatScaled(-1, 1, 0.05f), "0.5");
        EXPECT_EQ(FormatScaled(0, 2, 3.25f), "3.25");
        EXPECT_EQ(FormatScaled(2, 0, 123456789), "1234568");
        EXPECT_EQ(FormatScaled(0, 1, -0.01f), "0.0"); // rounds to zero: no sign
        EXPECT_EQ(FormatScaled(0, 1, -1.25f), "-1.3"); // ties away from zero
        EXPECT_EQ(FormatFixed(123456789, 2, 7).left(4), "1.23"); // too many digits: scientific
    }
    CLocale portuguese(QLocale(QLocale::Portuguese, QLocale::Portugal));
    EXPECT_EQ(FormatScaled(1, 1, 25000), "2500,0");
}

TEST(UnitFunctionsTest, RotatePointsAndPolarToXY)
{
    std::array<TPontoMundo, 3> p{{{2, 1}, {3, 1}, {2, 3}}};
    RotatePoints(p, 2, 90, 2, 1); // counter-clockwise about the first point
    EXPECT_NEAR(p[0].X, 2, 1e-6);
    EXPECT_NEAR(p[0].Y, 1, 1e-6);
    EXPECT_NEAR(p[1].X, 2, 1e-6);
    EXPECT_NEAR(p[1].Y, 2, 1e-6);
    EXPECT_NEAR(p[2].X, 0, 1e-6);
    EXPECT_NEAR(p[2].Y, 1, 1e-6);

    std::array<TPontoMundo, 2> q{{{1, 0}, {0, 1}}};
    RotatePoints(q, 0, 90, 0, 0); // fewer than two points: nothing
    EXPECT_EQ(q[0], (TPontoMundo{1, 0}));
    RotatePoints(q, 99, 180, 0, 0); // last beyond the array: limited to it
    EXPECT_NEAR(q[1].Y, -1, 1e-6);

    TPontoMundo r;
    PolarToXY(r, 2, 30);
    EXPECT_NEAR(r.X, std::sqrt(3.0), 1e-6);
    EXPECT_NEAR(r.Y, 1, 1e-6);
}

TEST(UnitFunctionsTest, FitFontToRectFindsTheLargestFittingSizeAndLeavesTheFont)
{
    Canvas c(10, 10);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    c.painter.setFont(font);
    const QString text = QStringLiteral("1234.5 lux");
    auto fits = [&](int size, const QRect& r) {
        QFont f = font;
        f.setPointSize(size);
        const QFontMetrics fm(f, &c.image);
        return fm.horizontalAdvance(text) <= r.width() && fm.height() <= r.height();
    };
    for (const QRect& r : {QRect(0, 0, 60, 30), QRect(0, 0, 400, 200), QRect(0, 0, 200, 12)}) {
        const int size = FitFontToRect(&c.painter, text, r, 0, 0);
        EXPECT_TRUE(fits(size, r) || size == 1) << r.width() << "x" << r.height();
        EXPECT_FALSE(fits(size + 1, r)) << r.width() << "x" << r.height();
    }
    EXPECT_EQ(FitFontToRect(&c.painter, text, QRect(0, 0, 30, 5), 6, 0), 6);
    EXPECT_EQ(FitFontToRect(&c.painter, text, QRect(0, 0, 4000, 2000), 0, 20), 20);
    EXPECT_EQ(c.painter.font().pointSize(), 12);
}

// ---------------------------------------------------------------------------------------
// Drawing operations

// A drawing with a fixed mapping: 100 × 100 pixels, world 0..10 both ways, Y up.
class DrawingTest : public ::testing::Test {
protected:
    DrawingTest() : canvas(100, 100)
    {
        graphic.SetDrawCanvas(&canvas.painter);
        graphic.SetViewport(0, 0, 100, 100, false);
        graphic.SetWorld(0, 10, 10, 0);
    }
    Canvas canvas;
    TMundoGrafico graphic;
};

TEST_F(DrawingTest, SegmentedCircleHasMirroredVerticesAndTheLowerHalfOnePixelHigher)
{
    graphic.CircleW(true, 5, 5, 2); // r = 20 pixels about (50, 50)
    const QImage& img = canvas.Done();
    QRect box;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (Dark(img, x, y))
                box |= QRect(x, y, 1, 1);
    EXPECT_EQ(box, QRect(QPoint(30, 30), QPoint(70, 69)));
    // Every chord end, 5 degrees apart, in all four quadrants; below the centre one pixel higher.
    const int quarterSine[] = {0,    872,  1736, 2588, 3420, 4226, 5000, 5736, 6428, 7071,
                               7660, 8192, 8660, 9063, 9397, 9659, 9848, 9962, 10000};
    for (int k = 0; k <= 18; ++k) {
        const int dx = RoundEven(20 * quarterSine[k] / 10000.0);
        const int dy = RoundEven(20 * quarterSine[18 - k] / 10000.0);
        EXPECT_TRUE(Dark(img, 50 + dx, 50 - dy)) << k;
        EXPECT_TRUE(Dark(img, 50 - dx, 50 - dy)) << k;
        EXPECT_TRUE(Dark(img, 50 + dx, 50 + dy - 1)) << k;
        EXPECT_TRUE(Dark(img, 50 - dx, 50 + dy - 1)) << k;
    }
    EXPECT_FALSE(Dark(img, 50, 50)); // an outline, not filled
}

TEST_F(DrawingTest, PolyWFillsAClosedFigureAndLeavesAnOpenOneOpen)
{
    canvas.painter.setBrush(Qt::black);
    const std::vector<TPontoMundo> closed{{1, 1}, {4, 1}, {4, 4}, {1, 4}, {1, 1}};
    graphic.PolyW(closed, 4, 0);
    const std::vector<TPontoMundo> open{{6, 1}, {9, 1}, {9, 4}, {6, 4}, {6, 1.5f}};
    graphic.PolyW(open, 4, 0);
    graphic.PolyW(open, 99, 0); // last beyond the array: limited, no overrun
    graphic.PolyW(open, 4, -1); // nothing
    const QImage& img = canvas.Done();
    EXPECT_TRUE(Dark(img, 25, 75)); // inside the closed square
    EXPECT_FALSE(Dark(img, 75, 75)); // inside the open one
    EXPECT_TRUE(Dark(img, 75, 90)); // its bottom edge
}

TEST_F(DrawingTest, ArrowIsFilledInThePenColourAndTheBrushIsKept)
{
    canvas.painter.setPen(QPen(Qt::red, 0));
    canvas.painter.setBrush(QBrush(Qt::green));
    graphic.Arrow(50, 20, 10, ArrowDirection::Up);
    EXPECT_EQ(canvas.painter.brush().color(), QColor(Qt::green));
    const QImage& img = canvas.Done();
    EXPECT_EQ(QColor(img.pixel(50, 27)), QColor(Qt::red)); // inside, below the tip
    EXPECT_EQ(QColor(img.pixel(50, 15)), QColor(Qt::white)); // above the tip
}

TEST_F(DrawingTest, TextAtOpaqueBoxOnlyForNegativeX)
{
    canvas.painter.setBrush(QBrush(Qt::yellow));
    const QFontMetrics fm(canvas.painter.font(), &canvas.image);
    graphic.TextAt(-50, 20, QStringLiteral("88"), TextHAlign::Centred, TextVAlign::BelowY);
    graphic.TextAt(50, 70, QStringLiteral("88"), TextHAlign::Centred, TextVAlign::BelowY);
    const QImage& img = canvas.Done();
    EXPECT_EQ(QColor(img.pixel(50, 20)), QColor(Qt::yellow)); // the box starts a pixel above the text
    EXPECT_EQ(QColor(img.pixel(50, 19)), QColor(Qt::yellow));
    EXPECT_EQ(QColor(img.pixel(50, 18)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(50, 20 + fm.height())), QColor(Qt::yellow));
    int yellow = 0;
    for (int y = 60; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            yellow += QColor(img.pixel(x, y)) == QColor(Qt::yellow);
    EXPECT_EQ(yellow, 0);
    EXPECT_GT(DarkIn(img, QRect(40, 70, 20, fm.height())), 0); // the second text is there
}

TEST_F(DrawingTest, ClipToAndRestoreClip)
{
    graphic.ClipTo(0, 0, 50, 100);
    graphic.Line(10, 30, 90, 30);
    graphic.RestoreClip();
    graphic.Line(10, 60, 90, 60);
    const QImage& img = canvas.Done();
    EXPECT_TRUE(Dark(img, 49, 30));
    EXPECT_FALSE(Dark(img, 50, 30));
    EXPECT_TRUE(Dark(img, 80, 60));
}

// Axes: 300 × 200 pixels, margins 40 left, 10 top, 10 right, 30 bottom, no room reserved.
class AxesTest : public ::testing::Test {
protected:
    AxesTest() : canvas(300, 200)
    {
        graphic.SetDrawCanvas(&canvas.painter);
        graphic.SetViewport(0, 0, 300, 200, false);
    }
    void Draw(float x1, float y1, float x2, float y2, float xStep, float yStep, bool arrows = false)
    {
        graphic.SetWorld(x1, y1, x2, y2);
        graphic.DrawAxes(false, 4, 4, 40, 10, 10, 30, Qt::SolidLine, Qt::SolidLine, arrows, xStep, yStep);
    }
    Canvas canvas;
    TMundoGrafico graphic;
};

TEST_F(AxesTest, YUpwardsPutsTheXAxisAtTheBottomWithTicksAndLabelsBelow)
{
    Draw(0, 5, 10, 0, 1, 1);
    EXPECT_EQ(graphic.Viewport(), (DeviceRect{40, 10, 290, 170})); // margins only
    const QImage& img = canvas.Done();
    for (int x = 39; x <= 290; x += 10)
        EXPECT_TRUE(Dark(img, x, 170)) << x; // X axis along the bottom
    for (int y = 10; y <= 170; y += 10)
        EXPECT_TRUE(Dark(img, 39, y)) << y; // Y axis one pixel left of the viewport
    // 10 labelled steps of 4 intervals share 251 pixels: 6 each, 11 spread from the first.
    EXPECT_TRUE(Dark(img, 39 + 25, 172)); // long tick at x = 1
    EXPECT_TRUE(Dark(img, 39 + 13, 172)); // half-way tick
    EXPECT_TRUE(Dark(img, 290, 172)); // the last one at the end of the axis
    EXPECT_FALSE(Dark(img, 39 + 24, 172));
    // On the Y axis 5 steps of 4 intervals share 160 pixels evenly: 8 each, none left over.
    EXPECT_TRUE(Dark(img, 37, 138)); // long tick at y = 1
    EXPECT_FALSE(Dark(img, 37, 137));
    EXPECT_TRUE(Dark(img, 37, 10)); // the last one exactly at the end of the axis
    EXPECT_FALSE(Dark(img, 37, 9));
    EXPECT_FALSE(Dark(img, 100, 165)); // nothing drawn inside the plot
    EXPECT_GT(DarkIn(img, QRect(50, 176, 30, 24)), 0); // the label "1.0" below the axis
    EXPECT_EQ(DarkIn(img, QRect(41, 11, 248, 158)), 0);
    EXPECT_GT(DarkIn(img, QRect(0, 10, 36, 160)), 0); // Y labels left of the axis
}

TEST_F(AxesTest, YDownwardsPutsTheXAxisAtTheTopWithLabelsAbove)
{
    Draw(0, 0, 10, 5, 1, 1);
    const QImage& img = canvas.Done();
    for (int x = 39; x <= 290; x += 10)
        EXPECT_TRUE(Dark(img, x, 9)) << x; // X axis one pixel above the viewport
    EXPECT_TRUE(Dark(img, 39 + 25, 7)); // ticks point up
    EXPECT_GT(DarkIn(img, QRect(50, 0, 30, 7)), 0); // labels above
    EXPECT_EQ(DarkIn(img, QRect(41, 11, 248, 185)), 0); // nothing below the axis but the Y axis
}

TEST_F(AxesTest, TinyViewportGetsAxisLinesAndArrowsButNoTicksOrLabels)
{
    graphic.SetViewport(100, 100, 200, 108, false); // 8 pixels high after no margins
    graphic.SetWorld(0, 5, 10, 0);
    graphic.DrawAxes(false, 4, 4, 0, 0, 0, 0, Qt::SolidLine, Qt::SolidLine, true, 1, 1);
    const QImage& img = canvas.Done();
    EXPECT_TRUE(Dark(img, 150, 108));
    EXPECT_TRUE(Dark(img, 99, 104));
    EXPECT_TRUE(Dark(img, 200, 108)); // arrow tip
    EXPECT_EQ(DarkIn(img, QRect(0, 115, 300, 85)), 0); // no labels below
    EXPECT_EQ(DarkIn(img, QRect(0, 0, 90, 200)), 0); // none to the left
}

TEST_F(AxesTest, LargeValuesGetAPowerOfTenMarkAtTheAxisEnd)
{
    // The mark just below the end of the X axis is there on a range of 25 000, whose
    // labels are divided by 10, and not on a range of 10.
    const QRect markArea(270, 171, 30, 14);
    Draw(0, 5, 10, 0, 4, 5);
    EXPECT_EQ(DarkIn(canvas.image, markArea), 0);
    graphic.SetViewport(0, 0, 300, 200, false);
    Draw(0, 5, 25000, 0, 10000, 5);
    EXPECT_GT(DarkIn(canvas.Done(), markArea), 0);
}

TEST_F(AxesTest, ReservingLabelRoomShrinksTheViewportInsideTheAxes)
{
    graphic.SetWorld(0, 5, 10, 0);
    graphic.DrawAxes(true, -4, 4, 0, 0, 0, 0, Qt::SolidLine, Qt::SolidLine, false, 1, 1);
    const DeviceRect vp = graphic.Viewport();
    EXPECT_GT(vp.Left, 9);
    EXPECT_EQ(vp.Right, 297);
    EXPECT_LT(vp.Bottom, 200);
    EXPECT_GT(vp.Top, 0);
    // The world now maps onto the plotting area.
    EXPECT_EQ(graphic.XToScreen(0), vp.Left);
    EXPECT_EQ(graphic.YToScreen(0), vp.Bottom);
    const QImage& img = canvas.Done();
    EXPECT_TRUE(Dark(img, vp.Right, (vp.Top + vp.Bottom) / 2)); // box closed on the far side
    EXPECT_TRUE(Dark(img, (vp.Left + vp.Right) / 2, vp.Top));
}

} // namespace
} // namespace lumivar
