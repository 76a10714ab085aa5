#pragma once

#include <optional>
#include <string>
#include <vector>

#include "form/control_state.h"
#include "optimizer/optimize_problem.h"
#include "optimizer/optimize_run.h"
#include "optimizer/result_table.h"
#include "simulation/design_result.h"

namespace velmora::python {

// What velmora.optimize() returns: plain values, so that it pickles and compares.
struct OptimizeResult {
    Objective objective = Objective::PVPowerAtEngineSpeed;
    std::vector<Constraint> constraints;
    std::string status;
    // The best design meeting the constraints (the start's keys with the varied ones set),
    // empty when none does.
    std::optional<ControlState> best;
    DesignResult startResult;
    std::optional<DesignResult> bestResult;
    int evaluations = 0;
    std::vector<ProgressPoint> history;
    std::vector<ResultRow> table;
    std::string text;
};

bool operator==(const OptimizeResult& a, const OptimizeResult& b);

// Why there is no best design, naming each constraint with its margin and unit.
std::string NoBestMessage(const OptimizeResult& result);

}  // namespace velmora::python
