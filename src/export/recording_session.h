#pragma once

#include "export/cycle_record.h"
#include "session/engine_session.h"

namespace velmora {

// An engine session that keeps every graphed step of its last simulation run, so that the
// exports can write all twelve quantities. The window's session and the command line's derive
// from it; both export from it alike.
class RecordingSession : public EngineSession {
  public:
    const CycleRecord& Record() const { return record_; }

    void RunSimulation(ParameterSet& params, const Design& design, const GraphSelection& graphs,
                       SimulationNotes& notes) override;
    void StepRecorded(std::int32_t stepCount, const StepValues& step) override;
    void CopyStartOf(const EngineSession& from) override;
    void TakeResultsOf(EngineSession&& run) override;

  private:
    CycleRecord record_;
};

}  // namespace velmora
