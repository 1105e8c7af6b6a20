#pragma once
// The small plan the automatic count and block dialogs preview their luminaires
// on: the room with its axes, margin and working area, the luminaires already on
// the plan in blue and the proposed ones in red. Paints onto any painter.

#include "calc/LayoutPosition.h"
#include "graphics/UnGrafic.h"
#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"

#include <QRect>

#include <vector>

namespace lumivar {

class TPlanoGrf : public TMundoGrafico {
public:
    // Pixels between the control's edges and the room, for the axis labels.
    static constexpr int kMarginLeft = 22;
    static constexpr int kMarginTop = 4;
    static constexpr int kMarginRight = 12;
    static constexpr int kMarginBottom = 20;

    // The room: world x from 0 to Length left to right, y from 0 at the bottom to
    // Width at the top, and the axis steps.
    void SetProject(const TDadosProjecto& project);
    const TDadosProjecto& Project() const { return m_project; }
    // The box, inside a panel of the given size, that keeps the room's aspect; the
    // preview control is given that box.
    QRect FitInto(int panelWidth, int panelHeight) const;
    // The proposed luminaires' symbol from a reference's body (millimetres): a
    // circle when it is round, else a rectangle.
    void SetSymbol(const TDadosLuminaria& data);

    void Paint() override;

    float XStep = 1;
    float YStep = 1;
    // Symbol of the proposed luminaires, metres.
    float HalfLength = 0;
    float HalfWidth = 0;
    float Radius = 0;
    // The proposed luminaires, drawn in red.
    std::vector<LayoutPosition> Group;
    // The luminaires already on the plan, drawn in blue; not owned, may be null.
    const std::vector<TObjectoLuminaria>* Existing = nullptr;
    // The circle the group is spread on, drawn dotted round a grey centre mark.
    bool ShowCircle = false;
    float CircleX = 0, CircleY = 0, CircleRadius = 0;

private:
    // A circle of radius, or a halfLength x halfWidth rectangle turned by angle.
    void Symbol(float x, float y, float angle, float halfLength, float halfWidth, float radius);

    TDadosProjecto m_project;
};

} // namespace lumivar
