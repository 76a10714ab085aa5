// The loss waterfall, the power to build by and the brake chart's series: numbers worked out by
// hand from a made-up lossy cycle, and texts as the user's locale writes them.
#include "presentation/loss_waterfall.h"

#include <gtest/gtest.h>

#include <numbers>

#include "presentation/energy_figures.h"

namespace velmora {
namespace {

// A cycle at 10 revolutions a second: 3,400 W in, of which 400 W pass the gas by; the gas
// turns 1,200 W into work, 200 W of it lost on the rod; the mechanism keeps 150 W of the shaft's
// 1,000 W.
LossyRun MadeUpRun() {
    LossyRun r;
    r.settled = true;
    r.speed = 2 * std::numbers::pi * 10;
    r.shaftPower = 1000;
    r.rodWork = 20;  // J per revolution: 200 W
    r.mechanismLoss = 150;
    r.brakePower = 850;
    r.gasHeatIn = 3000;
    r.conductionLoss = 100;
    r.shuttleLoss = 50;
    r.reheatLoss = 250;
    r.heatInTotal = 3400;
    return r;
}

TEST(LossWaterfall, RunsFromHeatInToBrakeThroughEveryLoss) {
    const std::vector<WaterfallStep> steps = LossWaterfall(MadeUpRun());
    const struct {
        const char* label;
        bool level;
        double value;
    } expected[] = {
        {"Heat in", true, 3400},  {"Conduction", false, 100},     {"Shuttle", false, 50},
        {"Reheat", false, 250},   {"Heat rejected", false, 1800}, {"Gas cycle", true, 1200},
        {"Rod loss", false, 200}, {"Shaft", true, 1000},          {"Mechanism", false, 150},
        {"Brake", true, 850},
    };
    ASSERT_EQ(steps.size(), std::size(expected));
    double level = 0, lost = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(expected[i].label);
        EXPECT_EQ(steps[i].label, expected[i].label);
        EXPECT_EQ(steps[i].level, expected[i].level);
        EXPECT_NEAR(steps[i].Value(), expected[i].value, 1e-9);
        // A loss starts where the bar before it ends; a level is what the losses left.
        if (steps[i].level) {
            if (i > 0) {
                EXPECT_NEAR(steps[i].to, level, 1e-9);
            }
            EXPECT_EQ(steps[i].from, 0);
            level = steps[i].to;
        } else {
            EXPECT_NEAR(steps[i].from, level, 1e-9);
            level = steps[i].to;
            lost += steps[i].Value();
        }
    }
    EXPECT_NEAR(steps.front().Value() - lost, steps.back().Value(), 1e-9);
    EXPECT_EQ(WaterfallLabel(steps[0], {}), "Heat in: 3,400 W");
    EXPECT_EQ(WaterfallLabel(steps[1], {}), "Conduction: -100 W");
}

TEST(LossWaterfall, ALosslessCycleHasNoLossesAndBrakeEqualsShaft) {
    LossyRun r = MadeUpRun();
    r.conductionLoss = r.shuttleLoss = r.reheatLoss = r.mechanismLoss = 0;
    r.heatInTotal = r.gasHeatIn;
    r.brakePower = r.shaftPower;
    const std::vector<WaterfallStep> steps = LossWaterfall(r);
    for (const char* zero : {"Conduction", "Shuttle", "Reheat", "Mechanism"})
        for (const WaterfallStep& s : steps)
            if (s.label == zero) {
                EXPECT_EQ(s.Value(), 0) << zero;
            }
    EXPECT_EQ(steps[7].Value(), steps[9].Value());
    EXPECT_EQ(WaterfallLabel(steps[2], {}), "Shuttle: 0 W");
}

TEST(LossWaterfall, BarsCrossingZeroAreStackedOnBothSides) {
    const StackedParts above = StackedPartsOf({"loss", false, 300, 200});
    EXPECT_EQ(above.positiveBase, 200);
    EXPECT_EQ(above.positiveLength, 100);
    EXPECT_EQ(above.negativeLength, 0);
    const StackedParts across = StackedPartsOf({"loss", false, 100, -50});
    EXPECT_EQ(across.positiveBase, 0);
    EXPECT_EQ(across.positiveLength, 100);
    EXPECT_EQ(across.negativeBase, 0);
    EXPECT_EQ(across.negativeLength, -50);
    const StackedParts below = StackedPartsOf({"loss", false, -10, -40});
    EXPECT_EQ(below.positiveLength, 0);
    EXPECT_EQ(below.negativeBase, -10);
    EXPECT_EQ(below.negativeLength, -30);
    const StackedParts negativeLevel = StackedPartsOf({"Brake", true, 0, -22261});
    EXPECT_EQ(negativeLevel.negativeBase, 0);
    EXPECT_EQ(negativeLevel.negativeLength, -22261);
}

TEST(ChartNumbers, WholeAndGroupedAsTheLocaleWritesThem) {
    EXPECT_EQ(ChartNumber(28071.4, {}), "28,071");
    EXPECT_EQ(ChartNumber(-22261.0, {}), "-22,261");
    EXPECT_EQ(ChartNumber(999.4, {}), "999");
    EXPECT_EQ(ChartNumber(999.6, {}), "1,000");
    EXPECT_EQ(ChartNumber(-120.4, {}), "-120");
    EXPECT_EQ(ChartNumber(5.26, {}), "5.3");
    EXPECT_EQ(ChartNumber(-0.5, {}), "-0.5");
    EXPECT_EQ(ChartNumber(0.04, {}), "0");
    const NumberSettings german{",", "."};
    EXPECT_EQ(ChartNumber(1234567.8, german), "1.234.568");
    EXPECT_EQ(ChartNumber(3.25, german), "3,3");
    const NumberSettings french{",", "\u202f"};
    EXPECT_EQ(ChartNumber(12345.6, french), "12\u202f346");
}

TEST(BuildBy, BrakePowerWithLossesAndTheAccurateShaftPowerWithout) {
    EXPECT_EQ(BuildByText({true, 5067.9}, {}), "Brake power to build by: 5,068 W");
    EXPECT_EQ(BuildByText({false, 15974.5}, {}), "Shaft power (accurate model): 15,975 W");
    EXPECT_EQ(BuildByText({false, -22261.2}, {}), "Shaft power (accurate model): -22,261 W");
    EXPECT_EQ(BuildByText({true, 1.7e-8}, {}), "Brake power to build by: - (not running)");
    EXPECT_EQ(BuildByText({true, std::nullopt}, {}), "Brake power to build by: not computed");

    EnergyFigures lossless;
    lossless.headline.accurate = CycleEnergy{};
    lossless.headline.accurate->shaftPower = 15974.5;
    lossless.result[DesignOutput::BrakePower] = 1.0;  // ignored: the design has no losses
    EXPECT_FALSE(BuildByPowerOf(lossless).brake);
    EXPECT_EQ(BuildByPowerOf(lossless).watts, 15974.5);
    EnergyFigures lossy = lossless;
    lossy.result.lossesGiven = true;
    lossy.result[DesignOutput::BrakePower] = 5067.9;
    EXPECT_TRUE(BuildByPowerOf(lossy).brake);
    EXPECT_EQ(BuildByPowerOf(lossy).watts, 5067.9);
}

TEST(BrakeChart, SpeedsInRpmWithTheLoadLineAndTheRunningPoint) {
    const double tenHz = 2 * std::numbers::pi * 10;  // 600 RPM
    BrakeSpeedCurve curve;
    curve.points = {{tenHz, 3000, 3000 / tenHz}, {2 * tenHz, 4000, 4000 / (2 * tenHz)}};
    curve.loadTorque = 40;
    curve.running = BrakeSpeedPoint{tenHz * 1.5, 3770, 40};
    const BrakeChartSeries s = BrakeChartSeriesOf(curve, {});
    ASSERT_EQ(s.power.points.size(), 2u);
    EXPECT_NEAR(s.power.points[0].first, 600, 1e-9);
    EXPECT_NEAR(s.power.points[1].first, 1200, 1e-9);
    EXPECT_EQ(s.power.points[1].second, 4000);
    EXPECT_NEAR(s.torque.points[0].second, 3000 / tenHz, 1e-12);
    ASSERT_EQ(s.load.points.size(), 2u);
    EXPECT_EQ(s.load.points[0].second, 40);
    EXPECT_NEAR(s.load.points[1].first, 1200, 1e-9);
    ASSERT_EQ(s.runningTorque.points.size(), 1u);
    EXPECT_NEAR(s.runningTorque.points[0].first, 900, 1e-9);
    EXPECT_EQ(s.runningTorque.points[0].second, 40);
    EXPECT_EQ(s.runningTorque.name, "Running point");
    EXPECT_EQ(s.note, "Runs at 900 RPM under the load of 40 N m");

    curve.running.reset();
    EXPECT_NE(BrakeChartSeriesOf(curve, {}).note.find("cannot run under this load"),
              std::string::npos);
    curve.loadTorque = 0;
    EXPECT_TRUE(BrakeChartSeriesOf(curve, {}).load.points.empty());
    EXPECT_EQ(BrakeChartSeriesOf(BrakeSpeedCurve{}, {}).note, "No settled run at any speed.");
}

}  // namespace
}  // namespace velmora
