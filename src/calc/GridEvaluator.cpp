#include "calc/GridEvaluator.h"

#include "calc/Illuminance.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <numbers>
#include <system_error>
#include <thread>

namespace lumivar {

namespace {

constexpr int kColumns = 13; // C 0..180 every 15 degrees: the only columns the rule reads
constexpr int kBlock = 64; // points handled together, luminaire after luminaire
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

#if defined(__GNUC__)
#define LUMIVAR_INLINE inline __attribute__((always_inline))
#else
#define LUMIVAR_INLINE inline
#endif

// atan(a / b) in degrees for b != 0, written without branches so that a loop of
// them vectorises. Range reduction and rational approximation of the Cephes
// library (about one unit in the last place), fed with a and b directly so that
// the quotient is formed once.
LUMIVAR_INLINE double AtanRatioDeg(double a, double b)
{
    constexpr double kP0 = -8.750608600031904122785e-1;
    constexpr double kP1 = -1.615753718733365076637e1;
    constexpr double kP2 = -7.500855792314704667340e1;
    constexpr double kP3 = -1.228866684490136173410e2;
    constexpr double kP4 = -6.485021904942025371773e1;
    constexpr double kQ0 = 2.485846490142306297962e1;
    constexpr double kQ1 = 1.650270098316988542046e2;
    constexpr double kQ2 = 4.328810604912902668951e2;
    constexpr double kQ3 = 4.853903996359136964868e2;
    constexpr double kQ4 = 1.945506571482613964425e2;
    constexpr double kMoreBits = 6.123233995736765886130e-17;
    constexpr double kTan3PiOver8 = 2.41421356237309504880;

    const double ax = std::fabs(a);
    const double bx = std::fabs(b);
    const bool big = ax > kTan3PiOver8 * bx;
    const bool mid = ax > 0.66 * bx;
    const double num = big ? -bx : (mid ? ax - bx : ax);
    const double den = big ? ax : (mid ? ax + bx : bx);
    const double base = big ? std::numbers::pi / 2 : (mid ? std::numbers::pi / 4 : 0.0);
    const double more = big ? kMoreBits : (mid ? 0.5 * kMoreBits : 0.0);
    const double x = num / den;
    const double z = x * x;
    const double p = (((kP0 * z + kP1) * z + kP2) * z + kP3) * z + kP4;
    const double q = ((((z + kQ0) * z + kQ1) * z + kQ2) * z + kQ3) * z + kQ4;
    const double angle = base + ((x * (z * p / q) + x) + more);
    const double signedAngle = a < 0 ? (b < 0 ? angle : -angle) : (b < 0 ? -angle : angle);
    return signedAngle * kRadToDeg;
}

// Per-surface constants of the incidence factor: the inward normal (so that k is
// the cosine between it and the light's direction), and the factor the point
// rule gives when the point coincides with the light centre.
struct SurfaceNormal {
    double Nx = 0, Ny = 0, Nz = 0;
    double Coincident = 0;
};

SurfaceNormal NormalOf(const TDadosProjecto& project, int surface)
{
    SurfaceNormal n;
    switch (surface) {
    case Ceiling:
        n.Nz = 1;
        break;
    case WallA:
        n.Nx = -1;
        break;
    case WallB:
        n.Ny = 1;
        break;
    case WallC:
        n.Nx = 1;
        break;
    case WallD:
        n.Ny = -1;
        break;
    case WorkPlane:
        n.Nz = -1;
        break;
    default:
        break;
    }
    // With the light centre on the point the rule takes azimuth 0 and unit weights.
    const SurfacePoint p = SurfacePointAt(project, surface, 0, 0);
    n.Coincident = std::cos((180 - p.G) * (std::numbers::pi / 180.0)) * p.E + p.F;
    return n;
}

// Adds one luminaire's contribution to acc for kBlock points. Branch-free so that
// the compiler turns it into vector code (with gathers for the table reads).
template <bool Rotational>
LUMIVAR_INLINE void AccumulateBody(const GridEvaluator::PreparedLuminaire& lum, const double* __restrict table,
                                   const SurfaceNormal& normal, const double* __restrict px,
                                   const double* __restrict py, const double* __restrict pz, double* __restrict acc)
{
    const double lx = lum.X;
    const double ly = lum.Y;
    const double lz = lum.CentreZ;
    const double c = lum.Cos;
    const double s = lum.Sin;
    const double scale = lum.Scale;
    const double nx = normal.Nx;
    const double ny = normal.Ny;
    const double nz = normal.Nz;
    const double coincident = normal.Coincident;
    // First the angles and the geometric factor of every point...
    alignas(64) double gammas[kBlock];
    alignas(64) double cAngles[kBlock];
    alignas(64) double factors[kBlock];
    for (int q = 0; q < kBlock; ++q) {
        const double dx = px[q] - lx;
        const double dy = py[q] - ly;
        const double dzRaw = pz[q] - lz;
        const double dz = dzRaw == 0 ? 0.01 : dzRaw;

        const double u = c * dx + s * dy;
        const double v = -s * dx + c * dy;
        const double w = dz;

        // Gamma from straight down.
        const double r = std::sqrt(u * u + v * v);
        const bool wTiny = std::fabs(w) < 1e-10;
        const double gamma0 = AtanRatioDeg(r, wTiny ? 1.0 : w);
        gammas[q] = wTiny ? 90.0 : (w > 0 ? 180.0 - gamma0 : -gamma0);

        // C folded into 0..180, C180 straight along +v; not needed when every
        // column of the table is the same.
        if constexpr (!Rotational) {
            const bool vTiny = std::fabs(v) < 1e-10;
            const double c0 = AtanRatioDeg(u, vTiny ? 1.0 : v);
            const double unfolded = u > 0 ? 180.0 - c0 : (u < 0 ? (v > 0 ? c0 + 360.0 : c0) : c0);
            const double folded = unfolded >= 180.0 ? unfolded - 180.0 : unfolded;
            cAngles[q] = vTiny ? 90.0 : (u == 0 ? (v > 0 ? 180.0 : folded) : folded);
        }

        // Distance and incidence, with components below 0.1 mm taken as 0.
        const double tx = std::fabs(dx) < 1e-4 ? 0.0 : dx;
        const double ty = std::fabs(dy) < 1e-4 ? 0.0 : dy;
        const double tz = std::fabs(dz) < 1e-4 ? 0.0 : dz;
        const double d2 = tx * tx + ty * ty + tz * tz;
        const bool onCentre = d2 == 0;
        const double invD = 1.0 / (onCentre ? 1.0 : std::sqrt(d2));
        const double k = onCentre ? coincident : (tx * nx + ty * ny + tz * nz) * invD;
        factors[q] = k > 0 ? k * scale * (invD * invD) : 0.0;
    }
    // ...then the intensity: linear in gamma within two columns, then linear in C.
    // Multiplying by 1/5 and 1/15 instead of dividing may pick the lower row or
    // column exactly on a table angle; the interpolation then lands on the same value.
    constexpr double kFifth = 1.0 / 5;
    constexpr double kFifteenth = 1.0 / 15;
    for (int q = 0; q < kBlock; ++q) {
        // Always 0..180 from the rules above; the clamp only keeps a NaN from a
        // non-finite position off the table's bounds.
        const double gamma = gammas[q] > 0 ? (gammas[q] < 180.0 ? gammas[q] : 180.0) : 0.0;
        const int row = static_cast<int>(gamma * kFifth);
        const int upperRow = std::min(gamma - 5.0 * row < 1e-6 ? row : row + 1, kGammaRows - 1);
        const double gammaGap = (5.0 * upperRow - gamma) * kFifth;
        if constexpr (Rotational) {
            // Both columns hold the same values: the C step returns the gamma value unchanged.
            const double y1 = table[row * kColumns];
            const double y2 = table[upperRow * kColumns];
            acc[q] += factors[q] * (y2 - gammaGap * (y2 - y1));
        } else {
            const double cAngle = cAngles[q] > 0 ? (cAngles[q] < 180.0 ? cAngles[q] : 180.0) : 0.0;
            const int column = static_cast<int>(cAngle * kFifteenth);
            const int upperColumn = cAngle - 15.0 * column < 1e-6 ? column : column + 1;
            const double y1 = table[row * kColumns + column];
            const double y2 = table[upperRow * kColumns + column];
            const double z1 = table[row * kColumns + upperColumn];
            const double z2 = table[upperRow * kColumns + upperColumn];
            const double lower = y2 - gammaGap * (y2 - y1);
            const double upper = z2 - gammaGap * (z2 - z1);
            acc[q] += factors[q] * (upper - (15.0 * upperColumn - cAngle) * kFifteenth * (upper - lower));
        }
    }
}

using AccumulateFn = void (*)(const GridEvaluator::PreparedLuminaire&, const double*, const SurfaceNormal&,
                              const double*, const double*, const double*, double*);

#define LUMIVAR_ACCUMULATE_PARAMS                                                                                      \
    const GridEvaluator::PreparedLuminaire &lum, const double *table, const SurfaceNormal &normal, const double *px,   \
        const double *py, const double *pz, double *acc

template <bool Rotational> void AccumulateBaseline(LUMIVAR_ACCUMULATE_PARAMS)
{
    AccumulateBody<Rotational>(lum, table, normal, px, py, pz, acc);
}

#if defined(__GNUC__) && defined(__x86_64__)
// The same code for processors with AVX2 (four doubles per instruction), chosen
// at run time. No fused multiply-add: the numbers stay those of the baseline build.
template <bool Rotational> __attribute__((target("avx2"))) void AccumulateAvx2(LUMIVAR_ACCUMULATE_PARAMS)
{
    AccumulateBody<Rotational>(lum, table, normal, px, py, pz, acc);
}
// And for AVX-512, eight doubles per instruction.
template <bool Rotational>
__attribute__((target("avx512f,avx512vl,avx512dq,prefer-vector-width=512"))) void
AccumulateAvx512(LUMIVAR_ACCUMULATE_PARAMS)
{
    AccumulateBody<Rotational>(lum, table, normal, px, py, pz, acc);
}
#endif

struct AccumulateKernels {
    AccumulateFn General;
    AccumulateFn Rotational;
};

// The widest kernels the processor runs, up to the requested instruction set.
AccumulateKernels ChooseKernels(InstructionSet limit)
{
#if defined(__GNUC__) && defined(__x86_64__)
    __builtin_cpu_init();
    const bool avx512 =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq");
    if (avx512 && (limit == InstructionSet::Best || limit == InstructionSet::Avx512)) {
        return {AccumulateAvx512<false>, AccumulateAvx512<true>};
    }
    if (__builtin_cpu_supports("avx2") && limit != InstructionSet::Baseline) {
        return {AccumulateAvx2<false>, AccumulateAvx2<true>};
    }
#else
    (void)limit;
#endif
    return {AccumulateBaseline<false>, AccumulateBaseline<true>};
}

const AccumulateKernels& Kernels(InstructionSet limit)
{
    static const AccumulateKernels best = ChooseKernels(InstructionSet::Best);
    static const AccumulateKernels avx512 = ChooseKernels(InstructionSet::Avx512);
    static const AccumulateKernels avx2 = ChooseKernels(InstructionSet::Avx2);
    static const AccumulateKernels baseline = ChooseKernels(InstructionSet::Baseline);
    switch (limit) {
    case InstructionSet::Avx512:
        return avx512;
    case InstructionSet::Avx2:
        return avx2;
    case InstructionSet::Baseline:
        return baseline;
    default:
        return best;
    }
}

// Nothing in the rows first..last (gamma 5 * row degrees) of the columns C 0..180.
bool DarkRows(const IntensityTable& table, int first, int last)
{
    for (int g = first; g <= last; ++g) {
        for (int c = 0; c < kColumns; ++c) {
            if (table[g][c] != 0) {
                return false;
            }
        }
    }
    return true;
}

// Every C column of every row the same: the C angle plays no part.
bool RotationallySymmetric(const IntensityTable& table)
{
    for (const auto& row : table) {
        for (double value : row) {
            if (value != row[0]) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

GridEvaluator::GridEvaluator(const TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires)
    : m_project(project)
{
    const double maintenance = MaintenanceScale(project.MaintenanceFactor);
    std::map<const TRefLuminaria*, int> tables;
    m_luminaires.reserve(luminaires.size());
    for (const TObjectoLuminaria& luminaire : luminaires) {
        const TRefLuminaria* ref = luminaire.Ref;
        if (ref == nullptr) {
            continue; // contributes nothing, as in the point rule
        }
        auto [it, added] = tables.emplace(ref, static_cast<int>(tables.size()));
        if (added) {
            for (int g = 0; g < kGammaRows; ++g) {
                for (int c = 0; c < kColumns; ++c) {
                    m_tables.push_back(ref->Intensities[g][c]);
                }
            }
        }
        PreparedLuminaire p;
        p.X = luminaire.X;
        p.Y = luminaire.Y;
        p.CentreZ = static_cast<double>(luminaire.Z) - ref->Data.CentreOffset / 1000.0;
        const double theta = luminaire.Angle * (std::numbers::pi / 180.0);
        p.Cos = std::cos(theta);
        p.Sin = std::sin(theta);
        if (p.Cos == p.Sin) {
            p.Sin -= 1e-6;
        }
        p.Scale = TotalFlux(ref->Data) / 1000 * maintenance;
        p.Table = it->second;
        p.Rotational = RotationallySymmetric(ref->Intensities);
        p.DarkAbove = DarkRows(ref->Intensities, 18, kGammaRows - 1);
        p.DarkBelow = DarkRows(ref->Intensities, 0, 18);
        m_luminaires.push_back(p);
    }
}

int GridEvaluator::ThreadCount(int requested)
{
    if (requested > 0) {
        return requested;
    }
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

bool GridEvaluator::Unlit(const PreparedLuminaire& lum, int surface) const
{
    // With the light centre at or below the ceiling, every ceiling point reads only
    // gamma 90..180 (a point level with the centre counts as above it); with the
    // centre above the working plane, every working-plane point reads only gamma
    // 0..90. A luminaire dark there adds exactly 0 at every point, so leaving it out
    // keeps the sums unchanged.
    if (surface == Ceiling) {
        return lum.DarkAbove && lum.CentreZ <= static_cast<double>(m_project.Height);
    }
    if (surface == WorkPlane) {
        return lum.DarkBelow && lum.CentreZ > static_cast<double>(m_project.WorkPlaneHeight);
    }
    return false;
}

void GridEvaluator::EvaluateRow(const GridRequest& request, std::size_t row, InstructionSet vectors) const
{
    const SurfaceNormal normal = NormalOf(m_project, request.Surface);
    const std::size_t count = request.A.size();
    const double b = request.B[row];
    double* out = request.Values.data() + row * count;

    alignas(64) double px[kBlock];
    alignas(64) double py[kBlock];
    alignas(64) double pz[kBlock];
    alignas(64) double acc[kBlock];
    for (std::size_t start = 0; start < count; start += kBlock) {
        const std::size_t n = std::min<std::size_t>(kBlock, count - start);
        for (std::size_t q = 0; q < kBlock; ++q) {
            // A short last block repeats its last point; the copies are dropped.
            const SurfacePoint p = SurfacePointAt(m_project, request.Surface, request.A[start + std::min(q, n - 1)], b);
            px[q] = p.X;
            py[q] = p.Y;
            pz[q] = p.Z;
            acc[q] = 0;
        }
        if (request.Surface >= 0 && request.Surface <= 5) {
            const AccumulateKernels& kernels = Kernels(vectors);
            for (const PreparedLuminaire& lum : m_luminaires) {
                if (Unlit(lum, request.Surface)) {
                    continue;
                }
                (lum.Rotational ? kernels.Rotational : kernels.General)(
                    lum, m_tables.data() + lum.Table * kGammaRows * kColumns, normal, px, py, pz, acc);
            }
        }
        std::copy_n(acc, n, out + start);
    }
}

Status GridEvaluator::Evaluate(std::span<const GridRequest> requests, const EvaluationOptions& options) const
{
    // One unit of work is one row of one request.
    std::vector<std::pair<std::size_t, std::size_t>> units;
    for (std::size_t r = 0; r < requests.size(); ++r) {
        const GridRequest& request = requests[r];
        if (request.Values.size() < request.A.size() * request.B.size()) {
            return Error{"Espaço insuficiente para os valores da grelha."};
        }
        if (request.A.empty()) {
            continue;
        }
        for (std::size_t p = 0; p < request.B.size(); ++p) {
            units.emplace_back(r, p);
        }
    }
    const auto total = static_cast<std::int64_t>(units.size());

    std::atomic<std::size_t> next{0};
    std::atomic<std::int64_t> finished{0};
    std::atomic<bool> cancelled{false};
    auto work = [&](bool reporting) {
        while (!cancelled.load(std::memory_order_relaxed)) {
            const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
            if (i >= units.size()) {
                break;
            }
            EvaluateRow(requests[units[i].first], units[i].second, options.Vectors);
            const std::int64_t done = finished.fetch_add(1, std::memory_order_relaxed) + 1;
            if (reporting && options.Progress != nullptr && !options.Progress->Report(done, total)) {
                cancelled.store(true, std::memory_order_relaxed);
            }
        }
    };

    const int threads = std::min<std::int64_t>(ThreadCount(options.Threads), std::max<std::int64_t>(total, 1));
    std::vector<std::thread> helpers;
    helpers.reserve(threads > 1 ? threads - 1 : 0);
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(work, false);
        } catch (const std::system_error&) {
            break; // fewer threads: the same numbers, only slower
        }
    }
    work(true);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (cancelled.load()) {
        return Error{kCalculationCancelled};
    }
    if (options.Progress != nullptr) {
        options.Progress->Report(total, total); // all done: nothing left to cancel
    }
    return Done{};
}

} // namespace lumivar
