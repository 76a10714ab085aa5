#pragma once

#include <array>
#include <cstddef>

#include "engine/design_inputs.h"
#include "engine/integration_model.h"
#include "engine/loss_inputs.h"
#include "engine/units.h"

namespace velmora {

// The cycle counts and the x-axis offset of a one-degree run. Counts of -1 are automatic.
struct CycleSchedule {
    int ComputeCycles = 3;
    int GraphCycles = 3;
    int MaxAutoCycles = 3;
    int XAxisOffsetDeg = 0;  // degrees the piston's crank angle is shifted by
};

// An engine design as numbers: what every computation of it reads, built once at the edges
// (the window's form, a parameter file, the command line, the Python module) and never parsed
// again. An input that was not given holds 0.
struct Design {
    // Every input in SI, in the order of kInputs: m, kg, N/m, m^3, K, rad/s, Pa and, for the
    // required power, W. A half (radius, half stroke) is not kept: the analysis halves.
    std::array<double, kInputs.size()> values{};

    IntegrationModel model = IntegrationModel::Specified;
    bool displacerWeight = false;      // "Simulate Displacer Weight"
    bool pressureEqualization = true;  // "Simulate Pressure Equalization"
    CycleSchedule schedule;

    // What the one-degree model reads besides the numbers, as it is specified: it runs only
    // when both curve choices name a curve, and it measures its pressure/volume diagram as
    // plotted, in the output units. Only the unit choices: number settings are for texts.
    bool curvesChosen = true;
    OutputChoices units;

    // The accurate model's losses, gas and load; the ideal engine when the file had none.
    LossInputs losses;

    double& operator[](const DesignInput& input) { return values[InputIndex(input)]; }
    double operator[](const DesignInput& input) const { return values[InputIndex(input)]; }
};

}  // namespace velmora
