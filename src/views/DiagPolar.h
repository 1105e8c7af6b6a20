#pragma once
// The polar light-distribution diagram of a luminaire reference: luminous intensity
// (cd/klm) against the angle from straight down, the C0–C180 plane pair in red and the
// C90–C270 pair in blue, smoothed, over a polar grid of circles and labelled rays.
// Paints on any painter (screen, QPicture for print, image).

#include "graphics/UnGrafic.h"
#include "photometry/RefLuminaria.h"

#include <QColor>
#include <QPoint>
#include <QString>

#include <array>
#include <span>
#include <vector>

namespace lumivar {

// The label of a direction on the grid: angles above 360 lose a turn, 360 reads 0, and
// the rest fold into 0..180, so with an offset of 90 each direction shows its gamma angle
// (down 0, sides 90, up 180). Whole degrees.
QString AngleLabel(float angle);

// One ray of the polar grid: from the centre to where it leaves the world window.
struct PolarRay {
    int Angle = 0; // degrees, counter-clockwise from the right half-axis
    QPoint End; // device pixels, on the viewport's border
    bool Labelled = false; // false when its label would crowd the previous one
};

class TDiagPolar : public TMundoGrafico {
public:
    static constexpr int kRawPoints = 73;
    static constexpr int kCurvePoints = 201;
    // Grid pens: the screen's light grey, and the darker grey a printed page needs.
    static constexpr QColor kScreenGrid{192, 192, 192};
    static constexpr QColor kPrintGrid{128, 128, 128};

    TDiagPolar();

    // Builds both curves and the world window from the intensity table (cd/klm, rows
    // every 5° of gamma from straight down, columns every 15° of C). The host sets the
    // viewport first. gammaCount is limited to 0..37; cPlaneCount is kept as given.
    void SetData(const IntensityTable& intensities, int gammaCount, int cPlaneCount);
    void SetData(const TRefLuminaria& reference);

    // Grid, then the C0–C180 curve in red and the C90–C270 curve in blue. Nothing before
    // SetData.
    void Paint() override;

    // The world window becomes the bounding box of points 0..last (with init) or the
    // current window grown to hold them, scaled about its centre by the factors.
    // Afterwards X1 ≤ X2 and Y1 ≤ Y2. last is limited to the array.
    void FitWorld(std::span<const TPontoMundo> points, int last, float xFactor, float yFactor, bool init);
    // Makes the window a square about the diagram's centre (0, 0) with Y upwards and a
    // margin, and returns the distance between grid circles, cd/klm (at least 10).
    float FitPolarWorld();
    // Rays, circles, axes with angle labels, radius labels and an optional frame round the
    // viewport, the centre at world (0, 0). The viewport shrinks by the margins, and with
    // reserveLabels further by the room the labels need. Pen, brush and font are restored.
    void DrawPolarGrid(bool reserveLabels, int leftMargin, int topMargin, int rightMargin, int bottomMargin, int frame,
                       float angleOffset, int angleStep, float radiusStep);
    // Points first..last as lines (markerKind ≥ 0) with markers of kind |markerKind| and
    // drop lines (|dropLines| 1: down to the window's Y1, 2: across from X1, 3: both);
    // reverseY exchanges Y1 and Y2 for the call. last is limited to the array.
    void DrawSeries(std::span<const TPontoMundo> points, int last, bool reverseY, int first, int markerKind,
                    int markerSize, int dropLines);
    // A marker of size s pixels at world (x, y): 1 plus, 2 star, 3/4 square, 5 diamond,
    // 6 three spokes, 8 disc, 9 a pixel; others nothing. Filled shapes take the pen colour.
    void Marker(int kind, int size, float x, float y);

    // The rays DrawPolarGrid draws for the current mapping, with the label decision made
    // for labels labelHeight pixels high.
    std::vector<PolarRay> PolarRays(int angleStep, int labelHeight) const;

    std::array<TPontoMundo, kRawPoints> RawC0{};
    std::array<TPontoMundo, kRawPoints> RawC90{};
    int RawCount = 0; // points in use in RawC0 and RawC90
    std::array<TPontoMundo, kCurvePoints> CurveC0{};
    std::array<TPontoMundo, kCurvePoints> CurveC90{};
    int GammaCount = 0;
    int CPlaneCount = 0;
    float RadiusStep = 0; // cd/klm between grid circles; 0 before SetData
    QColor GridColor = kScreenGrid;

private:
    // A label at a point of the grid's border: outside the viewport where the point lies
    // on its edge, centred otherwise, on an opaque box.
    void EdgeLabel(int px, int py, const QString& text);
};

} // namespace lumivar
