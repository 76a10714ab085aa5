#include "designspace/input_values.h"

#include <utility>

#include "report/number_settings.h"
#include "report/number_text.h"
#include "report/unit_text.h"

namespace velmora {

std::string BoundText(double value) {
    return TrialText(value, NumberSettings{});
}

std::string InputValueProblem(const SweepInput& input, int units, const char* end, double value) {
    const std::string named = std::string(end) + " (" + BoundText(value) + ")";
    if (value < 0) return named + " is below 0, which the input cannot hold";
    if (!input.input->zeroIsAValue && InputToSI(input.input->kind, units, value) <= 0)
        return named + " is not a value the input can hold in its unit";
    return {};
}

std::string AxisValuesProblem(const SweepAxis& axis, const EnteredDesign& base) {
    const int units = base.UnitOf(*axis.input->input);
    for (const auto& [end, value] : {std::pair{"FROM", axis.from}, std::pair{"TO", axis.to}})
        if (std::string why = InputValueProblem(*axis.input, units, end, value); !why.empty())
            return std::string(axis.input->key) + ": " + why;
    return {};
}

}  // namespace velmora
