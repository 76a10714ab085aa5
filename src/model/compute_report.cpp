#include "model/compute_report.h"

#include "model/input_reading.h"
#include "model/reference_check.h"

namespace velmora {

namespace {

// The reference of an input field whose report line is checked.
const ReferenceValue* InputReference(double ParameterSet::*field) {
    if (field == &ParameterSet::DispHalfStroke) return &reference::DispHalfStroke;
    if (field == &ParameterSet::DispMass) return &reference::DispMass;
    if (field == &ParameterSet::PistonHalfStroke) return &reference::PistonHalfStroke;
    if (field == &ParameterSet::DeadSpaceVol) return &reference::DeadSpaceVol;
    if (field == &ParameterSet::DeadSpaceTemp) return &reference::DeadSpaceTemp;
    if (field == &ParameterSet::HotTemp) return &reference::HotTemp;
    if (field == &ParameterSet::ColdTemp) return &reference::ColdTemp;
    if (field == &ParameterSet::MeanEnginePressure) return &reference::MeanEnginePressure;
    return nullptr;
}

void WriteInputLine(ReportWriter& memo1, const char* label, InputUnitKind kind,
                    double ParameterSet::*field, bool checked, const ParameterSet& params) {
    memo1.Add(label + DesignInputText(kind, memo1.Units(), params.*field));
    if (!checked) return;
    if (const ReferenceValue* ref = InputReference(field)) memo1.Check(*ref, params.*field);
}

}  // namespace

void WriteInputReport(const InputRecord& inputs, const ParameterSet& params, ReportWriter& memo1) {
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        const DesignInput& input = kDesignInputs[i];
        if (inputs.undefined[i]) memo1.Add(std::string("*** ") + input.message);
        WriteInputLine(memo1, input.label, input.kind, input.field, input.referenceChecked, params);
        if (input.halfLabel != nullptr) {
            WriteInputLine(memo1, input.halfLabel, input.kind, input.half,
                           input.halfReferenceChecked, params);
        }
    }
    if (params.RequiredEnginePower != 0) {
        memo1.Add(kRequiredEnginePowerLabel + PowerText(memo1.Units(), params.RequiredEnginePower));
    }
}

void WriteResultsReport(const ComputeRecord& record, const ParameterSet& params,
                        ReportWriter& memo2) {
    ReportSchmidtResults(params, memo2);
    ReportPVPowers(params, memo2);
    WriteDisplacerLoss(record.displacerLoss, params, memo2);
}

}  // namespace velmora
