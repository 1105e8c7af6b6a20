#include "calc/LumenMethod.h"

#include "calc/CalculationInputs.h"
#include "calc/GaussJordan.h"
#include "calc/ViewFactors.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace lumivar {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// Luminaires for the illuminance level: the next whole number above
// level * area / maintenance / UF * 100 / flux - 0.5, unless that is whole.
Result<int> LuminaireCount(double level, double area, double maintenance, double uf, double flux)
{
    const double q = level * area / maintenance / uf * 100 / flux - 0.5;
    const double whole = std::trunc(q);
    const double count = q == whole ? whole : whole + 1;
    if (!std::isfinite(count) || count > std::numeric_limits<int>::max()) {
        return Error{"O número de luminárias necessário é demasiado grande."};
    }
    return static_cast<int>(count);
}

} // namespace

Result<double> CavityUtilisation(const TDadosProjecto& project, double lowerHeight, double ceilingHeight,
                                 double upperHeight, double sideX, double sideY, double directRatio, double up,
                                 double down)
{
    auto f = [&](double h) { return ParallelViewFactor(h, sideX, sideY); };
    const double a0 = sideX * sideY;
    const double a3 = a0;
    const double a1 = 2 * upperHeight * (sideX + sideY);
    const double a2 = 2 * lowerHeight * (sideX + sideY);

    // From ceiling (0), upper wall band (1), lower wall band (2), working plane (3).
    SquareMatrix<4> g{};
    g[0][1] = 1 - f(upperHeight);
    g[0][2] = f(upperHeight) - f(ceilingHeight);
    g[0][3] = f(ceilingHeight);
    g[3][0] = f(ceilingHeight);
    g[3][1] = f(lowerHeight) - f(ceilingHeight);
    g[3][2] = 1 - f(lowerHeight);
    g[1][0] = g[0][1] * a0 / a1;
    g[1][3] = g[3][1] * a3 / a1;
    g[1][1] = 1 - 2 * g[1][0];
    g[1][2] = 1 - g[1][0] - g[1][1] - g[1][3];
    g[2][0] = g[0][2] * a0 / a2;
    g[2][3] = g[3][2] * a3 / a2;
    g[2][2] = 1 - 2 * g[2][3];
    g[2][1] = g[1][2] * a1 / a2;

    const auto& r = project.Reflectance;
    const double length = project.Length;
    const double width = project.Width;
    const double walls = ((r[1] + r[3]) * length + (r[0] + r[2]) * width) / (length + width) / 2;
    const double rho[4] = {r[4] / 100.0, walls / 100, walls / 100, r[5] / 100.0};

    SquareMatrix<4> m{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            m[i][j] = (i == j ? 1.0 : 0.0) - rho[i] * g[i][j];
        }
    }
    SquareMatrix<4> inverse{};
    if (!GaussJordanInverse(m, inverse)) {
        return Error{"O factor de utilização não tem solução: o local não absorve luz (reflectâncias de 100 %)."};
    }
    const double total = up + down;
    const double e[4] = {up / total, 0, down / total - directRatio, directRatio};
    double plane = 0;
    for (int i = 0; i < 4; ++i) {
        plane += e[i] * inverse[i][3];
    }
    const double uf = std::min(total * plane / 10, 100.0);
    if (!std::isfinite(uf)) {
        return Error{"O factor de utilização deu um valor fora do alcance."};
    }
    return uf;
}

Result<LumenResult> LumenMethod(const TDadosProjecto& project, const TDadosLuminaria& data,
                                const IntensityTable& intensities)
{
    if (!std::isfinite(project.Length) || !std::isfinite(project.Width) || !(project.Length > 0) ||
        !(project.Width > 0)) {
        return Error{"O comprimento e a largura do local têm de ser maiores que zero."};
    }
    if (Status reflectances = CheckReflectances(project); !reflectances) {
        return Error{reflectances.Message()};
    }
    const double mf = project.MaintenanceFactor;
    if (!std::isfinite(mf) || !(mf > 0)) {
        return Error{"O factor de manutenção tem de ser maior que zero."};
    }
    if (project.Illuminance < 0) {
        return Error{"A iluminância pretendida não pode ser negativa."};
    }
    const double flux = TotalFlux(data);
    if (!std::isfinite(flux) || !(flux > 0)) {
        return Error{"A luminária não tem fluxo luminoso: verifique as lâmpadas da referência."};
    }
    for (const auto& row : intensities) {
        for (double value : row) {
            if (!std::isfinite(value)) {
                return Error{"A tabela de intensidades da luminária tem valores inválidos."};
            }
        }
    }

    // Working area and room index.
    double a = 0;
    double b = 0;
    if (project.WorkArea) {
        a = static_cast<double>(project.WorkAreaX2) - project.WorkAreaX1;
        b = static_cast<double>(project.WorkAreaY2) - project.WorkAreaY1;
    } else if (project.Margin > 0) {
        a = project.Length - 2.0 * project.Margin;
        b = project.Width - 2.0 * project.Margin;
    } else {
        a = project.Length;
        b = project.Width;
    }
    if (!std::isfinite(a) || !std::isfinite(b) || a < 0 || b < 0) {
        return Error{"A área de trabalho não tem dimensões válidas."};
    }
    double hm = static_cast<double>(project.Height) - project.WorkPlaneHeight;
    if (!std::isfinite(hm) || hm < 0) {
        return Error{"O plano de trabalho tem de ficar abaixo do tecto."};
    }
    if (hm == 0) {
        hm = 1;
    }
    double s = a + b;
    if (s == 0) {
        s = 1;
    }
    LumenResult result;
    const double k = a * b / hm / s;
    result.RoomIndex = k;
    if (k == 0) {
        return result;
    }

    // Averaged curves of the C0/C90 and C180/C270 planes, gamma every 5 degrees.
    double a1[kGammaRows];
    double a2[kGammaRows];
    for (int g = 0; g < kGammaRows; ++g) {
        a1[g] = (intensities[g][0] + intensities[g][6]) / 2;
        a2[g] = (intensities[g][12] + intensities[g][18]) / 2;
    }

    // Downward and upward flux per 1000 lm.
    double imax = a2[0];
    double sc = a2[0] / 2;
    for (int i = 1; i <= 35; ++i) {
        imax = std::max(imax, a2[i]);
        sc += std::cos(5 * i * kDegToRad) * a2[i];
    }
    if (!(imax > 0)) {
        return Error{"A luminária não tem intensidades nos planos C180 e C270: o método dos lúmens não se aplica."};
    }
    const double sFactor = sc * 100 * std::numbers::pi * std::numbers::pi / 32400 / imax;
    double lower = a1[0] / 2;
    for (int i = 1; i <= 18; ++i) {
        lower += a1[i];
    }
    const double down = sFactor * lower;
    const double up = std::max(data.Efficiency * 10.0 - down, 0.0);
    if (!std::isfinite(down) || !(up + down > 0) || (up == 0 && !(down > 0))) {
        return Error{"A luminária não emite fluxo segundo a sua tabela de intensidades e o seu rendimento."};
    }

    // Zone table.
    double zone[19];
    zone[0] = 0;
    for (int m = 1; m <= 18; ++m) {
        zone[m] = zone[m - 1] + ((a2[m - 1] + a2[m]) / 2 / imax) * 5 * kDegToRad *
                                    (std::cos(5 * (m - 1) * kDegToRad) + std::cos(5 * m * kDegToRad)) / 2;
    }

    // Standard room of unit height and the same room index.
    const double p = 1.625 * k;
    const double q = 1.6 * p;
    const double np = std::max(std::floor(p + 0.5), 1.0);
    const double nq = std::max(std::floor(q + 0.5), 1.0);
    if (np > 255 || nq > 255) {
        return Error{"O índice do local é demasiado grande para o método dos lúmens."};
    }
    const int nP = static_cast<int>(np);
    const int nQ = static_cast<int>(nq);

    // Zone weights.
    double weight[kGammaRows + 1] = {};
    for (int i = 1; i <= nP; ++i) {
        const double x = (i - 1) * p / nP + p / (2 * nP);
        const double alpha = std::atan(x) * kRadToDeg;
        for (int gamma = 0; gamma <= 175; gamma += 5) {
            const int w = gamma / 5 + 1;
            if (gamma + 2.5 <= alpha) {
                weight[w] += 1;
            }
            if (gamma - 2.5 < alpha && alpha < gamma + 2.5) {
                weight[w] += (alpha - gamma + 2.5) / 5;
            }
        }
    }
    for (int w = 1; w <= 19; ++w) {
        weight[w] *= 2.0 / nP;
    }

    // Direct ratio.
    double sv = 0;
    for (int i = 1; i <= nQ; ++i) {
        const double y = (i - 1) * q / nQ + q / (2 * nQ);
        const double beta = std::atan(y) * kRadToDeg;
        const int j = std::min(static_cast<int>(beta / 5), 17);
        sv += zone[j] + (beta - 5 * j) * (zone[j + 1] - zone[j]) / 5;
    }
    const double t = (std::numbers::pi / 18) / nQ * sv;
    double direct = a1[0] * weight[1] * t / 2;
    for (int w = 2; w <= 18; ++w) {
        direct += a1[w - 1] * weight[w] * t;
    }
    if (up == 0) {
        direct *= data.Efficiency * 10.0 / down;
    }
    const double ratio = direct / (up + down);

    Result<double> uf = CavityUtilisation(project, 1, 1 + 1e-6, 1e-6, p, q, ratio, up, down);
    if (!uf) {
        return Error{uf.Message()};
    }
    if (!(*uf > 0)) {
        return Error{"O factor de utilização da luminária neste local é nulo."};
    }
    result.UtilisationFactor = *uf;

    const double maintenance = mf <= 1 ? mf : 1 / mf;
    const double area = a * b;
    for (std::size_t i = 0; i < kLumenLevels.size(); ++i) {
        Result<int> n = LuminaireCount(kLumenLevels[i], area, maintenance, *uf, flux);
        if (!n) {
            return Error{n.Message()};
        }
        result.Counts[i] = *n;
    }
    Result<int> n = LuminaireCount(project.Illuminance, area, maintenance, *uf, flux);
    if (!n) {
        return Error{n.Message()};
    }
    result.Count = *n;
    return result;
}

} // namespace lumivar
