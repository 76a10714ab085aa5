#include "form/design_form.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "form/input_controls.h"
#include "form/input_reading.h"
#include "report/number_text.h"

namespace velmora {

DesignReading ReadDesign(const ControlState& controls) {
    DesignReading reading;
    Design& design = reading.design;
    const NumberSettings& numbers = controls.outputs.numbers;
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        const DesignInput& input = kDesignInputs[i];
        const InputControl& control = InputField(controls, input);
        const std::optional<double> typed = NumberTextValue(control.text, numbers);
        // A text that is not a number holds 0 whatever its unit box shows: an empty
        // temperature in "C" must stay 0 K (not given), not become 273 K.
        double value = typed ? InputToSI(input.kind, control.units, *typed) : 0;
        // A number without a unit (a file's MassUnits=99 selects no item) has no value, and a
        // huge number can overflow in its conversion (1e308 in "F"); an infinite value would
        // poison every later step. Both count as not given.
        reading.undefined[i] =
            !typed || !InputUnitDefined(input.kind, control.units) || !std::isfinite(value);
        design[input] = reading.undefined[i] ? 0 : value;
    }
    for (std::size_t i = kDesignInputs.size(); i < kInputs.size(); ++i)
        design[kInputs[i]] = NumberTextValue(InputText(controls, kInputs[i]), numbers).value_or(0);

    design.model = controls.Integration;
    design.displacerWeight = controls.GravityCB;
    design.pressureEqualization = controls.LeakCB;
    design.schedule = ReadCycleSchedule(controls);
    design.curvesChosen = ClampChoice(controls.RedGraphRG, kCurveItemCount) != kNoChoice &&
                          ClampChoice(controls.BlueGraphRG, kCurveItemCount) != kNoChoice;
    design.units = controls.outputs;
    design.losses = ReadLossInputs(controls.lossTexts).inputs;
    return reading;
}

EnteredDesign EnterDesign(const ControlState& controls) {
    EnteredDesign entered{.design = ReadDesign(controls).design};
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        const InputControl& control = InputField(controls, kDesignInputs[i]);
        entered.units[i] = control.units;
        entered.entered[i] = NumberTextValue(control.text, controls.outputs.numbers);
    }
    return entered;
}

std::array<std::string, kDesignInputs.size()> EnteredTexts(const ControlState& controls) {
    std::array<std::string, kDesignInputs.size()> texts;
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i)
        texts[i] = InputField(controls, kDesignInputs[i]).text;
    return texts;
}

int ReadWholeNumber(std::string_view text, int whenEmpty, int whenNotWhole) {
    if (text.empty()) return whenEmpty;
    std::string_view digits = text;
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') return whenNotWhole;
    long long value = 0;
    const auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || ptr != digits.data() + digits.size()) return whenNotWhole;
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return whenNotWhole;
    return static_cast<int>(value);
}

CycleSchedule ReadCycleSchedule(const ControlState& controls) {
    CycleSchedule schedule;
    schedule.ComputeCycles = ReadWholeNumber(controls.ComputeCycleCountEdit, -1, 1);
    schedule.GraphCycles = ReadWholeNumber(controls.GraphCycleCountEdit, -1, 1);
    schedule.MaxAutoCycles = ReadWholeNumber(controls.MaxGraphCycleCountEdit, 10, 10);
    schedule.XAxisOffsetDeg = ReadWholeNumber(controls.EditXAxisOffset, 0, 0);
    return schedule;
}

}  // namespace velmora
