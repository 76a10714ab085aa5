#include "model/design_form.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "model/input_reading.h"
#include "model/number_text.h"

namespace velmora {

DesignReading ReadDesign(const ControlState& controls) {
    DesignReading reading;
    Design& design = reading.design;
    const NumberSettings& numbers = controls.outputs.numbers;
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        const DesignInput& input = kDesignInputs[i];
        const InputControl& control = controls.*input.control;
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
        design[kInputs[i]] = NumberTextValue(controls.*kInputs[i].text, numbers).value_or(0);

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
    const double si = !typed                     ? 0
                      : input.control == nullptr ? *typed
                                                 : InputToSI(input.kind, units, *typed);
    const bool given = typed && (input.control == nullptr || InputUnitDefined(input.kind, units)) &&
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

bool StoreDesignInputs(const Design& design, ParameterSet& params) {
    bool changed = false;
    for (const DesignInput& input : kDesignInputs) {
        StoreParameter(params.*input.field, design[input], changed);
        if (input.half != nullptr) StoreParameter(params.*input.half, design[input] / 2, changed);
    }
    for (std::size_t i = kDesignInputs.size(); i < kInputs.size(); ++i)
        params.*kInputs[i].field = design[kInputs[i]];
    return changed;
}

}  // namespace velmora
