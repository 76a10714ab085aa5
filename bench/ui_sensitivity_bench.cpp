// The whole "Increase Schmidt Power" study in the window on the large reference engine: 24
// trial computations on the window's own fields, the final computation, the widgets updated
// and the charts shown again. Target: 0.5 s median.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <memory>

#include "ui/mainwindow/main_window.h"

namespace {

const QString kEngineFile = QString(VELMORA_RUNTIME_DIR) + "/KESTMORE.RBP";

void BM_StudyInWindow(benchmark::State& state) {
    QTemporaryDir folder;
    if (!QFile::copy(kEngineFile, QDir(folder.path()).filePath("Default.INI")))
        return state.SkipWithError("KESTMORE.RBP not found beside the executables");
    velmora::TForm1 window(folder.path());
    window.show();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300) QCoreApplication::processEvents();
    window.BugMemoClick();
    window.Ui().PageControl1->setCurrentWidget(window.Ui().DesignSheet);
    for (auto _ : state) {
        window.IncreaseSchmidtPowerButtonClick();
        window.repaint();
    }
    state.counters["memo3_lines"] =
        static_cast<double>(window.Ui().Memo3->document()->blockCount());
    window.close();
}
BENCHMARK(BM_StudyInWindow)
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
