#pragma once

#include <initializer_list>

#include "simulation/simulation_state.h"

namespace velmora {

// A value axis as the window sets it: its range and a tick step that gives round labels.
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

}  // namespace velmora
