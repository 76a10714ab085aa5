#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/parameter_set.h"
#include "form/control_state.h"
#include "model/compute_driver.h"
#include "model/compute_hooks.h"
#include "presentation/shown_run.h"
#include "simulation/simulation_host.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The engine as the window holds it: the controls' plain state, the compute driver with its
// parameter set and report panes, the simulation state and the animation positions. The
// command line, the benchmarks and the tests use it as it stands; the window derives from it,
// copies its widgets into State in Controls() and overrides the hooks that touch the screen.
class EngineSession : public ComputeHooks {
  public:
    EngineSession() = default;
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;
    ~EngineSession() override = default;

    ControlState State;
    ComputeDriver Driver{*this};
    ShownRun Sim;
    int ClickedFrame = 0;
    int AnimationFrame = 0;

    // Shorthand for Driver.Compute.
    void Compute(bool forceSimulation, bool refreshSecondGraph) {
        Driver.Compute(forceSimulation, refreshSecondGraph);
    }

    // Recompute the power/speed curve (Sim.Chart3) from the parameter set as it stands.
    void PowerSpeedCurve();

    // Window hooks of the simulation. Defaults: Chart3 hidden, no cursor, never stopped.
    virtual bool IsPowerCurveShown() const { return false; }
    virtual void SetBusyCursor(bool /*busy*/) {}
    // After every simulated cycle; a run that is no longer wanted throws here to stop.
    virtual void CycleEnded() {}

    // For a run on a copy (another thread): starts this session from `from`'s controls, parameter
    // set and results, so a run that does not simulate keeps them as `from` would.
    virtual void CopyStartOf(const EngineSession& from);
    // Takes over the results of a finished run made on a copy (not its controls).
    virtual void TakeResultsOf(EngineSession&& run);
    // Each graphed step with all its quantities; nothing by default.
    virtual void StepRecorded(std::int32_t /*stepCount*/, const StepValues& /*step*/) {}

    // ComputeHooks
    const ControlState& Controls() override { return State; }
    // Recomputes the power/speed curve when "Power/Phase" or "Power/Torque" is chosen; the
    // window overrides it to show and hide its charts as well.
    void RefreshSecondGraph() override;
    void RunSimulation(ParameterSet& params, const Design& design, const GraphSelection& graphs,
                       SimulationNotes& notes) override;
    void EnsureSamples() override;

  private:
    // Hands the session's window hooks to the simulation code.
    class Host final : public SimulationHost {
      public:
        explicit Host(EngineSession& session) : session_(session) {}
        void CycleEnded() override { session_.CycleEnded(); }
        void SetBusyCursor(bool busy) override { session_.SetBusyCursor(busy); }
        bool IsPowerCurveShown() const override { return session_.IsPowerCurveShown(); }
        void StepRecorded(std::int32_t stepCount, const StepValues& step) override {
            session_.StepRecorded(stepCount, step);
        }

      private:
        EngineSession& session_;
    };
    Host host_{*this};
};

// True when the second-graph choice is "Power/Phase" or "Power/Torque".
bool ShowsPowerCurve(int showGraph2Choice);

}  // namespace velmora
