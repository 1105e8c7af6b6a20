#include "photometry/PhotometryReaders.h"
#include "photometry/TextFields.h"

#include <algorithm>
#include <string>

namespace lumivar {
namespace {

// A text runs to a 0 byte (consumed) or to the end of the file.
std::string ReadText(ByteReader& reader)
{
    std::string text;
    std::uint8_t c = 0;
    while (reader.ReadU8(c) && c != 0)
        text += char(c);
    return text;
}

} // namespace

Result<PhotometryFile> ReadOriginalPhotometry(ByteSpan content, bool descriptionOnly)
{
    ByteReader reader(content);
    PhotometryFile file;
    file.Format = "Original";
    TDadosLuminaria& d = file.Data;
    const auto truncated = [&](std::string_view what) { return TruncatedFileError(content.size(), what); };

    std::int16_t aux = 0;
    std::int16_t kind = 0;
    if (!reader.ReadBeI16(aux) || !reader.ReadBeI16(kind))
        return truncated("do cabeçalho");
    d.AuxValue = aux;
    d.PhotometryKind = kind;

    d.Reference = ReadText(reader);
    d.Description = ReadText(reader);
    d.LampKindCount = 1;
    d.LampCode[0] = BlankWord(d.Reference.View(), 3);
    d.LampName[0] = ReadText(reader);
    d.Description2 = ReadText(reader);
    std::string note1 = ReadText(reader).substr(0, decltype(d.Note1)::Capacity);
    d.Note2 = ReadText(reader);
    d.Characteristics[0] = ReadText(reader);
    d.LampBase[0] = d.Characteristics[0].View();
    for (auto& note : d.Notes)
        note = ReadText(reader);

    std::int16_t values[8] = {};
    if (!reader.ReadBeF64(d.LampFlux[0]))
        return truncated("do fluxo da lâmpada");
    for (double& real : d.AuxReals)
        if (!reader.ReadBeF64(real))
            return truncated("dos valores auxiliares");
    for (std::int16_t& v : values)
        if (!reader.ReadBeI16(v))
            return truncated("das dimensões da luminária");

    // A leading "-" in Note1 puts the photometric centre above the mounting height.
    d.CentreOffset = values[0];
    if (!note1.empty() && note1.front() == '-') {
        note1.erase(0, 1);
        d.CentreOffset = -d.CentreOffset;
    }
    d.Note1 = note1;
    d.LengthC = values[1];
    d.WidthL = values[2];
    d.HeightA = values[3];
    d.DiameterD = values[4];
    d.LampCount[0] = values[5];
    d.LampPower[0] = values[6];
    d.Efficiency = float(values[7] / 100.0); // stored in hundredths of a percent
    if (descriptionOnly)
        return file;

    std::int16_t gammaRows = 0;
    std::int16_t cPlanes = 0;
    if (!reader.ReadBeI16(gammaRows) || !reader.ReadBeI16(cPlanes))
        return truncated("do número de ângulos");
    if (gammaRows < 0 || cPlanes < 0)
        return Error{"número de ângulos gama (" + std::to_string(gammaRows) + ") ou de planos C (" +
                     std::to_string(cPlanes) + ") negativo"};
    const std::size_t tableBytes = std::size_t(gammaRows) * std::size_t(cPlanes) * 2;
    if (reader.Remaining() < tableBytes)
        return truncated("da tabela de intensidades");
    if (reader.Remaining() < tableBytes + std::size_t(gammaRows) * 8)
        return truncated("dos multiplicadores da tabela de intensidades");

    // Row g (1-based) goes to table row g - 1 + offset; rows past 36 and planes past
    // the 24th are read and dropped.
    const int offset = d.PhotometryKind == 3 ? gammaRows - 1 : 0;
    for (int g = 1; g <= gammaRows; ++g) {
        const int row = g - 1 + offset;
        for (int c = 0; c < cPlanes; ++c) {
            std::int16_t v = 0;
            reader.ReadBeI16(v); // cannot fail: the size was checked above
            if (row < kGammaRows && c < kCPlanes)
                file.Intensities[row][c] = v;
        }
    }
    for (int g = 1; g <= gammaRows; ++g) {
        const int row = g - 1 + offset;
        double factor = 0;
        reader.ReadBeF64(factor);
        if (row < kGammaRows)
            for (int c = 0; c < std::min<int>(cPlanes, kCPlanes); ++c)
                file.Intensities[row][c] *= factor;
    }

    file.GammaCount = d.PhotometryKind == 3 ? kGammaRows : std::min<std::int32_t>(gammaRows, kGammaRows);
    file.CPlaneCount = std::min<std::int32_t>(cPlanes, kCPlanes);
    return file;
}

} // namespace lumivar
