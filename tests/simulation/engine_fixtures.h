#pragma once

#include <string>

#include "form/control_state.h"
#include "form/design_form.h"
#include "session/engine_session.h"
#include "support/reference_engine.h"

namespace velmora::test {

// The large reference engine, examples/KESTMORE.RBP: 127.2 mm displacer of 126 mm stroke and
// 1 kg, 38.1 mm rod, 114 x 140 mm piston, 3380 cm^3 dead space at 346 C, 650 C hot, 42 C cold,
// 1000 RPM, 50 atm, no spring, no equalization.
inline ControlState LargeEngineControls() {
    return ReferenceEngineControls("KESTMORE.RBP");
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

// An engine as the cycle models take it: the analysed parameters and the numeric design.
struct AnalysedDesign {
    ParameterSet params;
    Design design;
};

inline AnalysedDesign AnalysedLargeEngine() {
    const ControlState c = LargeEngineControls();
    return {ComputedParameters(c), ReadDesign(c).design};
}

// A session that counts the simulated cycles (each ends at the host's cycle boundary) and can
// pretend the power/speed chart is shown.
class CountingSession : public EngineSession {
  public:
    void CycleEnded() override { ++cyclesEnded; }
    bool IsPowerCurveShown() const override { return powerCurveShown; }
    void SetBusyCursor(bool busy) override {
        if (busy) ++busyCursorShown;
    }

    int cyclesEnded = 0;
    int busyCursorShown = 0;
    bool powerCurveShown = false;
};

// Runs one forced compute and returns how many cycles the simulation ran.
inline int ComputeAndCountCycles(CountingSession& session) {
    session.cyclesEnded = 0;
    session.Compute(true, false);
    return session.cyclesEnded;
}

}  // namespace velmora::test
