// The plan's symbols, their clamping and the dimension chains, painted on offscreen images.

#include "graphics/UnPlanoE.h"
#include "render/GuiApplication.h"

#include <QImage>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lumivar {
namespace {

// A 10 m × 5 m room with a 1.2 m × 0.3 m rectangular reference (0) and a 0.6 m round
// one (1), laid out at about 100 pixels per metre.
struct PlanFixture {
    ProjectDocument Doc;
    TPlanoGrafico Plan;

    PlanFixture()
    {
        EnsureGuiApplication();
        Doc.ProjectData.Length = 10;
        Doc.ProjectData.Width = 5;
        Doc.ProjectData.Height = 3;
        auto rect = std::make_unique<TRefLuminaria>();
        rect->Data.Reference = "Linear";
        rect->Data.LengthC = 1200;
        rect->Data.WidthL = 300;
        auto round = std::make_unique<TRefLuminaria>();
        round->Data.Reference = "Downlight";
        round->Data.DiameterD = 600;
        Doc.LuminaireRefs.push_back(std::move(rect));
        Doc.LuminaireRefs.push_back(std::move(round));
        Plan.SetDocument(&Doc);
        Plan.FitInto(1050, 540);
    }

    TObjectoGrafico& Add(int ref, float x, float y, float angle = 0)
    {
        TObjectoLuminaria l;
        l.X = x;
        l.Y = y;
        l.Z = 3;
        l.Angle = angle;
        l.RefIndex = ref;
        Doc.AddLuminaire(l);
        Plan.ReloadLuminaires();
        return *Plan.Luminaires().back();
    }

    QImage Screen()
    {
        QImage image(Plan.ClientWidth(), Plan.ClientHeight(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        Plan.PaintScreen(&painter);
        return image;
    }
};

QPoint Corner(const TObjectoGrafico& s, int i)
{
    return s.Shape[static_cast<std::size_t>(i)] + QPoint(s.Left, s.Top);
}

TEST(PlanSymbol, RectangleTurnedBy30DegreesTurnsCounterClockwiseAndHitsOnItsOutline)
{
    PlanFixture f;
    TObjectoGrafico& s = f.Add(0, 5, 2.5, 30);
    const double a = s.LengthPx / 2, c = s.WidthPx / 2;
    const double cs = std::cos(std::numbers::pi / 6), sn = std::sin(std::numbers::pi / 6);
    // Screen Y grows downwards: a counter-clockwise turn lifts the right end.
    const QPoint centre = s.Centre;
    const std::pair<double, double> unturned[4] = {{-a, -c}, {a, -c}, {a, c}, {-a, c}};
    for (int i = 0; i < 4; ++i) {
        const auto [ux, uy] = unturned[i];
        const double ex = centre.x() + ux * cs + uy * sn;
        const double ey = centre.y() - ux * sn + uy * cs;
        EXPECT_NEAR(Corner(s, i).x(), ex, 1.0) << i;
        EXPECT_NEAR(Corner(s, i).y(), ey, 1.0) << i;
    }
    // The box is the corners' bounds widened by 3 pixels on each side.
    int minX = Corner(s, 0).x(), maxX = minX;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, Corner(s, i).x());
        maxX = std::max(maxX, Corner(s, i).x());
    }
    EXPECT_NEAR(s.Left, minX - 3, 1);
    EXPECT_NEAR(s.Left + s.Width, maxX + 3, 1);

    // Near the turned right end is inside; the unturned corner is beside it.
    const QPoint alongAxis(centre.x() + int(0.9 * a * cs), centre.y() - int(0.9 * a * sn));
    EXPECT_TRUE(s.Contains(alongAxis));
    EXPECT_FALSE(s.Contains(centre + QPoint(int(a) - 2, int(c) - 1)));
    EXPECT_EQ(f.Plan.SymbolAt(alongAxis), &s);

    // Painted: the body is filled white inside a black outline, nothing at the unturned corner.
    const QImage image = f.Screen();
    EXPECT_EQ(QColor(image.pixel(centre.x() + int(0.6 * a * cs), centre.y() - int(0.6 * a * sn) - 1)),
              QColor(Qt::white));
    int dark = 0;
    for (int i = 0; i < 4; ++i)
        dark += QColor(image.pixel(Corner(s, i))).lightness() < 128;
    EXPECT_GE(dark, 3);
}

TEST(PlanSymbol, RoundLuminaireIgnoresLengthWidthAndAngle)
{
    PlanFixture f;
    TObjectoGrafico& s = f.Add(1, 5, 2.5, 30);
    const int d = f.Plan.LenXToScreen(0.6f);
    const int r = RoundEven(d / 2.0);
    EXPECT_EQ(s.Width, 2 * r + 1);
    EXPECT_EQ(s.Height, 2 * r + 1);
    EXPECT_EQ(Corner(s, 0), s.Centre - QPoint(r, r));
    EXPECT_EQ(Corner(s, 1), s.Centre + QPoint(r, r));

    // Turning leaves the circle as it is.
    const QRect before = s.Bounds();
    s.Luminaria.SizeA = 2;
    s.Rotate(75);
    EXPECT_EQ(s.Bounds(), before);

    // Clicks in the box's corners reach what lies below.
    EXPECT_TRUE(s.Contains(s.Centre + QPoint(r - 1, 0)));
    EXPECT_FALSE(s.Contains(s.Centre + QPoint(r - 1, r - 1)));

    // Clamped with the radius whatever the length and angle.
    s.MoveToWorld(-5, 2.5);
    EXPECT_NEAR(s.Luminaria.X, 0.3f, 1e-5);
}

TEST(PlanSymbol, WorldClampingUsesTheHalfExtentsOfTheTurnedSymbol)
{
    struct Case {
        float Angle;
        float Hx; // expected half-extent across X
    };
    // 1.2 m × 0.3 m: sides swap at right angles; other angles take the length only.
    const Case cases[] = {{0, 0.6f},    {180, 0.6f},  {90, 0.15f},
                          {270, 0.15f}, {-90, 0.15f}, {30, float(std::cos(std::numbers::pi / 6) * 0.6)},
                          {60, 0.3f}};
    for (const Case& c : cases) {
        PlanFixture f;
        TObjectoGrafico& s = f.Add(0, 5, 2.5, c.Angle);
        s.MoveToWorld(-3, 2.5);
        EXPECT_NEAR(s.Luminaria.X, c.Hx, 1e-5) << c.Angle;
        s.MoveToWorld(30, 2.5);
        EXPECT_NEAR(s.Luminaria.X, 10 - c.Hx, 1e-5) << c.Angle;
    }

    // Against the bottom wall the symbol's half-extent holds; against the top one it
    // stops one pixel short.
    PlanFixture f;
    TObjectoGrafico& s = f.Add(0, 5, 2.5, 30);
    s.MoveToWorld(5, -1);
    EXPECT_NEAR(s.Luminaria.Y, 0.3f, 1e-5);
    s.MoveToWorld(5, 9);
    EXPECT_NEAR(s.Luminaria.Y, 5 - 0.3f + f.Plan.PixelHeight(), 1e-5);
    EXPECT_LT(s.Luminaria.Y, 4.7f);
}

TEST(PlanSymbol, PixelMovesStopAtTheDrawingArea)
{
    PlanFixture f;
    TObjectoGrafico& s = f.Add(0, 5, 2.5);
    const DeviceRect limits = f.Plan.SymbolLimits();
    int dx = -5000, dy = 3;
    s.MoveBy(dx, dy);
    EXPECT_EQ(s.Left, limits.Left);
    EXPECT_EQ(dy, 3);
    EXPECT_EQ(dx, limits.Left - (s.Left - dx));
    // The world position follows the centre pixel back.
    EXPECT_FLOAT_EQ(s.Luminaria.X, f.Plan.ScreenToX(s.Centre.x()));
    dx = 0;
    dy = 5000;
    s.MoveBy(dx, dy);
    EXPECT_EQ(s.Top + s.Height, limits.Bottom);
}

TEST(DimensionChain, InsertKeepsPositionsSortedAndDistinct)
{
    std::vector<TCota> dims;
    for (float v : {2.0f, 1.0f, 3.0f, 2.0f, 0.5f, 3.0f})
        InsertDimension(dims, v);
    ASSERT_EQ(dims.size(), 4u);
    EXPECT_EQ(dims[0].Value, 0.5f);
    EXPECT_EQ(dims[1].Value, 1.0f);
    EXPECT_EQ(dims[2].Value, 2.0f);
    EXPECT_EQ(dims[3].Value, 3.0f);
}

TEST(DimensionChain, SpansSkipPositionsCloserThanTheMinimum)
{
    struct Case {
        std::vector<float> Values;
        double Minimum;
        std::vector<DimensionSpan> Expected;
    };
    const Case cases[] = {
        // 0.3 is too close to 0 and takes the start tick with it; 1.2 too close to 1.0.
        {{0.3f, 1.0f, 1.2f}, 0.5, {{0, 1.0f, false}}},
        {{1.0f, 2.0f, 3.5f}, 0.5, {{0, 1.0f, true}, {1.0f, 2.0f, false}, {2.0f, 3.5f, false}}},
        // A skipped position widens the next span.
        {{1.0f, 1.2f, 1.6f}, 0.5, {{0, 1.0f, true}, {1.0f, 1.6f, false}}},
        {{0.3f, 0.6f}, 0, {{0, 0.3f, true}, {0.3f, 0.6f, false}}},
        {{}, 0.5, {}},
    };
    for (const Case& c : cases) {
        std::vector<TCota> dims;
        for (float v : c.Values)
            InsertDimension(dims, v);
        EXPECT_EQ(DimensionSpans(dims, c.Minimum), c.Expected);
    }
}

int BlueAbove(const QImage& image, int bottom)
{
    int n = 0;
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            n += QColor(image.pixel(x, y)) == QColor(0, 0, 255);
    return n;
}

TEST(PlanDimensions, ToggleBuildsOneEntryPerDistinctPositionAndDrawsTheChains)
{
    PlanFixture f;
    f.Add(0, 2, 1);
    f.Add(0, 2, 3);
    f.Add(1, 6, 3);
    const int roomTop = f.Plan.YToScreen(5);
    EXPECT_EQ(BlueAbove(f.Screen(), roomTop), 0);

    f.Plan.ToggleDimensions(false);
    EXPECT_TRUE(f.Doc.ShowDimensions);
    ASSERT_EQ(f.Plan.DimsX().size(), 2u); // two luminaires share X = 2
    ASSERT_EQ(f.Plan.DimsY().size(), 2u);
    for (const auto& s : f.Plan.Luminaires())
        EXPECT_TRUE(s->ShowDimensions);
    EXPECT_GT(BlueAbove(f.Screen(), roomTop), 20);

    f.Plan.ToggleDimensions(false);
    EXPECT_TRUE(f.Plan.DimsX().empty());
    EXPECT_TRUE(f.Plan.DimsY().empty());
    EXPECT_EQ(BlueAbove(f.Screen(), roomTop), 0);
}

TEST(PlanPrint, MetafileHoldsThePlanAndTheSymbolsInWorldCoordinates)
{
    PlanFixture f;
    f.Add(0, 5, 2.5);
    const QPicture picture = f.Plan.RenderToMetafile();
    EXPECT_EQ(picture.boundingRect(), QRect(0, 0, 1050, 540));
    QImage image(1050, 540, QImage::Format_RGB32);
    image.fill(QColor(200, 200, 200));
    QPainter painter(&image);
    painter.drawPicture(0, 0, picture);
    painter.end();
    // The symbol's white body at the room's centre, its outline 0.6 m to the right.
    const int cx = f.Plan.XToScreen(5), cy = f.Plan.YToScreen(2.5);
    EXPECT_EQ(QColor(image.pixel(cx + 20, cy - 5)), QColor(Qt::white));
    bool outline = false;
    for (int dx = -2; dx <= 2; ++dx)
        outline = outline || QColor(image.pixel(f.Plan.XToScreen(5.6f) + dx, cy - 5)) == QColor(Qt::black);
    EXPECT_TRUE(outline);
}

} // namespace
} // namespace lumivar
