#include "export/recording_session.h"

namespace velmora {

void RecordingSession::RunSimulation(ParameterSet& params, const Design& design,
                                     const ControlState& controls, SimulationNotes& notes) {
    // A run starts its sample lists afresh; the record follows them.
    record_.clear();
    EngineSession::RunSimulation(params, design, controls, notes);
}

void RecordingSession::StepRecorded(std::int32_t stepCount, const StepValues& step) {
    record_.push_back({stepCount, step});
}

}  // namespace velmora
