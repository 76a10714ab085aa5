#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "headless_run.h"
#include "simulation/engine_session.h"
#include "simulation/sample_text.h"
#include "simulation/simulation_output.h"

namespace velmora::cli {
namespace {

// Keeps every graphed step with all twelve quantities, in recording order (the order of the
// sample lists).
class RecordingSession : public EngineSession {
  public:
    struct Row {
        std::int32_t stepCount;
        StepValues step;
    };
    void StepRecorded(std::int32_t stepCount, const StepValues& step) override {
        rows.push_back({stepCount, step});
    }
    std::vector<Row> rows;
};

constexpr const char* kQuantityColumns[kCurveItemCount] = {"Displacer Position (m)",
                                                           "Piston Position (m)",
                                                           "Hot Volume (m^3)",
                                                           "Cold Volume (m^3)",
                                                           "Total Volume (m^3)",
                                                           "Instantaneous Pressure (Pa)",
                                                           "Average Pressure (Pa)",
                                                           "Displacer Rod Pressure (Pa)",
                                                           "Spring Force (N)",
                                                           "Displacer Rod Force (N)",
                                                           "Displacer Acceleration (m/s^2)",
                                                           "Displacer Velocity (m/s)"};

}  // namespace

int RunSamplesCommand(const std::string& file, std::ostream& out, std::ostream& err) {
    RecordingSession session;
    if (!LoadAndCompute(file, session, err)) return 2;
    const SimulationState& sim = session.Sim;

    out << "step," << (XAxisInDegrees(session.State.XAxisRG) ? "x (deg)" : "x (s)")
        << ",SampleDispPos (m),SamplePistonPos (m),SamplePressure (Pa),SampleTotalVolume (m^3)";
    for (const char* column : kQuantityColumns) out << ',' << column;
    out << '\n';

    // Rows only for recorded steps: the driver's placeholder samples are not steps. A pending
    // compute would have recorded a second run; a headless session has none.
    const std::size_t count = std::min(session.rows.size(), sim.SampleX.size());
    for (std::size_t i = 0; i < count; ++i) {
        const RecordingSession::Row& row = session.rows[session.rows.size() - count + i];
        out << row.stepCount << ',' << SampleText(sim.SampleX[i]) << ','
            << SampleText(sim.SampleDispPos[i]) << ',' << SampleText(sim.SamplePistonPos[i]) << ','
            << SampleText(sim.SamplePressure[i]) << ',' << SampleText(sim.SampleTotalVolume[i]);
        for (int q = 0; q < kCurveItemCount; ++q)
            out << ',' << SampleText(CurveQuantity(q, row.step));
        out << '\n';
    }
    return 0;
}

}  // namespace velmora::cli
