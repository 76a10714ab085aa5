#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/design.h"
#include "engine/parameter_set.h"
#include "simulation/cycle_graphs.h"
#include "simulation/simulation_host.h"
#include "simulation/simulation_output.h"
#include "simulation/simulation_state.h"

namespace velmora {

// Lowers counts above kMaxCycleCount to it; true when one was lowered.
bool LimitCycleCounts(CycleSchedule& schedule);

// The engine pressures of the newest 3600 steps, for the equalization test.
class PressureHistory {
  public:
    static constexpr std::size_t kSize = 3600;

    void FillWith(double pressure);
    void Push(double pressure);  // drops the oldest entry
    // The k-th newest entry, 0 being the newest.
    double Newest(std::size_t k) const { return entries_[(next_ + kSize - 1 - k) % kSize]; }

  private:
    std::array<double, kSize> entries_{};
    std::size_t next_ = 0;  // slot of the oldest entry, overwritten next
};

// True when the newest 360 pressures lie as much above as below `meanPressure`, in whole
// percent of their total deviation. A history that equals the mean throughout counts as
// equalized.
bool IsPressureEqualized(const PressureHistory& history, double meanPressure);

// The state of one simulation run.
struct CycleRun {
    CycleRun(ParameterSet& p, const Design& d, CycleGraphs* g, SimulationState& s,
             SimulationHost& h)
        : params(p), design(d), graphs(g), sim(s), host(h), stepUnits(d.units) {}

    ParameterSet& params;
    const Design& design;
    CycleGraphs* graphs;  // for a run that shows its graphs
    SimulationState& sim;
    SimulationHost& host;
    StepUnits stepUnits;  // the design's output units
    CycleSchedule schedule;
    double x = 0;         // displacer position, m, 0 = mid-stroke
    double v = 0;         // displacer velocity, m/s
    double timeStep = 0;  // s per crank degree
    PressureHistory history;
    bool graphedCycleEnded = false;  // since the last SummarizeGraphedCycle
    Recording recording = Recording::Everything;
};

// One cycle of 361 one-degree steps; a graphed cycle records its steps. Lets the host process
// its events afterwards.
void SimulateCycle(CycleRun& run, bool graphed);

// The end of a graphed cycle: the dwell and pressure summary and both PV powers, from the
// steps recorded so far.
void SummarizeGraphedCycle(CycleRun& run);

// The whole simulation run of a compute run: schedule of cycles, curves, samples, PV powers,
// what its report says in `notes`, and the power/speed curve when the host shows it. A run
// that records everything has `graphs` draw its curves; one that records only its results
// needs none.
void RunSimulation(ParameterSet& params, const Design& design, SimulationState& sim,
                   SimulationNotes& notes, SimulationHost& host,
                   Recording recording = Recording::ResultsOnly, CycleGraphs* graphs = nullptr);

}  // namespace velmora
