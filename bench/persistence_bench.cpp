// Start-up reads Default.INI, the help page parses Help.RTF, and shut-down saves Default.INI;
// each must stay far below what a user notices.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "persistence/file_text.h"
#include "persistence/parameter_file.h"
#include "persistence/rtf_reader.h"
#include "persistence/version_info.h"

namespace {

const std::string kRuntimeDir = VELMORA_RUNTIME_DIR;

void BM_LoadParameterFile(benchmark::State& state) {
    for (auto _ : state) {
        velmora::ControlState controls;
        velmora::LoadParameterFile(kRuntimeDir + "/KESTMORE.RBP", controls);
        benchmark::DoNotOptimize(controls);
    }
}
BENCHMARK(BM_LoadParameterFile);

// Includes the fsync that makes the save durable, so it measures the disk as much as the code.
void BM_SaveParameterFile(benchmark::State& state) {
    std::string folder = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    velmora::ControlState controls;
    velmora::LoadParameterFile(kRuntimeDir + "/KESTMORE.RBP", controls);
    std::string message;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            velmora::SaveParameterFile(folder + "/Default.INI", controls, message));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveParameterFile)->Unit(benchmark::kMicrosecond);

void BM_ParseHelpFile(benchmark::State& state) {
    std::string rtf;
    if (velmora::ReadWholeFile(kRuntimeDir + "/Help.RTF", rtf) != velmora::FileReadStatus::Read) {
        state.SkipWithError("Help.RTF not beside the executables");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(velmora::ParseRtf(rtf));
}
BENCHMARK(BM_ParseHelpFile)->Unit(benchmark::kMicrosecond);

// The scan for the version block, done once at start-up. This executable carries none, so
// the whole file is scanned: the worst case.
void BM_ReadReleaseText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(velmora::ReadReleaseText(""));
}
BENCHMARK(BM_ReadReleaseText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
