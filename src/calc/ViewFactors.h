#pragma once
// View factors between the six surfaces of a rectangular room: the fraction of
// the diffuse flux leaving one surface that reaches another.

#include "calc/GaussJordan.h"
#include "project/DadosProjecto.h"

namespace lumivar {

// Two parallel, directly opposed rectangles of sides sideA x sideB at the given
// distance (all in the same unit).
double ParallelViewFactor(double distance, double sideA, double sideB);

// Two perpendicular rectangles sharing an edge of length edge: from the emitter,
// which extends emitterDepth away from the edge, to the receiver, which extends
// receiverDepth away from it.
double PerpendicularViewFactor(double edge, double emitterDepth, double receiverDepth);

// F[i][j] from surface i to surface j in the surface numbering (0 ceiling, 1..4
// walls A..D, 5 working plane) for a room of the given length, width and height
// between the working plane and the ceiling; F[i][i] = 0. All extents must be
// positive.
SquareMatrix<6> RoomViewFactors(double length, double width, double height);

} // namespace lumivar
