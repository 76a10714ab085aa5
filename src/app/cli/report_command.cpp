#include <ostream>

#include "commands.h"

namespace velmora::cli {

int RunReportCommand(const std::string& /*file*/, std::ostream& /*out*/, std::ostream& err) {
    err << "velmora-cli: 'report' is not available yet\n";
    return 2;
}

}  // namespace velmora::cli
