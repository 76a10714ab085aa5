#pragma once

#include <string>

#include "model/control_state.h"
#include "simulation/engine_session.h"

namespace velmora::test {

// The large reference engine of the shipped example file, typed into the controls: 127.2 mm
// displacer of 126 mm stroke and 1 kg, 38.1 mm rod, 114 x 140 mm piston, 3380 cm^3 dead space
// at 346 C, 650 C hot, 42 C cold, 1000 RPM, 50 atm, no spring, no equalization.
inline ControlState LargeEngineControls() {
    ControlState c;
    c.EditDispDiameter = {"127.2", 1};
    c.EditDispStroke = {"126", 1};
    c.EditDispMass = {"1", 2};
    c.EditDispRodDiameter = {"38.1", 1};
    c.EditSpringConstant = {"0", 0};
    c.EditSpringCenter = {"0", 1};
    c.EditPistonDiameter = {"114", 1};
    c.EditPistonStroke = {"140", 1};
    c.EditDeadSpaceVol = {"3380", 2};
    c.EditDeadSpaceTemp = {"346", 1};
    c.EditHotTemp = {"650", 1};
    c.EditColdTemp = {"42", 1};
    c.EditEngineSpeed = {"1000", 0};
    c.EditMeanEnginePressure = {"50", 0};
    c.EditRequiredEnginePower = "20000";
    c.LeakCB = false;
    c.GravityCB = false;
    c.ComputeCycleCountEdit = "3";
    c.GraphCycleCountEdit = "3";
    c.MaxGraphCycleCountEdit = "30";
    c.EditXAxisOffset = "0";
    c.RedGraphRG = 0;
    c.XAxisRG = 1;
    c.BlueGraphRG = 1;
    c.ShowGraph2RG = 1;
    c.outputs.LengthOutputFormatRG = 1;
    c.outputs.TemperatureOutputFormatRG = 1;
    c.outputs.MassOutputFormatRG = 2;
    c.outputs.AngVelOutputFormatRG = 0;
    c.outputs.SpringOutputFormatRG = 0;
    c.outputs.AngleOutputFormatRG = 1;
    c.outputs.PressureOutputFormatRG = 0;
    return c;
}

// The small reference engine: 0.6 x 0.625 in displacer of 4.94 g, 0.21875 in rod, 0.502 x
// 0.67 in piston, 0.55 cm^3 dead space at 248 C, 450 C hot, 47 C cold, 1200 RPM, 1 atm.
inline ControlState SmallEngineControls() {
    ControlState c = LargeEngineControls();
    c.EditDispDiameter = {"0.6", 0};
    c.EditDispStroke = {"0.625", 0};
    c.EditDispMass = {"4.94", 1};
    c.EditDispRodDiameter = {"0.21875", 0};
    c.EditSpringCenter = {"0", 0};
    c.EditPistonDiameter = {"0.502", 0};
    c.EditPistonStroke = {"0.67", 0};
    c.EditDeadSpaceVol = {"0.55", 2};
    c.EditDeadSpaceTemp = {"248", 1};
    c.EditHotTemp = {"450", 1};
    c.EditColdTemp = {"47", 1};
    c.EditEngineSpeed = {"1200", 0};
    c.EditMeanEnginePressure = {"1", 0};
    c.EditRequiredEnginePower.clear();
    return c;
}

// The parameter set a compute run derives from the controls.
inline ParameterSet ComputedParameters(const ControlState& controls) {
    EngineSession session;
    session.State = controls;
    session.Compute(true, false);
    return session.Driver.Params;
}

// A session that counts the events it is asked to process (one per simulated cycle, plus the
// driver's own) and can pretend the power/speed chart is shown.
class CountingSession : public EngineSession {
  public:
    void ProcessPendingEvents() override { ++eventRounds; }
    bool IsPowerCurveShown() const override { return powerCurveShown; }
    void SetBusyCursor(bool busy) override {
        if (busy) ++busyCursorShown;
    }

    int eventRounds = 0;
    int busyCursorShown = 0;
    bool powerCurveShown = false;
};

// Runs one forced compute and returns how many cycles the simulation ran (the driver processes
// events once itself).
inline int ComputeAndCountCycles(CountingSession& session) {
    session.eventRounds = 0;
    session.Compute(true, false);
    return session.eventRounds - 1;
}

}  // namespace velmora::test
