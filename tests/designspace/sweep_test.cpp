// Sweeps: ranges as typed on the command line, rows equal to the report of a file holding
// the row's texts, the same CSV whatever the thread count, and cancelling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "designspace/sweep_csv.h"
#include "designspace/sweep_run.h"
#include "form/design_form.h"
#include "form/input_controls.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"
#include "session/engine_session.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

SweepAxis Axis(const char* key, double from, double to, int points, bool log = false) {
    return {FindSweepInput(key), from, to, points, log};
}

std::string Problem(const std::string& vary) {
    std::string problem;
    EXPECT_FALSE(ParseVary(vary, problem).has_value()) << vary;
    return problem;
}

TEST(SweepAxis, ParsesRangesAndNamesWhatIsWrong) {
    std::string problem;
    const std::optional<SweepAxis> axis = ParseVary("Displacer.Mass=0.5:2e0:7:log", problem);
    ASSERT_TRUE(axis.has_value()) << problem;
    EXPECT_STREQ(axis->input->key, "Displacer.Mass");
    EXPECT_EQ(axis->from, 0.5);
    EXPECT_EQ(axis->to, 2);
    EXPECT_EQ(axis->points, 7);
    EXPECT_TRUE(axis->log);

    EXPECT_EQ(Problem("Piston.Stroke=1:2:0"), "points must be at least 1 in 'Piston.Stroke=1:2:0'");
    EXPECT_EQ(Problem("Piston.Stroke=1:2:-4"),
              "points must be at least 1 in 'Piston.Stroke=1:2:-4'");
    EXPECT_EQ(Problem("Piston.Stroke=1:2:1000001"),
              "N of 'Piston.Stroke=1:2:1000001' is more than 1000000 points");
    EXPECT_EQ(Problem("Piston.Stroke=1:x:3"),
              "FROM and TO of 'Piston.Stroke=1:x:3' must be numbers");
    EXPECT_EQ(Problem("Piston.Stroke=1,5:2:3"),
              "FROM and TO of 'Piston.Stroke=1,5:2:3' must be numbers");
    EXPECT_EQ(Problem("Piston.Stroke=nan:2:3"),
              "FROM and TO of 'Piston.Stroke=nan:2:3' must be numbers");
    EXPECT_EQ(Problem("Piston.Stroke=1:2:3.5"),
              "N of 'Piston.Stroke=1:2:3.5' must be a whole number");
    EXPECT_EQ(Problem("Piston.Strok=1:2:3"), "unknown input key 'Piston.Strok'");
    EXPECT_EQ(Problem("Piston.Stroke=0:2:3:log"),
              "a logarithmic range must not touch 0 in 'Piston.Stroke=0:2:3:log'");
    EXPECT_EQ(Problem("Piston.Stroke=-1:2:3:log"),
              "a logarithmic range must not touch 0 in 'Piston.Stroke=-1:2:3:log'");
    EXPECT_EQ(Problem("Piston.Stroke=1:2:3:lin"),
              "'Piston.Stroke=1:2:3:lin' is not SECTION.KEY=FROM:TO:N[:log]");
    EXPECT_EQ(Problem("Piston.Stroke"), "'Piston.Stroke' is not SECTION.KEY=FROM:TO:N[:log]");

    EXPECT_EQ(AxesProblem({}), "no input to vary");
    EXPECT_EQ(AxesProblem({Axis("Piston.Stroke", 1, 2, 1001), Axis("Hot.Temp", 1, 2, 1000)}),
              "more than 1000000 designs");
    EXPECT_EQ(AxesProblem({Axis("Piston.Stroke", 1, 2, 1000), Axis("Hot.Temp", 1, 2, 1000)}), "");
    EXPECT_EQ(AxesProblem({Axis("Hot.Temp", 1, 2, 3), Axis("Hot.Temp", 1, 2, 3)}),
              "the same input varied twice");
}

TEST(SweepAxis, ValuesRunFromFromToToEvenlyOrLogarithmically) {
    EXPECT_EQ(AxisValues(Axis("Hot.Temp", 100, 200, 5)),
              (std::vector<double>{100, 125, 150, 175, 200}));
    EXPECT_EQ(AxisValues(Axis("Hot.Temp", 100, 200, 1)), std::vector<double>{100});
    const std::vector<double> log = AxisValues(Axis("Hot.Temp", 1, 1000, 4, true));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], 1);
    EXPECT_NEAR(log[1], 10, 1e-12);
    EXPECT_NEAR(log[2], 100, 1e-10);
    EXPECT_EQ(log[3], 1000);
}

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The large reference engine with 3 computed cycles of which 1 is graphed.
ControlState LargeEngineForm() {
    ControlState form = test::LargeEngineControls();
    form.GraphCycleCountEdit = "1";
    return form;
}

SweepPlan LargeEnginePlan(std::vector<SweepAxis> axes) {
    SweepPlan plan;
    plan.base = EnterDesign(LargeEngineForm());
    plan.axes = std::move(axes);
    return plan;
}

// Everything a design holds beside its input values, compared field by field.
void ExpectSameSettings(const Design& a, const Design& b) {
    EXPECT_EQ(a.model, b.model);
    EXPECT_EQ(a.displacerWeight, b.displacerWeight);
    EXPECT_EQ(a.pressureEqualization, b.pressureEqualization);
    EXPECT_EQ(a.schedule.ComputeCycles, b.schedule.ComputeCycles);
    EXPECT_EQ(a.schedule.GraphCycles, b.schedule.GraphCycles);
    EXPECT_EQ(a.schedule.MaxAutoCycles, b.schedule.MaxAutoCycles);
    EXPECT_EQ(a.schedule.XAxisOffsetDeg, b.schedule.XAxisOffsetDeg);
    EXPECT_EQ(a.curvesChosen, b.curvesChosen);
}

// The large engine's piston is 114 mm across (0.114 m) and its stroke 140 mm, both typed in
// mm: a row of a piston-diameter axis is that design with 0.114 m replaced by its value / 1000
// and not one other number changed.
TEST(SweepRun, ARowIsTheBaseDesignWithTheVariedNumberInItsUnit) {
    const SweepPlan plan = LargeEnginePlan({Axis("Piston.Diameter", 100, 130, 4)});
    const Design& base = plan.base.design;
    const std::size_t piston = InputIndex(*FindSweepInput("Piston.Diameter")->input);
    EXPECT_DOUBLE_EQ(base.values[piston], 0.114);
    EXPECT_DOUBLE_EQ(base.values[InputIndex(*FindSweepInput("Piston.Stroke")->input)], 0.140);

    const SweepGrid grid(plan);
    ASSERT_EQ(grid.DesignCount(), 4u);
    const double expected[] = {0.100, 0.110, 0.120, 0.130};
    for (std::size_t k = 0; k < grid.DesignCount(); ++k) {
        const SweepRow row = grid.Row(plan, k);
        const Design design = DesignOfRow(plan, row.values);
        SCOPED_TRACE(row.texts[0] + " mm");
        for (std::size_t i = 0; i < design.values.size(); ++i) {
            if (i == piston) {
                EXPECT_DOUBLE_EQ(design.values[i], expected[k]);
            } else {
                EXPECT_EQ(design.values[i], base.values[i]) << kInputs[i].name;
            }
        }
        ExpectSameSettings(design, base);
    }

    // The same value typed into the form, read as the window reads it, is the same design.
    ControlState typed = LargeEngineForm();
    typed.EditPistonDiameter.text = "110";
    EXPECT_EQ(ReadDesign(typed).design.values, DesignOfRow(plan, {110}).values);
    // A second axis in another unit (the hot side in C, which the unit lists take from 273 K:
    // 500 C is 773 K) changes that input as well, and only it.
    SweepPlan two =
        LargeEnginePlan({Axis("Piston.Diameter", 100, 130, 4), Axis("Hot.Temp", 500, 600, 2)});
    const Design both = DesignOfRow(two, {120, 500});
    const std::size_t hot = InputIndex(*FindSweepInput("Hot.Temp")->input);
    EXPECT_DOUBLE_EQ(both.values[piston], 0.120);
    EXPECT_DOUBLE_EQ(both.values[hot], 773);
    for (std::size_t i = 0; i < both.values.size(); ++i) {
        if (i != piston && i != hot) EXPECT_EQ(both.values[i], base.values[i]) << kInputs[i].name;
    }
}

TEST(SweepRun, EachRowEqualsTheReportOfAFileHoldingItsTexts) {
    SweepRun run(LargeEnginePlan(
        {Axis("Displacer.Mass", 0.3, 3, 3, true), Axis("DisplacerSpring.Constant", 0, 3000, 3)}));
    run.Run(2);
    ASSERT_EQ(run.Completed(), 9u);
    testing::TempFolder folder;
    for (std::size_t k = 0; k < run.DesignCount(); ++k) {
        const SweepRow& row = run.Row(k);
        SCOPED_TRACE(row.texts[0] + " kg, " + row.texts[1] + " N/m");
        // The file the user would save with these texts, loaded and computed as the command
        // line's report does.
        const std::string file = folder.File("row.RBP");
        std::string error;
        ControlState typed = LargeEngineForm();
        for (std::size_t a = 0; a < row.texts.size(); ++a)
            InputField(typed, *run.Plan().axes[a].input->input).text = row.texts[a];
        ASSERT_TRUE(SaveParameterFile(file, typed, error));
        EngineSession session;
        session.Driver.Loading = true;
        LoadParameterFile(file, session.State);
        session.Driver.Loading = false;
        session.Compute(true, true);
        EXPECT_EQ(session.State.EditDispMass.text, row.texts[0]);
        EXPECT_EQ(session.State.EditSpringConstant.text, row.texts[1]);
        const DesignResult expected =
            ResultOfRun(session.Driver.Params, session.Sim, session.State.outputs);
        for (const DesignOutputColumn& column : kDesignOutputColumns) {
            ASSERT_EQ(row.result[column.output].has_value(), expected[column.output].has_value())
                << column.name;
            if (expected[column.output]) {
                EXPECT_EQ(Bits(*row.result[column.output]), Bits(*expected[column.output]))
                    << column.name;
            }
        }
    }
    // The texts are the study's trial texts: 15 significant digits at most, no trailing zeros.
    EXPECT_EQ(run.Row(0).texts[0], "0.3");
    EXPECT_EQ(run.Row(3).texts[0], "0.948683298050514");
    EXPECT_EQ(run.Row(1).texts[1], "1500");
}

std::string Csv(const SweepRun& run, const std::vector<DesignOutput>& outputs) {
    std::ostringstream out;
    WriteSweepCsv(out, run, outputs);
    return out.str();
}

TEST(SweepRun, OneAndTwoThreadsGiveTheSameCsv) {
    const std::vector<SweepAxis> axes{Axis("Piston.Stroke", 100, 180, 6),
                                      Axis("Engine.Speed", 300, 3000, 5, true)};
    SweepRun one(LargeEnginePlan(axes));
    one.Run(1);
    SweepRun two(LargeEnginePlan(axes));
    two.Run(2);
    const std::vector<DesignOutput> outputs(DefaultSweepOutputs());
    const std::string csv = Csv(one, outputs);
    EXPECT_EQ(csv, Csv(two, outputs));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 31);
}

TEST(SweepRun, CsvHasKeysNamesAndEmptyCellsForWhatCannotBeComputed) {
    // A displacer mass of 0 moves nothing: no dwell; the other row has one.
    SweepRun run(LargeEnginePlan({Axis("Displacer.Mass", 0, 1, 2)}));
    run.Run(1);
    const std::string csv =
        Csv(run, {DesignOutput::SchmidtPower, DesignOutput::DwellHi, DesignOutput::Beta});
    std::istringstream lines(csv);
    std::string header, massless, heavy;
    std::getline(lines, header);
    std::getline(lines, massless);
    std::getline(lines, heavy);
    EXPECT_EQ(header, "Displacer.Mass,schmidt_power_w,dwell_hi_deg,beta");
    EXPECT_EQ(massless.substr(0, 2), "0,");
    // Without mass there is no K, so no Omega Bar and no Schmidt power; no simulation, no dwell.
    EXPECT_EQ(massless.substr(0, 4), "0,,,");
    EXPECT_EQ(heavy.substr(0, 2), "1,");
    EXPECT_EQ(heavy.find(",,"), std::string::npos) << heavy;
    EXPECT_EQ(CsvNumber(0.1), "0.1");
    EXPECT_EQ(CsvNumber(1e-300), "1e-300");
    EXPECT_EQ(CsvNumber(123456789.125), "123456789.125");
    EXPECT_EQ(CsvNumber(std::nullopt), "");
}

TEST(SweepRun, OutputListsByName) {
    std::string problem;
    const auto outputs = ParseOutputList("indicated_power_w,omega_bar_rad_s", problem);
    ASSERT_TRUE(outputs.has_value());
    EXPECT_EQ(*outputs,
              (std::vector<DesignOutput>{DesignOutput::IndicatedPower, DesignOutput::OmegaBar}));
    EXPECT_FALSE(ParseOutputList("indicated_power", problem).has_value());
    EXPECT_EQ(problem, "unknown output 'indicated_power' (see --outputs help)");
}

TEST(SweepRun, CancelKeepsTheRowsDoneAndTheyEqualAFullRun) {
    const std::vector<SweepAxis> axes{Axis("Cold.Temp", 20, 80, 40),
                                      Axis("Hot.Temp", 500, 800, 40)};
    SweepRun full(LargeEnginePlan(axes));
    SweepRun cancelled(LargeEnginePlan(axes));
    std::thread worker([&] { cancelled.Run(2); });
    while (cancelled.Completed() < 20) std::this_thread::yield();
    cancelled.Cancel();
    worker.join();
    const std::size_t done = cancelled.Completed();
    EXPECT_GE(done, 20u);
    EXPECT_LT(done, cancelled.DesignCount());
    std::size_t marked = 0;
    for (std::size_t k = 0; k < cancelled.DesignCount(); ++k) marked += cancelled.IsDone(k);
    EXPECT_EQ(marked, done);

    full.Run(2);
    std::ostringstream expected;
    const std::vector<DesignOutput> outputs(DefaultSweepOutputs());
    // The cancelled run's CSV holds exactly the full run's lines of the rows it finished.
    std::istringstream fullLines(Csv(full, outputs));
    std::istringstream partLines(Csv(cancelled, outputs));
    std::string header, partHeader;
    std::getline(fullLines, header);
    std::getline(partLines, partHeader);
    EXPECT_EQ(header, partHeader);
    std::vector<std::string> fullRows;
    for (std::string line; std::getline(fullLines, line);) fullRows.push_back(line);
    std::size_t k = 0;
    for (std::string line; std::getline(partLines, line);) {
        while (k < cancelled.DesignCount() && !cancelled.IsDone(k)) ++k;
        ASSERT_LT(k, fullRows.size());
        EXPECT_EQ(line, fullRows[k]);
        ++k;
    }
}

// The rows of a streamed sweep as CSV lines, in the order they were handed on.
std::string StreamedCsv(const SweepPlan& plan, int threads, WorkProgress& progress,
                        const std::vector<DesignOutput>& outputs,
                        const std::function<void(std::size_t rows)>& afterRow = {}) {
    std::ostringstream out;
    WriteSweepHeader(out, plan, outputs);
    std::size_t rows = 0;
    StreamSweep(plan, threads, progress, [&](const SweepRow& row) {
        WriteSweepRow(out, row, outputs);
        if (afterRow) afterRow(++rows);
    });
    return out.str();
}

TEST(StreamSweep, RowsComeInDesignOrderAsTheKeptRunWritesThem) {
    // More designs than the workers may run ahead of the writer, so they wait for it.
    const std::vector<SweepAxis> axes{Axis("Cold.Temp", 20, 80, 30),
                                      Axis("Hot.Temp", 500, 800, 30)};
    const std::vector<DesignOutput> outputs(DefaultSweepOutputs());
    SweepRun kept(LargeEnginePlan(axes));
    kept.Run(2);
    for (const int threads : {1, 3}) {
        WorkProgress progress;
        EXPECT_EQ(StreamedCsv(LargeEnginePlan(axes), threads, progress, outputs),
                  Csv(kept, outputs))
            << threads;
        EXPECT_EQ(progress.Done(), 900u);
        EXPECT_EQ(progress.Total(), 900u);
    }
}

TEST(StreamSweep, CancelHandsOnAnUnbrokenPrefixOfTheRows) {
    const std::vector<SweepAxis> axes{Axis("Cold.Temp", 20, 80, 40),
                                      Axis("Hot.Temp", 500, 800, 40)};
    const std::vector<DesignOutput> outputs(DefaultSweepOutputs());
    SweepRun kept(LargeEnginePlan(axes));
    kept.Run(2);
    const std::string full = Csv(kept, outputs);
    WorkProgress progress;
    const std::string part =
        StreamedCsv(LargeEnginePlan(axes), 2, progress, outputs, [&](std::size_t rows) {
            if (rows == 25) progress.Cancel();
        });
    // The rows up to the cancel and perhaps a few that were under way, whole and in order.
    const std::size_t lines = static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n'));
    EXPECT_GE(lines, 1u + 25u);
    EXPECT_LT(lines, 1u + 1600u);
    EXPECT_EQ(full.compare(0, part.size(), part), 0);
}

TEST(StreamSweep, ASinkThatThrowsStopsTheWorkersAndPassesItOn) {
    WorkProgress progress;
    EXPECT_THROW(StreamSweep(LargeEnginePlan({Axis("Hot.Temp", 500, 800, 2000)}), 2, progress,
                             [](const SweepRow&) { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_LT(progress.Done(), 2000u);
}

}  // namespace
}  // namespace velmora
