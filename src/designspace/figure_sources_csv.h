#pragma once

#include <iosfwd>
#include <vector>

#include "engine/integration_model.h"
#include "simulation/design_result.h"

namespace velmora {

// Comment lines that close an exported table and say where each of its columns comes from,
// one line per source that has columns, in the order the columns first appear:
//   # from the closed-form analysis: omega_bar_rpm, schmidt_power_w
//   # from the Accurate (error-controlled) model: shaft_power_w, efficiency
// A reader that skips '#' lines (pandas' comment='#') reads the table unchanged.
void WriteFigureSources(std::ostream& out, const std::vector<DesignOutput>& outputs,
                        IntegrationModel model);

}  // namespace velmora
