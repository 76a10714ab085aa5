// The seam between the simulation and the graphs drawn above it: a shown run hands every
// graphed step in SI to its graphs, in the order the samples hold them, and what it measures
// (samples, PV points and powers, summary) does not depend on whether anything is drawn.
#include <gtest/gtest.h>

#include <vector>

#include "simulation/cycle_simulation.h"
#include "simulation/engine_fixtures.h"
#include "simulation/sample_text.h"

namespace velmora {
namespace {

// Graphs that only note what the run hands them.
class NotingGraphs final : public CycleGraphs {
  public:
    explicit NotingGraphs(bool setUp = true) : setUp_(setUp) {}
    void Begin() override { ++begun; }
    bool SetUp(const ParameterSet&, double step) override {
        timeStep = step;
        return setUp_;
    }
    void Restart() override {
        ++restarts;
        steps.clear();
    }
    void Step(std::int32_t stepCount, const StepValues& step) override {
        steps.push_back(step);
        counts.push_back(stepCount);
    }
    void DrawPowerCurve(const ParameterSet&, SimulationHost&) override { ++powerCurves; }

    int begun = 0;
    int restarts = 0;
    int powerCurves = 0;
    double timeStep = 0;
    std::vector<StepValues> steps;
    std::vector<std::int32_t> counts;

  private:
    bool setUp_;
};

class ShownPowerCurve final : public SimulationHost {
  public:
    bool IsPowerCurveShown() const override { return true; }
};

struct SimulatedRun {
    ParameterSet params;
    SimulationState sim;
};

SimulatedRun Simulate(const test::AnalysedDesign& engine, Recording recording, CycleGraphs* graphs,
                      SimulationHost& host) {
    SimulatedRun run{engine.params, {}};
    SimulationNotes notes;
    RunSimulation(run.params, engine.design, run.sim, notes, host, recording, graphs);
    return run;
}

TEST(CycleGraphs, AShownRunHandsEveryGraphedStepInSIAndMeasuresAsAnUndrawnOne) {
    const test::AnalysedDesign engine = test::AnalysedLargeEngine();
    NotingGraphs graphs;
    ShownPowerCurve host;
    const SimulatedRun shown = Simulate(engine, Recording::Everything, &graphs, host);

    EXPECT_EQ(graphs.begun, 1);
    EXPECT_EQ(graphs.powerCurves, 1);
    // One crank degree at 1000 RPM with the one-degree model's pi (3.14159 / 180).
    EXPECT_NEAR(graphs.timeStep, 3.14159 / 180 / (1000 * 2 * 3.14159265358979 / 60), 1e-9);
    ASSERT_EQ(graphs.steps.size(), shown.sim.SamplePressure.size());
    ASSERT_FALSE(graphs.steps.empty());
    for (std::size_t i = 0; i < graphs.steps.size(); ++i) {
        const StepValues& step = graphs.steps[i];
        // SI: the volume is the dead space (3380 cm^3) plus the two working spaces; the
        // pressure lies within a few times the 50 atm mean.
        EXPECT_GT(step.totalVolume, 3.38e-3) << i;
        EXPECT_LT(step.totalVolume, 3.38e-3 + 0.01) << i;
        EXPECT_GT(step.pressure, 5e5) << i;
        EXPECT_LT(step.pressure, 5e7) << i;
        EXPECT_EQ(RoundedSample(step.pressure), shown.sim.SamplePressure[i]) << i;
        EXPECT_EQ(RoundedSample(step.totalVolume), shown.sim.SampleTotalVolume[i]) << i;
        EXPECT_EQ(graphs.counts[i], static_cast<std::int32_t>(i + 1)) << i;
    }

    // Drawn or not, the run measures the same: same PV points and powers, same summary.
    SimulationHost quiet;
    const SimulatedRun undrawn = Simulate(engine, Recording::ResultsOnly, nullptr, quiet);
    EXPECT_GT(shown.params.PVPowerAtEngineSpeed, 0);
    EXPECT_EQ(undrawn.params.PVPowerAtEngineSpeed, shown.params.PVPowerAtEngineSpeed);
    EXPECT_EQ(undrawn.params.PVPowerAtOmegaBar, shown.params.PVPowerAtOmegaBar);
    ASSERT_EQ(undrawn.sim.PVSeries.size(), shown.sim.PVSeries.size());
    for (std::size_t i = 0; i < shown.sim.PVSeries.size(); ++i) {
        EXPECT_EQ(undrawn.sim.PVSeries[i].x, shown.sim.PVSeries[i].x) << i;
        EXPECT_EQ(undrawn.sim.PVSeries[i].y, shown.sim.PVSeries[i].y) << i;
    }
    ASSERT_TRUE(undrawn.sim.Summary && shown.sim.Summary);
    EXPECT_EQ(undrawn.sim.Summary->DwellHi, shown.sim.Summary->DwellHi);
    EXPECT_EQ(undrawn.sim.Summary->PressureAbovePercent, shown.sim.Summary->PressureAbovePercent);
}

TEST(CycleGraphs, GraphsThatCannotBeSetUpEndTheRunBeforeAnyStep) {
    const test::AnalysedDesign engine = test::AnalysedLargeEngine();
    NotingGraphs graphs(false);
    ShownPowerCurve host;
    const SimulatedRun run = Simulate(engine, Recording::Everything, &graphs, host);
    EXPECT_EQ(graphs.begun, 1);
    EXPECT_TRUE(graphs.steps.empty());
    EXPECT_EQ(graphs.powerCurves, 0);
    EXPECT_TRUE(run.sim.PVSeries.empty());
    EXPECT_EQ(run.params.PVPowerAtEngineSpeed, 0);
}

TEST(CycleGraphs, ARunThatRecordsOnlyItsResultsDrawsNothing) {
    const test::AnalysedDesign engine = test::AnalysedLargeEngine();
    NotingGraphs graphs;
    SimulationHost host;
    const SimulatedRun run = Simulate(engine, Recording::ResultsOnly, &graphs, host);
    EXPECT_TRUE(graphs.steps.empty());
    EXPECT_EQ(graphs.timeStep, 0);
    EXPECT_FALSE(run.sim.PVSeries.empty());
}

}  // namespace
}  // namespace velmora
