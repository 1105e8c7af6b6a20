#pragma once
// Writers of the older project file versions (1.0, 2.0, 2.2, 3.0), which the program
// reads but never writes, and a well-filled 3.1 document for round trips. The old
// records are plain byte images of the version's size; tests put field values at the
// old offsets with the le:: helpers and PutOldText.

#include "base/ByteCodec.h"
#include "photometry/RefLuminaria.h"
#include "project/ProjectDocument.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumivar::fixtures {

enum class OldVersion { V1_0, V2_0, V2_2, V3_0 };

struct OldReference {
    Bytes Data; // first block: 324, 1120 or 1488 bytes
    IntensityTable Intensities{};
    std::int32_t GammaCount = 37;
    std::int32_t CPlaneCount = 24;
    UgrTable Ugr{}; // written by 3.0 only
    Bytes Costs; // 40 bytes (1.0, 2.0) or 80 (2.2, 3.0)
};

struct OldLuminaire {
    float X = 0, Y = 0, Z = 0, Angle = 0;
    std::int32_t Number = 0;
    std::int32_t RefIndex = 0;
};

struct OldProjectFile {
    OldVersion Version = OldVersion::V3_0;
    Bytes Project; // 820 bytes (1.0), 760 (2.0, 2.2) or 784 (3.0)
    Bytes Page; // 1092 (1.0) or 1096
    Bytes Options; // 76 (1.0) or 88
    std::uint8_t ShowDimensions = 0;
    std::vector<OldReference> References;
    std::optional<std::int32_t> ReferenceCount; // written in place of References.size() when set
    std::vector<OldLuminaire> Luminaires;
};

// A file of the version with zero-filled records of the version's sizes and no lists.
OldProjectFile MakeOldProjectFile(OldVersion version);
// A reference entry with zero-filled blocks of the version's sizes.
OldReference MakeOldReference(OldVersion version);
Bytes WriteOldProjectFile(const OldProjectFile& file);

// A length-prefixed text at offset: length byte and characters (Windows-1252).
void PutOldText(Bytes& image, std::size_t offset, std::string_view text);

// A 3.1 document holding two references, three placed luminaires, observations and a
// photo with the 8-byte stream header, with padding bytes, string tails and Boolean
// bytes other than 0 and 1 set, so that a rewrite shows any byte not kept.
ProjectDocument MakeRichProject();

} // namespace lumivar::fixtures
