#include <ostream>

#include "commands.h"

namespace velmora::cli {

int RunSamplesCommand(const std::string& /*file*/, std::ostream& /*out*/, std::ostream& err) {
    err << "velmora-cli: 'samples' is not available yet\n";
    return 2;
}

}  // namespace velmora::cli
