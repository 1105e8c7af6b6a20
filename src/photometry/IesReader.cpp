#include "photometry/IesReader.h"

#include "base/TextEncoding.h"
#include "photometry/ImportedText.h"
#include "photometry/PhotometryResampler.h"
#include "photometry/TextFields.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace lumivar {
namespace {

constexpr double kSameAngle = 1e-6; // degrees

struct Token {
    std::string_view Text;
    int Line; // 1-based
};

std::string UpperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return out;
}

std::string LineText(int line)
{
    return "linha " + std::to_string(line);
}

// The numbers after the TILT line: a free stream separated by blanks, line ends and commas.
class NumberStream {
public:
    NumberStream(const std::vector<std::string_view>& lines, std::size_t firstLine)
    {
        for (std::size_t i = firstLine; i < lines.size(); ++i) {
            std::string_view line = lines[i];
            std::size_t p = 0;
            while (p < line.size()) {
                while (p < line.size() && (IsTextSpace(line[p]) || line[p] == ',' || line[p] == '\x1A'))
                    ++p;
                std::size_t q = p;
                while (q < line.size() && !IsTextSpace(line[q]) && line[q] != ',' && line[q] != '\x1A')
                    ++q;
                if (q > p)
                    m_tokens.push_back({line.substr(p, q - p), int(i) + 1});
                p = q;
            }
        }
        m_lastLine = int(lines.size());
    }

    std::size_t Remaining() const { return m_tokens.size() - m_next; }

    Result<double> Next(std::string_view what)
    {
        if (m_next >= m_tokens.size())
            return Error{"o ficheiro acaba na " + LineText(m_lastLine) + " antes de " + std::string(what)};
        const Token& t = m_tokens[m_next++];
        const std::optional<double> value = ParseNumber(t.Text);
        if (!value)
            return Error{LineText(t.Line) + ": esperava-se um número (" + std::string(what) + ") e encontrou-se \"" +
                         Cp1252ToUtf8(Utf8ToCp1252(t.Text)) + "\""};
        return *value;
    }

    Result<int> NextInteger(std::string_view what, int low, int high)
    {
        const int line = CurrentLine();
        Result<double> value = Next(what);
        if (!value)
            return Error{value.Message()};
        if (*value != std::floor(*value) || *value < low || *value > high)
            return Error{LineText(line) + ": " + std::string(what) + " inválido (" + ShortNumber(*value) + ")"};
        return int(*value);
    }

    int CurrentLine() const { return m_next < m_tokens.size() ? m_tokens[m_next].Line : m_lastLine; }
    int PreviousLine() const { return m_next > 0 ? m_tokens[m_next - 1].Line : 1; }

private:
    std::vector<Token> m_tokens;
    std::size_t m_next = 0;
    int m_lastLine = 0;
};

struct Keywords {
    std::vector<std::pair<std::string, std::string>> Entries; // upper-cased name, UTF-8/Latin-1 text

    void Add(std::string name, std::string_view text)
    {
        if (name == "MORE" && !Entries.empty()) {
            std::string& last = Entries.back().second;
            if (!last.empty() && !text.empty())
                last += ' ';
            last += text;
            return;
        }
        Entries.emplace_back(std::move(name), std::string(text));
    }
    std::string Get(std::string_view name) const
    {
        for (const auto& [key, text] : Entries)
            if (key == name && !text.empty())
                return text;
        return {};
    }
};

// Value of a tilt table at 0 degrees, when the table reaches it.
std::optional<double> TiltFactorAtZero(const std::vector<double>& angles, const std::vector<double>& factors)
{
    for (std::size_t i = 0; i < angles.size(); ++i) {
        if (std::abs(angles[i]) <= kSameAngle)
            return factors[i];
        if (i > 0 && angles[i - 1] < 0 && angles[i] > 0) {
            const double t = -angles[i - 1] / (angles[i] - angles[i - 1]);
            return factors[i - 1] + t * (factors[i] - factors[i - 1]);
        }
    }
    return std::nullopt;
}

int Millimetres(double value, double toMillimetres)
{
    return int(std::lround(std::clamp(std::abs(value) * toMillimetres, 0.0, 1.0e7)));
}

} // namespace

Result<PhotometryFile> ReadIesPhotometry(ByteSpan content, bool /*descriptionOnly*/)
{
    std::string_view text(reinterpret_cast<const char*>(content.data()), content.size());
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::vector<std::string_view> lines = SplitTextLines(text);
    if (lines.empty())
        return Error{"o ficheiro IES está vazio"};

    // Edition from the first line; the 1986 edition has no such line.
    std::string edition = "1986";
    std::size_t line = 0;
    {
        const std::string first = UpperAscii(TrimText(lines[0]));
        if (first.starts_with("IESNA91"))
            edition = "1991", line = 1;
        else if (first.starts_with("IESNA:LM-63-1995"))
            edition = "1995", line = 1;
        else if (first.starts_with("IESNA:LM-63-2002"))
            edition = "2002", line = 1;
        else if (first.starts_with("IES:LM-63-2019"))
            edition = "2019", line = 1;
        else if (first.starts_with("IESNA") || first.starts_with("IES:"))
            edition = "2002", line = 1; // a later edition's header: read as the newest we know of
    }

    // Keyword lines (free text lines in the 1986 edition) up to the TILT line.
    Keywords keywords;
    std::string freeText;
    std::size_t tiltLine = lines.size();
    for (; line < lines.size(); ++line) {
        const std::string_view l = TrimText(lines[line]);
        std::string upper = UpperAscii(l);
        upper.erase(std::remove(upper.begin(), upper.end(), ' '), upper.end());
        if (upper.starts_with("TILT=")) {
            tiltLine = line;
            break;
        }
        if (l.starts_with('[')) {
            const std::size_t close = l.find(']');
            if (close != std::string_view::npos) {
                keywords.Add(UpperAscii(l.substr(1, close - 1)), TrimText(l.substr(close + 1)));
                continue;
            }
        }
        if (!l.empty()) {
            if (!freeText.empty())
                freeText += ' ';
            freeText += l;
        }
    }
    if (tiltLine == lines.size())
        return Error{"não é um ficheiro IES: falta a linha TILT="};

    std::vector<std::string> notes;
    NumberStream numbers(lines, tiltLine + 1);
    double tiltFactor = 1;
    {
        const std::string_view l = TrimText(lines[tiltLine]);
        const std::string_view tilt = TrimText(l.substr(l.find('=') + 1));
        const std::string upper = UpperAscii(tilt);
        if (upper == "INCLUDE") {
            auto geometry = numbers.NextInteger("geometria da lâmpada na tabela de inclinação", 1, 3);
            if (!geometry)
                return Error{geometry.Message()};
            const int countLine = numbers.CurrentLine();
            auto count = numbers.NextInteger("número de ângulos de inclinação", 1, 1000000);
            if (!count)
                return Error{count.Message()};
            if (std::size_t(*count) * 2 > numbers.Remaining())
                return Error{LineText(countLine) + ": a tabela de inclinação anuncia " + std::to_string(*count) +
                             " ângulos, mas o ficheiro não tem valores que cheguem"};
            std::vector<double> angles, factors;
            for (int i = 0; i < *count; ++i) {
                auto a = numbers.Next("ângulo de inclinação");
                if (!a)
                    return Error{a.Message()};
                if (i > 0 && *a <= angles.back())
                    return Error{LineText(numbers.PreviousLine()) + ": os ângulos de inclinação não são crescentes"};
                angles.push_back(*a);
            }
            for (int i = 0; i < *count; ++i) {
                auto f = numbers.Next("factor de inclinação");
                if (!f)
                    return Error{f.Message()};
                if (*f < 0)
                    return Error{LineText(numbers.PreviousLine()) + ": factor de inclinação negativo"};
                factors.push_back(*f);
            }
            if (const auto atZero = TiltFactorAtZero(angles, factors))
                tiltFactor = *atZero;
            else
                notes.push_back("tabela de inclinação sem 0°: não aplicada");
        } else if (upper != "NONE") {
            notes.push_back("inclinação no ficheiro " + Cp1252ToUtf8(RecordField(tilt)) + ": não aplicada");
        }
    }

    auto lampCount = numbers.NextInteger("número de lâmpadas", 1, 1000);
    if (!lampCount)
        return Error{lampCount.Message()};
    const int lumensLine = numbers.CurrentLine();
    auto lumensPerLamp = numbers.Next("lúmenes por lâmpada");
    if (!lumensPerLamp)
        return Error{lumensPerLamp.Message()};
    const bool absolute = *lumensPerLamp == -1;
    if (!absolute && *lumensPerLamp <= 0)
        return Error{LineText(lumensLine) + ": lúmenes por lâmpada inválidos (" + ShortNumber(*lumensPerLamp) + ")"};
    const int multiplierLine = numbers.CurrentLine();
    auto multiplier = numbers.Next("multiplicador das candelas");
    if (!multiplier)
        return Error{multiplier.Message()};
    if (*multiplier <= 0)
        return Error{LineText(multiplierLine) + ": multiplicador das candelas inválido"};
    auto verticalCount = numbers.NextInteger("número de ângulos verticais", 1, 100000);
    if (!verticalCount)
        return Error{verticalCount.Message()};
    auto horizontalCount = numbers.NextInteger("número de ângulos horizontais", 1, 100000);
    if (!horizontalCount)
        return Error{horizontalCount.Message()};
    const int typeLine = numbers.CurrentLine();
    auto photometricType = numbers.NextInteger("tipo fotométrico", 1, 3);
    if (!photometricType)
        return Error{photometricType.Message()};
    if (*photometricType != 1)
        return Error{LineText(typeLine) + ": fotometria do tipo " + (*photometricType == 2 ? "B" : "A") +
                     " não é suportada (só o tipo C, o das luminárias de interior)"};
    auto units = numbers.NextInteger("tipo de unidades (1 pés, 2 metros)", 1, 2);
    if (!units)
        return Error{units.Message()};
    double size[3] = {};
    for (double& s : size) {
        auto v = numbers.Next("dimensões da abertura luminosa");
        if (!v)
            return Error{v.Message()};
        s = *v;
    }
    const int ballastLine = numbers.CurrentLine();
    auto ballastFactor = numbers.Next("factor do balastro");
    if (!ballastFactor)
        return Error{ballastFactor.Message()};
    if (*ballastFactor <= 0)
        return Error{LineText(ballastLine) + ": factor do balastro inválido"};
    auto ballastLampFactor = numbers.Next("factor fotométrico balastro-lâmpada");
    if (!ballastLampFactor)
        return Error{ballastLampFactor.Message()};
    auto inputWatts = numbers.Next("potência de entrada");
    if (!inputWatts)
        return Error{inputWatts.Message()};

    const std::size_t nV = std::size_t(*verticalCount);
    const std::size_t nH = std::size_t(*horizontalCount);
    if (nV + nH + nV * nH > numbers.Remaining())
        return Error{LineText(numbers.CurrentLine()) + ": o ficheiro anuncia " + std::to_string(nV) +
                     " ângulos verticais e " + std::to_string(nH) + " horizontais, mas tem só " +
                     std::to_string(numbers.Remaining()) + " dos " + std::to_string(nV + nH + nV * nH) +
                     " valores que se seguem"};

    SourceDistribution source;
    for (std::size_t i = 0; i < nV; ++i) {
        auto a = numbers.Next("ângulo vertical");
        if (!a)
            return Error{a.Message()};
        if (*a < -kSameAngle || *a > 180 + kSameAngle)
            return Error{LineText(numbers.PreviousLine()) + ": ângulo vertical " + ShortNumber(*a) +
                         " fora de 0 a 180 graus"};
        if (i > 0 && *a <= source.GammaAngles.back())
            return Error{LineText(numbers.PreviousLine()) + ": os ângulos verticais não são crescentes"};
        source.GammaAngles.push_back(std::clamp(*a, 0.0, 180.0));
    }
    for (std::size_t i = 0; i < nH; ++i) {
        auto a = numbers.Next("ângulo horizontal");
        if (!a)
            return Error{a.Message()};
        if (*a < -kSameAngle || *a > 360 + kSameAngle)
            return Error{LineText(numbers.PreviousLine()) + ": ângulo horizontal " + ShortNumber(*a) +
                         " fora de 0 a 360 graus"};
        if (i > 0 && *a <= source.CAngles.back())
            return Error{LineText(numbers.PreviousLine()) + ": os ângulos horizontais não são crescentes"};
        source.CAngles.push_back(*a);
    }
    const double firstH = source.CAngles.front();
    const double lastH = source.CAngles.back();
    auto same = [](double a, double b) { return std::abs(a - b) <= kSameAngle; };
    if (nH == 1)
        source.Symmetry = CPlaneSymmetry::Rotational;
    else if (same(firstH, 0) && same(lastH, 90))
        source.Symmetry = CPlaneSymmetry::BothPlanes;
    else if (same(firstH, 0) && same(lastH, 180))
        source.Symmetry = CPlaneSymmetry::AboutC0C180;
    else if (same(firstH, 90) && same(lastH, 270))
        source.Symmetry = CPlaneSymmetry::AboutC90C270;
    else if (same(firstH, 0) && lastH > 180)
        source.Symmetry = CPlaneSymmetry::None;
    else
        return Error{"ângulos horizontais de " + ShortNumber(firstH) + " a " + ShortNumber(lastH) +
                     ": não correspondem a nenhuma simetria (0, 0–90, 0–180, 90–270, 0–360)"};

    // 2002 reserves the ballast-lamp factor and 2019 uses the field for the file's origin.
    double scale = *multiplier * *ballastFactor * tiltFactor;
    if (edition < "2002")
        scale *= *ballastLampFactor;
    source.Values.reserve(nV * nH);
    for (std::size_t i = 0; i < nV * nH; ++i) {
        auto v = numbers.Next("valor de candela");
        if (!v)
            return Error{v.Message()};
        source.Values.push_back(*v * scale);
    }
    if (numbers.Remaining() > 0)
        return Error{LineText(numbers.CurrentLine()) + ": há " + std::to_string(numbers.Remaining()) +
                     " valores a mais depois da tabela de candelas (contagens erradas?)"};

    // Resample in candela, then to cd per 1000 lm of lamp flux.
    Result<IntensityTable> table = ResampleToTable(source);
    if (!table)
        return Error{table.Message()};
    Result<double> luminaireFlux = SourceFlux(source);
    if (!luminaireFlux)
        return Error{luminaireFlux.Message()};
    if (!(*luminaireFlux > 0))
        return Error{"a tabela de candelas não emite fluxo luminoso"};
    const double lampFlux = absolute ? *luminaireFlux : *lampCount * *lumensPerLamp;
    for (auto& row : *table)
        for (double& v : row)
            v = v * 1000.0 / lampFlux;

    PhotometryFile file;
    TDadosLuminaria& d = file.Data;
    std::string reference = keywords.Get("LUMCAT");
    if (reference.empty())
        reference = keywords.Get("LUMINAIRE");
    if (reference.empty())
        reference = keywords.Get("TEST");
    d.Reference = RecordField(reference);
    d.PhotometryKind = 1;
    d.Description = RecordField(keywords.Get("LUMINAIRE").empty() ? freeText : keywords.Get("LUMINAIRE"));
    d.Description2 = RecordField(keywords.Get("MANUFAC"));
    d.LampKindCount = 1;
    d.LampCount[0] = *lampCount;
    d.LampFlux[0] = lampFlux / *lampCount;
    const long wattsPerLamp = *inputWatts > 0 ? std::lround(std::min(*inputWatts / *lampCount, 1.0e6)) : 0;
    d.LampPower[0] = int(wattsPerLamp);
    d.LampCode[0] = std::to_string(*lampCount) + (wattsPerLamp > 0 ? std::to_string(wattsPerLamp) : "");
    d.LampName[0] = RecordField(keywords.Get("LAMP").empty() ? keywords.Get("LAMPCAT") : keywords.Get("LAMP"));
    std::string test = "IES LM-63-" + edition;
    for (const auto& [key, label] : {std::pair{"TEST", "ensaio "}, {"TESTLAB", "laboratório "}, {"ISSUEDATE", "data "}})
        if (const std::string value = keywords.Get(key); !value.empty())
            test += std::string("; ") + label + Cp1252ToUtf8(RecordField(value));
    d.Characteristics[1] = Utf8ToCp1252(test);
    d.Characteristics[2] = RecordField(keywords.Get("OTHER"));
    const double toMillimetres = *units == 1 ? 304.8 : 1000.0;
    if (size[0] < 0 || size[1] < 0) {
        d.DiameterD = std::max(Millimetres(size[0], toMillimetres), Millimetres(size[1], toMillimetres));
    } else {
        d.WidthL = Millimetres(size[0], toMillimetres);
        d.LengthC = Millimetres(size[1], toMillimetres);
    }
    d.HeightA = Millimetres(size[2], toMillimetres);
    d.Efficiency = absolute ? 100.0f : float(*luminaireFlux / lampFlux * 100.0);

    file.Intensities = *table;
    FinishImportedTable(file.Intensities, d, std::move(notes));
    file.GammaCount = kGammaRows;
    file.CPlaneCount = kCPlanes;
    file.Format = "IES LM-63";
    return file;
}

} // namespace lumivar
