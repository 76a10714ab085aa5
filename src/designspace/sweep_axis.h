#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designspace/sweep_inputs.h"

namespace velmora {

// One varied input: its values run from `from` to `to` (in the unit chosen for the input) in
// `points` steps, evenly or on a logarithmic scale.
struct SweepAxis {
    const SweepInput* input = nullptr;
    double from = 0;
    double to = 0;
    int points = 1;
    bool log = false;
};

// The most designs one sweep may hold.
inline constexpr long long kMaxSweepDesigns = 1000000;

// The axis values, first `from` and (for two points or more) last exactly `to`.
std::vector<double> AxisValues(const SweepAxis& axis);
// The same as numpy.linspace computes a linear axis, from + i * ((to - from) / (points - 1)),
// last exactly `to`, so that the values compare equal to numpy's; a log axis as AxisValues.
std::vector<double> LinspaceAxisValues(const SweepAxis& axis);

// A number as the command line and the window's range fields take it: '.' decimals, optional
// exponent, nothing else; empty when it is not a finite number.
std::optional<double> ParseRangeNumber(std::string_view text);

// Why an axis cannot be swept ("points must be at least 1", ...), empty when it can.
std::string AxisProblem(const SweepAxis& axis);

// "SECTION.KEY=FROM:TO:N[:log]" as an axis, or the reason it is not one in `problem`.
std::optional<SweepAxis> ParseVary(std::string_view text, std::string& problem);

// Why a set of axes cannot be swept (none, more than two, the same input twice, too many
// designs), empty when it can.
std::string AxesProblem(const std::vector<SweepAxis>& axes);

}  // namespace velmora
