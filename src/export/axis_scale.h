#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "presentation/shown_run.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The scale of one chart axis, the same on screen and in every exported figure: its range,
// the tick step and the decimals its labels need. The window's chart axes and the exported
// charts both take their scales and ticks from here.
struct AxisScale {
    double min = 0;
    double max = 1;
    double step = 0.2;
    int decimals = 1;  // digits after the decimal point that the labels need
};

// A round tick step (1, 2 or 5 times a power of ten) that cuts `span` into about five parts.
double NiceStep(double span);

// The fixed range as given, or for an automatic axis the data's extent widened to whole tick
// steps. No data gives 0 to 1; a flat curve gets a band around its value.
AxisScale ScaleFor(const AxisRange& range, std::initializer_list<const PointSeries*> data);

// The x extent of the data exactly (the curves start at their first step), with round ticks.
AxisScale BottomScaleFor(std::initializer_list<const PointSeries*> data);

// An automatic scale over [low, high] widened to whole tick steps.
AxisScale AutoScale(double low, double high);

// The same range with the tick step raised through 1, 2, 5 times a power of ten until at most
// `maxSteps` steps span it, so that the labels of a narrow axis do not run into each other.
AxisScale WithAtMostSteps(const AxisScale& scale, int maxSteps);

// Whether the axis has a tick at every step (at most 50 of them); otherwise it has five
// evenly spaced ticks, from end to end.
bool TicksAtSteps(const AxisScale& scale);

// Where the ticks at every step are anchored: a hair above 0, so that a tick near zero never
// reads "-0.0" from rounding.
double TickAnchor(const AxisScale& scale);

// The values that carry a tick, as the window's chart axis places them: from the anchor on
// in whole steps, within [min, max] (the step added up as the axis adds it, so an end that is
// a whole step sits a hair short of its tick and goes without one).
std::vector<double> TickValues(const AxisScale& scale);

// The scale of a colour bar over [low, high]: widened to whole round steps, with 4 to 6 of them
// where any round step allows, so that 5 to 7 ticks are labelled.
AxisScale ColourBarScale(double low, double high);

// Every step of a scale from min to max, both ends included (at most 1000).
std::vector<double> ScaleStepValues(const AxisScale& scale);

// A tick value as an engineer writes it: fixed point with the scale's decimals, "." as
// separator, no grouping, never an exponent, never "-0" ("1200000", "0.0025", "-0.5").
std::string TickLabel(double value, int decimals);

// A tick label of a figure: TickLabel grouped in threes with "," as the window's charts and
// reports write their numbers ("5,000,000", "-1,250.5", "0.0025").
std::string GroupedTickLabel(double value, int decimals);

// How many pixels a volume label takes in the window: a pressure/volume chart has at most
// its width in these as bottom steps.
inline constexpr int kVolumeLabelPixels = 75;

// The three scales of a chart figure.
struct ChartScales {
    AxisScale bottom;
    AxisScale left;
    AxisScale right;
};

// The main graph: the red curve on the left axis, the blue one on the right.
ChartScales MainChartScales(const ChartSetup& setup, const PointSeries& red,
                            const PointSeries& blue);

// The pressure/volume diagram of a chart `widthPixels` wide (in the window's pixels).
ChartScales PvChartScales(const ShownRun& sim, int widthPixels);

// The power curve: power on the left, phase or torque on the right from 0.
ChartScales PowerChartScales(const PowerCurve& curve);

}  // namespace velmora
