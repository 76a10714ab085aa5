#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// Each command prints its result to `out`, its errors to `err`, and returns the exit status:
// 0 on success, 2 when the file cannot be read.
int RunReportCommand(const std::string& file, std::ostream& out, std::ostream& err);
int RunSamplesCommand(const std::string& file, std::ostream& out, std::ostream& err);
int RunPowerCurveCommand(const std::string& file, std::ostream& out, std::ostream& err);

// velmora-cli sweep FILE --vary ... : the arguments after "sweep"; 2 also for bad arguments.
int RunSweepCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
void PrintSweepUsage(std::ostream& out);

// velmora-cli optimize FILE ... : 0 a feasible design written, 3 none found, 2 bad arguments.
int RunOptimizeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
void PrintOptimizeUsage(std::ostream& out);

}  // namespace velmora::cli
