#pragma once
// IES LM-63 photometric files (".ies"): the 1986, 1991, 1995, 2002 and 2019 editions,
// photometric type C. The candela table is resampled onto the reference's grid in
// cd per 1000 lm of lamp flux (see PhotometryResampler.h for the C-plane convention).
//
// What lands where:
// - Reference: [LUMCAT] (else [LUMINAIRE], else [TEST]); Description: [LUMINAIRE];
//   Description2: [MANUFAC]; LampName[0]: [LAMP] (else [LAMPCAT]); Characteristics[1]:
//   edition, [TEST], [TESTLAB] and [ISSUEDATE]; Characteristics[2]: [OTHER];
//   Characteristics[3]: what the reader itself has to say (front/back asymmetry,
//   a tilt table it could not apply, clipped values). [MORE] continues a keyword.
// - One lamp kind: LampCount = number of lamps, LampFlux = lumens per lamp,
//   LampPower = input watts per lamp, LampCode = count and watts written together.
// - Relative photometry: cd/klm = cd x 1000 / (lamps x lumens per lamp); Efficiency is
//   the flux integrated from the candela table over the lamp flux. Absolute photometry
//   (lumens -1): the integrated luminaire flux becomes the lamp flux, Efficiency 100 %.
// - Candela = value x candela multiplier x ballast factor (x ballast-lamp photometric
//   factor in the editions before 2002; 2002 reserves that field and 2019 gives it
//   another meaning).
// - TILT=INCLUDE: the luminaire stands level in our rooms, so the tilt table's factor
//   at 0 degrees multiplies every value; a table that does not reach 0 degrees, or a
//   tilt kept in another file (TILT=<file>), cannot be applied: the file is read with
//   factor 1 and Characteristics[3] says so.
// - Luminous opening, feet or metres, becomes the luminaire's size in millimetres
//   (width -> WidthL, length -> LengthC, height -> HeightA); a negative width or
//   length marks a round opening: DiameterD takes the larger of the two, LengthC and
//   WidthL stay 0.
// - Types A and B are refused, as are malformed files; the message names the line.

#include "base/ByteCodec.h"
#include "base/Result.h"
#include "photometry/PhotometryFile.h"

namespace lumivar {

// Reads a whole ".ies" file. The description needs the whole table (the efficiency is
// integrated from it), so descriptionOnly reads everything too. On failure the
// message is the detail line (what was wrong, and on which line).
Result<PhotometryFile> ReadIesPhotometry(ByteSpan content, bool descriptionOnly = false);

} // namespace lumivar
