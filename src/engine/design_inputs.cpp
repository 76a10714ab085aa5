#include "engine/design_inputs.h"

namespace velmora {

std::string InputFileKey(const DesignInput& input) {
    return std::string(input.section) + "." + input.key;
}

}  // namespace velmora
