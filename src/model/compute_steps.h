#pragma once

#include <functional>

#include "engine/design.h"
#include "engine/parameter_set.h"
#include "form/design_form.h"
#include "form/input_reading.h"
#include "report/analysis_report.h"

namespace velmora {

// What the steps of a compute run leave beside the parameter set: everything its report is
// written from.
struct ComputeRecord {
    InputRecord inputs;
    AnalysisRecord analysis;
    DisplacerLoss displacerLoss;
};

// Where a caller joins the steps. Every member may be left empty.
struct ComputeStepHooks {
    // Right after the analysis, before the simulation changes the mean pressure: the inputs
    // and the analysis are in `record`.
    std::function<void(const ParameterSet& params, const ComputeRecord& record)> analyzed;
    // The cycle simulation: sets the PV powers (and with a leak, the mean pressure).
    std::function<void(ParameterSet& params, bool inputsChanged)> simulate;
};

// The one sequence of a compute run: inputs, analysis, simulation, displacer loss. The
// window's compute driver, the command line and the design evaluator all run it; only the
// driver writes a report, from `record` and `params` (compute_report.h). Which inputs were not
// defined is the reading's (design_form.h): the caller puts it in record.inputs beforehand.
void RunComputeSteps(const Design& design, ParameterSet& params, ComputeRecord& record,
                     const ComputeStepHooks& hooks);

// The same for a design read from the window's form, its undefined inputs recorded.
void RunComputeSteps(const DesignReading& reading, ParameterSet& params, ComputeRecord& record,
                     const ComputeStepHooks& hooks);

}  // namespace velmora
