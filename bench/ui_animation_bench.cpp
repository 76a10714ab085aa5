// One animation frame in the window on the large reference engine: the timer's frame
// (DrawEngine with the cursor lines, the PV point and the engine picture) and the repaint of
// the Graphs page with the pressure/volume diagram shown. Target: 5 ms median, a tenth of the
// 50 ms frame interval.
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

// A shown window on the Graphs page, animating, after its start-up computation.
std::unique_ptr<velmora::TForm1> AnimatingWindow(const QTemporaryDir& folder) {
    if (!QFile::copy(kEngineFile, QDir(folder.path()).filePath("Default.INI"))) return nullptr;
    auto window = std::make_unique<velmora::TForm1>(folder.path());
    window->show();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300) QCoreApplication::processEvents();
    window->BugMemoClick();
    window->Ui().PageControl1->setCurrentWidget(window->Ui().GraphSheet);
    window->AnimateButtonClick();
    window->Ui().AnimateTimer->stop();  // frames are driven by the loop
    window->repaint();
    return window;
}

void BM_AnimationFrameRepainted(benchmark::State& state) {
    QTemporaryDir folder;
    std::unique_ptr<velmora::TForm1> window = AnimatingWindow(folder);
    if (!window) return state.SkipWithError("KESTMORE.RBP not found beside the executables");
    for (auto _ : state) {
        window->AnimateTimerTimer();
        window->repaint();
    }
    window->close();
}
BENCHMARK(BM_AnimationFrameRepainted)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The frame without the repaint: what the timer handler itself costs.
void BM_AnimationFrame(benchmark::State& state) {
    QTemporaryDir folder;
    std::unique_ptr<velmora::TForm1> window = AnimatingWindow(folder);
    if (!window) return state.SkipWithError("KESTMORE.RBP not found beside the executables");
    for (auto _ : state) window->AnimateTimerTimer();
    window->close();
}
BENCHMARK(BM_AnimationFrame)
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
