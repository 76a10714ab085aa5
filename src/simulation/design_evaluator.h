#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/design.h"
#include "simulation/design_result.h"
#include "simulation/simulation_state.h"

namespace velmora {

struct EvaluationOptions {
    bool powerCurve = false;  // also the maximum of the power/speed curve
    bool energy = false;      // also the energy columns (design_energy.h)
    // The crank step count the run continues from until its schedule restarts it (a compute
    // run in the window continues from the previous run's count; a fresh program, and
    // velmora-cli report, from 0).
    std::int32_t startStepCount = 0;
};

// Asks for what the output's column needs beyond the ordinary run.
void AskForOutput(EvaluationOptions& options, DesignOutput output);

// One compute run of a design, as the compute driver makes it (inputs, analysis, cycle
// schedule with its summary and PV powers, displacer loss), recording only what the results
// need; with the design's [Model] Integration accurate, also the accurate run, whose signed
// indicated power replaces the one-degree one. Its buffers are its own and reused from one
// evaluation to the next, so one evaluator per thread evaluates designs in parallel with nothing
// shared.
class DesignEvaluator {
  public:
    DesignResult Evaluate(const Design& design, const EvaluationOptions& options = {});

  private:
    SimulationState sim_;
    SimulationState omegaBarSim_;  // the one-degree run at Omega Bar, for the energy columns
};

// One evaluation with an evaluator of its own.
DesignResult EvaluateDesign(const Design& design, const EvaluationOptions& options = {});

}  // namespace velmora
