// What the Energy and Power window computes on its background task for one design: the brake
// curve over speed alone, and every figure of the window (evaluation with energy and the
// under-load search, both models' shaft power, the waterfall's cycle and the curve), for
// KESTMORE and KESTMORE with losses.
#include <benchmark/benchmark.h>

#include <string>

#include "form/design_form.h"
#include "persistence/parameter_file.h"
#include "presentation/energy_figures.h"
#include "session/engine_session.h"
#include "simulation/brake_speed_curve.h"

namespace {

const char* const kFiles[] = {"KESTMORE.RBP", "KESTMORE with losses.RBP"};

velmora::Design LoadDesign(int which, bool& found) {
    velmora::EngineSession session;
    session.Driver.Loading = true;
    velmora::LoadParameterFile(std::string(VELMORA_RUNTIME_DIR) + "/" + kFiles[which],
                               session.State);
    session.Driver.Loading = false;
    found = !session.State.EditDispDiameter.text.empty();
    return velmora::ReadDesign(session.State).design;
}

void BM_BrakeCurve(benchmark::State& state) {
    bool found = false;
    const velmora::Design design = LoadDesign(static_cast<int>(state.range(0)), found);
    if (!found) return state.SkipWithError("example not found");
    const velmora::ParameterSet analysed = velmora::AnalysedForLosses(design);
    for (auto _ : state) {
        const velmora::BrakeSpeedCurve curve =
            velmora::BrakeCurveOf(analysed, design, 0, std::nullopt);
        benchmark::DoNotOptimize(curve.points.size());
    }
}
BENCHMARK(BM_BrakeCurve)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_EnergyWindowFigures(benchmark::State& state) {
    bool found = false;
    const velmora::Design design = LoadDesign(static_cast<int>(state.range(0)), found);
    if (!found) return state.SkipWithError("example not found");
    for (auto _ : state) {
        const velmora::EnergyFigures figures = velmora::EnergyFiguresOf(design);
        benchmark::DoNotOptimize(figures.curve.points.size());
    }
}
BENCHMARK(BM_EnergyWindowFigures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
