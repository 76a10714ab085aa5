#include "model/input_reading.h"

#include <cmath>

#include "model/number_text.h"

namespace velmora {

double ReadInput(std::string_view text, const char* message, std::vector<std::string>& report,
                 const NumberSettings& numbers) {
    if (std::optional<double> value = NumberTextValue(text, numbers)) return *value;
    if (message != nullptr) report.push_back(std::string("*** ") + message);
    return 0;
}

void StoreParameter(double& field, double value, bool& changed) {
    if (field != value) changed = true;
    field = value;
}

std::string DesignInputText(InputUnitKind kind, const OutputUnits& units, double si) {
    return UnitText(InputUnitFamily(kind), units, si);
}

InputRecord ReadDesignInputs(const ControlState& controls, ParameterSet& params,
                             const NumberSettings& numbers) {
    InputRecord record;
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
        record.undefined[i] =
            !typed || !InputUnitDefined(input.kind, control.units) || !std::isfinite(value);
        if (record.undefined[i]) value = 0;
        StoreParameter(params.*input.field, value, record.changed);
        if (input.half != nullptr) StoreParameter(params.*input.half, value / 2, record.changed);
    }
    params.RequiredEnginePower =
        NumberTextValue(controls.EditRequiredEnginePower, numbers).value_or(0);
    return record;
}

void ReadAllInputs(const ControlState& controls, ParameterSet& params,
                   std::vector<std::string>& report, const NumberSettings& numbers, bool& changed,
                   const DesignInputRead& afterEach) {
    const InputRecord record = ReadDesignInputs(controls, params, numbers);
    if (record.changed) changed = true;
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        if (record.undefined[i]) report.push_back(std::string("*** ") + kDesignInputs[i].message);
        if (afterEach) afterEach(kDesignInputs[i], params);
    }
}

}  // namespace velmora
