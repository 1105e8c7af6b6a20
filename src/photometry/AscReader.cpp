#include "photometry/PhotometryReaders.h"
#include "photometry/TextFields.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumivar {
namespace {

using Lines = std::vector<std::string_view>;

// Lines end with LF or CR LF; a final line break does not start another line.
Lines SplitLines(ByteSpan content)
{
    const std::string_view text(reinterpret_cast<const char*>(content.data()), content.size());
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

// A header list: ";"-separated, '"' quoted, empty fields dropped, at most the first
// four fields, each trimmed of blanks.
std::vector<std::string> HeaderList(std::string_view line)
{
    std::vector<std::string> fields = SplitFields(line, ";", '"', false);
    if (fields.size() > std::size_t(kMaxLampKinds))
        fields.resize(kMaxLampKinds);
    for (std::string& f : fields)
        f = std::string(TrimBlanks(f));
    return fields;
}

double NumberOr0(std::string_view text)
{
    return ParseNumber(text).value_or(0.0);
}

struct AscHeader {
    std::size_t EndLine = 0; // the "---" line
    bool EndFound = false;
    std::int64_t CPlanes = 0; // as given by the file
    std::int64_t GammaRows = 0; // as given by the file
};

// Reads the header into d. A missing line ends the reading with what was read so far.
AscHeader ReadHeader(const Lines& lines, TDadosLuminaria& d)
{
    AscHeader header;
    const auto has = [&](std::size_t i) { return i < lines.size(); };

    if (!has(1))
        return header;
    d.Reference = lines[1];
    if (!has(2))
        return header;
    d.AuxValue = ParseInteger(lines[2]).value_or(1);
    if (!has(3))
        return header;
    d.PhotometryKind = ParseInteger(lines[3]).value_or(1);
    if (!has(4))
        return header;
    d.Description = lines[4];
    if (!has(5))
        return header;
    std::vector<std::string> codes = HeaderList(lines[5]);
    d.LampKindCount = codes.empty() ? 1 : int(codes.size()); // more than four codes: limited to four
    if (!codes.empty())
        codes[0] = std::string(BlankWord(codes[0], 3));
    for (std::size_t k = 0; k < codes.size(); ++k)
        d.LampCode[k] = codes[k];
    if (!has(7))
        return header;
    const std::vector<std::string> names = HeaderList(lines[7]);
    for (std::size_t k = 0; k < names.size(); ++k)
        d.LampName[k] = names[k];
    if (!has(9))
        return header;
    d.Description2 = lines[9];
    if (!has(10))
        return header;
    d.Note1 = lines[10];
    if (!has(11))
        return header;
    d.Note2 = lines[11];

    std::size_t s = 12;
    for (;; ++s) {
        if (!has(s))
            return header;
        if (lines[s] == "---")
            break;
        if (s - 12 < 3)
            d.Characteristics[s - 12] = lines[s];
    }
    header.EndLine = s;
    header.EndFound = true;

    const std::vector<std::string> bases = HeaderList(d.Characteristics[0].View());
    for (std::size_t k = 0; k < bases.size(); ++k)
        d.LampBase[k] = bases[k];
    for (std::size_t k = 0; k < 4; ++k) {
        if (!has(s + 1 + k))
            return header;
        d.Notes[k] = lines[s + 1 + k];
    }
    if (!has(s + 5))
        return header;
    const std::vector<std::string> fluxes = HeaderList(lines[s + 5]);
    for (std::size_t k = 0; k < fluxes.size(); ++k)
        d.LampFlux[k] = NumberOr0(fluxes[k]);
    for (std::size_t k = 0; k < 4; ++k) {
        if (!has(s + 6 + k))
            return header;
        d.AuxReals[k] = NumberOr0(lines[s + 6 + k]);
    }
    if (!has(s + 10))
        return header;
    d.CentreOffset = ParseInteger(lines[s + 10]).value_or(0);
    std::int32_t* const dimensions[] = {&d.LengthC, &d.WidthL, &d.HeightA, &d.DiameterD};
    for (std::size_t k = 0; k < 4; ++k) {
        if (!has(s + 12 + k))
            return header;
        *dimensions[k] = ParseInteger(lines[s + 12 + k]).value_or(0);
    }
    if (!has(s + 16))
        return header;
    const std::vector<std::string> counts = HeaderList(lines[s + 16]);
    for (std::size_t k = 0; k < counts.size(); ++k)
        d.LampCount[k] = ParseInteger(counts[k]).value_or(0);
    if (!has(s + 17))
        return header;
    const std::vector<std::string> powers = HeaderList(lines[s + 17]);
    for (std::size_t k = 0; k < powers.size(); ++k)
        d.LampPower[k] = ParseInteger(powers[k]).value_or(0);
    if (!has(s + 18))
        return header;
    d.Efficiency = float(NumberOr0(lines[s + 18]));
    if (!has(s + 19))
        return header;
    header.CPlanes = ParseInteger(lines[s + 19]).value_or(0);
    if (!has(s + 20))
        return header;
    header.GammaRows = ParseInteger(lines[s + 20]).value_or(0);
    return header;
}

// Values stand C-plane by C-plane, GammaRows values per plane, from line s + 29.
// Planes past the 24th and rows landing past row 36 are dropped.
void ReadIntensities(const Lines& lines, const AscHeader& header, std::int64_t offset, IntensityTable& table)
{
    const std::int64_t first = std::int64_t(header.EndLine) + 29;
    const std::int64_t planes = std::min<std::int64_t>(header.CPlanes, kCPlanes);
    for (std::int64_t c = 0; c < planes; ++c) {
        for (std::int64_t g = 1; g <= header.GammaRows; ++g) {
            const std::int64_t row = g - 1 + offset;
            if (row >= kGammaRows)
                break;
            const std::int64_t line = first + (g - 1) + c * header.GammaRows;
            if (line >= std::int64_t(lines.size()))
                return; // the values end with the file; the rest stays zero
            table[std::size_t(row)][std::size_t(c)] = NumberOr0(lines[std::size_t(line)]);
        }
    }
}

// The 19 lines after "-UGR-" fill the table's rows; a line with fewer than ten
// blank-separated fields leaves its row zero.
void ReadUgr(const Lines& lines, UgrTable& table)
{
    const auto marker = std::find(lines.begin(), lines.end(), std::string_view("-UGR-"));
    if (marker == lines.end())
        return;
    const std::size_t start = std::size_t(marker - lines.begin()) + 1;
    for (std::size_t r = 0; r < std::size_t(kUgrRows) && start + r < lines.size(); ++r) {
        const std::vector<std::string> fields = SplitFields(lines[start + r], " ", '"', true);
        if (fields.size() < std::size_t(kUgrColumns))
            continue;
        for (std::size_t c = 0; c < std::size_t(kUgrColumns); ++c)
            table[r][c] = float(NumberOr0(fields[c]));
    }
}

} // namespace

Result<PhotometryFile> ReadAscPhotometry(ByteSpan content, bool descriptionOnly)
{
    PhotometryFile file;
    file.Format = "ASCII";
    const Lines lines = SplitLines(content);
    const AscHeader header = ReadHeader(lines, file.Data);
    if (descriptionOnly)
        return file;
    ReadUgr(lines, file.UGRTable);
    if (!header.EndFound)
        return file; // no "---" line: no intensities and both counts zero

    const bool upperHalf = file.Data.PhotometryKind == 3;
    const std::int64_t offset = upperHalf ? header.GammaRows - 1 : 0;
    ReadIntensities(lines, header, offset, file.Intensities);
    file.GammaCount = upperHalf ? kGammaRows : std::int32_t(std::clamp<std::int64_t>(header.GammaRows, 0, kGammaRows));
    file.CPlaneCount = std::int32_t(std::clamp<std::int64_t>(header.CPlanes, 0, kCPlanes));
    return file;
}

} // namespace lumivar
