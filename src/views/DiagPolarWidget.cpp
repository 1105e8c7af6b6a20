#include "views/DiagPolarWidget.h"

#include <QPalette>
#include <QResizeEvent>

#include <algorithm>
#include <memory>

namespace lumivar {

DiagPolarWidget::DiagPolarWidget(QWidget* parent) : MundoGraficoWidget(std::make_unique<TDiagPolar>(), parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    UpdateViewport();
}

void DiagPolarWidget::SetReference(const TRefLuminaria& reference)
{
    SetData(reference.Intensities, reference.GammaCount, reference.CPlaneCount);
}

void DiagPolarWidget::SetData(const IntensityTable& intensities, int gammaCount, int cPlaneCount)
{
    UpdateViewport();
    Diagram()->SetData(intensities, gammaCount, cPlaneCount);
    update();
}

void DiagPolarWidget::resizeEvent(QResizeEvent* event)
{
    MundoGraficoWidget::resizeEvent(event);
    UpdateViewport();
}

void DiagPolarWidget::UpdateViewport()
{
    int left = 20;
    int top = 17;
    int w = std::max(width() - 40, 1);
    int h = std::max(height() - 37, 1);
    FitAspect(left, top, w, h, 1.0f);
    // The world window exists only once data are set; until then only the viewport is kept.
    Diagram()->SetViewport(left, top, left + w, top + h, Diagram()->RadiusStep > 0);
}

} // namespace lumivar
