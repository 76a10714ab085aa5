// The whole "Increase Schmidt Power" study on a reference engine, headless: up to 24 trial
// computations with their cycle simulations and the final one.
#include <benchmark/benchmark.h>

#include "persistence/parameter_file.h"
#include "session/engine_session.h"
#include "session/sensitivity_study.h"

namespace {

void BM_SensitivityStudy(benchmark::State& state) {
    velmora::EngineSession session;
    velmora::LoadParameterFile(std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP", session.State);
    session.Compute(true, true);
    velmora::SessionStudyTarget target(session);
    velmora::SensitivityStudy study;
    for (auto _ : state) {
        study.Run(target);
        benchmark::DoNotOptimize(target.Memo3.data());
    }
    state.counters["memo3_lines"] = static_cast<double>(target.Memo3.size());
}
BENCHMARK(BM_SensitivityStudy)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
