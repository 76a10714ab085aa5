// The exports of one run of the large reference engine (3 graphed cycles, 1083 steps): the
// cycle CSV, the power curve table (two sweeps), and the chart and report drawings.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <string>

#include "export/chart_image.h"
#include "export/session_exports.h"
#include "persistence/parameter_file.h"

namespace {

const std::string kEngineFile = std::string(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

bool LoadEngine(velmora::RecordingSession& session) {
    session.Driver.Loading = true;
    velmora::LoadParameterFile(kEngineFile, session.State);
    session.Driver.Loading = false;
    session.Driver.LoadedFileName = kEngineFile;
    if (session.State.EditDispDiameter.text.empty()) return false;
    session.Compute(true, true);
    return true;
}

void BM_CycleCsv(benchmark::State& state) {
    velmora::RecordingSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    for (auto _ : state) benchmark::DoNotOptimize(CycleCsvOf(session, velmora::CsvUnits::SI));
    state.counters["rows"] = static_cast<double>(session.Record().size());
}
BENCHMARK(BM_CycleCsv)->Unit(benchmark::kMicrosecond);

void BM_PowerCurveCsv(benchmark::State& state) {
    velmora::RecordingSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    for (auto _ : state) benchmark::DoNotOptimize(PowerCurveCsvOf(session));
}
BENCHMARK(BM_PowerCurveCsv)->Unit(benchmark::kMillisecond);

void BM_ChartSvg(benchmark::State& state) {
    velmora::RecordingSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    const velmora::ChartData chart = ChartOf(session, velmora::ChartKind::PressureVolume);
    for (auto _ : state) benchmark::DoNotOptimize(ChartSvg(chart, QSize(1600, 1000)));
}
BENCHMARK(BM_ChartSvg)->Unit(benchmark::kMillisecond);

void BM_ChartPng(benchmark::State& state) {
    velmora::RecordingSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    const velmora::ChartData chart = ChartOf(session, velmora::ChartKind::Main);
    for (auto _ : state) benchmark::DoNotOptimize(ChartPng(chart, QSize(1600, 1000)));
}
BENCHMARK(BM_ChartPng)->Unit(benchmark::kMillisecond);

void BM_ReportPdf(benchmark::State& state) {
    velmora::RecordingSession session;
    if (!LoadEngine(session)) return state.SkipWithError("KESTMORE.RBP not found");
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportPdf(ReportDocumentOf(session, "KESTMORE.RBP", "today")));
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
