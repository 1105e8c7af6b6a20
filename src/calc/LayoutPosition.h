#pragma once
// One luminaire position proposed by a layout: plan coordinates in metres and the
// rotation in degrees.

namespace lumivar {

struct LayoutPosition {
    double X = 0;
    double Y = 0;
    double Angle = 0;
    friend bool operator==(const LayoutPosition&, const LayoutPosition&) = default;
};

} // namespace lumivar
