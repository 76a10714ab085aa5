#include "simulation/simulation_output.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "model/compute_report.h"
#include "presentation/curve_quantities.h"
#include "presentation/run_graphs.h"
#include "presentation/shown_run.h"
#include "simulation/sample_text.h"

namespace velmora {
namespace {

constexpr double kHalf = 0.063;

ShownRun WithCycle(double x, double pressure) {
    ShownRun sim;
    for (int i = 0; i < 361; ++i) {
        sim.SampleDispPos.push_back(RoundedSample(x));
        sim.SamplePressure.push_back(RoundedSample(pressure));
    }
    return sim;
}

// The report lines of the summary the window shows.
std::array<std::string, 3> Lines(const ShownRun& sim) {
    return sim.ShownSummary ? CycleSummaryLines(*sim.ShownSummary) : std::array<std::string, 3>{};
}

ParameterSet Params(double mean) {
    ParameterSet p;
    p.DispHalfStroke = kHalf;
    p.PistonHalfStroke = 0.07;
    p.MeanEnginePressure = mean;
    return p;
}

TEST(CycleSummaryTest, WholeCycleAtTheTopStop) {
    ShownRun sim = WithCycle(kHalf, 5e6);
    SummarizeCycle(sim, Params(5e6));
    EXPECT_EQ(Lines(sim)[0], "    Dwells (Hi/Lo): 361/0 degrees");
    EXPECT_EQ(Lines(sim)[1], "    Dwells (Hi/Lo): 100/0 %");
    // Every pressure equal to the mean: nothing to divide, both shares 0.
    EXPECT_EQ(Lines(sim)[2], "    Integrated Pressure (Hi/Lo): 0/0 %");
    EXPECT_EQ(CycleSummaryLabel(*sim.ShownSummary),
              "Dwells (Hi/Lo): 361/0 degrees; 100/0 %; pressure: 0/0 %");
}

TEST(CycleSummaryTest, CountsOnlyTheNewestCycleWithinOnePercentOfAStop) {
    ShownRun sim = WithCycle(0, 1);
    // An older cycle at the top stop does not count.
    sim.SampleDispPos.insert(sim.SampleDispPos.begin(), 361, RoundedSample(kHalf));
    sim.SamplePressure.insert(sim.SamplePressure.begin(), 361, 9e9);
    std::size_t base = 361;
    for (int i = 0; i < 40; ++i) sim.SampleDispPos[base + i] = RoundedSample(-kHalf);
    for (int i = 40; i < 50; ++i) sim.SampleDispPos[base + i] = RoundedSample(0.995 * kHalf);
    for (int i = 50; i < 60; ++i) sim.SampleDispPos[base + i] = RoundedSample(-0.995 * kHalf);
    for (int i = 60; i < 70; ++i) sim.SampleDispPos[base + i] = RoundedSample(0.985 * kHalf);
    // Pressures: 90 steps 3 above the mean of 1, the other 271 steps 1 below it.
    for (int i = 0; i < 361; ++i) sim.SamplePressure[base + i] = RoundedSample(i < 90 ? 4 : 0);
    SummarizeCycle(sim, Params(1));
    EXPECT_EQ(Lines(sim)[0], "    Dwells (Hi/Lo): 10/50 degrees");
    // 10 * 100 / 360 = 2.78 -> 3; 50 * 100 / 360 = 13.89 -> 14
    EXPECT_EQ(Lines(sim)[1], "    Dwells (Hi/Lo): 3/14 %");
    // 270 / 541 = 49.9 % above, 271 / 541 = 50.1 % below
    EXPECT_EQ(Lines(sim)[2], "    Integrated Pressure (Hi/Lo): 50/50 %");
}

TEST(CycleSummaryTest, PercentagesRoundHalvesToEven) {
    // 9 steps: 9 * 100 / 360 = 2.5 -> 2; 27 steps: 7.5 -> 8.
    ShownRun sim = WithCycle(0, 1);
    for (int i = 0; i < 9; ++i) sim.SampleDispPos[i] = RoundedSample(kHalf);
    for (int i = 9; i < 36; ++i) sim.SampleDispPos[i] = RoundedSample(-kHalf);
    // Above 1 (one step of 2 over a mean of 1), below 3: 25 % and 75 %.
    for (int i = 0; i < 361; ++i) sim.SamplePressure[i] = RoundedSample(1);
    sim.SamplePressure[0] = RoundedSample(2);
    sim.SamplePressure[1] = RoundedSample(0);
    sim.SamplePressure[2] = RoundedSample(0);
    sim.SamplePressure[3] = RoundedSample(0);
    SummarizeCycle(sim, Params(1));
    EXPECT_EQ(Lines(sim)[1], "    Dwells (Hi/Lo): 2/8 %");
    EXPECT_EQ(Lines(sim)[2], "    Integrated Pressure (Hi/Lo): 25/75 %");
}

// A run that records only its results keeps its samples unrounded and rounds them when it
// summarizes; near the edge of the 1% band the rounding decides, so the summary must come out
// as from the rounded samples for every value there.
TEST(CycleSummaryTest, UnroundedSamplesSummarizeAsTheRoundedOnes) {
    const double edge = kHalf - kHalf / 100;
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> ulps(-40, 40);
    ShownRun rounded;
    ShownRun raw;
    raw.RawSamples = true;
    for (int i = 0; i < 361; ++i) {
        double x = edge;
        for (int k = ulps(random); k != 0; k += k > 0 ? -1 : 1)
            x = std::nextafter(x, k > 0 ? 1.0 : 0.0);
        if (i % 2 == 1) x = -x;
        const double pressure = 1e5 * (1 + 1e-15 * ulps(random));
        raw.SampleDispPos.push_back(x);
        raw.SamplePressure.push_back(pressure);
        rounded.SampleDispPos.push_back(RoundedSample(x));
        rounded.SamplePressure.push_back(RoundedSample(pressure));
    }
    const CycleSummary a = SummarizeCycleValues(raw, Params(1e5));
    const CycleSummary b = SummarizeCycleValues(rounded, Params(1e5));
    EXPECT_EQ(a.DwellHi, b.DwellHi);
    EXPECT_EQ(a.DwellLo, b.DwellLo);
    EXPECT_GT(a.DwellHi + a.DwellLo, 0);
    EXPECT_LT(a.DwellHi + a.DwellLo, 361);  // both sides of the edge occur
    EXPECT_EQ(a.PressureAbovePercent, b.PressureAbovePercent);
    EXPECT_EQ(a.PressureBelowPercent, b.PressureBelowPercent);
}

TEST(GraphSetUpTest, FixedRangesAndChoicesFollowTheCurveChoices) {
    ShownRun sim;
    ControlState controls;
    controls.outputs.LengthOutputFormatRG = 1;  // mm
    controls.outputs.PressureOutputFormatRG = 1;
    controls.RedGraphRG = 0;
    controls.BlueGraphRG = 1;
    controls.XAxisRG = 1;
    ASSERT_TRUE(SetUpGraphs(sim, Params(0), GraphSelectionOf(controls), 1.0 / 6000));
    EXPECT_EQ(sim.Graphs.timeIncrement, 1.0 / 6000);
    ASSERT_TRUE(sim.Graphs.left && sim.Graphs.right);
    EXPECT_EQ(sim.Graphs.left->curve, 0);
    EXPECT_EQ(sim.Graphs.right->curve, 1);
    EXPECT_EQ(sim.Graphs.titleRight, 1);
    EXPECT_EQ(sim.Graphs.xAxisChoice, 1);
    EXPECT_FALSE(sim.MainChart.LeftAxis.automatic);
    EXPECT_DOUBLE_EQ(sim.MainChart.LeftAxis.min, -63);
    EXPECT_DOUBLE_EQ(sim.MainChart.LeftAxis.max, 63);
    EXPECT_DOUBLE_EQ(sim.MainChart.RightAxis.max, 70);
    EXPECT_EQ(sim.MainChartA.LeftAxis.max, 63);

    controls.RedGraphRG = 2;
    controls.BlueGraphRG = 7;
    controls.XAxisRG = 0;
    sim.Graphs.phase = PhaseMark{};
    ASSERT_TRUE(SetUpGraphs(sim, Params(0), GraphSelectionOf(controls), 1.0 / 6000));
    EXPECT_EQ(sim.Graphs.left->curve, 2);
    EXPECT_EQ(sim.Graphs.right->curve, 7);
    EXPECT_FALSE(sim.Graphs.phase);  // a new x axis has no animation frame yet
    EXPECT_TRUE(sim.MainChart.LeftAxis.automatic);
    EXPECT_TRUE(sim.MainChartA.RightAxis.automatic);
}

TEST(GraphSetUpTest, EveryQuantityHasItsConversion) {
    OutputUnits units;
    units.LengthOutputFormatRG = 2;  // cm
    units.PressureOutputFormatRG = 0;
    StepValues step;
    step.dispPos = 0.01;
    step.pistonPos = 0.02;
    step.hotVolume = 1e-6;
    step.coldVolume = 2e-6;
    step.totalVolume = 3e-6;
    step.pressure = 1e5;
    step.meanPressure = 2e5;
    step.rodPressure = -1e5;
    step.springForce = 7;
    step.netForce = -8;
    step.acceleration = 9;
    step.velocity = -0.5;
    const double expected[] = {1, 2, 1, 2, 3, 1, 2, -1, 7, -8, 900, -50};
    for (int i = 0; i < kCurveItemCount; ++i)
        EXPECT_NEAR(CurveValue(i, step, units), expected[i], 1e-12 * std::fabs(expected[i])) << i;
}

TEST(SampleTextTest, WritesWhatPrintfWritesWithFifteenDigits) {
    char buffer[64];
    const double fixed[] = {0,
                            1,
                            0.1,
                            0.063,
                            1e-5,
                            5e6,
                            1e15,
                            1e14,
                            -2.5,
                            0.00012345,
                            999999999999999.5,
                            9.9999999999999995e-5,
                            123456789012345678.0,
                            1e300,
                            1e-300,
                            4.9e-324,
                            0.30000000000000004};
    for (double v : fixed) {
        std::snprintf(buffer, sizeof buffer, "%.15g", v);
        EXPECT_EQ(SampleText(v), buffer);
    }
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        double v = 0;
        if (i % 2 == 0) {
            const std::uint64_t bits = random();
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v)) continue;
        } else {
            v = std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 90));
        }
        std::snprintf(buffer, sizeof buffer, "%.15g", v);
        ASSERT_EQ(SampleText(v), buffer) << v;
        if (i % 100 == 0) {
            ASSERT_EQ(SampleTextValue(SampleText(v)), std::strtod(buffer, nullptr));
        }
    }
    EXPECT_EQ(SampleTextValue("0"), 0);
    EXPECT_EQ(SampleTextValue("-2.5e-05"), -2.5e-05);
    EXPECT_EQ(SampleTextValue("12abc"), 0);
    EXPECT_EQ(SampleTextValue(""), 0);
    EXPECT_EQ(SampleText(-0.0), "-0");
    EXPECT_EQ(SampleText(std::nan("")), "0");
}

}  // namespace
}  // namespace velmora
