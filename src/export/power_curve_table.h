#pragma once

#include <string>
#include <vector>

#include "engine/parameter_set.h"
#include "form/control_state.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The power/speed sweep with both second quantities, worked out from the parameter set the
// way the window's curve is, so that the window and the command line export the same table.
struct PowerCurveTable {
    struct Row {
        double speed = 0;  // rad/s
        double rpm = 0;
        double power = 0;     // W
        double phaseDeg = 0;  // degrees
        double torque = 0;    // N m
    };
    std::vector<Row> rows;
    // The curve as the window shows it: phase, or torque when "Power/Torque" is chosen.
    PowerCurve shown;
    bool torqueShown = false;
};

PowerCurveTable ComputePowerCurveTable(const ParameterSet& params, const ControlState& controls);

// "rpm,power (W),phase (deg)" (or "torque (N m)" when torque is shown: the command line's
// first three columns), then "speed_rad_s,phase_deg,torque_N_m", one line per speed, and the
// chart title as the last line, "# " first.
std::string PowerCurveCsv(const PowerCurveTable& table);

}  // namespace velmora
