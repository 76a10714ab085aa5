// The accurate cycle with losses: one lossy evaluation at engine speed (and one at Omega Bar),
// the under-load search over speed, the minimum hot temperature and all of them as the energy
// report makes them, of KESTMORE with losses.
#include <benchmark/benchmark.h>

#include <string>

#include "form/design_form.h"
#include "persistence/parameter_file.h"
#include "session/engine_session.h"
#include "simulation/design_energy.h"
#include "simulation/load_curve.h"
#include "simulation/lossy_energy.h"

namespace {

const std::string kEngineFile = std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE with losses.RBP";

struct Engine {
    velmora::ParameterSet params;
    velmora::Design design;
};

// `finite`: keep the heater and cooler conductances (each run a fixed point) or drop them.
Engine LoadEngine(bool finite) {
    velmora::EngineSession session;
    session.Driver.Loading = true;
    velmora::LoadParameterFile(kEngineFile, session.State);
    session.Driver.Loading = false;
    if (session.State.EditDispDiameter.text.empty()) return {};
    session.Compute(true, false);
    Engine e{session.Driver.Params, velmora::ReadDesign(session.State).design};
    if (!finite) {
        e.design.losses.heaterConductance = 0;
        e.design.losses.coolerConductance = 0;
    }
    return e;
}

void BM_LossyEvaluation(benchmark::State& state) {
    const Engine e = LoadEngine(state.range(0) != 0);
    if (e.params.EngineSpeed == 0) return state.SkipWithError("example not found");
    for (auto _ : state) {
        const velmora::LossyRun atSpeed =
            velmora::RunLossyCycle(e.params, e.design, e.params.EngineSpeed);
        const velmora::LossyRun atOmegaBar =
            velmora::RunLossyCycle(e.params, e.design, e.params.OmegaBar);
        benchmark::DoNotOptimize(atSpeed.brakePower + atOmegaBar.brakePower);
    }
}
BENCHMARK(BM_LossyEvaluation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UnderLoadSearch(benchmark::State& state) {
    const Engine e = LoadEngine(state.range(0) != 0);
    if (e.params.EngineSpeed == 0) return state.SkipWithError("example not found");
    for (auto _ : state) {
        const velmora::UnderLoad u = velmora::SearchUnderLoad(e.params, e.design);
        benchmark::DoNotOptimize(u.maxBrakePower);
    }
}
BENCHMARK(BM_UnderLoadSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MinHotTemp(benchmark::State& state) {
    const Engine e = LoadEngine(state.range(0) != 0);
    if (e.params.EngineSpeed == 0) return state.SkipWithError("example not found");
    for (auto _ : state) benchmark::DoNotOptimize(velmora::MinHotTemp(e.params, e.design));
}
BENCHMARK(BM_MinHotTemp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every loss figure of `velmora-cli energy`: the run at engine speed, the search over speed and
// the minimum hot temperature.
void BM_LossFigures(benchmark::State& state) {
    const Engine e = LoadEngine(true);
    if (e.params.EngineSpeed == 0) return state.SkipWithError("example not found");
    for (auto _ : state) {
        velmora::DesignResult result;
        velmora::AddLossFigures(result, e.params, e.design);
        benchmark::DoNotOptimize(result.values);
    }
}
BENCHMARK(BM_LossFigures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
