#include "presentation/run_graphs.h"

#include <cmath>

#include "presentation/curve_quantities.h"
#include "simulation/power_speed_curve.h"
#include "simulation/sample_text.h"

namespace velmora {
namespace {

// Overflowing inputs (values near the largest double) must not leak inf or NaN into a series
// or a sample text; such a value is shown as 0.
double Shown(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// The two positions, whose axes are fixed to plus and minus their half strokes.
constexpr int kDispPosition = 0;
constexpr int kPistonPosition = 1;

// Fixed to plus and minus the half stroke for the two positions, automatic otherwise.
AxisRange CurveAxisRange(int choice, const ParameterSet& params, const OutputChoices& units) {
    AxisRange range;
    double half = 0;
    if (choice == kDispPosition) {
        half = LengthToOutput(units, params.DispHalfStroke);
    } else if (choice == kPistonPosition) {
        half = LengthToOutput(units, params.PistonHalfStroke);
    } else {
        return range;
    }
    range.automatic = false;
    range.min = -Shown(half);
    range.max = Shown(half);
    return range;
}

}  // namespace

void ClearMainSeries(ShownRun& sim) {
    sim.Series1.clear();
    sim.Series1a.clear();
    sim.Series2.clear();
    sim.Series2a.clear();
    sim.Series3.clear();
    sim.Series3a.clear();
}

bool SetUpGraphs(ShownRun& sim, const ParameterSet& params, const GraphSelection& chosen,
                 double timeStep) {
    const OutputUnits& units = chosen.units;
    GraphChoices& graphs = sim.Graphs;
    graphs.timeIncrement = timeStep;
    graphs.timeIncrementNumbers = units.numbers;

    const int red = ClampChoice(chosen.red, kCurveItemCount);
    const int blue = ClampChoice(chosen.blue, kCurveItemCount);
    if (blue == kNoChoice) return false;
    graphs.right = CurveChoice{blue, units};
    if (red == kNoChoice) return false;

    graphs.left = CurveChoice{red, units};
    graphs.titleRight = blue;
    graphs.xAxisChoice = chosen.xAxis;
    graphs.phase.reset();
    sim.MainChart.LeftAxis = CurveAxisRange(red, params, units);
    sim.MainChart.RightAxis = CurveAxisRange(blue, params, units);
    sim.MainChartA = sim.MainChart;
    return true;
}

void PowerSpeedCurve(const ParameterSet& params, const GraphSelection& graphs, PowerCurve& curve,
                     SimulationHost& host) {
    PowerSpeedCurve(params, graphs.units, graphs.secondGraph == kPowerPhaseGraph, curve, host);
}

void ChosenGraphs::Begin() {
    ClearMainSeries(shown_);
    shown_.PVPhaseSeries.clear();
}

bool ChosenGraphs::SetUp(const ParameterSet& params, double timeStep) {
    return SetUpGraphs(shown_, params, graphs_, timeStep);
}

void ChosenGraphs::Restart() {
    ClearMainSeries(shown_);
}

void ChosenGraphs::Step(std::int32_t stepCount, const StepValues& step) {
    const int red = ClampChoice(graphs_.red, kCurveItemCount);
    const int blue = ClampChoice(graphs_.blue, kCurveItemCount);
    const double xValue =
        XAxisInDegrees(graphs_.xAxis) ? static_cast<double>(stepCount) : Shown(step.time);
    const PlotPoint bluePoint{xValue, CurveValue(blue, step, graphs_.units)};
    shown_.Series2.push_back(bluePoint);
    shown_.Series2a.push_back(bluePoint);
    const PlotPoint redPoint{xValue, CurveValue(red, step, graphs_.units)};
    shown_.Series1.push_back(redPoint);
    shown_.Series1a.push_back(redPoint);
    shown_.SampleX.push_back(RoundedSample(xValue));
}

void ChosenGraphs::DrawPowerCurve(const ParameterSet& params, SimulationHost& host) {
    PowerSpeedCurve(params, graphs_, shown_.Chart3, host);
}

}  // namespace velmora
