#include "export/recording_session.h"

#include <utility>

namespace velmora {

void RecordingSession::RunSimulation(ParameterSet& params, const Design& design,
                                     const GraphSelection& graphs, SimulationNotes& notes) {
    // A run starts its sample lists afresh; the record follows them.
    record_.clear();
    EngineSession::RunSimulation(params, design, graphs, notes);
}

void RecordingSession::StepRecorded(std::int32_t stepCount, const StepValues& step) {
    record_.push_back({stepCount, step});
}

// The record belongs with the sample lists: a run that does not simulate keeps both.
void RecordingSession::CopyStartOf(const EngineSession& from) {
    EngineSession::CopyStartOf(from);
    if (const auto* recording = dynamic_cast<const RecordingSession*>(&from))
        record_ = recording->record_;
}

void RecordingSession::TakeResultsOf(EngineSession&& run) {
    if (auto* recording = dynamic_cast<RecordingSession*>(&run))
        record_ = std::move(recording->record_);
    EngineSession::TakeResultsOf(std::move(run));
}

}  // namespace velmora
