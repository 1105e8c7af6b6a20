#pragma once
// Reading of photometric files into the blocks of a luminaire reference. Three
// formats are read, chosen by the file's extension: ".BDB" (binary, four versions),
// ".ASC" (line-oriented text) and any other extension ("Original", big-endian binary).
//
// Limits of the source data (the arrays hold four lamp kinds and 37 x 24 values):
// - a text file listing more than four lamp codes gets LampKindCount 4; the extra
//   codes, names, bases, fluxes, counts and powers are ignored;
// - C-planes past the 24th are read and dropped; CPlaneCount is limited to 0..24
//   (text and "Original" formats);
// - gamma rows landing past row 36 (after the upper-half offset of PhotometryKind 3)
//   are read and dropped, with their multipliers in the "Original" format; GammaCount
//   is limited to 0..37 (text and "Original" formats);
// - negative counts in the "Original" format are a read error; the text format reads
//   them as no values;
// - ".BDB" records are taken as they stand; loops over lamp kinds use KindsInUse().
// Nothing is ever allocated from a count read from a file.

#include "base/ByteCodec.h"
#include "base/Result.h"
#include "photometry/RefLuminaria.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumivar {

// Files larger than this are refused before being read; real photometric files are a
// few tens of kilobytes, and the text reader's line index stays bounded by it.
constexpr std::uintmax_t kMaxPhotometryFileBytes = 4u * 1024 * 1024;

enum class PhotometryFormat {
    Bdb, // ".BDB"
    Ascii, // ".ASC"
    Original, // any other extension
    Ies, // ".IES": IES LM-63, see IesReader.h
    Eulumdat, // ".LDT": EULUMDAT, see EulumdatReader.h
    // Further formats get a value here, an extension in PhotometryFormatOf and a case
    // in the reader switches of PhotometryFile.cpp.
};

// The format read for a file extension (with or without its "."; any case).
PhotometryFormat PhotometryFormatOf(std::string_view extension);

// The blocks a photometric file gives a reference.
struct PhotometryFile {
    TDadosLuminaria Data;
    IntensityTable Intensities{}; // cd/klm
    UgrTable UGRTable{};
    std::int32_t GammaCount = 0;
    std::int32_t CPlaneCount = 0;
    std::string Format; // UTF-8: the 10-byte BDB signature as read, "ASCII", "Original", "IES LM-63" or "EULUMDAT"
};

// The description part of a photometric file and the name of its format.
struct PhotometryDescription {
    TDadosLuminaria Data;
    std::string Format; // as in PhotometryFile
};

// Reads a whole file (refused above kMaxPhotometryFileBytes). Errors carry the
// message "Não foi possível abrir o ficheiro da Luminária!" and a line naming the
// file and what was wrong.
Result<PhotometryFile> ReadPhotometryFile(const std::filesystem::path& path);
Result<PhotometryDescription> ReadDescriptionFile(const std::filesystem::path& path);

// The same from the file's content; extension chooses the reader and displayName
// names the file in error messages.
Result<PhotometryFile> ReadPhotometryBytes(ByteSpan content, std::string_view extension,
                                           std::string_view displayName = {});
Result<PhotometryDescription> ReadDescriptionBytes(ByteSpan content, std::string_view extension,
                                                   std::string_view displayName = {});

// Makes every row symmetric about the C0-C180 plane pair: columns c and c + 12 both
// take their mean. Skipped for luminaires whose characteristics say "ASSIMÉTRICO"
// (any case); see IsAsymmetric.
void Symmetrise(const TDadosLuminaria& data, IntensityTable& intensities);
bool IsAsymmetric(const TDadosLuminaria& data);

} // namespace lumivar
