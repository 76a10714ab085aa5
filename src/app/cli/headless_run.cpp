#include "headless_run.h"

#include <ostream>

#include "persistence/parameter_file_check.h"

namespace velmora::cli {

bool LoadReadableFile(const std::string& file, ControlState& state, std::ostream& err) {
    std::string problem;
    if (LoadCheckedParameterFile(file, state, problem)) return true;
    err << "velmora-cli: " << problem << '\n';
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
