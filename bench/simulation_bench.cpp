// The cycle simulation on the large reference engine with its file's settings (3 cycles, all
// graphed, pressure/volume diagram): one complete compute run, the power/speed curve, and the
// 25 consecutive runs a sensitivity study makes.
#include <benchmark/benchmark.h>

#include <string>

#include "persistence/parameter_file.h"
#include "session/engine_session.h"

namespace {

const std::string kEngineFile = std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

// Loads the file as the window's Load Parameters does; false when it is not there.
bool LoadEngine(velmora::EngineSession& session) {
    session.Driver.Loading = true;
    velmora::LoadParameterFile(kEngineFile, session.State);
    session.Driver.Loading = false;
    session.Driver.LoadedFileName = kEngineFile;
    return !session.State.EditDispDiameter.text.empty();
}

void BM_ComputeRun(benchmark::State& state) {
    velmora::EngineSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    session.Compute(true, true);
    for (auto _ : state) {
        // Read inputs, analysis, simulation with PV power, report, placeholder samples.
        session.Compute(true, true);
        benchmark::DoNotOptimize(session.Driver.Memo2.data());
    }
    state.counters["steps"] = static_cast<double>(session.Sim.SampleX.size());
}
BENCHMARK(BM_ComputeRun)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();

void BM_PowerSpeedCurve(benchmark::State& state) {
    velmora::EngineSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    session.State.ShowGraph2RG = 2;  // "Power/Phase"
    session.Compute(true, false);
    for (auto _ : state) {
        session.PowerSpeedCurve();
        benchmark::DoNotOptimize(session.Sim.Chart3.PowerSeries.data());
    }
    state.counters["speeds"] = static_cast<double>(session.Sim.Chart3.PowerSeries.size());
}
BENCHMARK(BM_PowerSpeedCurve)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

void BM_TwentyFiveComputeRuns(benchmark::State& state) {
    velmora::EngineSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    session.Compute(true, true);
    for (auto _ : state) {
        // As the sensitivity study calls it: forced, without refreshing the second graph.
        for (int run = 0; run < 25; ++run) session.Compute(true, false);
        benchmark::DoNotOptimize(session.Driver.Memo2.data());
    }
}
BENCHMARK(BM_TwentyFiveComputeRuns)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
