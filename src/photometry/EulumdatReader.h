#pragma once
// EULUMDAT photometric files (".ldt"). The intensities, in cd per 1000 lm of lamp
// flux, are resampled onto the reference's grid (see PhotometryResampler.h for the
// C-plane convention: the file's C0 stays our C0).
//
// What lands where:
// - Reference: luminaire number (line 10, else the name); Description: luminaire name
//   (line 9); Description2: company (line 1); Characteristics[1]: report number and
//   date/user; Characteristics[3]: what the reader itself has to say (front/back
//   asymmetry, a measuring tilt, clipped values).
// - Up to four lamp sets, one lamp kind each: LampCount = number of lamps (a negative
//   count, written by some programs for absolute photometry, counts as positive),
//   LampName = lamp type, LampFlux = the set's flux over its lamps, LampPower = the
//   set's wattage over its lamps, LampCode = count and watts written together.
//   Files with more sets are refused: their flux could not all be kept.
// - Efficiency = light output ratio (line 23); when the file gives none (0), the ratio
//   integrated from the intensities. Intensities x conversion factor (line 24).
// - Length (line 13) -> LengthC, width (line 14) -> WidthL, height -> HeightA; width 0
//   marks a round luminaire: DiameterD = line 13, LengthC and WidthL stay 0.
// - Symmetry Isym 0..4. Isym 3 stores the half C270 -> C0 -> C90 (the planes from
//   index 3 Mc / 4 on, wrapping past 360), as the format defines it.
// - Decimal commas are read; a malformed file is refused, the message names the line.

#include "base/ByteCodec.h"
#include "base/Result.h"
#include "photometry/PhotometryFile.h"

namespace lumivar {

// Reads a whole ".ldt" file; descriptionOnly reads everything too (the efficiency may
// need the table). On failure the message is the detail line.
Result<PhotometryFile> ReadEulumdatPhotometry(ByteSpan content, bool descriptionOnly = false);

} // namespace lumivar
