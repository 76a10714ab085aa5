#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "persistence/version_info.h"

namespace {

using namespace velmora::cli;

const std::array<Command, 6> kCommands{{{kReportUsage, RunReportCommand},
                                        {kSamplesUsage, RunSamplesCommand},
                                        {kCycleUsage, RunCycleCommand},
                                        {kPvUsage, RunPvCommand},
                                        {kPowerCurveUsage, RunPowerCurveCommand},
                                        {kChartUsage, RunChartCommand}}};

void PrintHelp(std::ostream& out) {
    out << "Usage: velmora-cli COMMAND FILE [OPTIONS]\n"
           "\n"
           "Each command loads FILE as the window's Load Parameters does and computes once.\n"
           "\n"
           "Commands:\n";
    for (const Command& command : kCommands) out << "  " << command.about.usage << '\n';
    out << "  velmora-cli sweep FILE --vary SECTION.KEY=FROM:TO:N[:log] [--vary ...]\n"
           "        [--outputs LIST] [--threads N]\n"
           "  velmora-cli optimize FILE --objective NAME --vary SECTION.KEY[=FROM:TO] [--vary "
           "...]\n"
           "        [--constraint NAME[=MARGIN] ...] [--max-evals N] [--threads N] -o OUT.RBP\n"
           "  velmora-cli --version\n"
           "  velmora-cli COMMAND --help\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
        PrintHelp(std::cout);
        return 0;
    }
    if (!words.empty() && words[0] == "sweep")
        return RunSweepCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "optimize")
        return RunOptimizeCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (words.size() == 1 && words[0] == "--version") {
        std::cout << velmora::ReadReleaseText("") << '\n';
        return 0;
    }
    if (words.empty()) {
        PrintHelp(std::cerr);
        return 2;
    }
    for (const Command& command : kCommands) {
        if (words[0] == command.about.name)
            return command.run({words.begin() + 1, words.end()}, std::cout, std::cerr);
    }
    std::cerr << "velmora-cli: unknown command '" << words[0] << "' (see --help)\n";
    return 2;
}
