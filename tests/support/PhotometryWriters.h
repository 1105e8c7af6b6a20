#pragma once
// Writers of the photometric file formats the program only reads: ".BDB" (any
// signature), ".ASC" text and the big-endian "Original" format. They serve the tests
// and the sample-data generator; a reference written and read back gives the same
// blocks within each format's precision and reach:
// - BDB v1.0 keeps one lamp kind and shorter texts, v2.0/v3.0 shorter texts, and only
//   v3.0/v3.1 carry the UGR table;
// - ".ASC" keeps at most three characteristics lines, derives LampBase from
//   Characteristics[0] (";"-separated) and LampCode[0] from the third word of the first
//   code field; empty or blank-edged list entries do not survive;
// - "Original" keeps one lamp kind, 16-bit dimensions and counts, efficiency in
//   hundredths and intensities as 16-bit values times a per-row multiplier;
// - the text and "Original" readers symmetrise tables not marked "ASSIMÉTRICO".

#include "base/ByteCodec.h"
#include "photometry/RefLuminaria.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

// The gamma rows a file carries, in file order: Rows[g][c] for file row g (0-based)
// and C-plane c. Every row has the same number of planes.
using FileRows = std::vector<std::vector<double>>;

// "BDB v2.0" -> the 10-byte signature "BDB v2.0" 1A 1A.
std::string BdbSignature(std::string_view version);

// A ".BDB" file. signature is the 10 bytes written (see BdbSignature); the description
// layout and the UGR block follow from it as the reader expects (an unknown
// signature is written in the 3.1 layout without UGR table).
Bytes WriteBdbFile(const TRefLuminaria& ref, std::string_view signature);

// The rows a text or "Original" file carries for ref: rows 18..36 (the upper half)
// for PhotometryKind 3, else rows 0 .. GammaCount - 1; planes 0 .. CPlaneCount - 1.
FileRows FileRowsOf(const TRefLuminaria& ref);

// An ".ASC" file; the "-UGR-" block is written when the table is not all zero.
Bytes WriteAscFile(const TRefLuminaria& ref);
Bytes WriteAscFile(const TDadosLuminaria& data, const FileRows& rows, const UgrTable& ugr);

// An "Original" file (any extension but ".BDB" and ".ASC").
Bytes WriteOriginalFile(const TRefLuminaria& ref);
Bytes WriteOriginalFile(const TDadosLuminaria& data, const FileRows& rows);

} // namespace lumivar
