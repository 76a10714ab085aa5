#include <ostream>
#include <string>

#include "commands.h"
#include "export/session_exports.h"
#include "headless_run.h"
#include "output_target.h"

namespace velmora::cli {

const CommandUsage kPowerCurveUsage{
    "powercurve",
    {"-o"},
    {},
    "velmora-cli powercurve FILE [-o OUT]",
    "Loads FILE, computes once and writes the power/speed curve for 2% to 100% of Omega Bar\n"
    "as CSV: rpm, power (W), phase (deg) or torque (N m) as the file's second graph chooses,\n"
    "then speed (rad/s), phase (deg) and torque (N m); the curve's title is the last line,\n"
    "after '# '.\n"};

int RunPowerCurveCommand(const std::vector<std::string>& words, std::ostream& out,
                         std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kPowerCurveUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kPowerCurveUsage, out);
    RecordingSession session;
    if (!LoadAndCompute(args->file, session, err)) return 2;
    return EmitOutput(PowerCurveCsvOf(session), *args, out, err);
}

}  // namespace velmora::cli
