#pragma once
// Widget shell of the polar diagram: a white page holding a TDiagPolar, kept square
// inside its borders so the curves read true against the circles.

#include "graphics/MundoGraficoWidget.h"
#include "views/DiagPolar.h"

namespace lumivar {

class DiagPolarWidget : public MundoGraficoWidget {
    Q_OBJECT

public:
    explicit DiagPolarWidget(QWidget* parent = nullptr);

    TDiagPolar* Diagram() const { return static_cast<TDiagPolar*>(Graphic()); }
    // Shows the reference's intensity table.
    void SetReference(const TRefLuminaria& reference);
    void SetData(const IntensityTable& intensities, int gammaCount, int cPlaneCount);

    QSize sizeHint() const override { return {400, 400}; }
    QSize minimumSizeHint() const override { return {160, 160}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The square drawing area inside the borders (20 pixels at the sides and bottom, 17
    // at the top, room for the angle labels), centred.
    void UpdateViewport();
};

} // namespace lumivar
