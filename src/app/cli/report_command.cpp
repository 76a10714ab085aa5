#include <ostream>
#include <string>

#include "commands.h"
#include "persistence/file_text.h"
#include "persistence/parameter_file.h"
#include "simulation/engine_session.h"

namespace velmora::cli {

int RunReportCommand(const std::string& file, std::ostream& out, std::ostream& err) {
    // LoadParameterFile treats a missing file as one without keys (the window's behaviour);
    // the command instead refuses what it cannot read, before anything reaches `out`.
    std::string text;
    switch (ReadWholeFile(file, text)) {
        case FileReadStatus::Read:
            break;
        case FileReadStatus::Missing:
            err << "velmora-cli: cannot open '" << file << "': no such file\n";
            return 2;
        case FileReadStatus::Unreadable:
            err << "velmora-cli: cannot read '" << file << "'\n";
            return 2;
    }

    // As the window's Load Parameters does: Loading raised around the load, the file's name
    // remembered for the reference check, then one forced computation.
    EngineSession session;
    session.Driver.Loading = true;
    LoadParameterFile(file, session.State);
    session.Driver.Loading = false;
    session.Driver.LoadedFileName = file;
    session.Compute(true, true);

    for (const std::string& line : session.Driver.Memo1) out << line << '\n';
    out << '\n';
    for (const std::string& line : session.Driver.Memo2) out << line << '\n';
    return 0;
}

}  // namespace velmora::cli
