#pragma once

#include <cstdint>
#include <vector>

#include "engine/design.h"
#include "engine/parameter_set.h"
#include "simulation/design_energy.h"
#include "simulation/simulation_output.h"
#include "simulation/simulation_state.h"

namespace velmora {

// One crank degree of a revolution with all its quantities.
struct CycleRow {
    std::int32_t stepCount = 0;
    StepValues step;
};

// A model's settled revolution: the one-degree steps its energy figures come from.
struct SettledRevolution {
    std::vector<CycleRow> rows;  // empty when none settled (or none was graphed)
    int offsetDeg = 0;           // x-axis offset of the rows' crank angles
    const char* missing = "";    // without rows, why: "no graphed cycle in this run", ...
};

// How a design's cycle is computed. Every consumer (the evaluator, the energy figures, the
// exports, the window and the Python module) reaches a model through this and never asks
// which one it is; CycleModelOf is the one place that names them. A model holds no state: one
// instance serves every thread.
class CycleModel {
  public:
    virtual ~CycleModel() = default;

    // Whether its indicated power is the design's (then every evaluation runs it), rather
    // than the one-degree run's measure of its pressure/volume diagram.
    virtual bool GivesIndicatedPower() const = 0;

    // Work, heat and efficiency of the analysed design (before the one-degree run changes its
    // mean pressure). `recorded` is the one-degree run the evaluation has just made;
    // `scratch` holds a second run's buffers. `atOmegaBar` adds the run at Omega Bar.
    virtual DesignEnergy Energy(const ParameterSet& analysed, const Design& design,
                                const SimulationState& recorded, SimulationState& scratch,
                                bool atOmegaBar) const = 0;

    // The design analysed and run at engine speed: its settled revolution.
    virtual SettledRevolution Revolution(const Design& design) const = 0;
};

// The model a design chooses.
const CycleModel& CycleModelOf(IntegrationModel model);

// The model whose indicated power is its own (GivesIndicatedPower): the figures and the loop
// the others are compared with, whichever model the design chooses.
const CycleModel& ComparisonModel();

}  // namespace velmora
