#pragma once
// The checks a project passes before the illuminance calculation runs, so that no
// result is computed from a room or a factor that makes no sense (and no NaN or
// infinity reaches the stored results).

#include "base/Result.h"
#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"

#include <span>

namespace lumivar {

// Room extents, working plane below the ceiling, margin leaving a working area.
Status CheckRoom(const TDadosProjecto& project);

// Reflectances 0..100 %.
Status CheckReflectances(const TDadosProjecto& project);

// Everything the direct calculation reads: the room, the grid divisions, the
// maintenance factor and every placed luminaire (finite position and angle, a
// reference with finite flux and intensities).
Status CheckCalculationInputs(const TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires);

} // namespace lumivar
