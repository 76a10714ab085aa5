// The fast evaluator and the compute run of the large reference engine, and design-space
// sweeps over it.
#include <benchmark/benchmark.h>

#include <string>

#include "designspace/sweep_run.h"
#include "form/design_form.h"
#include "persistence/parameter_file.h"
#include "session/engine_session.h"
#include "simulation/design_evaluator.h"

namespace {

const std::string kEngineFile = std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

bool LoadEngine(velmora::ControlState& state) {
    velmora::LoadParameterFile(kEngineFile, state);
    return !state.EditDispDiameter.text.empty();
}

// KESTMORE with 3 computed cycles of which the last is graphed.
void BM_EvaluateDesign(benchmark::State& state) {
    velmora::ControlState controls;
    if (!LoadEngine(controls)) return state.SkipWithError("KESTMORE.RBP not found");
    controls.ComputeCycleCountEdit = "3";
    controls.GraphCycleCountEdit = "1";
    const velmora::Design design = velmora::ReadDesign(controls).design;
    velmora::DesignEvaluator evaluator;
    for (auto _ : state) {
        velmora::DesignResult result = evaluator.Evaluate(design);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_EvaluateDesign)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();

// The same with the power/speed curve maximum.
void BM_EvaluateDesignWithPowerCurve(benchmark::State& state) {
    velmora::ControlState controls;
    if (!LoadEngine(controls)) return state.SkipWithError("KESTMORE.RBP not found");
    controls.GraphCycleCountEdit = "1";
    const velmora::Design design = velmora::ReadDesign(controls).design;
    velmora::DesignEvaluator evaluator;
    for (auto _ : state) {
        velmora::DesignResult result = evaluator.Evaluate(design, {.powerCurve = true});
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_EvaluateDesignWithPowerCurve)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

// A compute run of the session the window derives from, with the file's own schedule
// (3 computed cycles, all graphed) and with 3 computed, 1 graphed.
void BM_SessionComputeRun(benchmark::State& state) {
    velmora::EngineSession session;
    if (!LoadEngine(session.State)) return state.SkipWithError("KESTMORE.RBP not found");
    session.State.GraphCycleCountEdit = std::to_string(state.range(0));
    session.Compute(true, true);
    for (auto _ : state) {
        session.Compute(true, true);
        benchmark::DoNotOptimize(session.Driver.Memo2.data());
    }
}
BENCHMARK(BM_SessionComputeRun)
    ->Arg(3)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

// A 100 x 100 map of displacer mass and spring constant over KESTMORE (3 computed cycles, the
// last graphed), wall time with the threads of the argument.
void RunMap(benchmark::State& state, velmora::IntegrationModel model, bool energy) {
    velmora::ControlState form;
    if (!LoadEngine(form)) return state.SkipWithError("KESTMORE.RBP not found");
    form.GraphCycleCountEdit = "1";
    form.Integration = model;
    velmora::SweepPlan plan;
    plan.base = velmora::EnterDesign(form);
    plan.options.energy = energy;
    plan.axes = {{velmora::FindSweepInput("Displacer.Mass"), 0.2, 3, 100, false},
                 {velmora::FindSweepInput("DisplacerSpring.Constant"), 0, 5000, 100, false}};
    for (auto _ : state) {
        velmora::SweepRun run(plan);
        run.Run(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(run.Completed());
    }
}

void BM_Map100x100(benchmark::State& state) {
    RunMap(state, velmora::IntegrationModel::Specified, false);
}
BENCHMARK(BM_Map100x100)
    ->Arg(2)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The same map under the accurate model with every energy column (runs at engine speed and
// at Omega Bar for each design).
void BM_AccurateEnergyMap100x100(benchmark::State& state) {
    RunMap(state, velmora::IntegrationModel::Accurate, true);
}
BENCHMARK(BM_AccurateEnergyMap100x100)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
BENCHMARK_MAIN();
