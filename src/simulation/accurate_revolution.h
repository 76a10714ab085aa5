#pragma once

#include <vector>

#include "engine/design.h"
#include "simulation/accurate_cycle.h"
#include "simulation/simulation_output.h"

namespace velmora {

// The accurate model's settled revolution at engine speed as one-degree steps with all twelve
// graphable quantities, so that the charts and the cycle CSV of the one-degree model's graphed
// steps can show it as they stand.
struct AccurateRevolution {
    AccurateOutcome outcome = AccurateOutcome::MissingInput;
    double speed = 0;  // rad/s
    // Crank angles 0 to 359 degrees, time from the revolution's start; empty unless settled.
    std::vector<StepValues> steps;
};

// The design analysed as its compute run analyses it, then its accurate run at engine speed
// with the design's weight and pressure equalization.
AccurateRevolution AccurateRevolutionOf(const Design& design);

}  // namespace velmora
