// Start-up and shut-down with a large or damaged "Default.INI": how long LoadParameterFile and
// SaveParameterFile take on a normal file, 8 MB of short junk lines, a 100 MB file (refused as
// too big), and files just under the size limit. The file is indexed once, so both grow with
// its size alone.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "form/control_state.h"
#include "persistence/ini_file.h"
#include "persistence/parameter_file.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class BenchFolder {
  public:
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~BenchFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

const BenchFolder& Folder() {
    static const BenchFolder folder;
    return folder;
}

// A file of `bytes` bytes made of the same line; made once per run of the benchmark program.
std::string FileOfLines(const std::string& name, const std::string& line, std::size_t bytes) {
    const std::string path = Folder().File(name);
    if (!fs::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        out << "[Displacer]\nDiameter=127.2\n";
        for (std::size_t written = 0; written + line.size() <= bytes; written += line.size())
            out << line;
    }
    return path;
}

void LoadFile(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        ControlState controls;
        LoadParameterFile(path, controls);
        benchmark::DoNotOptimize(controls);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}

void BM_LoadNormalDefaultIni(benchmark::State& state) {
    const std::string path = Folder().File("Default.INI");
    std::string message;
    SaveParameterFile(path, ControlState{}, message);
    LoadFile(state, path);
}
BENCHMARK(BM_LoadNormalDefaultIni)->Unit(benchmark::kMicrosecond);

void BM_LoadHundredMegabyteDefaultIni(benchmark::State& state) {
    LoadFile(state,
             FileOfLines("Huge.INI", "junk=" + std::string(1018, 'j') + "\n", 100u * 1024 * 1024));
}
BENCHMARK(BM_LoadHundredMegabyteDefaultIni)->Unit(benchmark::kMillisecond);

void SaveFile(benchmark::State& state, const std::string& source, const std::string& name) {
    ControlState controls;
    LoadParameterFile(source, controls);
    const std::string path = Folder().File(name);
    std::string message;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(source, path, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        controls.EditDispDiameter.text = std::to_string(++round % 2);
        benchmark::DoNotOptimize(SaveParameterFile(path, controls, message));
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}

// Short lines make the most lines per byte: junk without "=", and keys of a notes section.
const std::string& EightMegabytesOfJunk() {
    static const std::string path =
        FileOfLines("Junk8.INI", "junk line\n", std::size_t{8} * 1024 * 1024);
    return path;
}
const std::string& EightMegabytesOfKeys() {
    static const std::string path = FileOfLines("Keys8.INI", "k=v\n", std::size_t{8} * 1024 * 1024);
    return path;
}

void BM_LoadEightMegabytesOfShortJunkLines(benchmark::State& state) {
    LoadFile(state, EightMegabytesOfJunk());
}
BENCHMARK(BM_LoadEightMegabytesOfShortJunkLines)->Unit(benchmark::kMillisecond);

void BM_SaveEightMegabytesOfShortJunkLines(benchmark::State& state) {
    SaveFile(state, EightMegabytesOfJunk(), "Junk8Saved.INI");
}
BENCHMARK(BM_SaveEightMegabytesOfShortJunkLines)->Unit(benchmark::kMillisecond);

void BM_LoadEightMegabytesOfShortKeyLines(benchmark::State& state) {
    LoadFile(state, EightMegabytesOfKeys());
}
BENCHMARK(BM_LoadEightMegabytesOfShortKeyLines)->Unit(benchmark::kMillisecond);

void BM_SaveEightMegabytesOfShortKeyLines(benchmark::State& state) {
    SaveFile(state, EightMegabytesOfKeys(), "Keys8Saved.INI");
}
BENCHMARK(BM_SaveEightMegabytesOfShortKeyLines)->Unit(benchmark::kMillisecond);

void BM_LoadJunkLinesJustUnderTheLimit(benchmark::State& state) {
    // Short key lines make the most lines per byte.
    LoadFile(state, FileOfLines("Junk.INI", "k=v\n", IniFile::kMaxFileBytes - 64));
}
BENCHMARK(BM_LoadJunkLinesJustUnderTheLimit)->Unit(benchmark::kMillisecond);

void BM_LoadOneLongLineJustUnderTheLimit(benchmark::State& state) {
    LoadFile(state, FileOfLines("Long.INI", std::string(IniFile::kMaxFileBytes - 64, 'x'),
                                IniFile::kMaxFileBytes - 64));
}
BENCHMARK(BM_LoadOneLongLineJustUnderTheLimit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
