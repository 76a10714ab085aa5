// Evaluations per second of the optimizer's whole loop (sample, COBYLA searches, judging)
// next to the evaluator's own rate, on the large reference engine as its file stands.
#include <benchmark/benchmark.h>

#include <string>

#include "form/design_form.h"
#include "optimizer/optimize_run.h"
#include "persistence/parameter_file.h"
#include "simulation/design_evaluator.h"

namespace {

const std::string kEngineFile = std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

bool LoadEngine(velmora::ControlState& state) {
    velmora::LoadParameterFile(kEngineFile, state);
    return !state.EditDispDiameter.text.empty();
}

// One thread evaluating the file's design over and over.
void BM_EvaluatorRate(benchmark::State& state) {
    velmora::ControlState controls;
    if (!LoadEngine(controls)) return state.SkipWithError("KESTMORE.RBP not found");
    const velmora::Design design = velmora::ReadDesign(controls).design;
    velmora::DesignEvaluator evaluator;
    for (auto _ : state) {
        velmora::DesignResult result = evaluator.Evaluate(design);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluatorRate)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The four-input case of the quality tests, on 1 and on 2 threads; items are evaluations.
void BM_OptimizeFourInputs(benchmark::State& state) {
    velmora::ControlState form;
    if (!LoadEngine(form)) return state.SkipWithError("KESTMORE.RBP not found");
    velmora::OptimizeProblem problem;
    problem.base = velmora::EnterDesign(form);
    using velmora::FindSweepInput;
    problem.objective = velmora::Objective::PVPowerAtEngineSpeed;
    problem.variables = {{FindSweepInput("Piston.Stroke"), 100, 200},
                         {FindSweepInput("Displacer.Mass"), 0.5, 2},
                         {FindSweepInput("Engine.Speed"), 500, 3000},
                         {FindSweepInput("Piston.Diameter"), 80, 140}};
    problem.constraints = {{velmora::ConstraintKind::NotOverdriven, 0.95}};
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        velmora::OptimizeRun run(problem);
        run.Run(static_cast<int>(state.range(0)));
        evaluations += run.Outcome().evaluations;
    }
    state.SetItemsProcessed(evaluations);
}
BENCHMARK(BM_OptimizeFourInputs)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
