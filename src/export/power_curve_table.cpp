#include "export/power_curve_table.h"

#include <algorithm>

#include "export/csv_number.h"
#include "presentation/chart_titles.h"
#include "presentation/run_graphs.h"
#include "simulation/power_speed_curve.h"
#include "simulation/simulation_host.h"

namespace velmora {
namespace {

PowerCurve Sweep(const ParameterSet& params, const ControlState& controls, int choice) {
    GraphSelection graphs = GraphSelectionOf(controls);
    graphs.secondGraph = choice;
    SimulationHost host;
    PowerCurve curve;
    PowerSpeedCurve(params, graphs, curve, host);
    return curve;
}

}  // namespace

PowerCurveTable ComputePowerCurveTable(const ParameterSet& params, const ControlState& controls) {
    PowerCurveTable table;
    table.torqueShown = controls.ShowGraph2RG == kPowerTorqueGraph;
    const PowerCurve phase = Sweep(params, controls, kPowerPhaseGraph);
    const PowerCurve torque = Sweep(params, controls, kPowerTorqueGraph);
    const std::vector<double> speeds = PowerSweepSpeeds(params.OmegaBar);
    const std::size_t count =
        std::min({phase.PowerSeries.size(), torque.PowerSeries.size(), speeds.size()});
    for (std::size_t i = 0; i < count; ++i) {
        table.rows.push_back({speeds[i], phase.PowerSeries[i].x, phase.PowerSeries[i].y,
                              phase.PhaseOrTorqueSeries[i].y, torque.PhaseOrTorqueSeries[i].y});
    }
    table.shown = table.torqueShown ? torque : phase;
    return table;
}

std::string PowerCurveCsv(const PowerCurveTable& table) {
    std::string out = "rpm,power (W),";
    out += table.torqueShown ? "torque (N m)" : "phase (deg)";
    out += ",speed_rad_s,phase_deg,torque_N_m\n";
    for (const PowerCurveTable::Row& row : table.rows) {
        const double values[] = {
            row.rpm,   row.power,    table.torqueShown ? row.torque : row.phaseDeg,
            row.speed, row.phaseDeg, row.torque};
        for (std::size_t i = 0; i < std::size(values); ++i) {
            if (i > 0) out += ',';
            AppendCsvNumber(out, values[i]);
        }
        out += '\n';
    }
    out += "# " + PowerCurveTitle(table.shown) + '\n';
    return out;
}

}  // namespace velmora
