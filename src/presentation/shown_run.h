#pragma once

#include <optional>

#include "report/unit_text.h"
#include "simulation/simulation_state.h"

namespace velmora {

// A value axis: automatic, or fixed to [min, max].
struct AxisRange {
    bool automatic = true;
    double min = 0;
    double max = 0;
};

// The value-axis ranges of one chart, as the window copies them into its chart component.
// Its titles are made from GraphChoices (chart_titles.h).
struct ChartSetup {
    AxisRange LeftAxis;
    AxisRange RightAxis;
};

// A curve choice of the main graph with the output units its axis title names.
struct CurveChoice {
    int curve = 0;
    OutputUnits units;
};

// The sample the animation last showed, which the bottom-axis titles name while it stands.
struct PhaseMark {
    bool animating = false;
    int xAxisChoice = 0;  // XAxisRG when it was drawn
    double xv = 0;        // SampleX value
    NumberSettings numbers;
};

// What the graphs' titles and the time-increment caption are made of, as the runs set up their
// graphs. A run without a blue curve records only the time increment, one without a red curve
// also the blue one; the rest keeps what an earlier run recorded, and so do the titles.
struct GraphChoices {
    std::optional<double> timeIncrement;  // s, one degree of crank
    NumberSettings timeIncrementNumbers;
    std::optional<CurveChoice> right;  // the blue curve: right axes of MainChart and MainChartA
    // The red curve; with it the chart title (which also names `titleRight`), the bottom axis
    // and the pressure/volume axes, in its units.
    std::optional<CurveChoice> left;
    int titleRight = 0;
    int xAxisChoice = 0;  // XAxisRG
    // Set by the animation's frames, cleared when the red curve is chosen anew.
    std::optional<PhaseMark> phase;
};

// A run as the window shows it: the simulation's state and, beside it, what the charts draw of
// it (curves, fixed axis ranges, the animation's marks and what the titles are made of), which
// the window keeps between runs and copies into its chart components after each.
struct ShownRun : SimulationState {
    // Main graph (MainChart) and its copy on the design page (MainChartA), in output units.
    PointSeries Series1;   // red curve, left axis
    PointSeries Series2;   // blue curve, right axis
    PointSeries Series3;   // animation cursor line, left axis
    PointSeries Series1a;  // copy of Series1
    PointSeries Series2a;  // copy of Series2
    PointSeries Series3a;  // copy of the cursor line
    ChartSetup MainChart;
    ChartSetup MainChartA;

    // Pressure/volume diagram: its points are the simulation's PVSeries.
    PointSeries PVPhaseSeries;  // the animation's current point
    ChartSetup PVChart;
    GraphChoices Graphs;  // what the titles of the three charts and lDeltaTee are made of
};

}  // namespace velmora
