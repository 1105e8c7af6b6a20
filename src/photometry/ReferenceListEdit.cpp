#include "photometry/ReferenceListEdit.h"

#include "base/TextEncoding.h"
#include "photometry/LampBase.h"
#include "photometry/LuminaireTexts.h"
#include "photometry/PhotometryFile.h"

#include <algorithm>
#include <cmath>

namespace lumivar {
namespace {

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// "C x L x A mm  (C x L x A)" or, for a round body, "A x D mm  (A x D)".
std::string DimensionsText(const TDadosLuminaria& data)
{
    if (data.DiameterD != 0)
        return std::to_string(data.HeightA) + " x " + std::to_string(data.DiameterD) + " mm  (A x D)";
    return std::to_string(data.LengthC) + " x " + std::to_string(data.WidthL) + " x " + std::to_string(data.HeightA) +
           " mm  (C x L x A)";
}

void AppendCharacteristics(const TDadosLuminaria& data, std::vector<std::string>& lines)
{
    for (int i = 1; i < kMaxLampKinds; ++i)
        if (!IsBlank(data.Characteristics[i].View()))
            lines.push_back(Cp1252ToUtf8(data.Characteristics[i].View()));
}

} // namespace

std::filesystem::path BrowserFilePath(const std::filesystem::path& folder, std::string_view fileName)
{
    std::filesystem::path path = folder / std::filesystem::path(std::string(fileName));
    if (!path.filename().has_extension())
        path += ".BDB";
    return path;
}

Result<std::size_t> AddReferenceFromFile(RefList& refs, const std::filesystem::path& file)
{
    Result<PhotometryFile> read = ReadPhotometryFile(file);
    if (!read)
        return Error{read.Message()};
    auto ref = std::make_unique<TRefLuminaria>();
    ref->Create();
    ref->SetPhotometry(read->Data, read->Intensities, read->UGRTable, read->CPlaneCount, read->GammaCount);
    ref->SetCostDefaults();
    refs.push_back(std::move(ref));
    return refs.size() - 1;
}

std::size_t RemoveReferences(ProjectDocument& document, std::vector<std::size_t> indices)
{
    RefList& refs = document.LuminaireRefs;
    std::vector<bool> removed(refs.size(), false);
    for (std::size_t i : indices)
        if (i < refs.size())
            removed[i] = true;

    // New index of every reference that stays; -1 for those that go.
    std::vector<std::int32_t> newIndex(refs.size(), -1);
    std::int32_t next = 0;
    for (std::size_t i = 0; i < refs.size(); ++i)
        if (!removed[i])
            newIndex[i] = next++;

    auto& lums = document.Luminaires;
    const std::size_t before = lums.size();
    std::erase_if(lums, [&](const TObjectoLuminaria& l) {
        return l.RefIndex >= 0 && std::size_t(l.RefIndex) < refs.size() && removed[std::size_t(l.RefIndex)];
    });
    const std::size_t gone = before - lums.size();

    RefList kept;
    kept.reserve(std::size_t(next));
    for (std::size_t i = 0; i < refs.size(); ++i)
        if (!removed[i])
            kept.push_back(std::move(refs[i]));
    refs = std::move(kept);

    std::int32_t number = 0;
    for (TObjectoLuminaria& l : lums) {
        const bool valid = l.RefIndex >= 0 && std::size_t(l.RefIndex) < newIndex.size();
        l.RefIndex = valid ? newIndex[std::size_t(l.RefIndex)] : -1;
        l.Attach(refs, l.RefIndex);
        l.Number = ++number;
    }
    return gone;
}

std::vector<BallastChoice> BallastChoices(const TDadosLuminaria& data, int kind)
{
    std::vector<BallastItem> ballasts;
    const LampBaseResult info = LampBaseInfo(data, kind + 1, ballasts);
    std::vector<BallastChoice> choices;
    for (const BallastItem& b : ballasts)
        choices.push_back({b.Name, b.Kind, std::round(double(info.Powers[std::size_t(b.Kind)]) * 100.0) / 100.0});
    return choices;
}

bool HasUgrValues(const UgrTable& table)
{
    const int lastRow = kUgrRows - 1;
    const int lastColumn = kUgrColumns - 1;
    return table[0][0] > 0 && table[0][lastColumn] > 0 && table[lastRow][0] > 0 && table[lastRow][lastColumn] > 0;
}

std::string EfficiencyText(double percent, std::string_view decimalSeparator)
{
    return FixedText(percent, 2, decimalSeparator) + " %";
}

std::vector<std::string> PropertiesCharacteristicsLines(const TDadosLuminaria& data)
{
    std::vector<std::string> lines{Cp1252ToUtf8(data.Description.View()), Cp1252ToUtf8(data.Description2.View()),
                                   std::string(), "Medidas:  " + DimensionsText(data)};
    AppendCharacteristics(data, lines);
    return lines;
}

std::vector<std::string> BrowserDescriptionLines(const TDadosLuminaria& data)
{
    std::vector<std::string> lines{Cp1252ToUtf8(data.Description.View()), Cp1252ToUtf8(data.Description2.View()),
                                   "Ref.  " + Cp1252ToUtf8(data.Reference.View()), "Medidas : " + DimensionsText(data)};
    AppendCharacteristics(data, lines);
    return lines;
}

std::array<std::string, 2> ProductCatalogueLines(std::string_view blockText)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= blockText.size() && !blockText.empty()) {
        const std::size_t end = blockText.find('\n', start);
        std::string line(blockText.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::replace(line.begin(), line.end(), '\t', ' ');
        lines.push_back(std::move(line));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (lines.size() < 3)
        return {};
    return {lines[lines.size() - 3], lines[lines.size() - 2]};
}

} // namespace lumivar
