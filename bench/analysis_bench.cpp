// One compute run without its simulation: the inputs, the analysis and both report panes. The
// sensitivity study runs this (with the simulation) two dozen times per click.
#include <benchmark/benchmark.h>

#include "model/compute_driver.h"
#include "persistence/parameter_file.h"
#include "report/analysis_report.h"

namespace {

class PlainHooks : public velmora::ComputeHooks {
  public:
    velmora::ControlState state;
    const velmora::ControlState& Controls() override { return state; }
};

void BM_ComputeWithoutSimulation(benchmark::State& state) {
    PlainHooks hooks;
    velmora::LoadParameterFile(VELMORA_RUNTIME_DIR "/KESTMORE.RBP", hooks.state);
    velmora::ComputeDriver driver(hooks);
    driver.LoadedFileName = "KESTMORE.RBP";
    for (auto _ : state) {
        driver.Compute(false, false);
        benchmark::DoNotOptimize(driver.Memo2.data());
    }
}
BENCHMARK(BM_ComputeWithoutSimulation);

void BM_FindGammaM(benchmark::State& state) {
    const double chi = static_cast<double>(state.range(0)) / 1000;
    for (auto _ : state) benchmark::DoNotOptimize(velmora::FindGammaM(chi));
}
// Chi 1.21 (the large reference engine), 0.1 (root near 10) and 0.002 (Beta barely above 1).
BENCHMARK(BM_FindGammaM)->Arg(1210)->Arg(100)->Arg(2);

}  // namespace

BENCHMARK_MAIN();
