#include "calc/DirectCalculation.h"

#include "calc/CalculationInputs.h"
#include "calc/GaussJordan.h"
#include "calc/GridEvaluator.h"
#include "calc/Illuminance.h"
#include "calc/ViewFactors.h"

#include <algorithm>
#include <cmath>

namespace lumivar {

namespace {

std::vector<double> CellCentres(int divisions, double extent, double offset)
{
    std::vector<double> centres(static_cast<std::size_t>(divisions));
    for (int i = 1; i <= divisions; ++i) {
        centres[static_cast<std::size_t>(i - 1)] = static_cast<float>((i - 0.5) * extent / divisions + offset);
    }
    return centres;
}

// Reflectance of a surface as a fraction (the record keeps walls A..D first).
double ReflectanceOf(const TDadosProjecto& project, int surface)
{
    const int entry = surface == Ceiling ? 4 : surface == WorkPlane ? 5 : surface - 1;
    return project.Reflectance[static_cast<std::size_t>(entry)] / 100.0;
}

bool AllFinite(const TResultadoSuperficie& s)
{
    return std::isfinite(s.Average) && std::isfinite(s.Minimum) && std::isfinite(s.Maximum);
}

} // namespace

SurfaceGrid CalculationGrid(const TDadosProjecto& project, int surface)
{
    const double length = project.Length;
    const double width = project.Width;
    const double upper = static_cast<double>(project.Height) - project.WorkPlaneHeight;
    const auto& div = project.GridDivisions;
    SurfaceGrid grid;
    switch (surface) {
    case Ceiling:
        grid.B = CellCentres(div[4], length, 0);
        grid.A = CellCentres(div[5], width, 0);
        break;
    case WallA:
    case WallC:
        grid.B = CellCentres(div[2], width, 0);
        grid.A = CellCentres(div[3], upper, project.WorkPlaneHeight);
        break;
    case WallB:
    case WallD:
        grid.B = CellCentres(div[2], length, 0);
        grid.A = CellCentres(div[3], upper, project.WorkPlaneHeight);
        break;
    case WorkPlane: {
        const double margin = project.Margin > 0 ? project.Margin : 0.0;
        grid.B = CellCentres(div[0], length - 2 * margin, margin);
        grid.A = CellCentres(div[1], width - 2 * margin, margin);
        break;
    }
    default:
        break;
    }
    return grid;
}

void SurfaceStatistics(const SurfaceGrid& grid, std::span<const double> values, TResultadoSuperficie& out)
{
    const std::size_t columns = grid.A.size();
    double sum = 0;
    for (std::size_t p = 0; p < grid.B.size(); ++p) {
        for (std::size_t q = 0; q < columns; ++q) {
            const double value = values[p * columns + q];
            sum += value;
            const auto b = static_cast<float>(grid.B[p]);
            const auto a = static_cast<float>(grid.A[q]);
            if (p == 0 && q == 0) {
                out.Minimum = out.Maximum = value;
                out.MinX = out.MaxX = b;
                out.MinY = out.MaxY = a;
            } else if (value < out.Minimum) {
                out.Minimum = value;
                out.MinX = b;
                out.MinY = a;
            } else if (value > out.Maximum) {
                out.Maximum = value;
                out.MaxX = b;
                out.MaxY = a;
            }
        }
    }
    const std::size_t count = grid.B.size() * columns;
    out.Average = count == 0 ? 0.0 : sum / static_cast<double>(count);
}

Status DirectCalculation(TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires,
                         const CalculationOptions& options)
{
    if (Status valid = CheckCalculationInputs(project, luminaires); !valid) {
        return valid;
    }

    std::vector<SurfaceGrid> grids(6);
    std::vector<std::vector<double>> values(6);
    std::vector<GridRequest> requests;
    for (int surface : kCalculationOrder) {
        SurfaceGrid& grid = grids[static_cast<std::size_t>(surface)];
        grid = CalculationGrid(project, surface);
        std::vector<double>& v = values[static_cast<std::size_t>(surface)];
        v.assign(grid.A.size() * grid.B.size(), 0.0);
        requests.push_back({surface, grid.A, grid.B, v});
    }

    if (options.Plain) {
        std::int64_t total = 0;
        for (const GridRequest& r : requests) {
            total += static_cast<std::int64_t>(r.B.size());
        }
        std::int64_t done = 0;
        for (const GridRequest& r : requests) {
            for (std::size_t p = 0; p < r.B.size(); ++p) {
                for (std::size_t q = 0; q < r.A.size(); ++q) {
                    r.Values[p * r.A.size() + q] = PointIlluminance(project, luminaires, r.Surface, r.A[q], r.B[p]);
                }
                if (options.Progress != nullptr && !options.Progress->Report(++done, total)) {
                    return Error{kCalculationCancelled};
                }
            }
        }
    } else {
        const GridEvaluator evaluator(project, luminaires);
        if (Status evaluated = evaluator.Evaluate(requests, {options.Threads, options.Progress}); !evaluated) {
            return evaluated;
        }
    }

    TResultadosCalculo results = project.Results;
    for (int surface = 0; surface < 6; ++surface) {
        const auto s = static_cast<std::size_t>(surface);
        SurfaceStatistics(grids[s], values[s], results.Surfaces[s]);
        if (!AllFinite(results.Surfaces[s])) {
            return Error{"O cálculo deu valores fora do alcance: verifique o fluxo e as intensidades das luminárias."};
        }
    }
    results.OverallMinimum = results.Surfaces[0].Minimum;
    for (const TResultadoSuperficie& s : results.Surfaces) {
        results.OverallMinimum = std::min(results.OverallMinimum, s.Minimum);
    }
    results.OverallMaximum = results.Surfaces[WallA].Maximum;
    for (int surface : {WallB, WallC, WallD, WorkPlane}) {
        results.OverallMaximum = std::max(results.OverallMaximum, results.Surfaces[surface].Maximum);
    }
    results.DirectDone = 1;
    project.Results = results;
    return Done{};
}

Status InterReflection(TDadosProjecto& project)
{
    if (Status room = CheckRoom(project); !room) {
        return room;
    }
    if (Status reflectances = CheckReflectances(project); !reflectances) {
        return reflectances;
    }
    if (!project.Results.DirectDone) {
        return Error{"As reflexões precisam do cálculo directo das iluminâncias."};
    }
    const double length = project.Length;
    const double width = project.Width;
    const double upper = static_cast<double>(project.Height) - project.WorkPlaneHeight;
    const double area[6] = {length * width, width * upper,  length * upper,
                            width * upper,  length * upper, length * width};

    const SquareMatrix<6> f = RoomViewFactors(length, width, upper);
    SquareMatrix<6> m{};
    double direct[6];
    for (int j = 0; j < 6; ++j) {
        direct[j] = project.Results.Surfaces[static_cast<std::size_t>(j)].Average * area[j];
        for (int i = 0; i < 6; ++i) {
            m[j][i] = i == j ? 1.0 : -ReflectanceOf(project, i) * f[i][j];
        }
    }
    SquareMatrix<6> inverse{};
    if (!GaussJordanInverse(m, inverse)) {
        return Error{"As reflexões não têm solução: o local não absorve luz (reflectâncias de 100 %)."};
    }

    TResultadosCalculo results = project.Results;
    for (int j = 0; j < 6; ++j) {
        double total = 0;
        for (int i = 0; i < 6; ++i) {
            total += inverse[j][i] * direct[i];
        }
        const double indirect = (total - direct[j]) / area[j];
        if (!std::isfinite(indirect)) {
            return Error{"As reflexões deram valores fora do alcance (reflectâncias próximas de 100 %)."};
        }
        results.Surfaces[static_cast<std::size_t>(j)].Indirect = indirect;
    }
    results.MaxIndirect = results.Surfaces[WallA].Indirect;
    for (int surface : {WallB, WallC, WallD, WorkPlane}) {
        results.MaxIndirect = std::max(results.MaxIndirect, results.Surfaces[surface].Indirect);
    }
    results.IndirectDone = 1;
    project.Results = results;
    return Done{};
}

Status CalculateIlluminances(TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires,
                             const CalculationOptions& options)
{
    if (Status direct = DirectCalculation(project, luminaires, options); !direct) {
        return direct;
    }
    return InterReflection(project);
}

} // namespace lumivar
