#include <iostream>
#include <string>
#include <vector>

#include "commands.h"

namespace {

void PrintHelp(std::ostream& out) {
    out << "Usage: velmora-cli COMMAND FILE\n"
           "\n"
           "Commands:\n"
           "  report FILE      load FILE as the window's Load Parameters does, compute once and\n"
           "                   print the inputs report, an empty line, and the computed values\n"
           "  samples FILE     print the graphed steps of that run as CSV\n"
           "  powercurve FILE  print the power/speed curve as CSV, then its title as '# ...'\n"
           "  sweep FILE --vary SECTION.KEY=FROM:TO:N[:log] [--vary ...] [--outputs LIST]\n"
           "        [--threads N]\n"
           "                   evaluate every design of one or two varied inputs, print CSV\n"
           "  optimize FILE --objective NAME --vary SECTION.KEY[=FROM:TO] [--vary ...]\n"
           "        [--constraint NAME[=MARGIN] ...] [--max-evals N] -o OUT.RBP\n"
           "                   the best design within the bounds and constraints, written to OUT\n"
           "  --help           this text\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace velmora::cli;
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        PrintHelp(std::cout);
        return 0;
    }
    if (argc >= 2 && std::string(argv[1]) == "sweep")
        return RunSweepCommand(std::vector<std::string>(argv + 2, argv + argc), std::cout,
                               std::cerr);
    if (argc >= 2 && std::string(argv[1]) == "optimize")
        return RunOptimizeCommand(std::vector<std::string>(argv + 2, argv + argc), std::cout,
                                  std::cerr);
    if (argc != 3) {
        PrintHelp(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    const std::string file = argv[2];
    if (command == "report") return RunReportCommand(file, std::cout, std::cerr);
    if (command == "samples") return RunSamplesCommand(file, std::cout, std::cerr);
    if (command == "powercurve") return RunPowerCurveCommand(file, std::cout, std::cerr);
    std::cerr << "velmora-cli: unknown command '" << command << "' (see --help)\n";
    return 2;
}
