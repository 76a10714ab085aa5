#include "session/sensitivity_study.h"

#include <charconv>
#include <optional>

#include "form/input_controls.h"
#include "report/number_text.h"

namespace velmora {

namespace {

constexpr std::size_t kNameWidth = 25;

}  // namespace

const std::vector<StudyInput>& StudyInputs() {
    static const std::vector<StudyInput> inputs = [] {
        std::vector<StudyInput> studied;
        for (const DesignInput& input : kInputs)
            if (input.studied)
                studied.push_back({FormColumn(input).control, input.editName, input.name});
        return studied;
    }();
    return inputs;
}

std::string PaddedStudyName(const StudyInput& input) {
    std::string name = input.name;
    if (name.size() < kNameWidth) name.append(kNameWidth - name.size(), ' ');
    return name;
}

void SensitivityStudy::Run(StudyTarget& target) {
    target.ClearMemo3();
    BaselineSchmidtPower = target.SchmidtPower();
    target.AppendMemo3("Evaluating 10% change in design parameters.");
    target.AppendMemo3("One moment please...");
    if (BaselineSchmidtPower == 0) {
        // A gain over nothing has no percentage.
        target.AppendMemo3("No Schmidt power to improve: the estimate is " +
                           PowerText(target.Units(), 0) + ".");
    } else {
        for (const StudyInput& input : StudyInputs()) EvaluateParameter(target, input);
    }
    target.AppendMemo3("Evaluation complete!");
    target.Compute(true, true);
}

void SensitivityStudy::EvaluateParameter(StudyTarget& target, const StudyInput& input) {
    const NumberSettings numbers = target.Units().numbers;
    const std::string former = target.FieldText(input);
    const std::optional<double> value = NumberTextValue(former, numbers);
    if (!value) return;

    const std::string name = PaddedStudyName(input);
    target.SetSuggesting("Evaluating " + name + "...");
    for (const double factor : {1.1, 0.9}) {
        target.SetFieldText(input, TrialText(*value * factor, numbers));
        target.StopChangeTimer();
        target.Compute(true, false);

        const double power = target.SchmidtPower();
        const long long percent =
            RoundHalfEven((power - BaselineSchmidtPower) * 100 / BaselineSchmidtPower);
        if (percent > 0 && power > BaselineSchmidtPower) {
            const OutputUnits units = target.Units();
            target.AppendMemo3((factor > 1 ? "Increase " : "Decrease ") + name + " ([" +
                               PadLeft(std::to_string(percent), 3) + " %] power " +
                               PowerText(units, BaselineSchmidtPower) + " ==> " +
                               PowerText(units, power) + ")");
        }
    }
    target.SetFieldText(input, former);
    target.StopChangeTimer();
    target.SetSuggesting("");
}

}  // namespace velmora
