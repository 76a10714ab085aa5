#include <ostream>
#include <string>

#include "commands.h"
#include "headless_run.h"
#include "simulation/engine_session.h"
#include "simulation/power_speed_curve.h"
#include "simulation/sample_text.h"

namespace velmora::cli {

int RunPowerCurveCommand(const std::string& file, std::ostream& out, std::ostream& err) {
    EngineSession session;
    if (!LoadAndCompute(file, session, err)) return 2;

    // The file's second-graph choice decides between phase and torque; phase unless it asks
    // for "Power/Torque".
    constexpr int kPowerPhase = 2;
    constexpr int kPowerTorque = 3;
    ControlState controls = session.State;
    if (controls.ShowGraph2RG != kPowerTorque) controls.ShowGraph2RG = kPowerPhase;
    SimulationHost host;
    PowerCurve& curve = session.Sim.Chart3;
    PowerSpeedCurve(session.Driver.Params, controls, curve, host);

    out << "rpm,power (W),"
        << (controls.ShowGraph2RG == kPowerTorque ? "torque (N m)" : "phase (deg)") << '\n';
    for (std::size_t i = 0; i < curve.PowerSeries.size(); ++i) {
        out << SampleText(curve.PowerSeries[i].x) << ',' << SampleText(curve.PowerSeries[i].y)
            << ',' << SampleText(curve.PhaseOrTorqueSeries[i].y) << '\n';
    }
    out << "# " << curve.Title << '\n';
    return 0;
}

}  // namespace velmora::cli
