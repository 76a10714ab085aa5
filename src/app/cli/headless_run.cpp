#include "headless_run.h"

#include <ostream>

#include "persistence/file_text.h"
#include "persistence/parameter_file.h"

namespace velmora::cli {

bool LoadReadableFile(const std::string& file, ControlState& state, std::ostream& err) {
    const FileReadStatus status = LoadParameterFile(file, state);
    // LoadParameterFile treats a missing file as one without keys (the window's behaviour);
    // the commands instead refuse what they cannot read.
    switch (status) {
        case FileReadStatus::Read:
            break;
        case FileReadStatus::Missing:
            err << "velmora-cli: cannot open '" << file << "': no such file\n";
            return false;
        case FileReadStatus::Unreadable:
            err << "velmora-cli: cannot read '" << file << "'\n";
            return false;
    }
    return true;
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
