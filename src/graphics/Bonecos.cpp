#include "graphics/Bonecos.h"

#include "graphics/PainterState.h"
#include "graphics/UnGrafic.h"

#include <QPainter>
#include <QPolygon>

namespace lumivar {

namespace {

const QColor kBlue(0, 0, 255);

QFont SketchFont(const QFont& base)
{
    QFont font = base;
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

void Line(QPainter* p, int x1, int y1, int x2, int y2)
{
    p->drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

} // namespace

void TMedidas::SetClientSize(int width, int height)
{
    m_clientWidth = width;
    m_clientHeight = height;
}

void TMedidas::Paint(QPainter* painter) const
{
    if (!painter)
        return;
    PainterState state(painter);
    const int u = RoundEven(m_clientWidth / 17.0);
    const int v = RoundEven(m_clientHeight / 15.0);

    QPen pen(Qt::black);
    pen.setWidth(0);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);

    // The two visible back walls and the floor.
    QPolygon outline;
    outline << QPoint(10 * u, 1) << QPoint(2 * u, 3 * v) << QPoint(2 * u, 8 * v) << QPoint(10 * u, 5 * v)
            << QPoint(10 * u, 1) << QPoint(14 * u, 4 * v) << QPoint(14 * u, 9 * v) << QPoint(10 * u, 5 * v);
    painter->drawPolyline(outline);
    QPolygon floorEdge;
    floorEdge << QPoint(14 * u, 9 * v) << QPoint(6 * u, 12 * v) << QPoint(2 * u, 8 * v);
    painter->drawPolyline(floorEdge);

    // Dimension lines: length, width, room height.
    Line(painter, 14 * u, 10 * v, 6 * u, 13 * v);
    Line(painter, 14 * u, 10 * v - 4, 14 * u, 10 * v + 4);
    Line(painter, 6 * u, 13 * v - 4, 6 * u, 13 * v + 4);
    Line(painter, 6 * u, 13 * v, 2 * u, 9 * v);
    Line(painter, 2 * u, 9 * v - 4, 2 * u, 9 * v + 5);
    Line(painter, u + 4, 8 * v, u + 4, 3 * v);
    Line(painter, u, 8 * v, u + 8, 8 * v);
    Line(painter, u, 3 * v, u + 8, 3 * v);

    // Wall letters, top-left at the given points.
    painter->setFont(SketchFont(painter->font()));
    const int ascent = painter->fontMetrics().ascent();
    painter->drawText(QPoint(2 * u, 12 * v + ascent), QStringLiteral("A"));
    painter->drawText(QPoint(5 * u, 1 + ascent), QStringLiteral("B"));
    painter->drawText(QPoint(13 * u, v + ascent), QStringLiteral("C"));
    painter->drawText(QPoint(11 * u, 13 * v + ascent), QStringLiteral("D"));

    // Working plane, hatched.
    {
        PainterState plane(painter);
        QPen bluePen(kBlue);
        bluePen.setWidth(0);
        painter->setPen(bluePen);
        painter->setBrush(QBrush(kBlue, Qt::CrossPattern));
        QPolygon workPlane;
        workPlane << QPoint(10 * u, 4 * v) << QPoint(2 * u, 7 * v) << QPoint(6 * u, 11 * v) << QPoint(14 * u, 8 * v);
        painter->drawPolygon(workPlane);

        // Working-plane height.
        painter->setBrush(Qt::NoBrush);
        Line(painter, 15 * u, 9 * v, 15 * u, 8 * v);
        Line(painter, 15 * u - 4, 9 * v, 15 * u + 4, 9 * v);
        Line(painter, 15 * u - 4, 8 * v, 15 * u + 4, 8 * v);
    }

    DrawDimensions(painter);
}

QString TMedidas::DimensionLabel(float metres)
{
    return FormatFixed(metres, 2, 7) + QStringLiteral(" m");
}

void TMedidas::DrawDimensions(QPainter* painter) const
{
    if (!painter)
        return;
    PainterState state(painter);
    const double u = RoundEven(m_clientWidth / 17.0);
    const double v = RoundEven(m_clientHeight / 15.0);
    painter->setFont(SketchFont(painter->font()));
    painter->setPen(QColor(Qt::black));
    painter->setBackgroundMode(Qt::TransparentMode);

    TextAtAngle(painter, 2, RoundEven(5.5 * v), DimensionLabel(Height), 900, TextHAlign::Centred, TextVAlign::BelowY);
    TextAtAngle(painter, RoundEven(15.5 * u), RoundEven(8.5 * v), DimensionLabel(WorkPlaneHeight), 900,
                TextHAlign::Centred, TextVAlign::BelowY);
    TextAtAngle(painter, RoundEven(3.8 * u), RoundEven(11.2 * v), DimensionLabel(Width), -450, TextHAlign::Centred,
                TextVAlign::BelowY);
    TextAtAngle(painter, RoundEven(10.5 * u), RoundEven(11.8 * v), DimensionLabel(Length), 200, TextHAlign::Centred,
                TextVAlign::BelowY);
}

} // namespace lumivar
