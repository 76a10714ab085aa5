#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "commands.h"
#include "output_target.h"
#include "persistence/version_info.h"

namespace velmora::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {kReportUsage, RunReportCommand},         {kSamplesUsage, RunSamplesCommand},
        {kCycleUsage, RunCycleCommand},           {kPvUsage, RunPvCommand},
        {kPowerCurveUsage, RunPowerCurveCommand}, {kChartUsage, RunChartCommand},
        {kSweepUsage, RunSweepCommand},           {kOptimizeUsage, RunOptimizeCommand},
        {kEnergyUsage, RunEnergyCommand}};
    return commands;
}

}  // namespace velmora::cli

namespace {

using namespace velmora::cli;

void PrintHelp(std::ostream& out) {
    out << "Usage: velmora-cli COMMAND FILE [OPTIONS]\n"
           "\n"
           "Each command loads FILE as the window's Load Parameters does and computes once.\n"
           "\n"
           "Commands:\n";
    for (const Command& command : Commands()) out << "  " << command.about.usage << '\n';
    out << "  velmora-cli --version\n"
           "  velmora-cli COMMAND --help\n";
}

int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        err << "velmora-cli: no command given (see velmora-cli --help)\n";
        return 2;
    }
    if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
        PrintHelp(out);
        return 0;
    }
    if (words.size() == 1 && words[0] == "--version") {
        out << velmora::ReadReleaseText("") << '\n';
        return 0;
    }
    for (const Command& command : Commands()) {
        if (words[0] == command.about.name)
            return command.run({words.begin() + 1, words.end()}, out, err);
    }
    err << "velmora-cli: unknown command '" << words[0] << "' (see --help)\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Standard output goes through a buffer that keeps the first write error: every command's
    // output is flushed and checked before the exit status is given.
    SinkBuffer buffer([](std::string_view data) { return WriteToDescriptor(1, data); });
    std::ostream out(&buffer);
    int status = 2;
    try {
        status = Run({argv + 1, argv + argc}, out, std::cerr);
    } catch (const std::bad_alloc&) {
        // A file of -o is left as it was (its temporary is dropped unwritten); what reached
        // standard output is not taken back, but the status says it is not the whole.
        std::fputs("velmora-cli: out of memory\n", stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-cli: %s\n", e.what());
        return 2;
    }
    out.flush();
    if (buffer.Error() != 0) return StandardOutputError(buffer.Error(), std::cerr);
    return status;
}
