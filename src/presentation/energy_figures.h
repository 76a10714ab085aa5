#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/design.h"
#include "report/number_settings.h"
#include "simulation/brake_speed_curve.h"
#include "simulation/design_result.h"
#include "simulation/headline_power.h"
#include "simulation/lossy_energy.h"

namespace velmora {

// Everything the Energy and Power window shows of one design, computed the same way for the
// design in the window and for a held one: the evaluator's figures with energy, both models'
// shaft power at engine speed, the lossy cycle at engine speed (the waterfall) and the brake
// curve over speed. A design without losses runs the same lossy cycle with every loss off:
// its brake power is its accurate shaft power.
struct EnergyFigures {
    DesignResult result;
    HeadlinePower headline;
    std::optional<LossyRun> atSpeed;  // empty when the design could not be run or did not settle
    BrakeSpeedCurve curve;
};

// The figures of `design`; `cancelled` is asked between the steps, and a true answer ends the
// work early with what is done so far.
EnergyFigures EnergyFiguresOf(const Design& design, const std::function<bool()>& cancelled = {});

// The power to build by: the brake power at engine speed for a design with losses, the
// accurate model's shaft power otherwise.
struct BuildByPower {
    bool brake = false;
    std::optional<double> watts;  // empty when not computed or not settled
};
BuildByPower BuildByPowerOf(const EnergyFigures& figures);

// "Brake power to build by: 5,068 W" or "Shaft power (accurate model): 15,975 W"; a power too
// small to be a running engine's is "- (not running)", an empty one "not computed".
std::string BuildByText(const BuildByPower& power, const NumberSettings& numbers);

// The brake curve as a chart shows it: speeds in RPM.
struct PlotLine {
    std::string name;
    std::vector<std::pair<double, double>> points;  // (RPM, value)
};
struct BrakeChartSeries {
    std::string title;
    std::string speedAxisTitle;
    std::string powerAxisTitle;
    std::string torqueAxisTitle;
    PlotLine power;          // W, on the left axis
    PlotLine torque;         // N m, on the right axis
    PlotLine load;           // N m, the load torque over the whole range; empty without a load
    PlotLine runningTorque;  // one point on the right axis; empty without a running point
    PlotLine runningPower;   // the same point on the power curve
    std::string note;        // why something is missing, for the chart's title area
};
BrakeChartSeries BrakeChartSeriesOf(const BrakeSpeedCurve& curve, const NumberSettings& numbers);

}  // namespace velmora
