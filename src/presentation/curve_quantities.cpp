#include "presentation/curve_quantities.h"

#include <cmath>

namespace velmora {

double CurveQuantity(int choice, const StepValues& step) {
    return ClampChoice(choice, kCurveItemCount) != kNoChoice ? step.*kCurveQuantities[choice].value
                                                             : 0;
}

double CurveValue(int choice, const StepValues& step, const OutputChoices& units) {
    if (ClampChoice(choice, kCurveItemCount) == kNoChoice) return 0;
    const double value =
        ToOutput(kCurveQuantities[choice].family, units, step.*kCurveQuantities[choice].value);
    // An overflowing input (a value near the largest double) is shown as 0, not inf or NaN.
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace velmora
