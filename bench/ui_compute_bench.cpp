// From the change timer firing to the report panes and charts of the window updated, for the
// large reference engine with its file's settings (3 cycles graphed, pressure/volume diagram).
// Target: 16 ms median (one 60 Hz frame).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ui/mainwindow/main_window.h"

namespace {

const QString kEngineFile = QString(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

// A shown window opened on the engine, after its start-up computation.
std::unique_ptr<velmora::TForm1> OpenWindow(const QTemporaryDir& folder) {
    if (!QFile::copy(kEngineFile, QDir(folder.path()).filePath("Default.INI"))) return nullptr;
    auto window = std::make_unique<velmora::TForm1>(folder.path());
    window->show();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300) QCoreApplication::processEvents();
    window->BugMemoClick();
    return window;
}

void BM_ChangeTimerToWidgetsUpdated(benchmark::State& state) {
    QTemporaryDir folder;
    std::unique_ptr<velmora::TForm1> window = OpenWindow(folder);
    if (!window) return state.SkipWithError("KESTMORE.RBP not found beside the executables");
    for (auto _ : state) window->EditChangeTimerTimer();
    window->close();
}
BENCHMARK(BM_ChangeTimerToWidgetsUpdated)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The two halves: the driver run with the window's hooks, and the copy into the widgets.
void BM_DriverRunInWindow(benchmark::State& state) {
    QTemporaryDir folder;
    std::unique_ptr<velmora::TForm1> window = OpenWindow(folder);
    if (!window) return state.SkipWithError("KESTMORE.RBP not found beside the executables");
    for (auto _ : state) window->Session().Driver.Compute(true, true);
    window->close();
}
BENCHMARK(BM_DriverRunInWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ShowResults(benchmark::State& state) {
    QTemporaryDir folder;
    std::unique_ptr<velmora::TForm1> window = OpenWindow(folder);
    if (!window) return state.SkipWithError("KESTMORE.RBP not found beside the executables");
    for (auto _ : state) window->ShowResults();
    window->close();
}
BENCHMARK(BM_ShowResults)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same with the Graphs page painted on screen (charts, PV points and engine drawing).
void BM_ChangeTimerToGraphsPagePainted(benchmark::State& state) {
    QTemporaryDir folder;
    std::unique_ptr<velmora::TForm1> window = OpenWindow(folder);
    if (!window) return state.SkipWithError("KESTMORE.RBP not found beside the executables");
    window->Ui().PageControl1->setCurrentWidget(window->Ui().GraphSheet);
    for (auto _ : state) {
        window->EditChangeTimerTimer();
        window->repaint();
    }
    window->close();
}
BENCHMARK(BM_ChangeTimerToGraphsPagePainted)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
