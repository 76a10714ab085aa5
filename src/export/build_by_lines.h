#pragma once

#include <string>
#include <vector>

#include "engine/design.h"
#include "report/number_settings.h"

namespace velmora {

// The lines an exported report adds after its computed values: the power to build by (the
// accurate model's shaft power, or its brake power for a design with losses) and where each
// kind of figure in the report comes from. Empty figures read "- (not running)".
//   Power to build by
//     Shaft power (accurate model): 15,975 W
//     Computed Values: Schmidt power from the closed-form analysis; ...
std::vector<std::string> BuildByLines(const Design& design, const NumberSettings& numbers);

// The held design's power to build by, for a report that compares with it:
//   Held design: NAME
//     Shaft power (accurate model): 12,003 W
std::vector<std::string> HeldBuildByLines(const std::string& heldName, const Design& held,
                                          const NumberSettings& numbers);

}  // namespace velmora
