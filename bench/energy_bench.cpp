// One evaluation of the large reference engine with its energy columns, under each model: what
// a cell of an energy sweep or one optimizer trial costs (the one-degree run is always made;
// the accurate model adds its runs at engine speed and at Omega Bar).
#include <benchmark/benchmark.h>

#include <string>

#include "form/design_form.h"
#include "persistence/parameter_file.h"
#include "simulation/design_evaluator.h"

namespace {

const std::string kEngineFile = std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

void Evaluate(benchmark::State& state, velmora::IntegrationModel model, bool energy) {
    velmora::ControlState controls;
    velmora::LoadParameterFile(kEngineFile, controls);
    if (controls.EditDispDiameter.text.empty())
        return state.SkipWithError("KESTMORE.RBP not found");
    controls.Integration = model;
    velmora::EvaluationOptions options;
    options.energy = energy;
    const velmora::Design design = velmora::ReadDesign(controls).design;
    velmora::DesignEvaluator evaluator;
    velmora::DesignResult result;
    for (auto _ : state) {
        result = evaluator.Evaluate(design, options);
        benchmark::DoNotOptimize(result);
    }
    if (energy && result[velmora::DesignOutput::Settled] != 1.0) state.SkipWithError("not settled");
}

void BM_EvaluateSpecifiedWithEnergy(benchmark::State& state) {
    Evaluate(state, velmora::IntegrationModel::Specified, true);
}
void BM_EvaluateAccurate(benchmark::State& state) {
    Evaluate(state, velmora::IntegrationModel::Accurate, false);
}
void BM_EvaluateAccurateWithEnergy(benchmark::State& state) {
    Evaluate(state, velmora::IntegrationModel::Accurate, true);
}
BENCHMARK(BM_EvaluateSpecifiedWithEnergy)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_EvaluateAccurate)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_EvaluateAccurateWithEnergy)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
