// The direct calculation of a large room: 24 m x 12 m x 3.5 m, 72 luminaires of
// the sample library at assorted angles, all six grids at 255 x 255. Reports
// luminaire-point evaluations per second for the plain per-point path and for the
// grid evaluator on one thread and on every core.

#include "calc/DirectCalculation.h"
#include "calc/GridEvaluator.h"
#include "photometry/PhotometryFile.h"
#include "project/ObjectoLuminaria.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

namespace lumivar {
namespace {

struct LargeRoom {
    TDadosProjecto Project;
    RefList Refs;
    std::vector<TObjectoLuminaria> Luminaires;
};

// Plausible stand-ins when the sample library is not at hand: a batwing-like
// asymmetric distribution.
std::unique_ptr<TRefLuminaria> StandIn(int kind)
{
    auto ref = std::make_unique<TRefLuminaria>();
    ref->Data.LampKindCount = 1;
    ref->Data.LampCount[0] = 2;
    ref->Data.LampFlux[0] = 2500 + 500 * kind;
    ref->Data.CentreOffset = 20 * kind;
    for (int g = 0; g < kGammaRows; ++g) {
        for (int c = 0; c < kCPlanes; ++c) {
            const double gamma = 5.0 * g * std::numbers::pi / 180;
            const double cPlane = 15.0 * c * std::numbers::pi / 180;
            const double down = g <= 18 ? std::cos(gamma) : 0.0;
            ref->Intensities[g][c] = 300 * down * (1 + 0.4 * kind * std::sin(gamma) * std::cos(cPlane)) + 10;
        }
    }
    return ref;
}

LargeRoom MakeLargeRoom()
{
    LargeRoom room;
    TDadosProjecto& p = room.Project;
    p.Length = 24;
    p.Width = 12;
    p.Height = 3.5f;
    p.WorkPlaneHeight = 0.85f;
    p.MaintenanceFactor = 1.25f;
    p.Reflectance = {50, 50, 50, 50, 70, 20};
    p.GridDivisions = {255, 255, 255, 255, 255, 255};

    const std::filesystem::path library = std::filesystem::path(LUMIVAR_DATA_DIR) / "Aparelhos";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(library, ec)) {
        Result<PhotometryFile> file = ReadPhotometryFile(entry.path());
        if (!file) {
            continue;
        }
        auto ref = std::make_unique<TRefLuminaria>();
        ref->SetPhotometry(file->Data, file->Intensities, file->UGRTable, file->CPlaneCount, file->GammaCount);
        room.Refs.push_back(std::move(ref));
    }
    if (room.Refs.empty()) {
        for (int kind = 0; kind < 4; ++kind) {
            room.Refs.push_back(StandIn(kind));
        }
    }

    const float angles[] = {0, 15, 30, 45, 60, 90, 135, 180, 210, 270, 300, 37.5f};
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 12; ++col) {
            const int i = row * 12 + col;
            TObjectoLuminaria l;
            l.Attach(room.Refs, i % static_cast<int>(room.Refs.size()));
            l.X = 1.0f + 2.0f * col;
            l.Y = 1.0f + 2.0f * row;
            l.Z = row % 3 == 0 ? 3.5f : 3.0f;
            l.Angle = angles[i % 12];
            l.Number = i + 1;
            room.Luminaires.push_back(l);
        }
    }
    return room;
}

const LargeRoom& Room()
{
    static const LargeRoom room = MakeLargeRoom();
    return room;
}

double EvaluationsPerRun(const LargeRoom& room)
{
    return 6.0 * 255 * 255 * static_cast<double>(room.Luminaires.size());
}

void Run(benchmark::State& state, bool plain, int threads)
{
    const LargeRoom& room = Room();
    for (auto _ : state) {
        TDadosProjecto project = room.Project;
        const Status status = DirectCalculation(project, room.Luminaires, {plain, threads, nullptr});
        if (!status) {
            state.SkipWithError(status.Message().c_str());
            return;
        }
        benchmark::DoNotOptimize(project.Results);
    }
    state.counters["evaluations/s"] = benchmark::Counter(
        EvaluationsPerRun(room) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["threads"] = GridEvaluator::ThreadCount(threads);
    state.counters["references"] = static_cast<double>(room.Refs.size());
}

void BM_DirectPlain(benchmark::State& state)
{
    Run(state, true, 1);
}
void BM_DirectFastOneThread(benchmark::State& state)
{
    Run(state, false, 1);
}
void BM_DirectFastAllThreads(benchmark::State& state)
{
    Run(state, false, 0);
}

BENCHMARK(BM_DirectPlain)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_DirectFastOneThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_DirectFastAllThreads)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
} // namespace lumivar
