#include "photometry/PhotometryResampler.h"

#include "base/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumivar {

namespace {

constexpr double kAngleTolerance = 1e-6; // degrees: closer than this counts as the same angle
constexpr double kDegree = std::numbers::pi / 180.0;

double NormaliseC(double c)
{
    c = std::fmod(c, 360.0);
    if (c < 0)
        c += 360.0;
    if (c >= 360.0 - kAngleTolerance)
        c = 0;
    return c;
}

// One plane of the full circle and the stored plane whose values it carries.
struct CircularPlane {
    double Angle;
    int Rank; // 0 stored as such, 1 mirror image: a stored plane wins over an image of the same angle
    std::size_t Stored;
};

// The stored planes and their mirror images over 0..360, ascending, one per angle.
std::vector<CircularPlane> ExpandPlanes(const SourceDistribution& source)
{
    std::vector<CircularPlane> planes;
    for (std::size_t i = 0; i < source.CAngles.size(); ++i) {
        const double a = source.CAngles[i];
        planes.push_back({NormaliseC(a), 0, i});
        switch (source.Symmetry) {
        case CPlaneSymmetry::AboutC0C180:
            planes.push_back({NormaliseC(-a), 1, i});
            break;
        case CPlaneSymmetry::AboutC90C270:
            planes.push_back({NormaliseC(180.0 - a), 1, i});
            break;
        case CPlaneSymmetry::BothPlanes:
            planes.push_back({NormaliseC(-a), 1, i});
            planes.push_back({NormaliseC(180.0 - a), 1, i});
            planes.push_back({NormaliseC(180.0 + a), 1, i});
            break;
        case CPlaneSymmetry::None:
        case CPlaneSymmetry::Rotational:
            break;
        }
    }
    std::stable_sort(planes.begin(), planes.end(), [](const CircularPlane& x, const CircularPlane& y) {
        if (std::abs(x.Angle - y.Angle) > kAngleTolerance)
            return x.Angle < y.Angle;
        return x.Rank < y.Rank;
    });
    std::vector<CircularPlane> unique;
    for (const CircularPlane& p : planes)
        if (unique.empty() || std::abs(p.Angle - unique.back().Angle) > kAngleTolerance)
            unique.push_back(p);
    return unique;
}

Status Check(const SourceDistribution& source)
{
    const auto& g = source.GammaAngles;
    if (g.empty() || source.CAngles.empty())
        return Error{"A distribuição não tem ângulos."};
    if (source.Values.size() != g.size() * source.CAngles.size())
        return Error{"O número de intensidades não condiz com o número de ângulos."};
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (!std::isfinite(g[i]) || g[i] < -kAngleTolerance || g[i] > 180.0 + kAngleTolerance)
            return Error{"Ângulo gama fora de 0 a 180 graus."};
        if (i > 0 && g[i] <= g[i - 1])
            return Error{"Os ângulos gama não são crescentes."};
    }
    for (double c : source.CAngles)
        if (!std::isfinite(c) || std::abs(c) > 360.0 + kAngleTolerance)
            return Error{"Ângulo C fora de 0 a 360 graus."};
    for (double v : source.Values)
        if (!std::isfinite(v))
            return Error{"Intensidade que não é um número finito."};
    return Done{};
}

// Value of a stored plane at gamma: exact where the plane has the angle, linear
// between its angles, 0 outside the measured range.
double PlaneAt(const SourceDistribution& source, std::size_t plane, double gamma)
{
    const auto& g = source.GammaAngles;
    const double* v = source.Values.data() + plane * g.size();
    if (gamma < g.front() - kAngleTolerance || gamma > g.back() + kAngleTolerance)
        return 0;
    const auto upper = std::lower_bound(g.begin(), g.end(), gamma - kAngleTolerance);
    const std::size_t k = std::size_t(upper - g.begin());
    if (std::abs(g[k] - gamma) <= kAngleTolerance)
        return v[k];
    // g[k - 1] < gamma < g[k]; k >= 1 because gamma lies above g.front().
    const double t = (gamma - g[k - 1]) / (g[k] - g[k - 1]);
    return v[k - 1] + t * (v[k] - v[k - 1]);
}

// Value at (C, gamma) on the expanded circle of planes.
double CircleAt(const SourceDistribution& source, const std::vector<CircularPlane>& planes, double c, double gamma)
{
    if (planes.size() == 1)
        return PlaneAt(source, planes[0].Stored, gamma);
    // First plane at or after c (within tolerance); past the last one wraps to the first + 360.
    std::size_t hi = 0;
    while (hi < planes.size() && planes[hi].Angle < c - kAngleTolerance)
        ++hi;
    if (hi < planes.size() && std::abs(planes[hi].Angle - c) <= kAngleTolerance)
        return PlaneAt(source, planes[hi].Stored, gamma);
    const std::size_t lo = (hi == 0 ? planes.size() : hi) - 1;
    double loAngle = planes[lo].Angle;
    double hiAngle = hi == planes.size() ? planes[0].Angle + 360.0 : planes[hi].Angle;
    if (hi == 0) // c lies before the first plane: the segment runs from the last plane - 360
        loAngle -= 360.0;
    const std::size_t hiIndex = hi == planes.size() ? 0 : hi;
    const double a = PlaneAt(source, planes[lo].Stored, gamma);
    const double b = PlaneAt(source, planes[hiIndex].Stored, gamma);
    const double t = (c - loAngle) / (hiAngle - loAngle);
    return a + t * (b - a);
}

// Weights of the two ends of a gamma segment in the integral of a linearly
// interpolated intensity times sin(gamma), angles in radians.
void SegmentWeights(double a, double b, double& wa, double& wb)
{
    const double h = b - a;
    wb = (std::sin(b) - std::sin(a) - h * std::cos(b)) / h;
    wa = (std::cos(a) - std::cos(b)) - wb;
}

} // namespace

Result<IntensityTable> ResampleToTable(const SourceDistribution& source)
{
    if (Status ok = Check(source); !ok)
        return Error{ok.Message()};
    std::vector<CircularPlane> planes;
    if (source.Symmetry == CPlaneSymmetry::Rotational)
        planes.push_back({0, 0, 0});
    else
        planes = ExpandPlanes(source);

    IntensityTable table{};
    for (int g = 0; g < kGammaRows; ++g)
        for (int c = 0; c < kCPlanes; ++c)
            table[g][c] = CircleAt(source, planes, 15.0 * c, 5.0 * g);

    for (int pole : {0, kGammaRows - 1}) {
        auto& row = table[pole];
        if (std::all_of(row.begin(), row.end(), [&](double v) { return v == row[0]; }))
            continue;
        double sum = 0;
        for (double v : row)
            sum += v;
        row.fill(sum / kCPlanes);
    }
    return table;
}

double TableFlux(const IntensityTable& table)
{
    double flux = 0;
    for (int g = 0; g + 1 < kGammaRows; ++g) {
        double wa = 0, wb = 0;
        SegmentWeights(5.0 * g * kDegree, 5.0 * (g + 1) * kDegree, wa, wb);
        for (int c = 0; c < kCPlanes; ++c)
            flux += wa * table[g][c] + wb * table[g + 1][c];
    }
    return flux * 15.0 * kDegree;
}

Result<double> SourceFlux(const SourceDistribution& source)
{
    if (Status ok = Check(source); !ok)
        return Error{ok.Message()};
    const auto& gammas = source.GammaAngles;
    // Integral over gamma of each stored plane.
    std::vector<double> planeIntegral(source.CAngles.size(), 0.0);
    for (std::size_t p = 0; p < source.CAngles.size(); ++p)
        for (std::size_t k = 0; k + 1 < gammas.size(); ++k) {
            double wa = 0, wb = 0;
            SegmentWeights(gammas[k] * kDegree, gammas[k + 1] * kDegree, wa, wb);
            const double* v = source.Values.data() + p * gammas.size();
            planeIntegral[p] += wa * v[k] + wb * v[k + 1];
        }
    if (source.Symmetry == CPlaneSymmetry::Rotational)
        return planeIntegral[0] * 2.0 * std::numbers::pi;
    const std::vector<CircularPlane> planes = ExpandPlanes(source);
    if (planes.size() == 1)
        return planeIntegral[planes[0].Stored] * 2.0 * std::numbers::pi;
    double flux = 0;
    for (std::size_t i = 0; i < planes.size(); ++i) {
        const CircularPlane& a = planes[i];
        const CircularPlane& b = planes[(i + 1) % planes.size()];
        const double width = (i + 1 == planes.size() ? b.Angle + 360.0 : b.Angle) - a.Angle;
        flux += 0.5 * (planeIntegral[a.Stored] + planeIntegral[b.Stored]) * width * kDegree;
    }
    return flux;
}

int ClipIntensities(IntensityTable& table)
{
    int changed = 0;
    for (auto& row : table)
        for (double& v : row) {
            const double clipped = std::isnan(v) ? 0.0 : std::clamp(v, 0.0, kMaxIntensity);
            if (clipped != v) {
                v = clipped;
                ++changed;
            }
        }
    return changed;
}

bool FrontBackSymmetric(const IntensityTable& table, double relativeTolerance)
{
    double largest = 0;
    for (const auto& row : table)
        for (double v : row)
            largest = std::max(largest, std::abs(v));
    const double tolerance = relativeTolerance * largest;
    for (const auto& row : table)
        for (int c = 0; c < kCPlanes / 2; ++c)
            if (std::abs(row[c] - row[c + kCPlanes / 2]) > tolerance)
                return false;
    return true;
}

void FinishImportedTable(IntensityTable& table, TDadosLuminaria& data, std::vector<std::string> notes)
{
    if (const int clipped = ClipIntensities(table); clipped > 0)
        notes.push_back(std::to_string(clipped) + " intensidades negativas ou excessivas cortadas");
    if (!FrontBackSymmetric(table))
        notes.insert(notes.begin(), "Feixe assimétrico");
    std::string line;
    for (const std::string& note : notes) {
        if (!line.empty())
            line += "; ";
        line += note;
    }
    data.Characteristics[3] = Utf8ToCp1252(line);
}

} // namespace lumivar
