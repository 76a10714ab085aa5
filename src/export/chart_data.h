#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/axis_scale.h"
#include "presentation/shown_run.h"
#include "simulation/simulation_state.h"

namespace velmora {

// One curve of a chart figure: a line, or square points without a line.
struct ChartCurve {
    std::string name;  // column title of "Copy Data"
    PointSeries points;
    std::uint32_t rgb = 0;  // 0xRRGGBB
    bool rightAxis = false;
    bool pointsOnly = false;
    bool faint = false;  // a held design's curve, drawn light under the live ones
};

// One line of a chart's legend: a sample of a curve's colour and the text beside it.
struct LegendEntry {
    std::string text;
    std::uint32_t rgb = 0;
    bool faint = false;
};

// What a chart figure shows, in the units the window shows it: plain data that the window and
// the command line draw and copy alike.
struct ChartData {
    std::string title;
    std::string bottomTitle;
    std::string leftTitle;
    std::string rightTitle;  // empty: no right axis
    // The axes as the window scales them, so that a figure shows the ticks the screen shows.
    ChartScales scales;
    // The bottom axis has at most as many steps as the figure's width holds volume labels.
    bool bottomStepsByWidth = false;
    std::vector<ChartCurve> curves;
    std::vector<LegendEntry> legend;  // empty: no legend
};

// The main graph (red curve left, blue right), the pressure/volume diagram and the power curve.
ChartData MainChartData(const ShownRun& sim);
ChartData PvChartData(const ShownRun& sim);
ChartData PowerChartData(const PowerCurve& curve);

// The chart's points as a table that pastes into a spreadsheet: the bottom axis title and the
// curves' names as header, then one line per point index, fields separated by `separator`.
std::string ChartDataTable(const ChartData& chart, char separator);

}  // namespace velmora
