#include "calc/PlanoGrf.h"

#include "graphics/PainterState.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <array>

namespace lumivar {

namespace {

// Rectangle between two corners given in any order.
QRect CornerRect(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}

QPen ThinPen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour);
    pen.setStyle(style);
    pen.setWidth(1);
    return pen;
}

} // namespace

void TPlanoGrf::SetProject(const TDadosProjecto& project)
{
    m_project = project;
    XStep = GridStep(project.Length);
    YStep = GridStep(project.Width);
}

QRect TPlanoGrf::FitInto(int panelWidth, int panelHeight) const
{
    int left = 0, top = 0, width = std::max(panelWidth, 0), height = std::max(panelHeight, 0);
    if (m_project.Length > 0 && m_project.Width > 0) {
        // The room fills the box inside the margins, so the margins are left out of
        // the aspect.
        int innerWidth = std::max(width - kMarginLeft - kMarginRight, 1);
        int innerHeight = std::max(height - kMarginTop - kMarginBottom, 1);
        int innerLeft = 0, innerTop = 0;
        FitAspect(innerLeft, innerTop, innerWidth, innerHeight, m_project.Width / m_project.Length);
        left = innerLeft;
        top = innerTop;
        width = innerWidth + kMarginLeft + kMarginRight;
        height = innerHeight + kMarginTop + kMarginBottom;
    }
    return QRect(left, top, width, height);
}

void TPlanoGrf::SetSymbol(const TDadosLuminaria& data)
{
    HalfLength = float(data.LengthC / 2000.0);
    HalfWidth = float(data.WidthL / 2000.0);
    Radius = float(data.DiameterD / 2000.0);
}

void TPlanoGrf::Symbol(float x, float y, float angle, float halfLength, float halfWidth, float radius)
{
    if (radius != 0) {
        CircleW(false, x, y, radius);
        return;
    }
    std::array<TPontoMundo, 5> corners{{{x - halfLength, y - halfWidth},
                                        {x + halfLength, y - halfWidth},
                                        {x + halfLength, y + halfWidth},
                                        {x - halfLength, y + halfWidth},
                                        {x - halfLength, y - halfWidth}}};
    RotatePoints(corners, 4, angle, x, y);
    PolyW(corners, 4, 0);
}

void TPlanoGrf::Paint()
{
    QPainter* canvas = DrawCanvas();
    if (!canvas || m_project.Length <= 0 || m_project.Width <= 0)
        return;
    PainterState state(canvas);
    SetViewport(kMarginLeft, kMarginTop, ClientWidth() - kMarginRight, ClientHeight() - kMarginBottom, true);
    SetWorld(0, m_project.Width, m_project.Length, 0);
    canvas->setPen(ThinPen(Qt::black));
    canvas->setBrush(QBrush(Qt::white, Qt::SolidPattern));
    DrawAxes(false, -4, 4, 0, 0, 0, 0, Qt::SolidLine, Qt::SolidLine, false, XStep, YStep);

    canvas->setBrush(Qt::NoBrush);
    const TDadosProjecto& p = m_project;
    if (p.Margin > 0) {
        canvas->setPen(ThinPen(QColor(0xC0, 0xC0, 0xC0)));
        canvas->drawRect(CornerRect(XToScreen(p.Margin), YToScreen(p.Margin), XToScreen(p.Length - p.Margin),
                                    YToScreen(p.Width - p.Margin)));
    }
    if (p.WorkArea) {
        PainterState inner(canvas);
        canvas->setPen(ThinPen(QColor(0xC0, 0xC0, 0xC0), Qt::DashDotLine));
        const QColor fill = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::palette().color(QPalette::ToolTipBase)
                                : QColor(255, 255, 225);
        canvas->setBrush(QBrush(fill, Qt::SolidPattern));
        canvas->drawRect(CornerRect(XToScreen(p.WorkAreaX1), YToScreen(p.WorkAreaY1), XToScreen(p.WorkAreaX2),
                                    YToScreen(p.WorkAreaY2)));
    }

    if (Existing) {
        canvas->setPen(ThinPen(Qt::blue));
        for (const TObjectoLuminaria& l : *Existing)
            Symbol(l.X, l.Y, l.Angle, l.SizeA / 2, l.SizeB / 2, l.SizeD / 2);
    }

    if (ShowCircle) {
        canvas->setPen(ThinPen(Qt::gray));
        canvas->setBrush(QBrush(Qt::gray, Qt::SolidPattern));
        const int cx = XToScreen(CircleX);
        const int cy = YToScreen(CircleY);
        canvas->drawRect(cx - 2, cy - 2, 4, 4);
        canvas->setBrush(Qt::NoBrush);
        canvas->setPen(ThinPen(Qt::black, Qt::DotLine));
        CircleW(false, CircleX, CircleY, CircleRadius);
    }

    canvas->setPen(ThinPen(Qt::red));
    canvas->setBrush(Qt::NoBrush);
    for (const LayoutPosition& l : Group)
        Symbol(float(l.X), float(l.Y), float(l.Angle), HalfLength, HalfWidth, Radius);
}

} // namespace lumivar
