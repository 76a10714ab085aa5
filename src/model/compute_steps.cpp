#include "model/compute_steps.h"

#include "form/design_form.h"

namespace velmora {

void RunComputeSteps(const Design& design, ParameterSet& params, ComputeRecord& record,
                     const ComputeStepHooks& hooks) {
    record.inputs.changed = StoreDesignInputs(design, params);
    record.analysis = AnalyzeEngine(params);
    if (hooks.analyzed) hooks.analyzed(params, record);
    if (hooks.simulate) hooks.simulate(params, record.inputs.changed);
    record.displacerLoss = ApplyDisplacerLoss(params);
}

void RunComputeSteps(const DesignReading& reading, ParameterSet& params, ComputeRecord& record,
                     const ComputeStepHooks& hooks) {
    record.inputs.undefined = reading.undefined;
    RunComputeSteps(reading.design, params, record, hooks);
}

}  // namespace velmora
