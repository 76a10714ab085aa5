#include "designspace/input_values.h"

#include "model/input_reading.h"
#include "model/number_settings.h"
#include "model/units.h"
#include "simulation/sensitivity_study.h"

namespace velmora {

namespace {

const DesignInput* DesignInputOf(const SweepInput& input) {
    for (const DesignInput& design : kDesignInputs)
        if (design.control == input.control) return &design;
    return nullptr;
}

// Inputs for which 0 is a design (no spring, spring centred at 0, no dead space); for every
// other input 0 means "not given".
bool ZeroIsAValue(const SweepInput& input) {
    return input.control == &ControlState::EditSpringConstant ||
           input.control == &ControlState::EditSpringCenter ||
           input.control == &ControlState::EditDeadSpaceVol;
}

}  // namespace

std::string BoundText(double value) {
    return TrialText(value, NumberSettings{});
}

std::string InputValueProblem(const SweepInput& input, int units, const char* end, double value) {
    const std::string named = std::string(end) + " (" + BoundText(value) + ")";
    if (value < 0) return named + " is below 0, which the input cannot hold";
    const DesignInput* design = DesignInputOf(input);
    if (design != nullptr && !ZeroIsAValue(input) && InputToSI(design->kind, units, value) <= 0)
        return named + " is not a value the input can hold in its unit";
    return {};
}

}  // namespace velmora
