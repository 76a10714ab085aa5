#pragma once

#include <array>
#include <string>

#include "presentation/shown_run.h"
#include "report/unit_text.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The titles of one chart; an empty text leaves the chart's own.
struct ChartTitles {
    std::string Title;
    std::string LeftAxisTitle;
    std::string RightAxisTitle;
    std::string BottomAxisTitle;
};

// Axis title ("Hot Volume (mm ^3)"), title word ("Hot Volume") and " and" text
// (" and Hot Volume") of a graphable quantity.
std::string CurveAxisTitle(int choice, const OutputUnits& units);
std::string CurveTitleWord(int choice);
std::string CurveAndText(int choice);

// The titles of MainChart and of its copy MainChartA (the two always show the same), with the
// phase of the animation's standing frame on the bottom axis.
ChartTitles MainChartTitles(const GraphChoices& graphs);

// The axis titles of PVChart.
ChartTitles PVChartTitles(const GraphChoices& graphs);

// The caption of lDeltaTee, three lines joined by CR LF; empty before the first run.
std::string TimeIncrementCaption(const GraphChoices& graphs);

// The title and right-axis title of Chart3.
std::string PowerCurveTitle(const PowerCurve& curve);
std::string PowerCurveRightAxisTitle(const PowerCurve& curve);

// The caption of lDwell and lDwellA, and the three report lines of the same cycle summary;
// empty before the first graphed cycle.
std::string CycleSummaryCaption(const SimulationState& sim);
std::array<std::string, 3> CycleSummaryReportLines(const SimulationState& sim);

}  // namespace velmora
