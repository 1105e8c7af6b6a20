#include "photometry/EulumdatReader.h"

#include "base/TextEncoding.h"
#include "photometry/ImportedText.h"
#include "photometry/PhotometryResampler.h"
#include "photometry/TextFields.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace lumivar {
namespace {

constexpr double kSameAngle = 1e-6; // degrees

// The file's lines, numbered from 1 as the format describes them.
class Lines {
public:
    explicit Lines(std::string_view text) : m_lines(SplitTextLines(text))
    {
        // Blank lines (and an end-of-file mark) after the last value mean nothing.
        while (!m_lines.empty() && TrimText(m_lines.back()).empty())
            m_lines.pop_back();
    }

    std::size_t Count() const { return m_lines.size(); }

    Result<std::string_view> Text(std::size_t n, std::string_view what) const
    {
        if (n == 0 || n > m_lines.size())
            return Error{"o ficheiro acaba na linha " + std::to_string(m_lines.size()) + " antes da linha " +
                         std::to_string(n) + " (" + std::string(what) + ")"};
        return TrimText(m_lines[n - 1]);
    }

    Result<double> Number(std::size_t n, std::string_view what) const
    {
        Result<std::string_view> text = Text(n, what);
        if (!text)
            return Error{text.Message()};
        std::string dotted(*text);
        std::replace(dotted.begin(), dotted.end(), ',', '.'); // decimal commas occur
        const std::optional<double> value = ParseNumber(dotted);
        if (!value)
            return Error{"linha " + std::to_string(n) + ": esperava-se um número (" + std::string(what) +
                         ") e encontrou-se \"" + Cp1252ToUtf8(Utf8ToCp1252(*text)) + "\""};
        return *value;
    }

    Result<int> Integer(std::size_t n, std::string_view what, int low, int high) const
    {
        Result<double> value = Number(n, what);
        if (!value)
            return Error{value.Message()};
        if (*value != std::floor(*value) || *value < low || *value > high)
            return Error{"linha " + std::to_string(n) + ": " + std::string(what) + " inválido (" + ShortNumber(*value) +
                         ")"};
        return int(*value);
    }

private:
    std::vector<std::string_view> m_lines;
};

int Millimetres(double value)
{
    return int(std::lround(std::clamp(std::abs(value), 0.0, 1.0e7)));
}

} // namespace

// Each step below returns early with its error; the macro keeps the reading linear.
#define LUMIVAR_TAKE(var, expr)                                                                                        \
    auto var##Result = (expr);                                                                                         \
    if (!var##Result)                                                                                                  \
        return Error{var##Result.Message()};                                                                           \
    const auto var = *var##Result

Result<PhotometryFile> ReadEulumdatPhotometry(ByteSpan content, bool /*descriptionOnly*/)
{
    std::string_view text(reinterpret_cast<const char*>(content.data()), content.size());
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const Lines lines(text);
    if (lines.Count() == 0)
        return Error{"o ficheiro EULUMDAT está vazio"};

    LUMIVAR_TAKE(company, lines.Text(1, "empresa"));
    LUMIVAR_TAKE(ityp, lines.Integer(2, "indicador de tipo Ityp", 0, 3));
    (void)ityp;
    LUMIVAR_TAKE(isym, lines.Integer(3, "indicador de simetria Isym", 0, 4));
    LUMIVAR_TAKE(mc, lines.Integer(4, "número de planos C Mc", 1, 100000));
    LUMIVAR_TAKE(ng, lines.Integer(6, "número de ângulos gama Ng", 1, 100000));
    LUMIVAR_TAKE(report, lines.Text(8, "número do relatório"));
    LUMIVAR_TAKE(name, lines.Text(9, "nome da luminária"));
    LUMIVAR_TAKE(number, lines.Text(10, "número da luminária"));
    LUMIVAR_TAKE(dateUser, lines.Text(12, "data/utilizador"));
    LUMIVAR_TAKE(length, lines.Number(13, "comprimento ou diâmetro"));
    LUMIVAR_TAKE(width, lines.Number(14, "largura"));
    LUMIVAR_TAKE(height, lines.Number(15, "altura"));
    LUMIVAR_TAKE(lorl, lines.Number(23, "rendimento LORL"));
    LUMIVAR_TAKE(conversion, lines.Number(24, "factor de conversão das intensidades"));
    LUMIVAR_TAKE(tilt, lines.Number(25, "inclinação durante a medição"));
    LUMIVAR_TAKE(setCount, lines.Integer(26, "número de conjuntos de lâmpadas", 1, 1000));
    if (conversion <= 0)
        return Error{"linha 24: factor de conversão das intensidades inválido (" + ShortNumber(conversion) + ")"};
    if (lorl < 0 || lorl > 100)
        return Error{"linha 23: rendimento LORL fora de 0 a 100 % (" + ShortNumber(lorl) + ")"};
    if (setCount > kMaxLampKinds)
        return Error{"linha 26: " + std::to_string(setCount) +
                     " conjuntos de lâmpadas; uma luminária guarda no máximo quatro"};

    PhotometryFile file;
    TDadosLuminaria& d = file.Data;
    d.LampKindCount = setCount;
    for (int k = 0; k < setCount; ++k) {
        const std::size_t base = 27 + 6 * std::size_t(k);
        LUMIVAR_TAKE(count, lines.Integer(base, "número de lâmpadas", -1000, 1000));
        if (count == 0)
            return Error{"linha " + std::to_string(base) + ": conjunto de lâmpadas sem lâmpadas"};
        LUMIVAR_TAKE(type, lines.Text(base + 1, "tipo de lâmpada"));
        LUMIVAR_TAKE(flux, lines.Number(base + 2, "fluxo luminoso das lâmpadas"));
        if (flux <= 0)
            return Error{"linha " + std::to_string(base + 2) + ": fluxo luminoso das lâmpadas inválido"};
        LUMIVAR_TAKE(watts, lines.Number(base + 5, "potência com balastro"));
        const int lamps = std::abs(count);
        const long wattsPerLamp = watts > 0 ? std::lround(std::min(watts / lamps, 1.0e6)) : 0;
        d.LampCount[k] = lamps;
        d.LampName[k] = RecordField(type);
        d.LampFlux[k] = flux / lamps;
        d.LampPower[k] = int(wattsPerLamp);
        d.LampCode[k] = std::to_string(lamps) + (wattsPerLamp > 0 ? std::to_string(wattsPerLamp) : "");
    }

    // Stored planes by symmetry: their count and the index of the first in the C angle list.
    const std::size_t planes = std::size_t(mc);
    std::size_t stored = planes;
    std::size_t firstStored = 0;
    CPlaneSymmetry symmetry = CPlaneSymmetry::None;
    switch (isym) {
    case 1:
        stored = 1, symmetry = CPlaneSymmetry::Rotational;
        break;
    case 2:
        stored = planes / 2 + 1, symmetry = CPlaneSymmetry::AboutC0C180;
        break;
    case 3:
        stored = planes / 2 + 1, firstStored = 3 * planes / 4, symmetry = CPlaneSymmetry::AboutC90C270;
        break;
    case 4:
        stored = planes / 4 + 1, symmetry = CPlaneSymmetry::BothPlanes;
        break;
    default:
        break;
    }
    const std::size_t gammas = std::size_t(ng);
    const std::size_t cStart = 27 + 6 * std::size_t(setCount) + 10;
    const std::size_t gStart = cStart + planes;
    const std::size_t iStart = gStart + gammas;
    const std::size_t needed = iStart - 1 + stored * gammas;
    if (lines.Count() < needed)
        return Error{"o ficheiro tem " + std::to_string(lines.Count()) + " linhas; Mc = " + std::to_string(planes) +
                     ", Ng = " + std::to_string(gammas) + " e Isym = " + std::to_string(isym) + " pedem " +
                     std::to_string(needed)};
    if (lines.Count() > needed)
        return Error{"linha " + std::to_string(needed + 1) + ": há linhas a mais depois das intensidades " +
                     "(contagens Mc, Ng ou Isym erradas?)"};

    std::vector<double> cAngles;
    for (std::size_t i = 0; i < planes; ++i) {
        LUMIVAR_TAKE(a, lines.Number(cStart + i, "ângulo C"));
        if (a < -kSameAngle || a >= 360 - kSameAngle)
            return Error{"linha " + std::to_string(cStart + i) + ": ângulo C " + ShortNumber(a) +
                         " fora de 0 a 360 graus"};
        if (i > 0 && a <= cAngles.back())
            return Error{"linha " + std::to_string(cStart + i) + ": os ângulos C não são crescentes"};
        cAngles.push_back(a);
    }
    SourceDistribution source;
    source.Symmetry = symmetry;
    for (std::size_t k = 0; k < stored; ++k)
        source.CAngles.push_back(cAngles[(firstStored + k) % planes]);
    // The stored half or quadrant must end on the symmetry planes, else Mc and Isym disagree.
    auto expect = [&](std::size_t k, double angle) -> Status {
        const std::size_t index = (firstStored + k) % planes;
        if (std::abs(cAngles[index] - angle) > kSameAngle)
            return Error{"linha " + std::to_string(cStart + index) + ": com Isym = " + std::to_string(isym) +
                         " este ângulo C devia ser " + ShortNumber(angle) + " e é " + ShortNumber(cAngles[index])};
        return Done{};
    };
    if (isym >= 2) {
        const double first = isym == 3 ? 270 : 0;
        const double last = isym == 2 ? 180 : 90;
        if (Status ok = expect(0, first); !ok)
            return Error{ok.Message()};
        if (Status ok = expect(stored - 1, last); !ok)
            return Error{ok.Message()};
    }

    for (std::size_t i = 0; i < gammas; ++i) {
        LUMIVAR_TAKE(g, lines.Number(gStart + i, "ângulo gama"));
        if (g < -kSameAngle || g > 180 + kSameAngle)
            return Error{"linha " + std::to_string(gStart + i) + ": ângulo gama " + ShortNumber(g) +
                         " fora de 0 a 180 graus"};
        if (i > 0 && g <= source.GammaAngles.back())
            return Error{"linha " + std::to_string(gStart + i) + ": os ângulos gama não são crescentes"};
        source.GammaAngles.push_back(std::clamp(g, 0.0, 180.0));
    }
    source.Values.reserve(stored * gammas);
    for (std::size_t i = 0; i < stored * gammas; ++i) {
        LUMIVAR_TAKE(v, lines.Number(iStart + i, "intensidade"));
        source.Values.push_back(v * conversion);
    }

    Result<IntensityTable> table = ResampleToTable(source);
    if (!table)
        return Error{table.Message()};

    std::vector<std::string> notes;
    if (lorl > 0) {
        d.Efficiency = float(lorl);
    } else {
        Result<double> flux = SourceFlux(source);
        d.Efficiency = flux ? float(*flux / 10.0) : 0.0f; // lm per klm -> percent
        notes.push_back("rendimento calculado das intensidades");
    }
    if (std::abs(tilt) > kSameAngle)
        notes.push_back("medida com inclinação de " + ShortNumber(tilt) + "°");

    d.Reference = RecordField(number.empty() ? name : number);
    d.PhotometryKind = 1;
    d.Description = RecordField(name);
    d.Description2 = RecordField(company);
    std::string info = "EULUMDAT";
    if (!report.empty())
        info += "; relatório " + Cp1252ToUtf8(RecordField(report));
    if (!dateUser.empty())
        info += "; " + Cp1252ToUtf8(RecordField(dateUser));
    d.Characteristics[1] = Utf8ToCp1252(info);
    if (width == 0) {
        d.DiameterD = Millimetres(length);
    } else {
        d.LengthC = Millimetres(length);
        d.WidthL = Millimetres(width);
    }
    d.HeightA = Millimetres(height);

    file.Intensities = *table;
    FinishImportedTable(file.Intensities, d, std::move(notes));
    file.GammaCount = kGammaRows;
    file.CPlaneCount = kCPlanes;
    file.Format = "EULUMDAT";
    return file;
}

#undef LUMIVAR_TAKE

} // namespace lumivar
