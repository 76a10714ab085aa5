// The fast evaluator against the compute run of a session: the same results to the last bit
// for the reference engines, every cycle schedule and a few hundred random engines.
#include "simulation/design_evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "form/design_form.h"
#include "model/compute_report.h"
#include "session/engine_session.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

// A report line of the cycle summary the window shows; empty before the first graphed cycle.
std::string SummaryLine(const SimulationState& sim, std::size_t i) {
    return sim.ShownSummary ? CycleSummaryLines(*sim.ShownSummary)[i] : std::string();
}

using test::LargeEngineControls;
using test::SmallEngineControls;

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void ExpectSameBits(const DesignResult& actual, const DesignResult& expected) {
    EXPECT_EQ(Bits(actual.engineSpeed), Bits(expected.engineSpeed));
    for (const DesignOutputColumn& column : kDesignOutputColumns) {
        const std::optional<double>& a = actual[column.output];
        const std::optional<double>& e = expected[column.output];
        ASSERT_EQ(a.has_value(), e.has_value()) << column.name;
        if (a) EXPECT_EQ(Bits(*a), Bits(*e)) << column.name << ": " << *a << " vs " << *e;
    }
}

// The record of a whole compute run in a fresh session, as velmora-cli report makes it.
DesignResult SessionResult(const ControlState& controls, bool powerCurve) {
    EngineSession session;
    session.State = controls;
    session.Compute(true, true);
    DesignResult result = ResultOfRun(session.Driver.Params, session.Sim, controls.outputs);
    if (powerCurve) {
        session.PowerSpeedCurve();
        AddCurveMaximum(result, session.Sim.Chart3);
    }
    return result;
}

void ExpectEvaluatorMatches(const ControlState& controls, bool powerCurve = false) {
    ExpectSameBits(EvaluateDesign(ReadDesign(controls).design, {.powerCurve = powerCurve}),
                   SessionResult(controls, powerCurve));
}

struct Schedule {
    const char* computed;
    const char* graphed;
    bool leak;
};

constexpr Schedule kSchedules[] = {
    {"3", "3", false}, {"3", "1", false}, {"3", "1", true}, {"", "", false},   {"", "", true},
    {"", "2", true},   {"", "0", true},   {"5", "2", true}, {"2", "5", false}, {"4", "0", false},
    {"1", "1", true},  {"x", "", false},  {"0", "3", false}};

TEST(DesignEvaluator, ReferenceEnginesUnderEveryScheduleEqualTheComputeRun) {
    for (const ControlState& engine : {LargeEngineControls(), SmallEngineControls()}) {
        for (const Schedule& schedule : kSchedules) {
            for (const bool gravity : {false, true}) {
                ControlState c = engine;
                c.ComputeCycleCountEdit = schedule.computed;
                c.GraphCycleCountEdit = schedule.graphed;
                c.LeakCB = schedule.leak;
                c.GravityCB = gravity;
                SCOPED_TRACE(std::string(schedule.computed) + "/" + schedule.graphed +
                             (schedule.leak ? " leak" : "") + (gravity ? " gravity" : ""));
                ExpectEvaluatorMatches(c);
            }
        }
    }
}

TEST(DesignEvaluator, ResultsOfTheLargeEngineAsTheReportShowsThem) {
    ControlState c = LargeEngineControls();
    EngineSession session;
    session.State = c;
    session.Compute(true, true);
    const DesignResult r = EvaluateDesign(ReadDesign(c).design, {.powerCurve = true});
    const ParameterSet& p = session.Driver.Params;
    EXPECT_EQ(r[DesignOutput::SchmidtPower], p.SchmidtPower);
    EXPECT_EQ(r[DesignOutput::PVPowerAtEngineSpeed], p.PVPowerAtEngineSpeed);
    EXPECT_EQ(r[DesignOutput::OmegaBar], p.OmegaBar);
    EXPECT_FALSE(r[DesignOutput::BetaS].has_value());  // no spring
    EXPECT_EQ(r[DesignOutput::Beta], p.Beta);
    // The dwell numbers are those of the report lines.
    char line[128];
    std::snprintf(line, sizeof line, "    Dwells (Hi/Lo): %.0f/%.0f degrees",
                  *r[DesignOutput::DwellHi], *r[DesignOutput::DwellLo]);
    EXPECT_EQ(SummaryLine(session.Sim, 0), line);
    std::snprintf(line, sizeof line, "    Integrated Pressure (Hi/Lo): %.0f/%.0f %%",
                  *r[DesignOutput::PressureHi], *r[DesignOutput::PressureLo]);
    EXPECT_EQ(SummaryLine(session.Sim, 2), line);
    EXPECT_EQ(*r[DesignOutput::MaxDispVelocity], std::fabs(p.MaxDispVelocity));
    EXPECT_EQ(r[DesignOutput::DispPowerLoss], p.DispPowerLoss);
    EXPECT_NEAR(*r[DesignOutput::DispPowerLossFraction], p.DispPowerLoss / p.SchmidtPower, 1e-15);
    // The exact loop integral lies close to the pixel estimate of the same diagram.
    EXPECT_NEAR(*r[DesignOutput::IndicatedPower], p.PVPowerAtEngineSpeed,
                0.02 * p.PVPowerAtEngineSpeed);
    ASSERT_TRUE(r[DesignOutput::CurveMaxPower].has_value());
    EXPECT_GT(*r[DesignOutput::CurveMaxPower], 0);
    EXPECT_LE(*r[DesignOutput::CurveMaxPowerSpeed], p.OmegaBar);
    EXPECT_EQ(r.Overdriven(), p.EngineSpeed > p.OmegaBar);
}

TEST(DesignEvaluator, PowerCurveMaximumEqualsTheSessionsCurve) {
    ExpectEvaluatorMatches(LargeEngineControls(), true);
    ExpectEvaluatorMatches(SmallEngineControls(), true);
}

TEST(DesignEvaluator, WhatCannotBeComputedIsEmpty) {
    const DesignResult empty = EvaluateDesign(ReadDesign(ControlState{}).design);
    for (const DesignOutputColumn& column : kDesignOutputColumns)
        EXPECT_FALSE(empty[column.output].has_value()) << column.name;
    EXPECT_FALSE(empty.Overdriven().has_value());

    // Without a hot temperature: no gas mass, so no gas spring, Omega Bar or Schmidt power;
    // the simulation runs at zero pressure, all of it below the mean.
    ControlState c = LargeEngineControls();
    c.EditHotTemp.text = "abc";
    DesignResult r = EvaluateDesign(ReadDesign(c).design, {.powerCurve = true});
    EXPECT_FALSE(r[DesignOutput::OmegaBar].has_value());
    EXPECT_FALSE(r[DesignOutput::SchmidtPower].has_value());
    EXPECT_FALSE(r[DesignOutput::CurveMaxPower].has_value());
    EXPECT_FALSE(r[DesignOutput::PVPowerAtEngineSpeed].has_value());
    EXPECT_EQ(r[DesignOutput::PressureLo], 100);
    EXPECT_EQ(r[DesignOutput::IndicatedPower], 0);
    ExpectEvaluatorMatches(c, true);

    // Without a displacer mass nothing moves: no cycle, no dwell, no loop.
    c = LargeEngineControls();
    c.EditDispMass.text.clear();
    r = EvaluateDesign(ReadDesign(c).design);
    EXPECT_TRUE(r[DesignOutput::Beta].has_value());
    EXPECT_FALSE(r[DesignOutput::DwellHi].has_value());
    EXPECT_FALSE(r[DesignOutput::IndicatedPower].has_value());
    ExpectEvaluatorMatches(c);
}

TEST(DesignEvaluator, SpringGivesBetaAndBetaS) {
    ControlState c = LargeEngineControls();
    c.EditSpringConstant = {"2000", 0};
    const DesignResult r = EvaluateDesign(ReadDesign(c).design);
    ASSERT_TRUE(r[DesignOutput::Beta] && r[DesignOutput::BetaS]);
    EXPECT_GT(*r[DesignOutput::BetaS], *r[DesignOutput::Beta]);
    ExpectEvaluatorMatches(c);
}

TEST(DesignEvaluator, ContinuesFromTheWindowsStepCount) {
    // A second run in the window starts its ungraphed cycles where the first one ended.
    ControlState c = LargeEngineControls();
    c.GraphCycleCountEdit = "1";
    EngineSession session;
    session.State = c;
    session.Compute(true, true);
    const std::int32_t count = session.Sim.SimStepCount;
    session.Compute(true, true);
    ExpectSameBits(EvaluateDesign(ReadDesign(c).design, {.startStepCount = count}),
                   ResultOfRun(session.Driver.Params, session.Sim, c.outputs));
}

// Engines around the two reference engines: every numeric input scaled by up to ten in
// either direction, any unit choice now and then, springs, gravity, schedules and output
// units drawn at random.
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
        const double factor = std::pow(10.0, unit(random) * 2 - 1);
        char text[40];
        std::snprintf(text, sizeof text, "%.6g", std::stod(input.text) * factor);
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
    const Schedule& schedule = kSchedules[random() % std::size(kSchedules)];
    c.ComputeCycleCountEdit = schedule.computed;
    c.GraphCycleCountEdit = schedule.graphed;
    c.LeakCB = random() % 2 == 0;
    c.GravityCB = random() % 3 == 0;
    c.EditXAxisOffset = std::to_string(static_cast<int>(random() % 360));
    c.outputs.PressureOutputFormatRG = static_cast<int>(random() % 3);
    c.outputs.LengthOutputFormatRG = static_cast<int>(random() % 4);
    c.XAxisRG = static_cast<int>(random() % 2);
    return c;
}

TEST(DesignEvaluator, RandomEnginesEqualTheComputeRunAlsoWithAReusedEvaluator) {
    std::mt19937_64 random(15);
    DesignEvaluator reused;
    for (int engine = 0; engine < 300; ++engine) {
        SCOPED_TRACE("engine " + std::to_string(engine));
        const ControlState c = RandomEngine(random);
        const bool curve = engine % 10 == 0;
        const DesignResult expected = SessionResult(c, curve);
        ExpectSameBits(EvaluateDesign(ReadDesign(c).design, {.powerCurve = curve}), expected);
        ExpectSameBits(reused.Evaluate(ReadDesign(c).design, {.powerCurve = curve}), expected);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace velmora
