#include "simulation/power_speed_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "report/analysis_report.h"
#include "report/number_text.h"
#include "report/unit_text.h"
#include "simulation/engine_fixtures.h"

namespace velmora {
namespace {

using test::ComputedParameters;
using test::LargeEngineControls;
using test::SmallEngineControls;

ControlState SprungEngineControls() {
    ControlState c = LargeEngineControls();
    c.EditSpringConstant = {"3000", 0};
    c.EditSpringCenter = {"10", 1};
    return c;
}

// The closed form written out once more, and the search as a plain loop over every grid point.
double PlainPosition(const ParameterSet& p, double t, double speed) {
    const double e = std::sqrt(p.K) / speed;
    const double t0 = TeeZeroTime(p, speed).value;
    const double a = p.DispHalfStroke * speed * speed / (speed * speed + p.K);
    return a * (std::exp(std::sqrt(p.K) * (t - t0)) * (1 - e * p.Chi) * 0.5 +
                std::exp(-std::sqrt(p.K) * (t - t0)) * (e * p.Chi + 1) * 0.5 +
                std::sin(speed * t) * p.Beta * e * e);
}

double PlainCrossing(const ParameterSet& p, double start, double end, double d, double speed) {
    double t = start;
    do {
        const double x = PlainPosition(p, t, speed);
        if (x + p.DispHalfStroke < x / d) return t;
        t = t + 0.1 * start / d;
    } while (t <= end);
    return 0;
}

double PlainTravelTime(const ParameterSet& p, double speed) {
    const double half = (6.28318 / speed) / 2;
    const double t1 = PlainCrossing(p, 0.01 * half, half, 10, speed);
    if (t1 == 0) return 0;
    const double t2 = PlainCrossing(p, 0.9 * t1, 1.1 * t1, 100, speed);
    if (t2 == 0) return 0;
    return PlainCrossing(p, 0.9 * t2, 1.1 * t2, 1000, speed);
}

std::vector<double> SweepSpeeds(double omegaBar) {
    std::vector<double> speeds;
    double speed = static_cast<double>(0.02L * omegaBar);
    do {
        speeds.push_back(speed);
        speed = static_cast<double>(0.02L * omegaBar + speed);
    } while (speed <= omegaBar);
    return speeds;
}

TEST(AnalyticDispPositionTest, FreeTravelStartsAtTheUpperStopWithoutSpring) {
    for (const ControlState& controls : {LargeEngineControls(), SmallEngineControls()}) {
        const ParameterSet p = ComputedParameters(controls);
        ASSERT_GT(p.OmegaBar, 0);
        for (double fraction : {0.1, 0.5, 1.0, 1.7}) {
            const double speed = fraction * p.OmegaBar;
            const CheckedValue t0 = TeeZeroTime(p, speed);
            ASSERT_TRUE(t0.valid);
            const CheckedValue x = AnalyticDispPosition(p, t0.value, speed);
            ASSERT_TRUE(x.valid);
            EXPECT_NEAR(x.value, p.DispHalfStroke, 1e-12 * p.DispHalfStroke) << fraction;
        }
    }
}

TEST(AnalyticDispPositionTest, InvalidWithoutStrokeStart) {
    ParameterSet p = ComputedParameters(LargeEngineControls());
    p.Lambda = 0.1;  // (1 - Tau - Rho) / (Lambda Kappa) > 1
    EXPECT_FALSE(AnalyticDispPosition(p, 0.01, 100).valid);
    EXPECT_FALSE(FindStopCrossing(p, 0.001, 0.01, 10, 100).valid);
    EXPECT_FALSE(DisplacerTravelTime(p, 100).valid);
    EXPECT_FALSE(PhaseAtSpeed(p, 100).valid);
}

// The search skips grid points it can prove to be above the limit; it must still return the
// very grid point a plain search finds.
TEST(DisplacerTravelTimeTest, EqualsAPlainSearchOverEveryGridPoint) {
    int found = 0;
    for (const ControlState& controls :
         {LargeEngineControls(), SmallEngineControls(), SprungEngineControls()}) {
        const ParameterSet p = ComputedParameters(controls);
        ASSERT_GT(p.OmegaBar, 0);
        std::vector<double> speeds = SweepSpeeds(p.OmegaBar);
        speeds.push_back(1.5 * p.OmegaBar);
        speeds.push_back(3 * p.OmegaBar);
        for (double speed : speeds) {
            const CheckedValue t = DisplacerTravelTime(p, speed);
            ASSERT_TRUE(t.valid);
            ASSERT_EQ(t.value, PlainTravelTime(p, speed)) << speed;
            if (t.value != 0) ++found;
        }
    }
    EXPECT_GT(found, 100);
}

TEST(PhaseAtSpeedTest, PhaseFromTravelTimeAndBeta) {
    const ParameterSet p = ComputedParameters(LargeEngineControls());
    const double speed = 0.8 * p.OmegaBar;
    const CheckedValue phase = PhaseAtSpeed(p, speed);
    ASSERT_TRUE(phase.valid);
    const double a = CheckedArcSin(1 / p.Beta).value;
    EXPECT_DOUBLE_EQ(phase.value, 3.14159 - a / 2 - speed * PlainTravelTime(p, speed) / 2);
    EXPECT_FALSE(PhaseAtSpeed(p, 0).valid);
}

class PowerCurveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.State = LargeEngineControls();
        session.Compute(true, false);
    }
    test::CountingSession session;
};

TEST_F(PowerCurveTest, PowerAndPhaseWithTheirMaximumInTheTitle) {
    session.State.ShowGraph2RG = 2;
    session.busyCursorShown = 0;
    session.cyclesEnded = 0;
    session.PowerSpeedCurve();
    const ParameterSet& p = session.Driver.Params;
    const PowerCurve& curve = session.Sim.Chart3;
    const std::vector<double> speeds = SweepSpeeds(p.OmegaBar);
    ASSERT_EQ(curve.PowerSeries.size(), speeds.size());
    ASSERT_EQ(curve.PhaseOrTorqueSeries.size(), speeds.size());
    EXPECT_GE(speeds.size(), 49u);
    std::size_t best = 0;
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        const double phase = PhaseAtSpeed(p, speeds[i]).value;
        EXPECT_EQ(curve.PowerSeries[i].x, RadPerSecToRpm(speeds[i]));
        EXPECT_DOUBLE_EQ(curve.PowerSeries[i].y, speeds[i] / 6.28318 * SchmidtWorkAt(p, phase));
        EXPECT_DOUBLE_EQ(curve.PhaseOrTorqueSeries[i].y, phase * 360 / 6.28318);
        if (curve.PowerSeries[i].y > curve.PowerSeries[best].y) best = i;
    }
    // The maximum the title names (presentation/chart_titles.h), in the units of the sweep.
    EXPECT_EQ(curve.End, PowerSweepEnd::MaxFound);
    EXPECT_TRUE(curve.MaxFound);
    EXPECT_EQ(curve.MaxPower, curve.PowerSeries[best].y);
    EXPECT_EQ(curve.MaxPhase, PhaseAtSpeed(p, speeds[best]).value);
    EXPECT_EQ(RadPerSecToRpm(curve.MaxSpeed), curve.PowerSeries[best].x);
    EXPECT_EQ(curve.Units.PressureOutputFormatRG, session.State.outputs.PressureOutputFormatRG);
    EXPECT_TRUE(curve.PhaseShown);
    EXPECT_EQ(session.busyCursorShown, 1);
    EXPECT_EQ(session.cyclesEnded, 0);  // the sweep simulates no cycle: nothing stops it
}

TEST_F(PowerCurveTest, TorqueIsPowerOverSpeed) {
    session.State.ShowGraph2RG = 3;
    session.PowerSpeedCurve();
    const PowerCurve& curve = session.Sim.Chart3;
    const std::vector<double> speeds = SweepSpeeds(session.Driver.Params.OmegaBar);
    ASSERT_EQ(curve.PhaseOrTorqueSeries.size(), speeds.size());
    for (std::size_t i = 0; i < speeds.size(); ++i)
        EXPECT_DOUBLE_EQ(curve.PhaseOrTorqueSeries[i].y, curve.PowerSeries[i].y / speeds[i]);
    EXPECT_FALSE(curve.PhaseShown);
    EXPECT_EQ(curve.End, PowerSweepEnd::MaxFound);
}

TEST_F(PowerCurveTest, NoOmegaBarLeavesTheCurveEmptyAndTheTitle) {
    session.State.ShowGraph2RG = 2;
    session.PowerSpeedCurve();
    ParameterSet& p = session.Driver.Params;
    p.OmegaBar = 0;
    const PowerCurve earlier = session.Sim.Chart3;
    ASSERT_EQ(earlier.End, PowerSweepEnd::MaxFound);
    session.PowerSpeedCurve();
    EXPECT_TRUE(session.Sim.Chart3.PowerSeries.empty());
    EXPECT_TRUE(session.Sim.Chart3.PhaseOrTorqueSeries.empty());
    // No maximum found now, but what the title says stays.
    EXPECT_FALSE(session.Sim.Chart3.MaxFound);
    EXPECT_EQ(session.Sim.Chart3.End, PowerSweepEnd::MaxFound);
    EXPECT_EQ(session.Sim.Chart3.MaxPower, earlier.MaxPower);
    EXPECT_EQ(session.Sim.Chart3.MaxSpeed, earlier.MaxSpeed);
}

TEST_F(PowerCurveTest, UncomputableStrokeStartEndsTheCurve) {
    // (1 - Tau - Rho) / (Lambda Kappa) above 1, as with a spring that lifts a Beta below 1.
    ParameterSet& p = session.Driver.Params;
    p.Lambda = 0.5;
    session.State.ShowGraph2RG = 2;
    session.PowerSpeedCurve();
    EXPECT_TRUE(session.Sim.Chart3.PowerSeries.empty());
    EXPECT_EQ(session.Sim.Chart3.End, PowerSweepEnd::PhaseUnknown);
    EXPECT_TRUE(session.Sim.Chart3.PhaseShown);
}

TEST_F(PowerCurveTest, NoPositivePowerHasATitleOfItsOwn) {
    session.Driver.Params.MeanEnginePressure = 0;  // no Schmidt work at any phase
    session.State.ShowGraph2RG = 3;
    session.PowerSpeedCurve();
    EXPECT_FALSE(session.Sim.Chart3.PowerSeries.empty());
    EXPECT_EQ(session.Sim.Chart3.End, PowerSweepEnd::NoPositivePower);
    EXPECT_FALSE(session.Sim.Chart3.MaxFound);
}

TEST_F(PowerCurveTest, SimulationRecomputesTheCurveWhenItIsShown) {
    session.State.ShowGraph2RG = 2;
    session.powerCurveShown = true;
    session.Sim.Chart3 = PowerCurve{};
    session.Compute(true, false);
    EXPECT_FALSE(session.Sim.Chart3.PowerSeries.empty());
    // The driver's refresh recomputes it for "Power/Torque" too.
    session.powerCurveShown = false;
    session.State.ShowGraph2RG = 3;
    session.Compute(false, true);
    EXPECT_FALSE(session.Sim.Chart3.PhaseShown);
}

}  // namespace
}  // namespace velmora
