#include "presentation/chart_titles.h"

#include <gtest/gtest.h>

#include <string>

#include "form/control_state.h"
#include "presentation/run_graphs.h"
#include "presentation/shown_run.h"
#include "report/number_text.h"
#include "simulation/engine_fixtures.h"
#include "simulation/power_speed_curve.h"
#include "simulation/simulation_output.h"

namespace velmora {
namespace {

ParameterSet HalfStrokes() {
    ParameterSet p;
    p.DispHalfStroke = 0.063;
    p.PistonHalfStroke = 0.07;
    return p;
}

GraphSelection MillimetresAndPsi(int red, int blue, int xAxis) {
    GraphSelection graphs{.red = red, .blue = blue, .xAxis = xAxis};
    graphs.units.LengthOutputFormatRG = 1;  // mm
    graphs.units.PressureOutputFormatRG = 1;
    return graphs;
}

TEST(ChartTitlesTest, MainAndPressureVolumeTitlesFollowTheCurveChoices) {
    ShownRun sim;
    EXPECT_EQ(TimeIncrementCaption(sim.Graphs), "");  // before the first run
    EXPECT_EQ(MainChartTitles(sim.Graphs).Title, "");
    EXPECT_EQ(PVChartTitles(sim.Graphs).LeftAxisTitle, "");

    ASSERT_TRUE(SetUpGraphs(sim, HalfStrokes(), MillimetresAndPsi(0, 1, 1), 1.0 / 6000));
    EXPECT_EQ(TimeIncrementCaption(sim.Graphs),
              "Time Increment =\r\n1 degree =\r\n166.667 microSec");
    ChartTitles main = MainChartTitles(sim.Graphs);
    EXPECT_EQ(main.Title, "Displacer Position and Piston Position");
    EXPECT_EQ(main.LeftAxisTitle, "Displacer Position (mm)");
    EXPECT_EQ(main.RightAxisTitle, "Piston Position (mm)");
    EXPECT_EQ(main.BottomAxisTitle, "Degrees");
    const ChartTitles pv = PVChartTitles(sim.Graphs);
    EXPECT_EQ(pv.Title, "");  // the chart keeps its own
    EXPECT_EQ(pv.LeftAxisTitle, "Pressure lb/in^2");
    EXPECT_EQ(pv.BottomAxisTitle, "Volume mm ^3");

    ASSERT_TRUE(SetUpGraphs(sim, HalfStrokes(), MillimetresAndPsi(2, 7, 0), 1.0 / 6000));
    main = MainChartTitles(sim.Graphs);
    EXPECT_EQ(main.Title, "Hot Volume and Displacer Rod Pressure");
    EXPECT_EQ(main.LeftAxisTitle, "Hot Volume (mm ^3)");
    EXPECT_EQ(main.RightAxisTitle, "Displacer Rod Pressure (lb/in^2)");
    EXPECT_EQ(main.BottomAxisTitle, "Seconds");
}

// A run that stops at a missing curve choice changes only what it set up before stopping:
// without a blue curve the caption, without a red one also the right axis.
TEST(ChartTitlesTest, AnIncompleteSetUpKeepsTheEarlierTitles) {
    ShownRun sim;
    ASSERT_TRUE(SetUpGraphs(sim, HalfStrokes(), MillimetresAndPsi(0, 1, 1), 1.0 / 6000));
    GraphSelection inches = MillimetresAndPsi(kNoChoice, 4, 0);
    inches.units.LengthOutputFormatRG = 0;
    EXPECT_FALSE(SetUpGraphs(sim, HalfStrokes(), inches, 1.0 / 3000));
    EXPECT_EQ(TimeIncrementCaption(sim.Graphs),
              "Time Increment =\r\n1 degree =\r\n333.333 microSec");
    const ChartTitles main = MainChartTitles(sim.Graphs);
    EXPECT_EQ(main.RightAxisTitle, "Total Volume (in ^3)");
    EXPECT_EQ(main.Title, "Displacer Position and Piston Position");
    EXPECT_EQ(main.LeftAxisTitle, "Displacer Position (mm)");
    EXPECT_EQ(main.BottomAxisTitle, "Degrees");
    EXPECT_EQ(PVChartTitles(sim.Graphs).BottomAxisTitle, "Volume mm ^3");

    inches.blue = kNoChoice;
    EXPECT_FALSE(SetUpGraphs(sim, HalfStrokes(), inches, 1.0 / 6000));
    EXPECT_EQ(MainChartTitles(sim.Graphs).RightAxisTitle, "Total Volume (in ^3)");
}

TEST(ChartTitlesTest, EveryQuantityHasItsAxisTitle) {
    OutputUnits units;
    units.LengthOutputFormatRG = 2;  // cm
    units.PressureOutputFormatRG = 0;
    const char* axisTitles[] = {"Displacer Position (cm)",
                                "Piston Position (cm)",
                                "Hot Volume (cm ^3)",
                                "Cold Volume (cm ^3)",
                                "Total Volume (cm ^3)",
                                "Internal Pressure (atm)",
                                "Average Engine Pressure (atm)",
                                "Displacer Rod Pressure (atm)",
                                "Displacer Spring Force (N)",
                                "Displacer Rod Force (N)",
                                "Displacer Acceleration (cm/sec^2)",
                                "Displacer Velocity (cm/sec)"};
    for (int i = 0; i < kCurveItemCount; ++i) {
        EXPECT_EQ(CurveAxisTitle(i, units), axisTitles[i]);
        EXPECT_EQ(CurveAndText(i), std::string(" and ").append(CurveTitleWord(i)));
    }
    EXPECT_EQ(CurveTitleWord(5), "Internal Pressure");
    EXPECT_EQ(CurveAxisTitle(kCurveItemCount, units), "");
}

TEST(ChartTitlesTest, PowerCurveTitleSaysHowTheSweepEnded) {
    PowerCurve curve;
    EXPECT_EQ(PowerCurveTitle(curve), "Power/Phase vs RPM");
    EXPECT_EQ(PowerCurveRightAxisTitle(curve), "Phase Angle (deg)");
    curve.End = PowerSweepEnd::PhaseUnknown;
    EXPECT_EQ(PowerCurveTitle(curve), "Unable to calc Power because unable to calc Tee Zero");
    curve.End = PowerSweepEnd::NoPositivePower;
    EXPECT_EQ(PowerCurveTitle(curve), "No positive power between 2% and 100% of Omega Bar");
    curve.PhaseShown = false;
    EXPECT_EQ(PowerCurveRightAxisTitle(curve), "Torque");
}

TEST(ChartTitlesTest, PowerCurveTitleNamesTheMaximumOfTheSweep) {
    test::CountingSession session;
    session.State = test::LargeEngineControls();
    session.Compute(true, false);
    session.State.ShowGraph2RG = 2;
    session.PowerSpeedCurve();
    const PowerCurve& curve = session.Sim.Chart3;
    ASSERT_FALSE(curve.PowerSeries.empty());
    std::size_t best = 0;
    for (std::size_t i = 0; i < curve.PowerSeries.size(); ++i)
        if (curve.PowerSeries[i].y > curve.PowerSeries[best].y) best = i;
    const std::vector<double> speeds = PowerSweepSpeeds(session.Driver.Params.OmegaBar);
    const double bestPhase = PhaseAtSpeed(session.Driver.Params, speeds[best]).value;
    const OutputUnits& units = session.State.outputs;
    const std::string title = PowerCurveTitle(curve);
    EXPECT_EQ(title, "Max Power = " + PowerText(units, curve.PowerSeries[best].y) + " at " +
                         FormatNumber(RadiansToDegrees(bestPhase)) + " degrees and " +
                         FormatNumber(curve.PowerSeries[best].x) + " RPM");

    // A sweep that cannot start (no Omega Bar) leaves the title as it was.
    session.Driver.Params.OmegaBar = 0;
    session.PowerSpeedCurve();
    EXPECT_EQ(PowerCurveTitle(session.Sim.Chart3), title);
}

TEST(ChartTitlesTest, SummaryCaptionIsEmptyBeforeTheFirstGraphedCycle) {
    ShownRun sim;
    EXPECT_EQ(CycleSummaryCaption(sim), "");
    EXPECT_EQ(CycleSummaryReportLines(sim)[0], "");
    sim.ShownSummary = CycleSummary{.DwellHi = 10,
                                    .DwellLo = 50,
                                    .DwellHiPercent = 3,
                                    .DwellLoPercent = 14,
                                    .PressureShared = true,
                                    .PressureAbovePercent = 50,
                                    .PressureBelowPercent = 50};
    EXPECT_EQ(CycleSummaryCaption(sim), "Dwells (Hi/Lo): 10/50 degrees; 3/14 %; pressure: 50/50 %");
    EXPECT_EQ(CycleSummaryReportLines(sim)[1], "    Dwells (Hi/Lo): 3/14 %");
}

}  // namespace
}  // namespace velmora
