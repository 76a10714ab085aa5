// A whole compute run from an arbitrary parameter-file text, as Load Parameters does it: the
// file is loaded into the controls, one forced computation runs, and everything the window
// would show must be finite text. Cycle counts are capped here (not in the program) so that an
// input asking for millions of cycles does not stall the fuzzer; the program itself would run
// them, slowly but correctly. Input: a byte choosing the file name (a reference case or not),
// a byte choosing the event round at which the user changes the controls during the run (0:
// never), then the file's text.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "form/design_form.h"
#include "fuzz_checks.h"
#include "fuzz_files.h"
#include "persistence/parameter_file.h"
#include "presentation/chart_titles.h"
#include "session/engine_session.h"
#include "simulation/cycle_simulation.h"

namespace {

using velmora::EngineSession;
using velmora::fuzz::Check;
using velmora::fuzz::HasNonFiniteWord;

constexpr int kMaxCycles = 6;

// A window whose user acts while a run goes on: at the chosen cycle the controls change (the
// run goes on with the copy it started from), and another computation follows, as the change
// timer would ask for.
class ActingSession : public EngineSession {
  public:
    void CycleEnded() override {
        if (++rounds_ != actAtRound) return;
        State.GravityCB = !State.GravityCB;
        State.outputs.LengthOutputFormatRG = (State.outputs.LengthOutputFormatRG + 1) % 4;
        acted = true;
    }
    int actAtRound = 0;  // 0: never
    bool acted = false;

  private:
    int rounds_ = 0;
};

void CapCycleCounts(velmora::ControlState& state) {
    const velmora::CycleSchedule schedule = velmora::ReadCycleSchedule(state);
    if (schedule.ComputeCycles > kMaxCycles) state.ComputeCycleCountEdit = "6";
    if (schedule.GraphCycles > kMaxCycles) state.GraphCycleCountEdit = "6";
    if (schedule.MaxAutoCycles > kMaxCycles) state.MaxGraphCycleCountEdit = "6";
}

void CheckLines(const std::vector<std::string>& lines, const char* what) {
    for (const std::string& line : lines) {
        Check(!HasNonFiniteWord(line), what, line);
        Check(line.find("Unable to complete the computation") == std::string::npos,
              "no part of the run throws", line);
    }
}

void CheckPoints(const velmora::PointSeries& series, const char* what) {
    for (const velmora::PlotPoint& point : series) {
        Check(std::isfinite(point.x) && std::isfinite(point.y), what);
    }
}

void CheckSession(const EngineSession& session) {
    const velmora::ComputeDriver& driver = session.Driver;
    CheckLines(driver.Memo1, "input report lines are finite text");
    CheckLines(driver.Memo2, "computed report lines are finite text");

    const velmora::ShownRun& sim = session.Sim;
    const std::size_t samples = sim.SampleX.size();
    Check(samples >= 1, "every sample list has an entry");
    Check(sim.SampleDispPos.size() == samples && sim.SamplePistonPos.size() == samples &&
              sim.SamplePressure.size() == samples && sim.SampleTotalVolume.size() == samples,
          "the sample lists have one entry per step each");
    for (const auto* list : {&sim.SampleX, &sim.SampleDispPos, &sim.SamplePistonPos,
                             &sim.SamplePressure, &sim.SampleTotalVolume}) {
        for (const double value : *list) Check(std::isfinite(value), "samples are finite");
    }
    const std::array<std::string, 3> summary = velmora::CycleSummaryReportLines(sim);
    const velmora::ChartTitles main = velmora::MainChartTitles(sim.Graphs);
    CheckLines(
        {summary[0], summary[1], summary[2], velmora::CycleSummaryCaption(sim),
         velmora::TimeIncrementCaption(sim.Graphs), main.Title, main.LeftAxisTitle,
         main.RightAxisTitle, main.BottomAxisTitle,
         velmora::PVChartTitles(sim.Graphs).LeftAxisTitle, velmora::PowerCurveTitle(sim.Chart3)},
        "labels and titles are finite text");
    for (const auto* series :
         {&sim.Series1, &sim.Series2, &sim.Series3, &sim.Series1a, &sim.Series2a, &sim.Series3a,
          &sim.PVPhaseSeries, &sim.Chart3.PowerSeries, &sim.Chart3.PhaseOrTorqueSeries}) {
        CheckPoints(*series, "chart points are finite");
    }
    for (const velmora::ColoredPoint& point : sim.PVSeries) {
        Check(std::isfinite(point.x) && std::isfinite(point.y), "PV points are finite");
    }
}

const char* FileNameFor(unsigned char choice) {
    switch (choice % 3) {
        case 1:
            return "KESTMORE.RBP";
        case 2:
            return "BRANDOCK TAPPER.RBP";
        default:
            return "engine.RBP";
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    velmora::fuzz::FuzzInput input(data, size);
    const std::string path = velmora::fuzz::Scratch().File(FileNameFor(input.TakeByte()));
    ActingSession session;
    session.actAtRound = input.TakeByte() % 8;
    if (!velmora::fuzz::WriteScratchFile(path, input.Rest())) return 0;

    session.Driver.Loading = true;
    velmora::LoadParameterFile(path, session.State);
    session.Driver.Loading = false;
    CapCycleCounts(session.State);
    session.Driver.LoadedFileName = path;

    session.Compute(true, true);
    if (session.acted) session.Compute(true, true);
    CheckSession(session);
    // A request during the run is served by exactly one more run, from the controls as they
    // are by then.
    Check(session.Driver.RunCount() == (session.acted ? 2 : 1), "a deferred request runs once");
    const std::vector<std::string> firstInputs = session.Driver.Memo1;
    if (session.acted) {
        EngineSession fresh;
        fresh.State = session.State;
        fresh.Driver.LoadedFileName = path;
        fresh.Compute(true, true);
        Check(fresh.Driver.Memo1 == firstInputs, "the deferred run reads the changed controls");
    }

    // The next run starts from what this one left behind and must be as sound.
    session.actAtRound = 0;
    session.Compute(true, true);
    CheckSession(session);
    Check(session.Driver.Memo1 == firstInputs, "the same inputs give the same input report");
    return 0;
}
