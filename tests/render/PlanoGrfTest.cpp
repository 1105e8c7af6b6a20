// The preview plan of the automatic count and block dialogs painted on an offscreen
// image: proposed luminaires in red where the layout puts them, the plan's own in
// blue, the room fitted to its aspect.

#include "calc/PlanoGrf.h"
#include "render/GuiApplication.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lumivar {
namespace {

TDadosProjecto Room()
{
    TDadosProjecto room;
    room.Length = 10;
    room.Width = 5;
    room.Height = 3;
    return room;
}

QImage Paint(TPlanoGrf& plan, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    plan.SetClientSize(width, height);
    QPainter painter(&image);
    plan.PaintOn(&painter);
    return image;
}

// Counts pixels of the colour in a square of half side r round (x, y).
int CountNear(const QImage& image, int x, int y, int r, QRgb colour)
{
    int n = 0;
    for (int py = std::max(y - r, 0); py <= std::min(y + r, image.height() - 1); ++py)
        for (int px = std::max(x - r, 0); px <= std::min(x + r, image.width() - 1); ++px)
            n += image.pixel(px, py) == colour;
    return n;
}

TEST(PlanoGrf, ProposedAndExistingLuminairesWhereTheyStand)
{
    EnsureGuiApplication();
    TPlanoGrf plan;
    plan.SetProject(Room());
    TDadosLuminaria linear;
    linear.LengthC = 1200;
    linear.WidthL = 300;
    plan.SetSymbol(linear);
    EXPECT_FLOAT_EQ(plan.HalfLength, 0.6f);
    EXPECT_FLOAT_EQ(plan.HalfWidth, 0.15f);
    EXPECT_FLOAT_EQ(plan.Radius, 0);
    plan.Group = {{2.5, 1.25, 0}, {7.5, 3.75, 90}};
    std::vector<TObjectoLuminaria> existing(1);
    existing[0].X = 5;
    existing[0].Y = 2.5f;
    existing[0].SizeD = 0.4f;
    plan.Existing = &existing;

    const QImage image = Paint(plan, 434, 234);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    // The ends of a horizontal symbol (half length 0.6 m) and of a turned one.
    EXPECT_GT(CountNear(image, plan.XToScreen(2.5f - 0.6f), plan.YToScreen(1.25f), 2, red), 0);
    EXPECT_GT(CountNear(image, plan.XToScreen(7.5f), plan.YToScreen(3.75f + 0.6f), 2, red), 0);
    EXPECT_EQ(CountNear(image, plan.XToScreen(7.5f - 0.6f), plan.YToScreen(3.75f), 2, red), 0);
    EXPECT_GT(CountNear(image, plan.XToScreen(5.2f), plan.YToScreen(2.5f), 2, blue), 0);
    // The room's corners sit inside the margins left for the axis labels.
    EXPECT_EQ(plan.XToScreen(0), TPlanoGrf::kMarginLeft);
    EXPECT_EQ(plan.YToScreen(0), 234 - TPlanoGrf::kMarginBottom);
}

TEST(PlanoGrf, NoRoomNoPicture)
{
    EnsureGuiApplication();
    TPlanoGrf plan;
    plan.Group = {{1, 1, 0}};
    const QImage image = Paint(plan, 200, 100);
    EXPECT_EQ(CountNear(image, 100, 50, 100, qRgb(255, 255, 255)), 200 * 100);
}

TEST(PlanoGrf, FitKeepsTheRoomsAspectInsideTheMargins)
{
    TPlanoGrf plan;
    plan.SetProject(Room()); // 2 : 1
    const QRect box = plan.FitInto(400, 400);
    const int inner = box.width() - TPlanoGrf::kMarginLeft - TPlanoGrf::kMarginRight;
    const int innerHeight = box.height() - TPlanoGrf::kMarginTop - TPlanoGrf::kMarginBottom;
    EXPECT_EQ(inner, 400 - TPlanoGrf::kMarginLeft - TPlanoGrf::kMarginRight);
    EXPECT_NEAR(innerHeight, inner / 2, 1);
    EXPECT_GE(box.top(), 0);
    EXPECT_LE(box.bottom(), 400);
}

} // namespace
} // namespace lumivar
