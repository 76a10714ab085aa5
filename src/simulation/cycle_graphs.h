#pragma once

#include <cstdint>

#include "engine/parameter_set.h"
#include "simulation/simulation_host.h"

namespace velmora {

struct StepValues;

// What a run that shows its graphs draws them with: made above the simulation from the
// window's choices (presentation/run_graphs.h), so that the simulation hands over its steps
// in SI and knows neither the curve choices nor their units, nor where the curves are kept
// (an implementation holds the state it draws into).
class CycleGraphs {
  public:
    virtual ~CycleGraphs() = default;

    // At the start of every run, before anything can end it: the curves and the animation's
    // marks are emptied.
    virtual void Begin() = 0;
    // The graphs' set-up for steps of `timeStep` (s per crank degree); false when a curve has
    // no choice, which ends the run.
    virtual bool SetUp(const ParameterSet& params, double timeStep) = 0;
    // A graphed stretch starts again from step 1: the curves are emptied.
    virtual void Restart() = 0;
    // One graphed step, `stepCount` the run's count with it: its curve points and its x value.
    virtual void Step(std::int32_t stepCount, const StepValues& step) = 0;
    // After the run, when the power/speed chart is shown: its curve, in the graphs' units.
    virtual void DrawPowerCurve(const ParameterSet& params, SimulationHost& host) = 0;
};

}  // namespace velmora
