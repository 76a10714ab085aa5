// One animation frame every 50 ms: the frame logic (cursor, title, PV point), the picture's
// drawing operations and their rasterisation on Image1's 305 x 150 pixels.
#include <benchmark/benchmark.h>

#include "persistence/parameter_file.h"
#include "presentation/engine_frame.h"
#include "presentation/rgb_image.h"
#include "session/engine_picture.h"
#include "session/engine_session.h"

namespace {

void BM_EngineFrame(benchmark::State& state) {
    velmora::EngineSession session;
    velmora::LoadParameterFile(std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP", session.State);
    session.Compute(true, true);
    const int samples = static_cast<int>(session.Sim.SampleDispPos.size());
    int position = 0;
    for (auto _ : state) {
        const velmora::EngineFrame frame =
            velmora::DrawEngine(session, {.position = position, .cursorMin = -1, .cursorMax = 1});
        benchmark::DoNotOptimize(velmora::Rasterize(frame.picture).Data());
        position += 5;
        if (position >= samples) position = 0;
    }
    state.counters["samples"] = samples;
}
BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
