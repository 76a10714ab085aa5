#include "export/model_revolution.h"

#include "export/recording_session.h"
#include "simulation/accurate_revolution.h"
#include "simulation/cycle_simulation.h"
#include "simulation/design_energy.h"

namespace velmora {

ModelRevolution RevolutionOfModel(const ControlState& controls, const std::string& fileName) {
    ModelRevolution revolution;
    if (controls.Integration == IntegrationModel::Accurate) {
        const AccurateRevolution accurate = AccurateRevolutionOf(controls);
        for (std::size_t i = 0; i < accurate.steps.size(); ++i)
            revolution.rows.push_back({static_cast<std::int32_t>(i), accurate.steps[i]});
        revolution.missingLine = std::string("# ") + OutcomeText(accurate.outcome);
        return revolution;
    }
    RecordingSession session;
    session.State = controls;
    session.Driver.LoadedFileName = fileName;
    session.Compute(true, true);
    revolution.rows = LastRevolution(session.Record());
    revolution.offsetDeg = ReadCycleSchedule(controls).XAxisOffsetDeg;
    revolution.missingLine = kNoGraphedCycleLine;
    return revolution;
}

CycleRecord LastRevolution(const CycleRecord& record) {
    constexpr std::size_t kStepsPerRevolution = 360;
    if (record.size() <= kStepsPerRevolution) return record;
    return CycleRecord(record.end() - kStepsPerRevolution, record.end());
}

std::string RevolutionCsv(const ModelRevolution& revolution, const ControlState& controls,
                          CsvUnits units) {
    return CycleCsv(revolution.rows, controls, units, revolution.offsetDeg, revolution.missingLine);
}

}  // namespace velmora
