#include <ostream>
#include <string>

#include "commands.h"
#include "export/session_exports.h"
#include "headless_run.h"
#include "output_target.h"

namespace velmora::cli {

const CommandUsage kPvUsage{
    "pv",
    {"-o"},
    {},
    "velmora-cli pv FILE [-o OUT]",
    "Loads FILE, computes once and writes the pressure/volume diagram's points as CSV (total\n"
    "volume in m^3, pressure in Pa), then the run's two PV powers as '#' lines.\n"};

int RunPvCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kPvUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kPvUsage, out);
    RecordingSession session;
    if (!LoadAndCompute(args->file, session, err)) return 2;
    return EmitOutput(PvCsvOf(session), *args, out, err);
}

}  // namespace velmora::cli
