// The accurate cycle of the large reference engine: one evaluation as the results need it
// (engine speed with its one-degree samples, and Omega Bar), the engine speed alone, and a
// quasi-static run at 0.1 RPM.
#include <benchmark/benchmark.h>

#include <numbers>
#include <string>

#include "persistence/parameter_file.h"
#include "session/engine_session.h"
#include "simulation/accurate_cycle.h"

namespace {

const std::string kEngineFile = std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

// The parameter set the analysis derives from the file; EngineSpeed 0 when it is not there.
velmora::ParameterSet LoadEngine() {
    velmora::EngineSession session;
    session.Driver.Loading = true;
    velmora::LoadParameterFile(kEngineFile, session.State);
    session.Driver.Loading = false;
    if (session.State.EditDispDiameter.text.empty()) return {};
    session.Compute(true, false);
    return session.Driver.Params;
}

void Run(benchmark::State& state, const velmora::AccurateCycleOptions& options) {
    const velmora::ParameterSet params = LoadEngine();
    if (params.EngineSpeed == 0) return state.SkipWithError("KESTMORE.RBP not found");
    velmora::AccurateCycleResult result;
    for (auto _ : state) {
        result = velmora::RunAccurateCycle(params, options);
        benchmark::DoNotOptimize(result.atSpeed.energy.shaftWork);
    }
    if (!result.settled) state.SkipWithError("not settled");
    state.counters["steps"] = static_cast<double>(result.atSpeed.steps + result.atOmegaBar.steps);
    state.counters["revolutions"] =
        static_cast<double>(result.atSpeed.cycles + result.atOmegaBar.cycles);
}

void BM_AccurateEvaluation(benchmark::State& state) {
    Run(state, {});
}
BENCHMARK(BM_AccurateEvaluation)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

void BM_AccurateEngineSpeedOnly(benchmark::State& state) {
    velmora::AccurateCycleOptions options;
    options.atOmegaBar = false;
    options.recordSamples = false;
    Run(state, options);
}
BENCHMARK(BM_AccurateEngineSpeedOnly)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

void BM_AccurateQuasiStatic(benchmark::State& state) {
    velmora::AccurateCycleOptions options;
    options.atOmegaBar = false;
    options.speed = 0.1 * std::numbers::pi / 30;
    Run(state, options);
}
BENCHMARK(BM_AccurateQuasiStatic)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
