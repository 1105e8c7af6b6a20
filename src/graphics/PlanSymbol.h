#pragma once
// One placed luminaire on the plan: its data, its symbol geometry in pixels and its
// selection and drag state. The plan draws the symbols as items above itself; a symbol
// only keeps the box it would occupy as a control, in plan pixels.

#include "graphics/WorldMapping.h"
#include "project/ObjectoLuminaria.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace lumivar {

class TMundoGrafico;

class TObjectoGrafico {
public:
    // plan may be null for a free-standing symbol; not owned.
    explicit TObjectoGrafico(TMundoGrafico* plan = nullptr) : Plan(plan) {}

    // Centre in plan pixels; with a plan the world position follows.
    void SetCentre(int px, int py);
    // World position (metres); with a plan the centre pixel follows.
    void SetWorldPos(float x, float y, float z);
    // Sizes in pixels from the luminaire's sizes (copied first from source when given)
    // at the plan's current scale, then the shape.
    void UpdateShape(const DeviceRect& limits, const TObjectoLuminaria* source, float angle);
    // Symbol outline about Centre: a circle when diameterPx gives a non-zero radius,
    // otherwise the rectangle turned counter-clockwise by angle degrees.
    void SetShape(const DeviceRect& limits, int lengthPx, float angle, int diameterPx, int widthPx);
    void Rotate(float angle);
    // Moves by pixels, limited so the box stays inside Limits; dx, dy return the move made.
    void MoveBy(int& dx, int& dy);
    // Moves by metres, limited so the luminaire stays inside the room (the plan's world
    // window); dx, dy return the move made.
    void MoveByWorld(float& dx, float& dy);
    void ReclampWorld();
    void MoveToWorld(float x, float y);

    // Whether a point (plan pixels) lies on the symbol's outline or inside it.
    bool Contains(QPoint p) const;
    // Whether the symbol lies wholly inside the rectangle (plan pixels, edges included).
    bool InsideRect(const QRect& r) const;
    bool Round() const { return RoundEven(DiameterPx / 2.0) != 0; }

    // Screen symbol on the plan's pixels (the guides are left to the plan).
    void Paint(QPainter* painter) const;
    // Blue dotted lines from the centre to the two dimension chains.
    void DrawGuides(QPainter* painter) const;
    // Symbol in world coordinates on the plan's DrawCanvas, for print.
    void DrawOnPlan() const;

    // Box of the symbol as a control, plan pixels.
    QRect Bounds() const { return QRect(Left, Top, Width, Height); }

    bool Dragging = false;
    bool Moved = false;
    bool Selected = false;
    QPoint DragStart{0, 0}; // plan pixels at button down, advanced by each move made
    int LengthPx = 0, WidthPx = 0, DiameterPx = 0;
    // Rectangle: four corners, then the ends of the orientation line; round: top-left
    // and bottom-right of the circle's box. Local to the box.
    std::array<QPoint, 6> Shape{};
    bool ShowFrame = false;
    QPoint Centre{0, 0}; // plan pixels
    DeviceRect Limits{}; // plan pixels the symbol may not leave
    bool ShowDimensions = false;
    bool DimensionsSuspended = false;
    TMundoGrafico* Plan = nullptr;
    TObjectoLuminaria Luminaria;
    QString Hint; // the reference's name
    int Left = 0, Top = 0, Width = 0, Height = 0;

private:
    int NumberFontSize() const;
};

// The symbol's hint for a reference: its name, or "Luminária" without one.
QString LuminaireHint(const TRefLuminaria* ref);

} // namespace lumivar
