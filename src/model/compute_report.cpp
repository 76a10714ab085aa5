#include "model/compute_report.h"

#include "form/input_reading.h"
#include "report/reference_check.h"

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

namespace {

std::string DwellDegrees(const CycleSummary& s) {
    return std::to_string(s.DwellHi) + "/" + std::to_string(s.DwellLo) + " degrees";
}
std::string DwellPercent(const CycleSummary& s) {
    return std::to_string(s.DwellHiPercent) + "/" + std::to_string(s.DwellLoPercent) + " %";
}
std::string PressureShares(const CycleSummary& s) {
    return std::to_string(s.PressureAbovePercent) + "/" + std::to_string(s.PressureBelowPercent) +
           " %";
}

}  // namespace

std::array<std::string, 3> CycleSummaryLines(const CycleSummary& s) {
    return {"    Dwells (Hi/Lo): " + DwellDegrees(s), "    Dwells (Hi/Lo): " + DwellPercent(s),
            "    Integrated Pressure (Hi/Lo): " + PressureShares(s)};
}

std::string CycleSummaryLabel(const CycleSummary& s) {
    return "Dwells (Hi/Lo): " + DwellDegrees(s) + "; " + DwellPercent(s) +
           "; pressure: " + PressureShares(s);
}

void WriteSimulationNotes(const SimulationNotes& notes, ReportWriter& memo2) {
    if (notes.countsLimited) {
        const std::string limit = std::to_string(kMaxCycleCount);
        memo2.Add("!!! Cycle counts above " + limit + " are taken as " + limit);
    }
    if (notes.leakAdjusted) {
        std::string line = "    Adjusted Mean Engine Pressure (Leak): " +
                           PressureText(memo2.Units(), notes.adjustedPressure);
        line += notes.equilibrated ? " in " + std::to_string(notes.leakCycles) + " cycles"
                                   : "; never equilibrated";
        memo2.Add(std::move(line));
    }
    if (!notes.summaryReported) return;
    if (notes.summary) {
        for (std::string& line : CycleSummaryLines(*notes.summary)) memo2.Add(std::move(line));
    } else {
        for (int i = 0; i < 3; ++i) memo2.Add("");
    }
}

void WriteResultsReport(const ComputeRecord& record, const ParameterSet& params,
                        ReportWriter& memo2) {
    ReportSchmidtResults(params, memo2);
    ReportPVPowers(params, memo2);
    WriteDisplacerLoss(record.displacerLoss, params, memo2);
}

}  // namespace velmora
