#include "form/input_reading.h"

#include <cmath>

#include "form/design_form.h"
#include "report/number_text.h"

namespace velmora {

double ReadInput(std::string_view text, const char* message, std::vector<std::string>& report,
                 const NumberSettings& numbers) {
    if (std::optional<double> value = NumberTextValue(text, numbers)) return *value;
    if (message != nullptr) report.push_back(std::string("*** ") + message);
    return 0;
}

std::string DesignInputText(InputUnitKind kind, const OutputUnits& units, double si) {
    return UnitText(InputUnitFamily(kind), units, si);
}

InputRecord ReadDesignInputs(const ControlState& controls, ParameterSet& params,
                             const NumberSettings& numbers) {
    ControlState read = controls;
    read.outputs.numbers = numbers;
    const DesignReading reading = ReadDesign(read);
    InputRecord record;
    record.undefined = reading.undefined;
    record.changed = StoreDesignInputs(reading.design, params);
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
