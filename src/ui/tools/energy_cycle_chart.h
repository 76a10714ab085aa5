#pragma once

#include <vector>

#include "report/unit_text.h"
#include "simulation/simulation_output.h"

class QChart;

namespace velmora {

// The pressure/volume loops of one design under both models, in the design's output units:
// the one-degree run's last graphed revolution and the accurate run's settled revolution
// (either may be empty: not computed, or not settled). Closed loops, so the area each encloses
// is the indicated work of its model.
QChart* MakeCycleChart(const std::vector<StepValues>& oneDegree,
                       const std::vector<StepValues>& accurate, const OutputUnits& units);

}  // namespace velmora
