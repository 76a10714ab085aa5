// The one-degree model's energy figures under every cycle schedule: they come from the last
// revolution the schedule simulates, whatever number of cycles is graphed, and where one cannot
// be given the text says why.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "export/energy_table.h"
#include "form/design_form.h"
#include "report/unit_text.h"
#include "simulation/cycle_simulation.h"
#include "simulation/design_energy.h"
#include "simulation/design_evaluator.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

using test::LargeEngineControls;
using test::SmallEngineControls;

// Engines around the two reference engines, as the evaluator's random-engine test makes them:
// every numeric input scaled by up to ten either way, now and then another unit, springs,
// gravity, x-axis offsets and output units; the schedule is left to the caller.
ControlState RandomEngine(std::mt19937_64& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    ControlState c = random() % 2 ? LargeEngineControls() : SmallEngineControls();
    for (InputControl ControlState::*field :
         {&ControlState::EditDispDiameter, &ControlState::EditDispStroke,
          &ControlState::EditDispMass, &ControlState::EditDispRodDiameter,
          &ControlState::EditPistonDiameter, &ControlState::EditPistonStroke,
          &ControlState::EditDeadSpaceVol, &ControlState::EditDeadSpaceTemp,
          &ControlState::EditHotTemp, &ControlState::EditColdTemp, &ControlState::EditEngineSpeed,
          &ControlState::EditMeanEnginePressure}) {
        InputControl& input = c.*field;
        char text[40];
        std::snprintf(text, sizeof text, "%.6g",
                      std::stod(input.text) * std::pow(10.0, unit(random) * 2 - 1));
        if (random() % 8 != 0) input.text = text;
        if (random() % 10 == 0) input.units = static_cast<int>(random() % 3);
    }
    if (random() % 3 == 0) {
        char text[40];
        std::snprintf(text, sizeof text, "%.4g", std::pow(10.0, unit(random) * 4));
        c.EditSpringConstant = {text, static_cast<int>(random() % 2)};
        std::snprintf(text, sizeof text, "%.3g", unit(random) * 10 - 5);
        c.EditSpringCenter.text = text;
    }
    c.GravityCB = random() % 3 == 0;
    c.EditXAxisOffset = std::to_string(static_cast<int>(random() % 360));
    c.outputs.PressureOutputFormatRG = static_cast<int>(random() % 3);
    c.outputs.LengthOutputFormatRG = static_cast<int>(random() % 4);
    c.XAxisRG = static_cast<int>(random() % 2);
    return c;
}

// The figures that come from the revolution at engine speed and from the run at Omega Bar.
constexpr DesignOutput kRevolutionOutputs[] = {DesignOutput::ShaftPower,
                                               DesignOutput::RodWorkLoss,
                                               DesignOutput::HeatIn,
                                               DesignOutput::HeatOut,
                                               DesignOutput::Efficiency,
                                               DesignOutput::CarnotFraction,
                                               DesignOutput::Settled,
                                               DesignOutput::IndicatedPowerAtOmegaBar,
                                               DesignOutput::ShaftPowerAtOmegaBar};

void ExpectSameFigures(const DesignResult& a, const DesignResult& b) {
    for (const DesignOutput output : kRevolutionOutputs) {
        const std::optional<double>& x = a[output];
        const std::optional<double>& y = b[output];
        EXPECT_EQ(x.has_value(), y.has_value()) << OutputColumn(output).name;
        // Bit for bit: the same revolution, the same numbers in the same order.
        if (x && y) {
            EXPECT_EQ(std::memcmp(&*x, &*y, sizeof(double)), 0) << OutputColumn(output).name;
        }
    }
}

// The figures the recorded samples give, as they were worked out from them before: a
// results-only run of the same design and the trapezoids over the recording's last revolution.
std::optional<double> RecordedShaftPower(const ControlState& c) {
    ControlState unequalized = c;
    unequalized.LeakCB = false;  // the analysis before the run's equalization moves the pressure
    ParameterSet p = test::ComputedParameters(unequalized);
    const ParameterSet analysed = p;
    SimulationState sim;
    SimulationNotes notes;
    SimulationHost host;
    RunSimulation(p, ReadDesign(c).design, sim, notes, host, Recording::ResultsOnly);
    CycleIntegrals cycle;
    if (analysed.EngineSpeed <= 0 || !IntegrateRecordedCycle(sim, analysed, cycle))
        return std::nullopt;
    return EnergyOfCycle(cycle, analysed, analysed.EngineSpeed).shaftPower;
}

const char* const kCounts[] = {"", "0", "1", "2", "3", "4"};  // "": automatic

// Random engines under every pair of computed and graphed counts, with and without pressure
// equalization: the energy figures exist whenever the indicated power does, every empty one
// says why, and schedules that simulate the same revolution give the same figures bit for bit,
// which are those the recorded samples gave wherever the graph held the whole revolution.
TEST(EnergySchedule, RandomEnginesUnderEveryScheduleGiveTheLastRevolutionsFigures) {
    std::mt19937_64 random(33);
    DesignEvaluator evaluator;
    int withFigures = 0, fromRecording = 0, withheld = 0;
    for (int engine = 0; engine < 16; ++engine) {
        const ControlState base = RandomEngine(random);
        for (const bool leak : {false, true}) {
            for (const char* computed : kCounts) {
                std::vector<DesignResult> results;
                for (const char* graphed : kCounts) {
                    SCOPED_TRACE("engine " + std::to_string(engine) + (leak ? " leak" : "") +
                                 ", computed '" + computed + "', graphed '" + graphed + "'");
                    ControlState c = base;
                    c.LeakCB = leak;
                    c.ComputeCycleCountEdit = computed;
                    c.GraphCycleCountEdit = graphed;
                    const DesignResult r =
                        evaluator.Evaluate(ReadDesign(c).design, {.energy = true});
                    results.push_back(r);
                    // An empty figure gives its reason.
                    for (const DesignOutput output : kEnergyOutputs) {
                        if (!r[output]) {
                            EXPECT_NE(EnergyValueText(r, output), "not computed");
                        }
                    }
                    if (r[DesignOutput::IndicatedPower]) {
                        ASSERT_TRUE(r[DesignOutput::ShaftPower]);
                        ASSERT_TRUE(r[DesignOutput::RodWorkLoss]);
                        // Heat figures of a cycle that breaks the laws are withheld.
                        if (r.energyGaps.heat == EnergyGap::None) {
                            ASSERT_TRUE(r[DesignOutput::HeatIn]);
                            ASSERT_TRUE(r[DesignOutput::HeatOut]);
                            EXPECT_TRUE(r[DesignOutput::Efficiency] ||
                                        *r[DesignOutput::HeatIn] <= 0);
                        } else {
                            if (r.energyGaps.heat != EnergyGap::EfficiencyBeyondCarnot) ++withheld;
                            EXPECT_FALSE(r[DesignOutput::HeatIn]);
                            EXPECT_FALSE(r[DesignOutput::Efficiency]);
                        }
                        // Those shown lie from 0 to Carnot's efficiency.
                        if (const std::optional<double>& eff = r[DesignOutput::Efficiency])
                            EXPECT_GE(*eff, 0);
                        if (const std::optional<double>& share = r[DesignOutput::CarnotFraction])
                            EXPECT_LE(*share, 1);
                        EXPECT_EQ(r[DesignOutput::Settled], 1.0);
                        ++withFigures;
                    }
                    if (const std::optional<double> recorded = RecordedShaftPower(c)) {
                        ASSERT_TRUE(r[DesignOutput::ShaftPower]);
                        EXPECT_EQ(*r[DesignOutput::ShaftPower], *recorded);
                        ++fromRecording;
                    }
                }
                // Which graphed counts share the simulated revolution: all of them for the
                // automatic schedule without equalization (three cycles, the last graphed);
                // for a fixed count n, none graphed and n or more graphed (all counted from
                // step 1).
                const std::string n = computed;
                for (std::size_t g = 0; g < std::size(kCounts); ++g) {
                    const std::string graphed = kCounts[g];
                    const bool same =
                        n.empty()  ? !leak
                        : n == "0" ? true
                                   : graphed == "0" ||
                                         (!graphed.empty() && std::stoi(graphed) >= std::stoi(n));
                    if (!same) continue;
                    SCOPED_TRACE("engine " + std::to_string(engine) + (leak ? " leak" : "") +
                                 ", computed '" + n + "', graphed '" + graphed + "'");
                    ExpectSameFigures(results[g], results[1]);
                }
            }
        }
    }
    // The draw covers both kinds of run.
    EXPECT_GT(withFigures, 500);
    // Cycles that break a law are the rare exception (engines that take in work as well as
    // heat, efficiency below 0, are common among random ones).
    EXPECT_LT(withheld, withFigures / 20) << withheld;
    EXPECT_GT(fromRecording, 100);
}

// Each way a design can leave its figures empty, as the text form names it.
TEST(EnergySchedule, EmptyFiguresSayWhy) {
    const auto text = [](const ControlState& c, DesignOutput output) {
        return EnergyValueText(EvaluateDesign(ReadDesign(c).design, {.energy = true}), output);
    };
    ControlState c = LargeEngineControls();
    c.EditEngineSpeed.text = "0";
    EXPECT_EQ(text(c, DesignOutput::ShaftPower), "not computed (no positive engine speed)");
    EXPECT_EQ(text(c, DesignOutput::IndicatedPower), "not computed (no positive engine speed)");
    // The run at Omega Bar does not need the engine speed.
    EXPECT_NE(text(c, DesignOutput::ShaftPowerAtOmegaBar).find('.'), std::string::npos);

    for (const IntegrationModel model : {IntegrationModel::Specified, IntegrationModel::Accurate}) {
        c = LargeEngineControls();
        c.Integration = model;
        c.EditDispMass.text = "";
        EXPECT_EQ(text(c, DesignOutput::Settled), "not computed (an input is missing)");
        EXPECT_EQ(text(c, DesignOutput::ShaftPowerAtOmegaBar),
                  "not computed (an input is missing)");
    }

    c = LargeEngineControls();
    c.RedGraphRG = kNoChoice;
    EXPECT_EQ(text(c, DesignOutput::HeatIn),
              "not computed (no graph curves chosen, so no cycle is run)");

    // Nothing graphed: the indicated power is the graphed loop's, the rest is there.
    c = LargeEngineControls();
    c.GraphCycleCountEdit = "0";
    EXPECT_EQ(text(c, DesignOutput::IndicatedPower), "not computed (no cycle graphed)");
    EXPECT_EQ(text(c, DesignOutput::Settled), "yes");

    // The ratios of a run that gave its figures.
    DesignResult r;
    r[DesignOutput::ShaftPower] = 10;
    r[DesignOutput::HeatIn] = -4;
    r[DesignOutput::Settled] = 1;
    EXPECT_EQ(EnergyValueText(r, DesignOutput::Efficiency), "not computed (no heat taken in)");
    r[DesignOutput::HeatIn] = 40;
    r[DesignOutput::Efficiency] = 0.25;
    EXPECT_EQ(EnergyValueText(r, DesignOutput::CarnotFraction),
              "not computed (the hot space is not hotter than the cold)");
    r.energyGaps.atOmegaBar = EnergyGap::NoOmegaBar;
    EXPECT_EQ(EnergyValueText(r, DesignOutput::IndicatedPowerAtOmegaBar),
              "not computed (no Omega Bar)");
}

}  // namespace
}  // namespace velmora
