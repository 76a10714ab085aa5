// Start-up reads Default.INI, the help page parses Help.RTF, and shut-down saves Default.INI;
// each must stay far below what a user notices.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "persistence/file_text.h"
#include "persistence/ini_file.h"
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

// The process's peak resident memory in MB (VmHWM), for a benchmark run in a process of its own.
double PeakResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
    }
    return 0;
}

// The largest parameter file the program accepts (64 MiB), made of millions of tiny sections
// (the hostile case) or of one section of junk keys; loaded as the window's Load Parameters
// does. Run on its own (--benchmark_filter=Huge) to read the peak memory of the load alone.
void BM_LoadHugeParameterFile(benchmark::State& state) {
    const bool sections = state.range(0) == 0;
    const std::string path =
        (std::filesystem::temp_directory_path() / "velmora-bench-huge.RBP").string();
    {
        std::string text = sections ? "" : "[Displacer]\n";
        std::size_t i = 0;
        while (text.size() < velmora::IniFile::kMaxFileBytes - 32) {
            text +=
                sections ? "[s" + std::to_string(i++) + "]\n" : "k" + std::to_string(i++) + "=1\n";
        }
        std::ofstream(path, std::ios::binary) << text;
    }
    for (auto _ : state) {
        velmora::ControlState controls;
        benchmark::DoNotOptimize(velmora::LoadParameterFile(path, controls));
    }
    state.counters["peak_rss_mb"] = PeakResidentMegabytes();
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadHugeParameterFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// The scan for the version block, done once at start-up. This executable carries none, so
// the whole file is scanned: the worst case.
void BM_ReadReleaseText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(velmora::ReadReleaseText(""));
}
BENCHMARK(BM_ReadReleaseText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
