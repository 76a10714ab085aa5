#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli_args.h"

namespace velmora::cli {

// Each command reads its arguments (the words after its name), prints its result to `out`
// (or writes it to -o OUT), its errors to `err`, and returns the exit status: 0 on success,
// 2 on a bad argument, a file that cannot be read or an output that cannot be written.
using CommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err);

struct Command {
    const CommandUsage& about;
    CommandFunction run;
};

extern const CommandUsage kReportUsage;
extern const CommandUsage kSamplesUsage;
extern const CommandUsage kCycleUsage;
extern const CommandUsage kPvUsage;
extern const CommandUsage kPowerCurveUsage;
extern const CommandUsage kChartUsage;
extern const CommandUsage kSweepUsage;
extern const CommandUsage kOptimizeUsage;
extern const CommandUsage kEnergyUsage;

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSamplesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCycleCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunPvCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunPowerCurveCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);
int RunChartCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// velmora-cli sweep FILE --vary ... : the arguments after "sweep"; 2 also for bad arguments.
int RunSweepCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// velmora-cli optimize FILE ... : 0 a feasible design written, 3 none found, 2 bad arguments.
int RunOptimizeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// velmora-cli energy FILE ... : work, heat and efficiency under either model.
int RunEnergyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Every command in the order the top-level help lists them; dispatch and help walk it.
const std::vector<Command>& Commands();

}  // namespace velmora::cli
