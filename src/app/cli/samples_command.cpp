#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "export/recording_session.h"
#include "headless_run.h"
#include "simulation/sample_text.h"
#include "presentation/curve_quantities.h"

namespace velmora::cli {

const CommandUsage kSamplesUsage{
    "samples",
    {},
    {},
    "velmora-cli samples FILE",
    "Loads FILE, computes once and prints the graphed steps of the run as CSV: step count, the\n"
    "curves' x value, the four sample lists as stored, and the twelve quantities in SI units.\n"};

int RunSamplesCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const std::optional<CommandArgs> args = ParseCommandArgs(kSamplesUsage, words, err);
    if (!args) return 2;
    if (args->help) return PrintCommandHelp(kSamplesUsage, out);
    RecordingSession session;
    if (!LoadAndCompute(args->file, session, err)) return 2;
    const SimulationState& sim = session.Sim;

    out << "step," << (XAxisInDegrees(session.State.XAxisRG) ? "x (deg)" : "x (s)")
        << ",SampleDispPos (m),SamplePistonPos (m),SamplePressure (Pa),SampleTotalVolume (m^3)";
    for (const CurveQuantityRow& q : kCurveQuantities) out << ',' << q.siColumn;
    out << '\n';

    // Rows only for recorded steps: the driver's placeholder samples are not steps. A pending
    // compute would have recorded a second run; a headless session has none.
    const CycleRecord& rows = session.Record();
    const std::size_t count = std::min(rows.size(), sim.SampleX.size());
    for (std::size_t i = 0; i < count; ++i) {
        const CycleRow& row = rows[rows.size() - count + i];
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
