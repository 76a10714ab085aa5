#include "presentation/energy_figures.h"

#include <cmath>
#include <numbers>

#include "presentation/loss_waterfall.h"
#include "simulation/design_evaluator.h"

namespace velmora {

namespace {

constexpr double kRpmPerRadS = 60 / (2 * std::numbers::pi);
// Below this a design's power is the rounding of a design that does not run.
constexpr double kRunningPowerW = 1e-3;
// The curve runs a little past the speed where the brake power falls to zero.
constexpr double kPastNoLoad = 1.25;

}  // namespace

EnergyFigures EnergyFiguresOf(const Design& design, const std::function<bool()>& cancelled) {
    const auto stop = [&] { return cancelled && cancelled(); };
    EnergyFigures figures;
    EvaluationOptions options;
    options.energy = true;
    figures.result = EvaluateDesign(design, options);
    if (stop()) return figures;
    figures.headline = HeadlinePowerOf(design);
    if (stop()) return figures;
    const ParameterSet analysed = AnalysedForLosses(design);
    const LossyRun run = RunLossyCycle(analysed, design, analysed.EngineSpeed);
    if (run.settled) figures.atSpeed = run;
    if (stop()) return figures;
    const DesignResult& r = figures.result;
    const std::optional<double>& noLoad = r[DesignOutput::NoLoadSpeed];
    const std::optional<double>& running = r[DesignOutput::RunningSpeed];
    const double highest = noLoad ? kPastNoLoad * *noLoad / kRpmPerRadS : 0;
    std::optional<double> runningSpeed;
    if (running) runningSpeed = *running / kRpmPerRadS;
    figures.curve = BrakeCurveOf(analysed, design, highest, runningSpeed);
    return figures;
}

BuildByPower BuildByPowerOf(const EnergyFigures& figures) {
    BuildByPower power;
    power.brake = figures.result.lossesGiven;
    if (power.brake)
        power.watts = figures.result[DesignOutput::BrakePower];
    else if (figures.headline.accurate)
        power.watts = figures.headline.accurate->shaftPower;
    return power;
}

std::string BuildByText(const BuildByPower& power, const NumberSettings& numbers) {
    std::string text = power.brake ? "Brake power to build by: " : "Shaft power (accurate model): ";
    if (!power.watts || !std::isfinite(*power.watts)) return text + "not computed";
    if (std::abs(*power.watts) < kRunningPowerW) return text + "- (not running)";
    return text + ChartNumber(*power.watts, numbers) + " W";
}

BrakeChartSeries BrakeChartSeriesOf(const BrakeSpeedCurve& curve, const NumberSettings& numbers) {
    BrakeChartSeries s;
    s.title = "Brake power and torque against speed";
    s.speedAxisTitle = "Speed (RPM)";
    s.powerAxisTitle = "Brake power (W)";
    s.torqueAxisTitle = "Brake torque (N m)";
    s.power.name = "Brake power";
    s.torque.name = "Brake torque";
    for (const BrakeSpeedPoint& p : curve.points) {
        s.power.points.emplace_back(p.speed * kRpmPerRadS, p.brakePower);
        s.torque.points.emplace_back(p.speed * kRpmPerRadS, p.brakeTorque);
    }
    if (curve.points.empty()) s.note = "No settled run at any speed.";
    if (curve.loadTorque != 0 && !curve.points.empty()) {
        s.load.name = "Load torque";
        s.load.points = {{curve.points.front().speed * kRpmPerRadS, curve.loadTorque},
                         {curve.points.back().speed * kRpmPerRadS, curve.loadTorque}};
    }
    if (curve.running) {
        const double rpm = curve.running->speed * kRpmPerRadS;
        s.runningTorque.name = "Running point";
        s.note = "Runs at " + ChartNumber(rpm, numbers) + " RPM under the load of " +
                 ChartNumber(curve.loadTorque, numbers) + " N m";
        s.runningTorque.points = {{rpm, curve.running->brakeTorque}};
        s.runningPower.name = "Brake power at the running point";
        s.runningPower.points = {{rpm, curve.running->brakePower}};
    } else if (curve.loadTorque != 0 && !curve.points.empty()) {
        s.note = "The engine cannot run under this load: its torque never falls through it.";
    } else if (curve.loadTorque == 0 && !curve.points.empty()) {
        s.note = "No load torque is given: no running point.";
    }
    return s;
}

}  // namespace velmora
