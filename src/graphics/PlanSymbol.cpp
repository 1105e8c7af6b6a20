#include "graphics/PlanSymbol.h"

#include "base/TextEncoding.h"
#include "graphics/PainterState.h"
#include "graphics/UnGrafic.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace lumivar {

namespace {

const QString kSymbolFont = QStringLiteral("Arial");

// Writes the number with its vertical middle on the centre; horizontally centred on it,
// or ending one pixel left of it while the guide lines leave the centre to the right.
void WriteNumber(QPainter* painter, QPoint centre, int number, bool besideGuides)
{
    const QString text = QString::number(number);
    const QFontMetrics fm = painter->fontMetrics();
    const int w = fm.horizontalAdvance(text);
    const int x = besideGuides ? centre.x() - 1 - w : centre.x() - w / 2;
    const int y = centre.y() - fm.height() / 2;
    painter->drawText(QPoint(x, y + fm.ascent()), text);
}

// Half-extents (metres) of the luminaire for keeping it inside the room. A rectangle
// turned by a right angle swaps its sides; at other angles the turned length decides.
void HalfExtents(const TObjectoLuminaria& l, float& hx, float& hy)
{
    if (l.SizeD != 0) {
        hx = hy = l.SizeD / 2;
        return;
    }
    double a = std::fmod(static_cast<double>(l.Angle), 360.0);
    if (a < 0)
        a += 360.0;
    if (a == 0 || a == 180) {
        hx = l.SizeA / 2;
        hy = l.SizeB / 2;
    } else if (a == 90 || a == 270) {
        hx = l.SizeB / 2;
        hy = l.SizeA / 2;
    } else {
        const double r = a * 3.14159265358979323846 / 180.0;
        hx = static_cast<float>(std::fabs(std::cos(r)) * l.SizeA / 2);
        hy = static_cast<float>(std::fabs(std::sin(r)) * l.SizeA / 2);
    }
}

long long Cross(QPoint a, QPoint b, QPoint p)
{
    return static_cast<long long>(b.x() - a.x()) * (p.y() - a.y()) -
           static_cast<long long>(b.y() - a.y()) * (p.x() - a.x());
}

} // namespace

QString LuminaireHint(const TRefLuminaria* ref)
{
    if (!ref)
        return QCoreApplication::translate("TObjectoGrafico", "Luminária");
    return QString::fromStdString(Cp1252ToUtf8(ref->Data.Reference.Text()));
}

void TObjectoGrafico::SetCentre(int px, int py)
{
    Centre = QPoint(px, py);
    if (Plan) {
        Luminaria.X = Plan->ScreenToX(px);
        Luminaria.Y = Plan->ScreenToY(py);
    }
}

void TObjectoGrafico::SetWorldPos(float x, float y, float z)
{
    Luminaria.X = x;
    Luminaria.Y = y;
    Luminaria.Z = z;
    if (Plan)
        Centre = QPoint(Plan->XToScreen(x), Plan->YToScreen(y));
    else
        Centre = QPoint(static_cast<int>(x), static_cast<int>(y));
}

void TObjectoGrafico::UpdateShape(const DeviceRect& limits, const TObjectoLuminaria* source, float angle)
{
    TObjectoLuminaria& l = Luminaria;
    if (source && source != &l) {
        l.SizeA = source->SizeA;
        l.SizeB = source->SizeB;
        l.SizeC = source->SizeC;
        l.SizeD = source->SizeD;
    }
    if (Plan) {
        DiameterPx = l.SizeD != 0 ? Plan->LenXToScreen(l.SizeD) : 0;
        WidthPx = Plan->LenYToScreen(l.SizeB);
        LengthPx = Plan->LenXToScreen(l.SizeA);
    } else {
        DiameterPx = static_cast<int>(l.SizeD);
        WidthPx = static_cast<int>(l.SizeB);
        LengthPx = static_cast<int>(l.SizeA);
    }
    SetShape(limits, LengthPx, angle, DiameterPx, WidthPx);
}

void TObjectoGrafico::SetShape(const DeviceRect& limits, int lengthPx, float angle, int diameterPx, int widthPx)
{
    Limits = limits;
    LengthPx = lengthPx;
    WidthPx = widthPx;
    DiameterPx = diameterPx;
    Luminaria.Angle = angle;
    const int cx = Centre.x();
    const int cy = Centre.y();
    const int r = RoundEven(diameterPx / 2.0);
    if (r != 0) {
        Left = cx - r - 1;
        Top = cy - r - 1;
        Width = Height = 2 * r + 1;
        Shape[0] = QPoint(cx - r - Left, cy - r - Top);
        Shape[1] = QPoint(cx + r - Left, cy + r - Top);
        Shape[2] = Shape[3] = Shape[4] = Shape[5] = QPoint();
        return;
    }
    const int a = lengthPx / 2;
    const int c = widthPx / 2;
    const int a2 = RoundEven(a / 1.5);
    const int c2 = RoundEven(c / 1.5);
    std::array<TPontoMundo, 6> p{{{float(cx - a), float(cy - c)},
                                  {float(cx + a), float(cy - c)},
                                  {float(cx + a), float(cy + c)},
                                  {float(cx - a), float(cy + c)},
                                  {float(cx - a2), float(cy + c2)},
                                  {float(cx + a2), float(cy + c2)}}};
    // Pixel Y grows downwards, so turning by 360 - angle turns the symbol
    // counter-clockwise on screen.
    if (angle != 0)
        RotatePoints(p, 5, 360 - angle, float(cx), float(cy));
    float minX = p[0].X, maxX = p[0].X, minY = p[0].Y, maxY = p[0].Y;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, p[i].X);
        maxX = std::max(maxX, p[i].X);
        minY = std::min(minY, p[i].Y);
        maxY = std::max(maxY, p[i].Y);
    }
    Left = RoundEven(minX) - 3;
    Top = RoundEven(minY) - 3;
    Width = RoundEven(maxX - minX) + 6;
    Height = RoundEven(maxY - minY) + 6;
    for (int i = 0; i < 6; ++i)
        Shape[i] = QPoint(RoundEven(p[i].X) - Left, RoundEven(p[i].Y) - Top);
}

void TObjectoGrafico::Rotate(float angle)
{
    SetShape(Limits, LengthPx, angle, DiameterPx, WidthPx);
}

void TObjectoGrafico::MoveBy(int& dx, int& dy)
{
    if (Left + dx < Limits.Left)
        dx = Limits.Left - Left;
    else if (Left + Width + dx > Limits.Right)
        dx = Limits.Right - Left - Width;
    if (Top + dy < Limits.Top)
        dy = Limits.Top - Top;
    else if (Top + Height + dy > Limits.Bottom)
        dy = Limits.Bottom - Top - Height;
    Left += dx;
    Top += dy;
    SetCentre(Centre.x() + dx, Centre.y() + dy);
}

void TObjectoGrafico::MoveByWorld(float& dx, float& dy)
{
    TObjectoLuminaria& l = Luminaria;
    if (Plan) {
        float hx = 0, hy = 0;
        HalfExtents(l, hx, hy);
        const WorldRect& w = Plan->World();
        const float xmin = std::min(w.X1, w.X2), xmax = std::max(w.X1, w.X2);
        const float ymin = std::min(w.Y1, w.Y2), ymax = std::max(w.Y1, w.Y2);
        if (l.X + dx - hx < xmin)
            dx = xmin + hx - l.X;
        else if (l.X + dx + hx > xmax)
            dx = xmax - hx - l.X;
        if (l.Y + dy - hy < ymin)
            dy = ymin + hy - l.Y;
        else if (l.Y + dy + hy > ymax)
            dy = Plan->PixelHeight() + (ymax - hy - l.Y); // one pixel below the far wall
    }
    const QPoint old = Centre;
    SetWorldPos(l.X + dx, l.Y + dy, l.Z);
    Left += Centre.x() - old.x();
    Top += Centre.y() - old.y();
}

void TObjectoGrafico::ReclampWorld()
{
    float dx = 0, dy = 0;
    MoveByWorld(dx, dy);
}

void TObjectoGrafico::MoveToWorld(float x, float y)
{
    float dx = x - Luminaria.X;
    float dy = y - Luminaria.Y;
    MoveByWorld(dx, dy);
}

bool TObjectoGrafico::Contains(QPoint p) const
{
    const QPoint local = p - QPoint(Left, Top);
    if (Round()) {
        const double cx = (Shape[0].x() + Shape[1].x()) / 2.0;
        const double cy = (Shape[0].y() + Shape[1].y()) / 2.0;
        const double r = (Shape[1].x() - Shape[0].x()) / 2.0;
        const double ddx = local.x() - cx, ddy = local.y() - cy;
        return ddx * ddx + ddy * ddy <= r * r;
    }
    // The corners go round the outline in one sense: inside means never on the other
    // side of an edge.
    bool anyPositive = false, anyNegative = false;
    for (int i = 0; i < 4; ++i) {
        const long long c = Cross(Shape[i], Shape[(i + 1) % 4], local);
        anyPositive = anyPositive || c > 0;
        anyNegative = anyNegative || c < 0;
    }
    return !(anyPositive && anyNegative);
}

bool TObjectoGrafico::InsideRect(const QRect& r) const
{
    const QPoint origin(Left, Top);
    const int corners = Round() ? 2 : 4;
    for (int i = 0; i < corners; ++i)
        if (!r.contains(Shape[i] + origin))
            return false;
    return true;
}

int TObjectoGrafico::NumberFontSize() const
{
    return Plan ? std::max(RoundEven(Plan->MaxAxisFontSize / 1.3), 1) : 6;
}

void TObjectoGrafico::Paint(QPainter* painter) const
{
    if (!painter)
        return;
    {
        PainterState state(painter);
        painter->translate(Left, Top);
        if (ShowFrame) {
            QPen frame(QColor(255, 0, 0));
            frame.setStyle(Qt::DotLine);
            frame.setWidth(0);
            painter->setPen(frame);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRect(0, 0, Width - 1, Height - 1));
        }
        QPen pen(Selected ? QColor(0, 0, 255) : QColor(0, 0, 0));
        pen.setStyle(Qt::SolidLine);
        pen.setWidth(Selected ? 2 : 0);
        painter->setPen(pen);
        painter->setBrush(QBrush(Qt::white, Qt::SolidPattern));
        if (Round()) {
            painter->drawEllipse(QRect(Shape[0], Shape[1] - QPoint(1, 1)));
        } else {
            QPolygon outline;
            outline << Shape[0] << Shape[1] << Shape[2] << Shape[3];
            painter->drawPolygon(outline);
            painter->drawLine(Shape[4], Shape[5]);
        }
        QFont font(kSymbolFont);
        font.setPointSize(NumberFontSize());
        painter->setFont(font);
        painter->setPen(QColor(0, 0, 0));
        painter->setBrush(Qt::NoBrush);
        WriteNumber(painter, Centre - QPoint(Left, Top), Luminaria.Number, ShowDimensions);
    }
    // On screen the plan draws every symbol's guides beneath all symbols.
}

void TObjectoGrafico::DrawGuides(QPainter* painter) const
{
    if (!painter || !Plan || !ShowDimensions)
        return;
    PainterState state(painter);
    QPen pen(QColor(0, 0, 255));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(0);
    painter->setPen(pen);
    const WorldRect& w = Plan->World();
    const int x = Plan->XToScreen(Luminaria.X);
    const int y = Plan->YToScreen(Luminaria.Y);
    const int s = Plan->AxisFontSize();
    painter->drawLine(QPoint(x, y), QPoint(Plan->XToScreen(std::max(w.X1, w.X2)) + 2 * s, y));
    painter->drawLine(QPoint(x, y), QPoint(x, Plan->YToScreen(std::max(w.Y1, w.Y2)) - 2 * s));
}

void TObjectoGrafico::DrawOnPlan() const
{
    if (!Plan || !Plan->DrawCanvas())
        return;
    QPainter* canvas = Plan->DrawCanvas();
    PainterState state(canvas);
    QPen pen(QColor(0, 0, 0));
    pen.setWidth(0);
    canvas->setPen(pen);
    canvas->setBrush(QBrush(Qt::white, Qt::SolidPattern));
    const TObjectoLuminaria& l = Luminaria;
    if (l.SizeD != 0) {
        // Drawn at its true size, as on screen.
        Plan->CircleW(false, l.X, l.Y, l.SizeD / 2);
    } else {
        std::array<TPontoMundo, 7> p{{{l.X - l.SizeA / 2, l.Y - l.SizeB / 2},
                                      {l.X + l.SizeA / 2, l.Y - l.SizeB / 2},
                                      {l.X + l.SizeA / 2, l.Y + l.SizeB / 2},
                                      {l.X - l.SizeA / 2, l.Y + l.SizeB / 2},
                                      {l.X - l.SizeA / 2, l.Y - l.SizeB / 2},
                                      {l.X - l.SizeA / 3, l.Y - l.SizeB / 3},
                                      {l.X + l.SizeA / 3, l.Y - l.SizeB / 3}}};
        if (l.Angle != 0)
            RotatePoints(p, 6, l.Angle, l.X, l.Y);
        Plan->PolyW(p, 4, 0);
        Plan->LineW(p[5].X, p[5].Y, p[6].X, p[6].Y);
    }
    QFont font(kSymbolFont);
    font.setPointSize(std::max(Plan->MaxAxisFontSize - 1, 1));
    canvas->setFont(font);
    canvas->setBrush(Qt::NoBrush);
    WriteNumber(canvas, QPoint(Plan->XToScreen(l.X), Plan->YToScreen(l.Y)), l.Number, ShowDimensions);
    DrawGuides(canvas);
}

} // namespace lumivar
