#pragma once
// Direct illuminance on whole grids of surface points, on all cores. Gives the
// numbers of PointIlluminance (to rounding) for every point, and the same numbers
// whatever the number of threads: each point sums its luminaires in list order.

#include "base/Result.h"
#include "calc/CalculationProgress.h"
#include "project/DadosProjecto.h"
#include "project/ObjectoLuminaria.h"

#include <span>
#include <vector>

namespace lumivar {

// The points (A[q], B[p]) of one surface (0..5, as PointIlluminance). Values
// receives B.size() x A.size() lux, row by row: Values[p * A.size() + q].
struct GridRequest {
    int Surface = 0;
    std::span<const double> A;
    std::span<const double> B;
    std::span<double> Values;
};

// The widest vector instructions the evaluator may use; it takes the widest the
// processor has up to this. All give the same numbers.
enum class InstructionSet { Best, Avx512, Avx2, Baseline };

struct EvaluationOptions {
    int Threads = 0; // 0: one per core
    CalculationProgress* Progress = nullptr; // not owned; may be null
    InstructionSet Vectors = InstructionSet::Best;
};

class GridEvaluator {
public:
    // Prepares what does not depend on the point: each luminaire's light centre,
    // axes, flux scale and a compact copy of its reference's intensities. The
    // project and the references must outlive the evaluator; luminaires are copied.
    GridEvaluator(const TDadosProjecto& project, std::span<const TObjectoLuminaria> luminaires);

    // Fills every request's Values. Fails only when cancelled through the progress
    // hook (the values are then incomplete) or when a Values span is too short.
    Status Evaluate(std::span<const GridRequest> requests, const EvaluationOptions& options = {}) const;

    // Number of threads Evaluate uses for the given option (0: one per core).
    static int ThreadCount(int requested);

    struct PreparedLuminaire {
        double X = 0, Y = 0, CentreZ = 0; // light centre, metres
        double Cos = 1, Sin = 0; // the luminaire's rotation
        double Scale = 0; // flux / 1000 with the maintenance factor
        int Table = 0; // index of its compact intensity table
        bool Rotational = false; // the same intensity in every C plane
        bool DarkAbove = false; // no light at gamma 90..180
        bool DarkBelow = false; // no light at gamma 0..90
    };

private:
    bool Unlit(const PreparedLuminaire& lum, int surface) const;
    void EvaluateRow(const GridRequest& request, std::size_t row, InstructionSet vectors) const;

    const TDadosProjecto& m_project;
    std::vector<PreparedLuminaire> m_luminaires; // list order; luminaires without a reference left out
    std::vector<double> m_tables; // per table 37 rows x 13 columns (C 0..180)
};

} // namespace lumivar
