#pragma once
// The five project file versions: their signatures, block sizes, and the conversion
// of an older version's blocks into the current records. Only 3.1 is ever written.

#include "base/ByteCodec.h"
#include "photometry/CustosLuminaria.h"
#include "photometry/DadosLuminaria.h"
#include "project/DadosProjecto.h"
#include "project/OpcoesRelatorio.h"
#include "project/PaginaRelatorio.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace lumivar {

enum class ProjectVersion { V1_0, V2_0, V2_2, V3_0, V3_1 };

constexpr std::size_t kProjectSignatureSize = 18; // 16 visible characters + 0x1A 0x1A
constexpr std::size_t kPlacedLuminaireSize = 24; // X, Y, Z, Angle, Number, RefIndex

// Sizes in bytes of a version's fixed blocks.
struct ProjectLayout {
    std::size_t ProjectRecord;
    std::size_t PageRecord;
    std::size_t ReportOptions;
    std::size_t RefData; // first block of a reference
    std::size_t RefUgr; // 0 when the version has no UGR table
    std::size_t RefCosts; // 40 (old cost block) or 80
    bool HasTrailer; // observations and picture follow the placed luminaires

    // One reference entry: first block, intensities, gamma and C-plane counts, UGR, costs.
    std::size_t RefEntry() const;
};

const ProjectLayout& LayoutOf(ProjectVersion version);

// "1.0", "2.0", "2.2", "3.0", "3.1".
std::string_view VersionName(ProjectVersion version);

// The 18 signature bytes of a version.
std::array<std::uint8_t, kProjectSignatureSize> SignatureOf(ProjectVersion version);

// The version whose signature the 18 bytes are; none when they match no version.
std::optional<ProjectVersion> VersionFromSignature(ByteSpan first18);

// Conversions of an older version's blocks. `old` holds exactly the version's block
// size (LayoutOf). Fields the version lacks keep what the target held before the call
// (a new project's record), except where the older file defines them.
void ConvertProjectRecord(ProjectVersion version, ByteSpan old, TDadosProjecto& target);
void ConvertPageRecord(ProjectVersion version, ByteSpan old, TPaginaRelatorio& target);
TOpcoesRelatorio ConvertReportOptions(ProjectVersion version, ByteSpan old);
TDadosLuminaria ConvertLuminaireData(ProjectVersion version, ByteSpan old);
// The 40-byte cost block of versions 1.0 and 2.0; `data` is the reference's already
// converted description, whose first lamp kind decides the ballast list.
TCustosLuminaria ConvertOldCosts(ByteSpan old, const TDadosLuminaria& data);

} // namespace lumivar
