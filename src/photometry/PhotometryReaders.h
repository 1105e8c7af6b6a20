#pragma once
// The three photometric file readers behind ReadPhotometryBytes. Each reads a whole
// file image; on failure the error message is only the detail line (what was wrong
// and where), which the caller puts under the common open-failure text. Symmetrisation
// is the caller's step.

#include "base/ByteCodec.h"
#include "base/Result.h"
#include "photometry/PhotometryFile.h"

namespace lumivar {

// ".BDB": signature, description (layout by signature), counts, intensities and, for
// "BDB v3.0" and "BDB v3.1", the UGR table. descriptionOnly stops after the description.
Result<PhotometryFile> ReadBdbPhotometry(ByteSpan content, bool descriptionOnly);

// ".ASC": never fails on content; missing lines leave zeros or defaults.
Result<PhotometryFile> ReadAscPhotometry(ByteSpan content, bool descriptionOnly);

// Any other extension: big-endian "Original" format. descriptionOnly stops after the
// efficiency.
Result<PhotometryFile> ReadOriginalPhotometry(ByteSpan content, bool descriptionOnly);

// "o ficheiro termina no byte N, antes do fim <what>", what with its article ("da tabela UGR").
Error TruncatedFileError(std::size_t size, std::string_view what);

} // namespace lumivar
