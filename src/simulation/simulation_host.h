#pragma once

#include <cstdint>

namespace velmora {

struct StepValues;

// What the simulation and the power/speed curve need from the window they run in. The
// defaults suit headless callers.
class SimulationHost {
  public:
    virtual ~SimulationHost() = default;

    // After every simulated cycle: where a run that is no longer wanted may stop (by throwing).
    virtual void CycleEnded() {}

    // Busy (hourglass) cursor on or off.
    virtual void SetBusyCursor(bool /*busy*/) {}

    // Whether the power/speed chart is visible, so the run recomputes its curve at the end.
    virtual bool IsPowerCurveShown() const { return false; }

    // Every step of a graphed cycle, after it is recorded, with its step count (for callers
    // that want all twelve quantities, not only the two curves).
    virtual void StepRecorded(std::int32_t /*stepCount*/, const StepValues& /*step*/) {}
};

}  // namespace velmora
