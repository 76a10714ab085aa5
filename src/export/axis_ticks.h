#pragma once

#include <string>
#include <vector>

namespace velmora {

// The scale of one chart axis: its ends and the values that carry a tick label.
struct AxisTicks {
    double min = 0;
    double max = 1;
    double step = 1;
    std::vector<double> values;
    int decimals = 0;  // digits after the point that every label needs
};

// Round ticks (1, 2 or 5 times a power of ten) over [lo, hi]. An automatic axis widens its
// ends to whole steps; a fixed one keeps them. Equal or not-finite ends get a span of their own.
AxisTicks MakeAxisTicks(double lo, double hi, bool widenToSteps, int targetCount = 6);

// A tick value as an engineer writes it: fixed point, as many decimals as the step needs, "."
// as separator, never an exponent ("1200000", "0.0025", "-0.5").
std::string TickLabel(double value, int decimals);

}  // namespace velmora
