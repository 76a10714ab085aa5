#pragma once

#include <cstdint>

#include "engine/parameter_set.h"
#include "form/graph_selection.h"
#include "presentation/shown_run.h"
#include "simulation/cycle_graphs.h"
#include "simulation/simulation_host.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The graphs of a run as the window's choices draw them: the red and blue curves over seconds
// or degrees in the chosen output units, the fixed ranges of the two positions, and in
// sim.Graphs what the charts' titles and the time-increment caption are made of.
// The curves go into `shown`, the state the run is given.
class ChosenGraphs final : public CycleGraphs {
  public:
    ChosenGraphs(const GraphSelection& graphs, ShownRun& shown) : graphs_(graphs), shown_(shown) {}

    void Begin() override;
    bool SetUp(const ParameterSet& params, double timeStep) override;
    void Restart() override;
    void Step(std::int32_t stepCount, const StepValues& step) override;
    void DrawPowerCurve(const ParameterSet& params, SimulationHost& host) override;

  private:
    GraphSelection graphs_;
    ShownRun& shown_;
};

// Empties Series1, Series1a, Series2, Series2a, Series3 and Series3a.
void ClearMainSeries(ShownRun& shown);

// The graph set-up of a run: the fixed ranges, and in sim.Graphs what the caption of lDeltaTee
// and the chart and axis titles are made of. Returns false when a curve choice has no
// selection, which ends the run.
bool SetUpGraphs(ShownRun& shown, const ParameterSet& params, const GraphSelection& graphs,
                 double timeStep);

// The power/speed curve with the second-graph choice and the units of the window's graphs.
void PowerSpeedCurve(const ParameterSet& params, const GraphSelection& graphs, PowerCurve& curve,
                     SimulationHost& host);

}  // namespace velmora
