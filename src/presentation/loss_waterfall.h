#pragma once

#include <string>
#include <vector>

#include "report/number_settings.h"
#include "simulation/lossy_energy.h"

namespace velmora {

// One bar of the loss waterfall: a level (heat in, gas cycle, shaft, brake) drawn from zero,
// or a loss drawn from the level before it down to the level after it. W.
struct WaterfallStep {
    std::string label;
    bool level = false;
    double from = 0;
    double to = 0;
    double Value() const { return level ? to : from - to; }  // a loss as a positive number
};

// From the heat taken in to the brake power of the design's lossy cycle at one speed: heat
// in; conduction, shuttle and reheat beside it (heat that passes the gas by); the heat the gas
// rejects; the gas cycle's indicated power; the rod's loss (friction and the stops); shaft;
// mechanism; brake. Each level is the one before less the losses between them, so the last
// bar is heat in less every loss. A lossless design has zero losses and brake = shaft.
std::vector<WaterfallStep> LossWaterfall(const LossyRun& run);

// A bar as stacked segments: a transparent base and a visible length on each side of zero
// (Qt stacks positive and negative values apart), so that a bar that crosses zero is whole.
struct StackedParts {
    double positiveBase = 0;
    double positiveLength = 0;
    double negativeBase = 0;    // <= 0
    double negativeLength = 0;  // <= 0
};
StackedParts StackedPartsOf(const WaterfallStep& step);

// A chart's number (watts, RPM, N m) as the user's locale shows it: whole and grouped
// ("28,071"), one decimal below 10; no unit.
std::string ChartNumber(double watts, const NumberSettings& numbers);

// The label of a bar: "Conduction: -120 W", "Brake: 5,068 W".
std::string WaterfallLabel(const WaterfallStep& step, const NumberSettings& numbers);

}  // namespace velmora
