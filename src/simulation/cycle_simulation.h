#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/control_state.h"
#include "model/parameter_set.h"
#include "simulation/simulation_host.h"
#include "simulation/simulation_output.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The cycle counts and the x-axis offset of a run, as read from their edit boxes.
struct CycleSchedule {
    int ComputeCycles = 3;  // -1: automatic
    int GraphCycles = 3;    // -1: automatic
    int MaxAutoCycles = 3;
    int XAxisOffsetDeg = 0;
};

// A whole number text (optional sign, digits, within 32 bits) as its value; `whenEmpty` for
// an empty text and `whenNotWhole` for anything else.
int ReadWholeNumber(std::string_view text, int whenEmpty, int whenNotWhole);

// Empty counts are -1 (automatic), unreadable ones 1; Max Auto is 10 unless readable; the
// offset is 0 unless readable.
CycleSchedule ReadCycleSchedule(const ControlState& controls);

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
    CycleRun(ParameterSet& p, const ControlState& c, SimulationState& s, SimulationHost& h)
        : params(p), controls(c), sim(s), host(h) {}

    ParameterSet& params;
    const ControlState& controls;
    SimulationState& sim;
    SimulationHost& host;
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
// what its report says in `notes`, and the power/speed curve when the host shows it.
void RunSimulation(ParameterSet& params, const ControlState& controls, SimulationState& sim,
                   SimulationNotes& notes, SimulationHost& host,
                   Recording recording = Recording::Everything);

}  // namespace velmora
