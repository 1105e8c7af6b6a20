// The room sketch painted into offscreen images at the two sizes the program uses.

#include "graphics/Bonecos.h"
#include "render/GuiApplication.h"

#include <QImage>
#include <QLocale>
#include <QPainter>

#include <gtest/gtest.h>

namespace lumivar {
namespace {

QImage PaintSketch(int width, int height, float length, float roomWidth, float roomHeight, float planeHeight)
{
    EnsureGuiApplication();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    TMedidas sketch;
    sketch.SetClientSize(width, height);
    sketch.Length = length;
    sketch.Width = roomWidth;
    sketch.Height = roomHeight;
    sketch.WorkPlaneHeight = planeHeight;
    QPainter painter(&image);
    sketch.Paint(&painter);
    return image;
}

bool Black(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y)) == QColor(Qt::black);
}

bool Blue(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y)) == QColor(0, 0, 255);
}

int Count(const QImage& image, const QRect& area, bool (*test)(const QImage&, int, int))
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image, x, y);
    return n;
}

TEST(MedidasTest, DataPageSketchFollowsItsGrid)
{
    // 200 × 180: u = rnd(11.76) = 12, v = 12.
    const QImage img = PaintSketch(200, 180, 12.5f, 8, 3, 0.8f);
    EXPECT_TRUE(Black(img, 120, 1)); // top corner of the back walls
    EXPECT_TRUE(Black(img, 24, 36)); // (2u, 3v)
    EXPECT_TRUE(Black(img, 168, 108)); // (14u, 9v)
    EXPECT_TRUE(Black(img, 120, 60)); // the back corner edge (10u, 1)–(10u, 5v)
    EXPECT_TRUE(Black(img, 168, 116)); // length dimension end tick at (14u, 10v)
    EXPECT_TRUE(Black(img, 16, 60)); // room height dimension line at x = u + 4
    EXPECT_TRUE(Blue(img, 180, 102)); // working-plane height line at x = 15u

    // The working plane is cross-hatched: blue lines with white between them.
    const QRect inside(84, 80, 24, 16);
    EXPECT_GT(Count(img, inside, Blue), 10);
    EXPECT_GT(Count(img, inside, [](const QImage& i, int x, int y) { return QColor(i.pixel(x, y)) == Qt::white; }), 10);
    EXPECT_EQ(Count(img, QRect(150, 0, 50, 30), Blue), 0); // no blue outside it
}

TEST(MedidasTest, ReportSketchUsesItsOwnGrid)
{
    // 225 × 150: u = 13, v = 10.
    const QImage img = PaintSketch(225, 150, 12.5f, 8, 3, 0.8f);
    EXPECT_TRUE(Black(img, 130, 1));
    EXPECT_TRUE(Black(img, 26, 30));
    EXPECT_TRUE(Black(img, 182, 90));
    EXPECT_TRUE(Blue(img, 195, 85));
}

TEST(MedidasTest, LabelsShowTheCurrentValuesWithTwoDecimals)
{
    {
        const QLocale saved;
        QLocale::setDefault(QLocale::c());
        EXPECT_EQ(TMedidas::DimensionLabel(0), "0.00 m");
        EXPECT_EQ(TMedidas::DimensionLabel(2.8f), "2.80 m");
        EXPECT_EQ(TMedidas::DimensionLabel(12.345678f), "12.35 m");
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Portugal));
        EXPECT_EQ(TMedidas::DimensionLabel(0.85f), "0,85 m");
        QLocale::setDefault(saved);
    }
    // The room height reads upwards along the left edge, clear of the figure.
    const QRect heightLabel(3, 35, 8, 60);
    const QImage a = PaintSketch(200, 180, 12.5f, 8, 3, 0.8f);
    const QImage b = PaintSketch(200, 180, 12.5f, 8, 27.5f, 0.8f);
    EXPECT_GT(Count(a, heightLabel, [](const QImage& i, int x, int y) { return qGray(i.pixel(x, y)) < 128; }), 0);
    EXPECT_NE(a.copy(heightLabel), b.copy(heightLabel));
    EXPECT_EQ(a, PaintSketch(200, 180, 12.5f, 8, 3, 0.8f));
}

TEST(MedidasTest, PaintLeavesThePainterAsItWas)
{
    EnsureGuiApplication();
    QImage image(200, 180, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red, 3));
    painter.setBrush(Qt::green);
    QFont font = painter.font();
    font.setPointSize(17);
    painter.setFont(font);
    TMedidas sketch;
    sketch.SetClientSize(200, 180);
    sketch.Paint(&painter);
    EXPECT_EQ(painter.pen(), QPen(Qt::red, 3));
    EXPECT_EQ(painter.brush().color(), QColor(Qt::green));
    EXPECT_EQ(painter.font().pointSize(), 17);
}

} // namespace
} // namespace lumivar
