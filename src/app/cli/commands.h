#pragma once

#include <iosfwd>
#include <string>

namespace velmora::cli {

// Each command prints its result to `out`, its errors to `err`, and returns the exit status:
// 0 on success, 2 when the file cannot be read.
int RunReportCommand(const std::string& file, std::ostream& out, std::ostream& err);
int RunSamplesCommand(const std::string& file, std::ostream& out, std::ostream& err);
int RunPowerCurveCommand(const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace velmora::cli
