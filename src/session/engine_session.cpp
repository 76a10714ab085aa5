#include "session/engine_session.h"

#include <utility>

#include "presentation/run_graphs.h"
#include "simulation/cycle_simulation.h"

namespace velmora {

bool ShowsPowerCurve(int showGraph2Choice) {
    return showGraph2Choice == kPowerPhaseGraph || showGraph2Choice == kPowerTorqueGraph;
}

void EngineSession::PowerSpeedCurve() {
    ::velmora::PowerSpeedCurve(Driver.Params, GraphSelectionOf(State), Sim.Chart3, host_);
}

void EngineSession::RefreshSecondGraph() {
    if (ShowsPowerCurve(State.ShowGraph2RG)) PowerSpeedCurve();
}

void EngineSession::RunSimulation(ParameterSet& params, const Design& design,
                                  const GraphSelection& graphs, SimulationNotes& notes) {
    ChosenGraphs drawn(graphs, Sim);
    ::velmora::RunSimulation(params, design, Sim, notes, host_, Recording::Everything, &drawn);
}

void EngineSession::CopyStartOf(const EngineSession& from) {
    State = from.State;
    Driver.CopyStartOf(from.Driver);
    Sim = from.Sim;
    ClickedFrame = from.ClickedFrame;
    AnimationFrame = from.AnimationFrame;
}

void EngineSession::TakeResultsOf(EngineSession&& run) {
    Driver.TakeResultsOf(std::move(run.Driver));
    Sim = std::move(run.Sim);
}

void EngineSession::EnsureSamples() {
    if (!Sim.SampleDispPos.empty()) return;
    // Order as the engine drawing expects to find them filled.
    Sim.SampleDispPos.push_back(0);
    Sim.SamplePistonPos.push_back(0);
    Sim.SampleX.push_back(0);
    Sim.SamplePressure.push_back(0);
    Sim.SampleTotalVolume.push_back(0);
}

}  // namespace velmora
