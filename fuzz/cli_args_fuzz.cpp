// The command line's grammar in-process: every command's parser and argument checks, with
// words as a user or a script might give them. Input: NUL-separated words; the first byte
// chooses the command (so that every one is reached), the rest are its words. Every '/'
// becomes '_', so a word names at most a file of the working folder (the repository's top,
// which holds no parameter file): nothing is loaded, computed or written, and each run ends
// at the argument checks or the file check.
// Properties: the status is 0 (help) or 2, and a status of 2 comes with exactly one line on
// standard error, never with nothing or with a second line.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "fuzz_checks.h"

namespace {

using velmora::fuzz::Check;
using Runner = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

constexpr Runner kCommands[] = {
    velmora::cli::RunReportCommand,     velmora::cli::RunSamplesCommand,
    velmora::cli::RunCycleCommand,      velmora::cli::RunPvCommand,
    velmora::cli::RunPowerCurveCommand, velmora::cli::RunChartCommand,
    velmora::cli::RunSweepCommand,      velmora::cli::RunOptimizeCommand,
    velmora::cli::RunEnergyCommand,
};
constexpr std::size_t kMaxWords = 24;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Runner run = kCommands[data[0] % std::size(kCommands)];
    std::vector<std::string> words(1);
    for (std::size_t i = 1; i < size && words.size() <= kMaxWords; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\0')
            words.emplace_back();
        else
            words.back() += c == '/' ? '_' : c;
    }
    if (words.size() > kMaxWords) words.resize(kMaxWords);
    std::ostringstream out;
    std::ostringstream err;
    const int status = run(words, out, err);
    const std::string errors = err.str();
    Check(status == 0 || status == 2, "status is 0 or 2", errors);
    if (status == 2) {
        Check(!errors.empty() && errors.back() == '\n', "a refusal says why, as a line", errors);
        Check(errors.find('\n') == errors.size() - 1, "a refusal is one line", errors);
    } else {
        Check(errors.empty(), "success writes nothing on standard error", errors);
        Check(!out.str().empty(), "success is help text", errors);
    }
    return 0;
}
