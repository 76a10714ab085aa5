#include "model/compute_steps.h"

namespace velmora {

void RunComputeSteps(const ControlState& controls, ParameterSet& params, ComputeRecord& record,
                     const ComputeStepHooks& hooks) {
    record.inputs = ReadDesignInputs(controls, params, controls.outputs.numbers);
    record.analysis = AnalyzeEngine(params);
    if (hooks.analyzed) hooks.analyzed(params, record);
    if (hooks.simulate) hooks.simulate(params, record.inputs.changed);
    record.displacerLoss = ApplyDisplacerLoss(params);
}

}  // namespace velmora
