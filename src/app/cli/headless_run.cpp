#include "headless_run.h"

#include <ostream>

#include "cli_args.h"
#include "persistence/parameter_file_check.h"
#include "persistence/parameter_file_warnings.h"

namespace velmora::cli {

bool LoadReadableFile(const std::string& file, ControlState& state, std::ostream& err) {
    std::string problem;
    if (LoadCheckedParameterFile(file, state, problem)) {
        // Values read as something other than what they say: one line each, and the run
        // goes on as the window's would.
        for (const std::string& warning : ParameterFileWarnings(file))
            err << "velmora-cli: warning: " << OneLine(file + ": " + warning) << '\n';
        return true;
    }
    err << "velmora-cli: " << OneLine(problem) << '\n';
    return false;
}

bool LoadAndCompute(const std::string& file, EngineSession& session, std::ostream& err) {
    session.Driver.Loading = true;
    const bool loaded = LoadReadableFile(file, session.State, err);
    session.Driver.Loading = false;
    if (!loaded) return false;
    session.Driver.LoadedFileName = file;
    session.Compute(true, true);
    return true;
}

}  // namespace velmora::cli
