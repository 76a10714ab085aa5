#include <ostream>
#include <string>

#include "commands.h"
#include "headless_run.h"
#include "locale/number_settings_from_locale.h"
#include "simulation/engine_session.h"

namespace velmora::cli {

int RunReportCommand(const std::string& file, std::ostream& out, std::ostream& err) {
    EngineSession session;
    // The report reads as the window's would under the same environment; the CSV commands
    // keep the default settings, so their output is the same everywhere.
    session.State.outputs.numbers = NumberSettingsFromSystemLocale();
    if (!LoadAndCompute(file, session, err)) return 2;
    for (const std::string& line : session.Driver.Memo1) out << line << '\n';
    out << '\n';
    for (const std::string& line : session.Driver.Memo2) out << line << '\n';
    return 0;
}

}  // namespace velmora::cli
