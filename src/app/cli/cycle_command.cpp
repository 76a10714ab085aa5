#include <ostream>
#include <string>

#include "commands.h"
#include "export/session_exports.h"
#include "headless_run.h"
#include "output_target.h"

namespace velmora::cli {

const CommandUsage kCycleUsage{
    "cycle",
    {"--units", "-o"},
    {},
    "velmora-cli cycle FILE [--units si|output] [-o OUT]",
    "Loads FILE, computes once and writes the graphed steps of the run as CSV: step count,\n"
    "time (s), crank angle (deg), then the twelve graphable quantities, in SI units (default)\n"
    "or in the file's output units. Header names carry the units.\n"};

int RunCycleCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kCycleUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kCycleUsage, out);
    const std::string units = args->Option("--units").value_or("si");
    if (units != "si" && units != "output")
        return UsageError(kCycleUsage, "unknown units '" + units + "'", err);

    RecordingSession session;
    if (!LoadAndCompute(args->file, session, err)) return 2;
    return EmitOutput(CycleCsvOf(session, units == "si" ? CsvUnits::SI : CsvUnits::Output), *args,
                      out, err);
}

}  // namespace velmora::cli
