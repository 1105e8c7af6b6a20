#pragma once
// Edits of a project's luminaire references as the references dialog makes them:
// adding a reference from a photometric file, removing references together with the
// luminaires placed from them, and the texts the dialog and its file browser show.

#include "base/Result.h"
#include "photometry/RefLuminaria.h"
#include "project/ProjectDocument.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumivar {

// The file the browser reads for a name chosen in a folder: the folder plus the name,
// with ".BDB" appended when the name has no extension.
std::filesystem::path BrowserFilePath(const std::filesystem::path& folder, std::string_view fileName);

// Reads a photometric file and appends a new reference made from it, with the cost
// defaults of its lamp kinds. Returns the new reference's index; on failure the list
// is unchanged and the message is the reader's ("Não foi possível abrir o ficheiro da
// Luminária!" and a line naming the file).
Result<std::size_t> AddReferenceFromFile(RefList& refs, const std::filesystem::path& file);

// Removes the references at the given indices (any order; repeated or out-of-range
// indices are ignored) and every placed luminaire that uses one of them. The remaining
// luminaires are numbered 1, 2, 3 ... in plan order and point at their reference's new
// index (re-attached); a luminaire whose index matched no reference keeps -1. Returns
// the number of luminaires removed.
std::size_t RemoveReferences(ProjectDocument& document, std::vector<std::size_t> indices);

// One entry of the ballast pick list of a lamp kind: the ballast's name and kind and
// the system power it gives the kind's lamps, W rounded to two decimals.
struct BallastChoice {
    std::string Name; // UTF-8
    int Kind = 0; // 0 conventional, 1 electronic, 2 dimmable electronic
    double Consumption = 0;
};

// The ballasts a lamp kind (0-based) can be run with, from the lamp-base table.
std::vector<BallastChoice> BallastChoices(const TDadosLuminaria& data, int kind);

// Whether a UGR table holds values: its four corner entries (rows 1 and 19, columns 1
// and 10) are all positive.
bool HasUgrValues(const UgrTable& table);

// "12,50 %": an efficiency in percent with two decimals.
std::string EfficiencyText(double percent, std::string_view decimalSeparator = ",");

// The characteristics box of the properties page (UTF-8 lines): Description,
// Description2, an empty line, the dimensions line "Medidas:  A x D mm  (A x D)" for a
// round body or "Medidas:  C x L x A mm  (C x L x A)", then every non-blank
// Characteristics line after the first.
std::vector<std::string> PropertiesCharacteristicsLines(const TDadosLuminaria& data);

// The description box of the file browser (UTF-8 lines): Description, Description2,
// "Ref.  <Reference>", the dimensions line "Medidas : ..." and every non-blank
// Characteristics line after the first.
std::vector<std::string> BrowserDescriptionLines(const TDadosLuminaria& data);

// The two product lines shown on the properties page, taken from a reference's block of
// the description catalogue (plain text, lines separated by LF or CR LF): its
// third-last and second-last lines with tabs turned into blanks. Both empty when the
// block has fewer than three lines (a luminaire the catalogue does not know).
std::array<std::string, 2> ProductCatalogueLines(std::string_view blockText);

} // namespace lumivar
