#include "export/model_revolution.h"

#include "simulation/cycle_model.h"

namespace velmora {

ModelRevolution RevolutionOfModel(const Design& design) {
    SettledRevolution settled = CycleModelOf(design.model).Revolution(design);
    ModelRevolution revolution;
    revolution.rows = std::move(settled.rows);
    revolution.offsetDeg = settled.offsetDeg;
    revolution.missingLine = std::string("# ") + settled.missing;
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
