#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "model/compute_report.h"
#include "presentation/shown_run.h"
#include "report/unit_text.h"
#include "simulation/cycle_simulation.h"
#include "simulation/engine_fixtures.h"
#include "simulation/simulation_output.h"

namespace velmora {
namespace {

// A report line of the cycle summary the window shows; empty before the first graphed cycle.
std::string SummaryLine(const ShownRun& sim, std::size_t i) {
    return sim.ShownSummary ? CycleSummaryLines(*sim.ShownSummary)[i] : std::string();
}

using test::ComputeAndCountCycles;
using test::CountingSession;
using test::LargeEngineControls;

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool AnyStartsWith(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

class ScheduleTest : public ::testing::Test {
  protected:
    void SetUp() override { session.State = LargeEngineControls(); }
    CountingSession session;
};

TEST_F(ScheduleTest, DefaultsGraphAllThreeCyclesAndRepeatIdentically) {
    EXPECT_EQ(ComputeAndCountCycles(session), 3);
    const ShownRun& sim = session.Sim;
    ASSERT_EQ(sim.Series1.size(), 1083u);
    EXPECT_EQ(sim.SimStepCount, 1083);
    EXPECT_EQ(sim.SampleDispPos.size(), 1083u);
    EXPECT_EQ(sim.PVSeries.size(), 1083u);
    for (std::size_t i = 0; i < sim.Series1.size(); ++i) {
        ASSERT_EQ(sim.Series1[i].x, static_cast<double>(i + 1));  // "Degrees": the step count
        ASSERT_EQ(sim.Series2[i].x, static_cast<double>(i + 1));
    }
    EXPECT_EQ(sim.Series1a.size(), 1083u);
    EXPECT_EQ(sim.Series2a.size(), 1083u);

    const PointSeries red = sim.Series1;
    const PointSeries blue = sim.Series2;
    const SampleList samples = sim.SamplePressure;
    const double pvPower = session.Driver.Params.PVPowerAtEngineSpeed;
    EXPECT_GT(pvPower, 0);
    ComputeAndCountCycles(session);
    ASSERT_EQ(sim.Series1.size(), red.size());
    for (std::size_t i = 0; i < red.size(); ++i) {
        ASSERT_EQ(sim.Series1[i].y, red[i].y);
        ASSERT_EQ(sim.Series2[i].y, blue[i].y);
    }
    EXPECT_EQ(sim.SamplePressure, samples);
    EXPECT_EQ(session.Driver.Params.PVPowerAtEngineSpeed, pvPower);
}

TEST_F(ScheduleTest, SecondsGiveTheTimeOfEachStep) {
    session.State.XAxisRG = 0;
    ComputeAndCountCycles(session);
    const double speed = session.Driver.Params.EngineSpeed;
    ASSERT_EQ(session.Sim.Series1.size(), 1083u);
    EXPECT_DOUBLE_EQ(session.Sim.Series1[0].x, (1 * 6.28318 / 360) / speed);
    EXPECT_DOUBLE_EQ(session.Sim.Series1[99].x, (100 * 6.28318 / 360) / speed);
    EXPECT_EQ(session.Sim.Graphs.xAxisChoice, 0);
}

TEST_F(ScheduleTest, EmptyComputeCountWithoutEqualizationGraphsTheThirdCycle) {
    session.State.ComputeCycleCountEdit.clear();
    session.State.GraphCycleCountEdit = "7";  // replaced by 1
    EXPECT_EQ(ComputeAndCountCycles(session), 3);
    ASSERT_EQ(session.Sim.Series1.size(), 361u);
    EXPECT_EQ(session.Sim.Series1.front().x, 1);
    EXPECT_EQ(session.Sim.Series1.back().x, 361);
    EXPECT_EQ(session.Sim.SimStepCount, 361);
}

TEST_F(ScheduleTest, EmptyOrZeroGraphCountGraphsNothingAndKeepsCounting) {
    for (const char* graphed : {"", "0"}) {
        SCOPED_TRACE(graphed);
        session.State.GraphCycleCountEdit = "3";
        ComputeAndCountCycles(session);
        const std::string lastDwell = SummaryLine(session.Sim, 0);
        session.State.GraphCycleCountEdit = graphed;
        EXPECT_EQ(ComputeAndCountCycles(session), 3);
        EXPECT_TRUE(session.Sim.Series1.empty());
        EXPECT_TRUE(session.Sim.PVSeries.empty());
        // The driver's placeholders are the only samples.
        EXPECT_EQ(session.Sim.SampleDispPos, SampleList{0});
        EXPECT_EQ(session.Driver.Params.PVPowerAtEngineSpeed, 0);
        EXPECT_EQ(session.Driver.Params.PVPowerAtOmegaBar, 0);
        // Empty: the step count runs on from the previous run; 0: it restarts after the last
        // ungraphed cycle (q = ComputeCycles), so it is 0.
        EXPECT_EQ(session.Sim.SimStepCount, std::string(graphed).empty() ? 2 * 1083 : 0);
        // The summary of the last graphed cycle survives and is still reported.
        EXPECT_EQ(SummaryLine(session.Sim, 0), lastDwell);
        EXPECT_TRUE(Contains(session.Driver.Memo2, lastDwell));
        EXPECT_TRUE(Contains(session.Driver.Memo2,
                             "*** Unable to compute Power from Pressure/Volume graph"));
    }
}

TEST_F(ScheduleTest, ComputeCountOfZeroOrBelowComputesNothing) {
    for (const char* computed : {"0", "-2"}) {
        session.State.ComputeCycleCountEdit = computed;
        EXPECT_EQ(ComputeAndCountCycles(session), 0) << computed;
        EXPECT_TRUE(session.Sim.Series1.empty());
    }
}

TEST_F(ScheduleTest, GraphCountAboveComputeCountGraphsEveryCycle) {
    session.State.ComputeCycleCountEdit = "2";
    session.State.GraphCycleCountEdit = "5";
    EXPECT_EQ(ComputeAndCountCycles(session), 2);
    EXPECT_EQ(session.Sim.Series1.size(), 722u);
    EXPECT_EQ(session.Sim.Series1.front().x, 1);
}

TEST_F(ScheduleTest, AutomaticEqualizationThatNeverSettlesRunsMaxPlusOneCycles) {
    // This engine needs 13 cycles to settle, so a limit of 2 is never reached in time.
    session.State.LeakCB = true;
    session.State.ComputeCycleCountEdit.clear();
    session.State.MaxGraphCycleCountEdit = "2";
    session.State.GraphCycleCountEdit = "1";
    EXPECT_EQ(ComputeAndCountCycles(session), 3 + 1);
    EXPECT_GT(session.busyCursorShown, 0);
    const std::string prefix = "    Adjusted Mean Engine Pressure (Leak): ";
    const auto line = std::find_if(session.Driver.Memo2.begin(), session.Driver.Memo2.end(),
                                   [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    ASSERT_NE(line, session.Driver.Memo2.end());
    // The pressure as it stood after the automatic cycles; the graphed cycle moves it on.
    const std::string suffix = " atm; never equilibrated";
    ASSERT_GT(line->size(), prefix.size() + suffix.size());
    EXPECT_EQ(line->substr(line->size() - suffix.size()), suffix);
    const std::string number =
        line->substr(prefix.size(), line->size() - prefix.size() - suffix.size());
    EXPECT_EQ(number.find_first_not_of("0123456789.,"), std::string::npos) << *line;
    // The pressure line comes right before the three summary lines.
    ASSERT_LT(line + 3, session.Driver.Memo2.end());
    EXPECT_EQ(*(line + 1), SummaryLine(session.Sim, 0));
    EXPECT_EQ(session.Sim.Series1.size(), 361u);
    EXPECT_EQ(session.Sim.Series1.front().x, 1);

    // Unreadable: 10, still too few.
    session.State.MaxGraphCycleCountEdit = "many";
    EXPECT_EQ(ComputeAndCountCycles(session), 11 + 1);
    EXPECT_TRUE(AnyStartsWith(session.Driver.Memo2, prefix));
}

TEST_F(ScheduleTest, AutomaticEqualizationThatSettlesSaysInHowManyCycles) {
    session.State.LeakCB = true;
    session.State.ComputeCycleCountEdit.clear();
    session.State.GraphCycleCountEdit.clear();  // every cycle graphed, plus one more
    const int cycles = ComputeAndCountCycles(session);
    ASSERT_LT(cycles, 31);
    const int settled = cycles - 1;
    EXPECT_TRUE(AnyStartsWith(session.Driver.Memo2, "    Adjusted Mean Engine Pressure (Leak): "));
    const std::string suffix = " atm in " + std::to_string(settled) + " cycles";
    EXPECT_TRUE(std::any_of(
        session.Driver.Memo2.begin(), session.Driver.Memo2.end(), [&](const std::string& l) {
            return l.size() > suffix.size() &&
                   l.compare(l.size() - suffix.size(), suffix.size(), suffix) == 0;
        }));
    EXPECT_EQ(session.Sim.Series1.size(), 361u * static_cast<std::size_t>(cycles));
    // The mean pressure the run leaves behind differs from the typed 50 atm.
    EXPECT_NE(session.Driver.Params.MeanEnginePressure, 5e6);
}

TEST_F(ScheduleTest, SkippedSimulationKeepsTheSummaryButNotThePowers) {
    ComputeAndCountCycles(session);
    const std::string dwell = SummaryLine(session.Sim, 0);
    const std::string percent = SummaryLine(session.Sim, 1);
    ASSERT_FALSE(dwell.empty());
    for (auto edit : {&ControlState::EditDispMass, &ControlState::EditEngineSpeed}) {
        CountingSession other;
        other.State = LargeEngineControls();
        ComputeAndCountCycles(other);
        (other.State.*edit).text.clear();
        EXPECT_EQ(ComputeAndCountCycles(other), 0);
        EXPECT_EQ(other.Driver.Params.PVPowerAtEngineSpeed, 0);
        EXPECT_EQ(other.Driver.Params.PVPowerAtOmegaBar, 0);
        EXPECT_EQ(SummaryLine(other.Sim, 0), dwell);
        EXPECT_EQ(SummaryLine(other.Sim, 1), percent);
        // A skipped simulation adds no line of its own.
        EXPECT_FALSE(Contains(other.Driver.Memo2, dwell));
    }
}

TEST_F(ScheduleTest, DwellAtTheTopStopIsExactAndStill) {
    session.State.RedGraphRG = 10;   // acceleration
    session.State.BlueGraphRG = 11;  // velocity
    ComputeAndCountCycles(session);
    const ShownRun& sim = session.Sim;
    const double half = session.Driver.Params.DispHalfStroke;
    const double top = RoundedSample(half);
    int dwelling = 0;
    for (std::size_t i = 0; i < sim.SampleDispPos.size(); ++i) {
        if (sim.SampleDispPos[i] != top) continue;
        ++dwelling;
        ASSERT_EQ(sim.Series2[i].y, 0.0) << i;  // velocity
        ASSERT_EQ(sim.Series1[i].y, 0.0) << i;  // acceleration into the stop is dropped
    }
    EXPECT_GT(dwelling, 200);  // 147 degrees in a settled cycle of this engine
    for (const double x : sim.SampleDispPos) ASSERT_LE(std::fabs(x), half * (1 + 1e-14));
}

TEST_F(ScheduleTest, OffsetShiftsThePistonPhase) {
    session.State.EditXAxisOffset = "90";
    ComputeAndCountCycles(session);
    const double halfStroke = session.Driver.Params.PistonHalfStroke;
    const double first = session.Sim.SamplePistonPos.at(0);
    EXPECT_NEAR(first, halfStroke * std::sin(91 * 6.28318 / 360), 1e-15);
    EXPECT_GT(first, 0.9998 * halfStroke);
    session.State.EditXAxisOffset = "ninety";  // unreadable: 0
    ComputeAndCountCycles(session);
    EXPECT_NEAR(session.Sim.SamplePistonPos.at(0), halfStroke * std::sin(1 * 6.28318 / 360), 1e-15);
}

TEST_F(ScheduleTest, PVPointColoursCountThePoints) {
    ComputeAndCountCycles(session);
    const auto& pv = session.Sim.PVSeries;
    ASSERT_GT(pv.size(), 257u);
    EXPECT_EQ(pv[0].color, 0u);
    EXPECT_EQ(pv[1].color, 1u);
    EXPECT_EQ(pv[256].color, 256u);  // green byte 1, red byte 0
    EXPECT_EQ(session.Sim.PVPointCount, 1083);
}

TEST_F(ScheduleTest, MissingCurveChoiceEndsTheRunAfterTheTimeIncrement) {
    session.State.BlueGraphRG = kNoChoice;
    EXPECT_EQ(ComputeAndCountCycles(session), 0);
    // One degree of the fixture's 1000 RPM: 166.667 microseconds.
    ASSERT_TRUE(session.Sim.Graphs.timeIncrement);
    EXPECT_NEAR(*session.Sim.Graphs.timeIncrement, 1.0 / 6000, 1e-9);
    session.State.BlueGraphRG = 1;
    session.State.RedGraphRG = 12;  // outside the list: no choice
    EXPECT_EQ(ComputeAndCountCycles(session), 0);
    ASSERT_TRUE(session.Sim.Graphs.right);
    EXPECT_EQ(session.Sim.Graphs.right->curve, 1);  // the right axis names the piston position
}

TEST_F(ScheduleTest, UnreachablePressureNeverProducesNonFiniteValues) {
    // No cold temperature: no gas mass, the pressure is 0 everywhere.
    session.State.EditColdTemp.text.clear();
    session.State.RedGraphRG = 5;
    ComputeAndCountCycles(session);
    for (const PlotPoint& p : session.Sim.Series1) ASSERT_EQ(p.y, 0.0);
    EXPECT_EQ(session.Driver.Params.PVPowerAtEngineSpeed, 0);
    EXPECT_EQ(SummaryLine(session.Sim, 2), "    Integrated Pressure (Hi/Lo): 0/100 %");

    // Absurd sizes overflow; nothing becomes inf or NaN.
    session.State = LargeEngineControls();
    session.State.EditDispDiameter = {"1e300", 3};
    session.State.EditMeanEnginePressure = {"1e300", 2};
    session.State.RedGraphRG = 9;
    session.State.BlueGraphRG = 5;
    ComputeAndCountCycles(session);
    for (const PlotPoint& p : session.Sim.Series1) ASSERT_TRUE(std::isfinite(p.y));
    for (const PlotPoint& p : session.Sim.Series2) ASSERT_TRUE(std::isfinite(p.y));
    for (const double s : session.Sim.SamplePressure) ASSERT_TRUE(std::isfinite(s)) << s;
    for (const std::string& line : session.Driver.Memo2) {
        if (line.rfind("    Dwells", 0) != 0 && line.rfind("    Integrated", 0) != 0 &&
            line.rfind("    Power: from PV", 0) != 0)
            continue;
        EXPECT_EQ(line.find("inf"), std::string::npos) << line;
        EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    }
}

TEST_F(ScheduleTest, AbsurdCycleCountsAreLimitedWithAWarning) {
    session.State.ComputeCycleCountEdit = "2000000000";
    session.State.GraphCycleCountEdit = "1";
    EXPECT_EQ(ComputeAndCountCycles(session), kMaxCycleCount);
    EXPECT_TRUE(Contains(session.Driver.Memo2, "!!! Cycle counts above 1000 are taken as 1000"));
    EXPECT_EQ(session.Sim.Series1.size(), 361u);
    session.State.ComputeCycleCountEdit = "1000";
    ComputeAndCountCycles(session);
    EXPECT_FALSE(AnyStartsWith(session.Driver.Memo2, "!!! Cycle counts"));
}

TEST(ReadCycleScheduleTest, DefaultsOfUnreadableTexts) {
    ControlState c;
    c.ComputeCycleCountEdit = "";
    c.GraphCycleCountEdit = "2.5";
    c.MaxGraphCycleCountEdit = "";
    c.EditXAxisOffset = "abc";
    CycleSchedule s = ReadCycleSchedule(c);
    EXPECT_EQ(s.ComputeCycles, -1);
    EXPECT_EQ(s.GraphCycles, 1);
    EXPECT_EQ(s.MaxAutoCycles, 10);
    EXPECT_EQ(s.XAxisOffsetDeg, 0);

    c.ComputeCycleCountEdit = "12";
    c.GraphCycleCountEdit = "";
    c.MaxGraphCycleCountEdit = "x";
    c.EditXAxisOffset = "-45";
    s = ReadCycleSchedule(c);
    EXPECT_EQ(s.ComputeCycles, 12);
    EXPECT_EQ(s.GraphCycles, -1);
    EXPECT_EQ(s.MaxAutoCycles, 10);
    EXPECT_EQ(s.XAxisOffsetDeg, -45);

    EXPECT_EQ(ReadWholeNumber("+7", 0, 1), 7);
    EXPECT_EQ(ReadWholeNumber(" 7", 0, 1), 1);
    EXPECT_EQ(ReadWholeNumber("7 ", 0, 1), 1);
    EXPECT_EQ(ReadWholeNumber("-", 0, 1), 1);
    EXPECT_EQ(ReadWholeNumber("+-7", 0, 1), 1);
    EXPECT_EQ(ReadWholeNumber("99999999999", 0, 1), 1);
    EXPECT_EQ(ReadWholeNumber("-2147483648", 0, 1), -2147483648);
}

TEST(PressureHistoryTest, EqualizedWhenTheNewestCycleBalancesAroundTheMean) {
    PressureHistory history;
    history.FillWith(100);
    EXPECT_TRUE(IsPressureEqualized(history, 100));  // nothing deviates
    EXPECT_FALSE(IsPressureEqualized(history, 90));  // everything above
    for (int i = 0; i < 180; ++i) {
        history.Push(110);
        history.Push(90);
    }
    EXPECT_TRUE(IsPressureEqualized(history, 100));
    // 52/48 percent is not equal; 49.7/50.3 rounds to 50/50.
    for (int i = 0; i < 180; ++i) {
        history.Push(102.2);
        history.Push(98);
    }
    EXPECT_FALSE(IsPressureEqualized(history, 100));
    for (int i = 0; i < 180; ++i) {
        history.Push(100.8);
        history.Push(99.19);
    }
    EXPECT_TRUE(IsPressureEqualized(history, 100));
    // Only the newest 360 entries count.
    history.Push(1e9);
    EXPECT_FALSE(IsPressureEqualized(history, 100));
    EXPECT_EQ(history.Newest(0), 1e9);
    EXPECT_EQ(history.Newest(1), 99.19);
}

}  // namespace
}  // namespace velmora
