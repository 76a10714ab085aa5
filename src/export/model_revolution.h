#pragma once

#include <string>

#include "engine/design.h"
#include "export/cycle_csv.h"
#include "export/cycle_record.h"
#include "form/control_state.h"

namespace velmora {

// The revolution a design's energy figures come from under the model it chooses, as cycle
// rows: the accurate run's settled revolution (step count = crank degree, 0 to 359), or the
// one-degree run's last graphed revolution (360 steps).
struct ModelRevolution {
    CycleRecord rows;
    int offsetDeg = 0;  // x-axis offset of the rows' crank angles
    // Without rows, why: "# not settled (cycle limit reached)", "# no graphed cycle ...".
    std::string missingLine;
};

ModelRevolution RevolutionOfModel(const Design& design);

// The last revolution (360 steps) of a record; all of it when it is shorter.
CycleRecord LastRevolution(const CycleRecord& record);

// The revolution in the columns of the cycle CSV.
std::string RevolutionCsv(const ModelRevolution& revolution, const ControlState& controls,
                          CsvUnits units);

}  // namespace velmora
