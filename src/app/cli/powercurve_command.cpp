#include <ostream>

#include "commands.h"

namespace velmora::cli {

int RunPowerCurveCommand(const std::string& /*file*/, std::ostream& /*out*/, std::ostream& err) {
    err << "velmora-cli: 'powercurve' is not available yet\n";
    return 2;
}

}  // namespace velmora::cli
