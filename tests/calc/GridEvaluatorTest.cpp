#include "calc/GridEvaluator.h"
#include "calc/CalcFixtures.h"
#include "calc/DirectCalculation.h"
#include "calc/Illuminance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace lumivar {
namespace {

using testing::Place;
using testing::TestRoom;
using testing::UniformReference;

// A randomised room with luminaires of assorted asymmetric references: angles
// (multiples of 15 degrees and arbitrary), light-centre offsets, luminaires on grid
// lines and at the height of wall grid points, margins.
struct RandomScene {
    TDadosProjecto Project;
    RefList Refs;
    std::vector<TObjectoLuminaria> Luminaires;
};

RandomScene MakeScene(unsigned seed)
{
    std::mt19937 rng(seed);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    RandomScene s;
    TDadosProjecto& p = s.Project;
    p = TestRoom();
    p.Length = static_cast<float>(uniform(2, 30));
    p.Width = static_cast<float>(uniform(2, 20));
    p.Height = static_cast<float>(uniform(2.4, 6));
    p.WorkPlaneHeight = static_cast<float>(uniform(0, 1.2));
    p.Margin = pick(0, 1) ? static_cast<float>(uniform(0.1, 0.9)) : 0.0f;
    p.MaintenanceFactor = pick(0, 1) ? 1.25f : 0.8f;
    for (auto& d : p.GridDivisions) {
        d = static_cast<std::uint8_t>(pick(1, 40));
    }
    // Asymmetric; the same in every C plane and dark above the horizontal (a
    // downlight); dark below it (an uplight); asymmetric again.
    for (int r = 0; r < 4; ++r) {
        auto ref = UniformReference(uniform(500, 6000), 0);
        ref->Data.CentreOffset = pick(0, 1) ? pick(0, 300) : 0;
        for (int g = 0; g < kGammaRows; ++g) {
            for (double& v : ref->Intensities[g]) {
                v = uniform(0, 600);
            }
            if (r == 1) {
                ref->Intensities[g].fill(g < 18 ? ref->Intensities[g][0] : 0.0);
            }
            if (r == 2 && g <= 18) {
                ref->Intensities[g].fill(0);
            }
        }
        s.Refs.push_back(std::move(ref));
    }
    const SurfaceGrid plane = CalculationGrid(p, WorkPlane);
    const SurfaceGrid wall = CalculationGrid(p, WallA);
    const int count = pick(1, 12);
    for (int i = 0; i < count; ++i) {
        const TRefLuminaria& ref = *s.Refs[static_cast<std::size_t>(pick(0, 3))];
        float x = static_cast<float>(uniform(0, p.Length));
        float y = static_cast<float>(uniform(0, p.Width));
        float z = static_cast<float>(uniform(p.WorkPlaneHeight + 0.3, p.Height));
        if (pick(0, 2) == 0) { // on a grid line of the working plane
            x = static_cast<float>(plane.B[static_cast<std::size_t>(pick(0, static_cast<int>(plane.B.size()) - 1))]);
        }
        if (pick(0, 2) == 0) {
            y = static_cast<float>(plane.A[static_cast<std::size_t>(pick(0, static_cast<int>(plane.A.size()) - 1))]);
        }
        if (ref.Data.CentreOffset == 0 && pick(0, 2) == 0) { // light centre level with wall points
            z = static_cast<float>(wall.A[static_cast<std::size_t>(pick(0, static_cast<int>(wall.A.size()) - 1))]);
        }
        if (ref.Data.CentreOffset == 0 && pick(0, 4) == 0) { // level with the ceiling or the working plane
            z = pick(0, 1) ? p.Height : p.WorkPlaneHeight;
        }
        const float angle = pick(0, 1) ? 15.0f * pick(0, 24) : static_cast<float>(uniform(0, 360));
        TObjectoLuminaria l = Place(ref, x, y, z, angle);
        if (pick(0, 9) == 0) {
            l.Ref = nullptr; // a luminaire without reference contributes nothing
        }
        s.Luminaires.push_back(l);
    }
    return s;
}

// The same scene with every luminaire referenced, as the calculation needs it.
RandomScene MakeCompleteScene(unsigned seed)
{
    RandomScene s = MakeScene(seed);
    std::erase_if(s.Luminaires, [](const TObjectoLuminaria& l) { return l.Ref == nullptr; });
    return s;
}

TEST(CalcGridEvaluator, AgreesWithThePointRuleOnRandomRooms)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const RandomScene s = MakeScene(seed);
        const GridEvaluator evaluator(s.Project, s.Luminaires);
        for (int surface = 0; surface < 6; ++surface) {
            const SurfaceGrid grid = CalculationGrid(s.Project, surface);
            std::vector<double> fast(grid.A.size() * grid.B.size());
            const GridRequest request{surface, grid.A, grid.B, fast};
            ASSERT_TRUE(evaluator.Evaluate({&request, 1}, {2, nullptr}));
            for (std::size_t p = 0; p < grid.B.size(); ++p) {
                for (std::size_t q = 0; q < grid.A.size(); ++q) {
                    const double plain = PointIlluminance(s.Project, s.Luminaires, surface, grid.A[q], grid.B[p]);
                    const double got = fast[p * grid.A.size() + q];
                    ASSERT_NEAR(got, plain, std::max(1e-7 * std::fabs(plain), 1e-6))
                        << "seed " << seed << " surface " << surface << " at (" << grid.A[q] << ", " << grid.B[p]
                        << ")";
                }
            }
        }
    }
}

TEST(CalcGridEvaluator, SameNumbersWhateverTheThreadCountAndPath)
{
    const RandomScene s = MakeCompleteScene(77);
    TDadosProjecto one = s.Project;
    TDadosProjecto many = s.Project;
    TDadosProjecto plain = s.Project;
    ASSERT_TRUE(DirectCalculation(one, s.Luminaires, {false, 1, nullptr}));
    ASSERT_TRUE(DirectCalculation(many, s.Luminaires, {false, 5, nullptr}));
    ASSERT_TRUE(DirectCalculation(plain, s.Luminaires, {true, 1, nullptr}));
    EXPECT_EQ(one.Results, many.Results);
    for (int surface = 0; surface < 6; ++surface) {
        const TResultadoSuperficie& a = one.Results.Surfaces[surface];
        const TResultadoSuperficie& b = plain.Results.Surfaces[surface];
        EXPECT_NEAR(a.Average, b.Average, 1e-7 * b.Average + 1e-6);
        EXPECT_NEAR(a.Minimum, b.Minimum, 1e-7 * b.Minimum + 1e-6);
        EXPECT_NEAR(a.Maximum, b.Maximum, 1e-7 * b.Maximum + 1e-6);
    }
}

TEST(CalcGridEvaluator, EveryInstructionSetGivesTheSameNumbers)
{
    for (unsigned seed : {3u, 11u}) {
        const RandomScene s = MakeScene(seed);
        const GridEvaluator evaluator(s.Project, s.Luminaires);
        const SurfaceGrid grid = CalculationGrid(s.Project, WallB);
        std::vector<double> best(grid.A.size() * grid.B.size());
        const GridRequest request{WallB, grid.A, grid.B, best};
        ASSERT_TRUE(evaluator.Evaluate({&request, 1}));
        for (InstructionSet set : {InstructionSet::Avx512, InstructionSet::Avx2, InstructionSet::Baseline}) {
            std::vector<double> other(best.size());
            const GridRequest again{WallB, grid.A, grid.B, other};
            ASSERT_TRUE(evaluator.Evaluate({&again, 1}, {1, nullptr, set}));
            EXPECT_EQ(other, best) << static_cast<int>(set);
        }
    }
}

class CancelAfter : public CalculationProgress {
public:
    explicit CancelAfter(int reports) : m_left(reports) {}
    bool Report(std::int64_t done, std::int64_t total) override
    {
        EXPECT_LE(done, total);
        EXPECT_GE(done, m_lastDone);
        m_lastDone = done;
        ++Calls;
        const bool go = --m_left > 0;
        StoppedEarly = StoppedEarly || (!go && done < total);
        return go;
    }
    int Calls = 0;
    bool StoppedEarly = false; // asked to stop before the last report

private:
    int m_left;
    std::int64_t m_lastDone = 0;
};

TEST(CalcGridEvaluator, ProgressAndCancellation)
{
    const RandomScene s = MakeCompleteScene(5);
    for (bool plainPath : {false, true}) {
        // One thread: the hook sees every row, and the third report stops the work.
        TDadosProjecto p = s.Project;
        CancelAfter cancel(3);
        const Status status = DirectCalculation(p, s.Luminaires, {plainPath, 1, &cancel});
        ASSERT_FALSE(status);
        EXPECT_EQ(status.Message(), kCalculationCancelled);
        EXPECT_EQ(p, s.Project); // nothing stored
        EXPECT_EQ(cancel.Calls, 3);

        CancelAfter never(1 << 30);
        ASSERT_TRUE(DirectCalculation(p, s.Luminaires, {plainPath, 2, &never}));
        EXPECT_GT(never.Calls, 0);
    }
    // Several threads: the hook runs on the calling thread between its own rows, so
    // a cancel at its first report stops the others too.
    TDadosProjecto p = s.Project;
    CancelAfter cancel(1);
    const Status status = DirectCalculation(p, s.Luminaires, {false, 3, &cancel});
    EXPECT_LE(cancel.Calls, 1);
    EXPECT_EQ(!status, cancel.StoppedEarly);
    if (!status) {
        EXPECT_EQ(p, s.Project);
    }
}

TEST(CalcGridEvaluator, RejectsTooShortOutput)
{
    const RandomScene s = MakeScene(9);
    const GridEvaluator evaluator(s.Project, s.Luminaires);
    const std::vector<double> a = {1, 2, 3};
    const std::vector<double> b = {1, 2};
    std::vector<double> out(5);
    const GridRequest request{WorkPlane, a, b, out};
    EXPECT_FALSE(evaluator.Evaluate({&request, 1}));
}

} // namespace
} // namespace lumivar
