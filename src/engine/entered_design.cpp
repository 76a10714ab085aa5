#include "engine/entered_design.h"

#include <charconv>
#include <cmath>

namespace velmora {

std::optional<double> TypedTrialValue(double value) {
    // The text a trial is typed as has no sign: a value below 0 (or -0) is not a number there.
    if (!std::isfinite(value) || std::signbit(value)) return std::nullopt;
    // Decimal rounding of a double is exact only through its decimal digits.
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc()) return 0.0;  // the text "0"
    double rounded = 0;
    const auto [ptr, readError] = std::from_chars(buffer, end, rounded);
    if (readError != std::errc() || ptr != end) return std::nullopt;
    return rounded;
}

namespace {

void SetTypedInput(Design& design, const DesignInput& input, int units,
                   const std::optional<double>& typed) {
    // The required power has no unit choice: it is typed in watts.
    const double si = !typed                      ? 0
                      : input.unitsKey == nullptr ? *typed
                                                  : InputToSI(input.kind, units, *typed);
    const bool given = typed &&
                       (input.unitsKey == nullptr || InputUnitDefined(input.kind, units)) &&
                       std::isfinite(si);
    design[input] = given ? si : 0;
}

}  // namespace

void SetInputInUnit(Design& design, const DesignInput& input, int units, double value) {
    SetTypedInput(design, input, units, TypedTrialValue(value));
}

void SetExactInputInUnit(Design& design, const DesignInput& input, int units, double value) {
    const bool holdable = std::isfinite(value) && value >= 0 && !std::signbit(value);
    SetTypedInput(design, input, units, holdable ? std::optional<double>(value) : std::nullopt);
}

}  // namespace velmora
