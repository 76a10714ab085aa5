#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "report/analysis_report.h"
#include "report/number_text.h"
#include "report/unit_text.h"

namespace velmora {
namespace {

double Coth(double x) {
    return std::cosh(x) / std::sinh(x);
}

// ---- Shared operations

TEST(CheckedArcSin, ValidStrictlyInsideTheUnitInterval) {
    const CheckedValue half = CheckedArcSin(0.5);
    EXPECT_TRUE(half.valid);
    EXPECT_NEAR(half.value, std::numbers::pi / 6, 1e-15);
    EXPECT_NEAR(CheckedArcSin(-0.9).value, std::asin(-0.9), 1e-15);
    for (double x : {1.0, -1.0, 1.5, std::nan("")}) {
        const CheckedValue r = CheckedArcSin(x);
        EXPECT_FALSE(r.valid) << x;
        EXPECT_EQ(r.value, 0) << x;
    }
}

TEST(OverdriveFunction, IsCothOverX) {
    // ((e + 1) / x) / (e - 1) with e = exp(pi x) is coth(pi x / 2) / x.
    for (double x : {0.01, 0.1, 0.5, 0.924, 2.0, 10.0}) {
        EXPECT_NEAR(OverdriveFunction(x), Coth(kPi * x / 2) / x, 1e-12 * OverdriveFunction(x)) << x;
    }
    // Where exp(pi x) overflows the value is 1 / x, not inf / inf.
    EXPECT_DOUBLE_EQ(OverdriveFunction(300), 1.0 / 300);
    EXPECT_DOUBLE_EQ(OverdriveFunction(1e6), 1e-6);
}

// The grid point of FindGammaM: F falls under chi there but not one 0.001 step earlier.
void ExpectFirstGridPointBelow(double chi) {
    const double g = FindGammaM(chi);
    EXPECT_LT(OverdriveFunction(g), chi) << chi;
    EXPECT_GE(OverdriveFunction(g - 0.001), chi) << chi;
    const double steps = (g - 0.001) / 0.001;
    EXPECT_NEAR(steps, std::round(steps), 1e-6) << "not on the 0.001 grid: " << g;
}

TEST(FindGammaM, FirstPointOfTheFineGridBelowChi) {
    for (double chi : {0.3, 0.75, 1.21, 1.446, 2.13, 5.0, 40.0}) ExpectFirstGridPointBelow(chi);
    EXPECT_NEAR(FindGammaM(1.208350658), 0.924, 1e-9);
    EXPECT_NEAR(FindGammaM(1.457830718), 0.805, 1e-9);
}

TEST(FindGammaM, ZeroNegativeAndUndefinedChiGiveZero) {
    EXPECT_EQ(FindGammaM(0), 0);
    EXPECT_EQ(FindGammaM(-1.2), 0);
    EXPECT_EQ(FindGammaM(std::nan("")), 0);
}

TEST(FindGammaM, TinyChiEndsQuicklyNearOneOverChi) {
    // Beta barely above 1: the root lies near 1 / chi, millions of coarse steps away.
    const auto start = std::chrono::steady_clock::now();
    for (double chi : {1e-4, 4.5e-5, 1.5e-8}) {
        const double g = FindGammaM(chi);
        EXPECT_LT(OverdriveFunction(g), chi) << chi;
        EXPECT_GE(OverdriveFunction(g - 0.001), chi * (1 - 1e-12)) << chi;
        EXPECT_NEAR(g, 1 / chi, 0.002) << chi;
    }
    // Not a speed measurement: only that none of them searched millions of steps.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(OmegaBarSDivisor, FollowsTheIterationByHand) {
    EXPECT_EQ(OmegaBarSDivisor(0), 0);
    // chi = 10: x0 = 0.1, F(x0) = 64.18 >= chi, so x1 = x0 F(x0) / chi; F(x1) = 2.04 < chi, so
    // x2 = x1 (2 - F(x1) / chi), and F(x1) below chi ends the iteration.
    const double chi = 10;
    const double c0 = Coth(kPi * 0.1 / 2) / 0.1;
    const double x1 = 0.1 * c0 / chi;
    const double c1 = Coth(kPi * x1 / 2) / x1;
    const double x2 = x1 * (2 - c1 / chi);
    EXPECT_NEAR(OmegaBarSDivisor(chi), x2, 1e-12);
    EXPECT_NEAR(x2, 1.152980056832274, 1e-9);
}

TEST(OmegaBarSDivisor, EndsForExtremeChi) {
    for (double chi : {1e-12, 1e-6, 0.5, 1.21, 1e6, 1e20, 1e300}) {
        const double d = OmegaBarSDivisor(chi);
        EXPECT_TRUE(std::isfinite(d)) << chi;
    }
    EXPECT_EQ(OmegaBarSDivisor(-2), 0);
}

TEST(ShortfallWithin, IsOneSided) {
    EXPECT_FALSE(ShortfallWithin(100, 24453, 24700));  // exactly 1% below
    EXPECT_TRUE(ShortfallWithin(100, 24453.5, 24700));
    EXPECT_TRUE(ShortfallWithin(100, 24947, 24700));   // 1% above
    EXPECT_TRUE(ShortfallWithin(100, 247000, 24700));  // ten times
    EXPECT_FALSE(ShortfallWithin(100, 0, 24700));
    EXPECT_TRUE(ShortfallWithin(10, 95, 100));
    EXPECT_FALSE(ShortfallWithin(10, 90, 100));
}

TEST(PowerFromWork, WorkPerRevolutionTimesRevolutionsPerSecond) {
    EXPECT_DOUBLE_EQ(PowerFromWork(kTwoPi * 10, 5), 50);
    EXPECT_EQ(PowerFromWork(0, 5), 0);
}

// ---- Schmidt work against the isothermal Schmidt model, integrated numerically

ParameterSet SchmidtEngine(double deadSpace, double hot, double cold) {
    ParameterSet p;
    p.DispArea = 0.0127;
    p.DispStroke = 0.126;
    p.PistonArea = 0.0102;
    p.PistonStroke = 0.14;
    p.DeadSpaceVol = deadSpace;
    p.HotTemp = hot;
    p.ColdTemp = cold;
    p.Tau = cold / hot;
    p.MeanEnginePressure = 5e6;
    return p;
}

// p dV over one crank revolution: the hot space largest at crank angle 0, the piston's volume
// largest at the phase angle, dead-space gas at the mean of the two temperatures, and the gas
// mass chosen so that the time-mean pressure is the mean engine pressure. The integrand is
// smooth and periodic, so the rectangle rule converges geometrically.
double QuadratureWork(const ParameterSet& e, double alpha, int steps) {
    const double pi = std::numbers::pi;
    const double vd = e.DispArea * e.DispStroke;
    const double vp = e.PistonArea * e.PistonStroke;
    const double deadTemp = (e.HotTemp + e.ColdTemp) / 2;
    std::vector<double> pressure(steps), dVdTheta(steps);
    double sum = 0;
    for (int i = 0; i < steps; ++i) {
        const double theta = 2 * pi * i / steps;
        const double hot = vd / 2 * (1 + std::cos(theta));
        const double cold = vd / 2 * (1 - std::cos(theta)) + vp / 2 * (1 + std::cos(theta - alpha));
        pressure[i] = 1 / (hot / e.HotTemp + cold / e.ColdTemp + e.DeadSpaceVol / deadTemp);
        dVdTheta[i] = -vp / 2 * std::sin(theta - alpha);
        sum += pressure[i];
    }
    const double scale = e.MeanEnginePressure / (sum / steps);
    double work = 0;
    for (int i = 0; i < steps; ++i) work += scale * pressure[i] * dVdTheta[i];
    return work * 2 * pi / steps;
}

TEST(SchmidtWorkAt, AgreesWithQuadratureOfPdV) {
    // The closed form carries pi as 3.14159; with the exact pi it is the model's exact work.
    const double piCorrection = std::numbers::pi / kPi;
    double worst = 0;
    for (const ParameterSet& engine :
         {SchmidtEngine(0.00338, 923, 315), SchmidtEngine(0, 923, 315),
          SchmidtEngine(0.0005, 723, 320), SchmidtEngine(0.01, 600, 300)}) {
        for (double alpha : {0.3, 0.8795, 1.2, 1.570795, 2.5}) {
            const double formula = SchmidtWorkAt(engine, alpha) * piCorrection;
            const double quadrature = QuadratureWork(engine, alpha, 2048);
            const double relative = std::fabs(formula - quadrature) / std::fabs(quadrature);
            EXPECT_LT(relative, 1e-12) << "alpha " << alpha << " dead " << engine.DeadSpaceVol;
            worst = std::max(worst, relative);
        }
    }
    std::cout << "[ info ] Schmidt work vs quadrature, worst relative difference: " << worst
              << "\n";
}

TEST(SchmidtWorkAt, NoDisplacerVolumeGivesZero) {
    ParameterSet p = SchmidtEngine(0.00338, 923, 315);
    p.DispStroke = 0;
    EXPECT_EQ(SchmidtWorkAt(p, 0.88), 0);
}

// ---- The analysis steps

// KESTMORE-like inputs in SI units, set as the input reading would leave them.
ParameterSet EngineInputs() {
    ParameterSet p;
    p.DispDiameter = 0.1272;
    p.DispRadius = 0.0636;
    p.DispStroke = 0.126;
    p.DispHalfStroke = 0.063;
    p.DispMass = 1;
    p.DispRodDiameter = 0.0381;
    p.DispRodRadius = 0.01905;
    p.PistonDiameter = 0.114;
    p.PistonRadius = 0.057;
    p.PistonStroke = 0.14;
    p.PistonHalfStroke = 0.07;
    p.DeadSpaceVol = 0.00338;
    p.DeadSpaceTemp = 619;
    p.HotTemp = 923;
    p.ColdTemp = 315;
    p.EngineSpeed = 104.71966666666667;
    p.MeanEnginePressure = 5e6;
    return p;
}

// Radii that make Rho exactly 0.25 and Kappa exactly 0.25 (pi cancels), equal half strokes.
ParameterSet QuarterRatioInputs(double hot, double cold) {
    ParameterSet p = EngineInputs();
    p.DispRadius = 2;
    p.DispRodRadius = 1;
    p.PistonRadius = 1;
    p.DispHalfStroke = p.PistonHalfStroke = 0.05;
    p.DispStroke = p.PistonStroke = 0.1;
    p.HotTemp = hot;
    p.ColdTemp = cold;
    return p;
}

struct Analysis {
    std::vector<std::string> lines;
    OutputUnits units;
    std::string file;
    bool validated = true;

    void Run(ParameterSet& p) {
        ReportWriter memo2(lines, units, file, validated);
        AnalyzeEngine(p, memo2);
        ReportSchmidtResults(p, memo2);
        ReportPVPowers(p, memo2);
        AnalyzeDisplacerLoss(p, memo2);
    }
    bool Has(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    bool HasPrefix(const std::string& prefix) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }
    // The line after `line`, or "" when there is none.
    std::string After(const std::string& line) const {
        auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() || it + 1 == lines.end() ? "" : *(it + 1);
    }
};

TEST(Analysis, EngineWithoutFailuresKeepsTheMark) {
    ParameterSet p = EngineInputs();
    Analysis a;
    a.Run(p);
    EXPECT_TRUE(a.validated);
    // Only the PV powers fail: no simulation ran.
    EXPECT_EQ(std::count_if(a.lines.begin(), a.lines.end(),
                            [](const std::string& l) { return l.rfind("***", 0) == 0; }),
              2);
    EXPECT_EQ(std::count(a.lines.begin(), a.lines.end(),
                         "*** Unable to compute Power from Pressure/Volume graph"),
              2);
    EXPECT_FALSE(a.HasPrefix("!!!"));
    EXPECT_NEAR(p.K, 11994.2392, 1e-3);
    EXPECT_NEAR(p.Beta, 1.568474199, 1e-8);
    EXPECT_EQ(p.SpringFactor, 0);
    EXPECT_NEAR(p.OmegaBar, std::sqrt(p.K) / 0.924, 1e-9);
}

TEST(Analysis, HotTemperatureMissing) {
    ParameterSet p = EngineInputs();
    p.HotTemp = 0;
    Analysis a;
    a.Run(p);
    EXPECT_EQ(p.Tau, 0);
    EXPECT_EQ(a.After("*** Unable to compute Tau (Temp Ratio)..."),
              "       ...because the Hot Temperature is missing");
    EXPECT_EQ(a.After("*** Unable to compute Gas Mass..."),
              "       ...because a (Hot/Cold/Dead Space) Temperature is missing");
    EXPECT_FALSE(a.validated);
    // Beta still comes from 1 - Rho.
    EXPECT_DOUBLE_EQ(p.Beta, p.Lambda * p.Kappa / (1 - p.Rho));
    EXPECT_TRUE(a.Has("    1 - tau - rho: 0.91028"));
}

TEST(Analysis, TauPlusRhoExactlyOne) {
    ParameterSet p = QuarterRatioInputs(400, 300);  // Tau 0.75, Rho 0.25
    Analysis a;
    a.Run(p);
    EXPECT_EQ(p.Rho, 0.25);
    EXPECT_EQ(p.Beta, 0);
    EXPECT_TRUE(a.Has("    1 - tau - rho: 0"));
    EXPECT_EQ(a.After("*** Unable to compute Beta..."),
              "       ...because the Temperature Ratio and/or the Rod Area Ratio is too large");
    EXPECT_FALSE(a.Has("!!! Temp Ratio + Rod Area Ratio should be < 1"));
    EXPECT_FALSE(a.validated);
}

TEST(Analysis, TauPlusRhoAboveOne) {
    ParameterSet p = QuarterRatioInputs(350, 300);
    Analysis a;
    a.Run(p);
    EXPECT_LT(p.Beta, 0);
    EXPECT_TRUE(a.HasPrefix("    Beta: -"));
    EXPECT_TRUE(a.Has("!!! Temp Ratio + Rod Area Ratio should be < 1"));
    EXPECT_TRUE(a.Has("*** Unable to compute Chi because Beta < 1"));
    EXPECT_EQ(p.Chi, 0);
}

TEST(Analysis, BetaExactlyOne) {
    ParameterSet p = QuarterRatioInputs(400, 200);  // Lambda Kappa 0.25 over 1 - 0.5 - 0.25
    Analysis a;
    a.Run(p);
    EXPECT_EQ(p.Beta, 1);
    EXPECT_TRUE(a.Has("*** Unable to compute Chi because Beta < 1"));
    EXPECT_TRUE(a.Has("*** Unable to compute Alpha Bar (phase angle) because Beta < 1"));
    EXPECT_FALSE(a.HasPrefix("!!!"));
    // Chi 0: GammaM, Omega Bar, Omega Bar S, the Schmidt power and the loss all fail or are 0.
    EXPECT_EQ(p.Chi, 0);
    EXPECT_EQ(p.GammaM, 0);
    EXPECT_EQ(p.OmegaBar, 0);
    EXPECT_EQ(p.SchmidtPower, 0);
    EXPECT_EQ(p.DispPowerLoss, 0);
    EXPECT_TRUE(a.Has("*** Unable to compute GammaM because Chi is missing"));
    EXPECT_TRUE(a.Has("*** Unable to compute Omega Bar..."));
    EXPECT_TRUE(a.Has("    Unable to compute Omega Bar S because Chi is missing"));
    EXPECT_TRUE(a.Has("*** Unable to compute Displacer Power Loss..."));
}

TEST(Analysis, BetaBelowOneWarnsOnlyWithoutSpring) {
    ParameterSet p = QuarterRatioInputs(400, 200);
    p.PistonHalfStroke = 0.025;  // Lambda 0.5: Beta 0.5
    p.PistonStroke = 0.05;
    Analysis a;
    a.Run(p);
    EXPECT_DOUBLE_EQ(p.Beta, 0.5);
    EXPECT_EQ(a.After("!!! Ringboms with Beta < 1 will not work"),
              "!!! Displacer Springs can offset Beta < 1");

    ParameterSet sprung = QuarterRatioInputs(400, 200);
    sprung.PistonHalfStroke = 0.025;
    sprung.PistonStroke = 0.05;
    sprung.SpringConstant = 1;
    Analysis b;
    b.Run(sprung);
    EXPECT_FALSE(b.HasPrefix("!!!"));
}

TEST(Analysis, SpringAtOrAboveKTimesMass) {
    for (double factor : {1.0, 2.0}) {
        ParameterSet p = EngineInputs();  // mass 1 kg: k / m is k exactly
        ParameterSet probe = p;
        Analysis first;
        first.Run(probe);
        p.SpringConstant = probe.K * p.DispMass * factor;
        Analysis a;
        a.units.SpringOutputFormatRG = 0;
        a.Run(p);
        EXPECT_EQ(p.SpringFactor, 0) << factor;
        EXPECT_EQ(a.After("*** Unable to compute K S..."),
                  "       ...because the Spring Constant > 11,994 N/m");
        EXPECT_TRUE(a.Has("*** Unable to compute Beta S because K S is missing"));
        EXPECT_TRUE(a.HasPrefix("    Chi: "));
        EXPECT_TRUE(a.validated) << "these failures leave the mark";
    }
}

TEST(Analysis, SpringRaisesBetaAndOmegaBar) {
    ParameterSet p = EngineInputs();
    p.SpringConstant = 4000;
    Analysis a;
    a.Run(p);
    const double ks = 11994.2392047 - 4000;
    EXPECT_NEAR(p.SpringFactor, 11994.2392047 / ks, 1e-9);
    EXPECT_NEAR(p.Beta, 1.568474199 * p.SpringFactor, 1e-8);
    EXPECT_NEAR(p.OmegaBar, std::sqrt(ks) / p.GammaM, 1e-6);
    EXPECT_TRUE(a.Has("    K S: 7,994"));
    EXPECT_TRUE(a.Has("    Beta: 1.568"));
    EXPECT_TRUE(a.Has("    Beta S: 2.353"));
    EXPECT_TRUE(a.HasPrefix("    Chi S: "));
    EXPECT_TRUE(a.HasPrefix("    gamma S: "));
}

TEST(Analysis, EngineSpeedZero) {
    ParameterSet p = EngineInputs();
    p.EngineSpeed = 0;
    Analysis a;
    a.Run(p);
    EXPECT_EQ(a.After("*** Unable to compute Gamma..."),
              "       ...because K or the Engine Speed is missing");
    EXPECT_EQ(a.After("*** Unable to compute Tee Zero..."),
              "       ...because Engine Speed, Stroke Ratio, or Swept Area Ratio is missing");
    EXPECT_NE(p.OmegaBar, 0);
    EXPECT_NE(p.SchmidtWork, 0);
    EXPECT_NE(p.SchmidtPower, 0);
    EXPECT_TRUE(a.validated);
    EXPECT_TRUE(a.Has("*** Unable to compute Power from Pressure/Volume graph..."));
    EXPECT_EQ(a.After("*** Unable to compute Power from Pressure/Volume graph..."),
              "       ...because Engine Speed is missing");
}

TEST(Analysis, AlphaBarForBetaOnePointFiftySeven) {
    ParameterSet p = EngineInputs();
    p.DispRodRadius = 0;  // Rho 0
    p.HotTemp = 1000;
    p.ColdTemp = 430;  // 1 - Tau 0.57
    p.PistonRadius = p.DispRadius;
    p.PistonHalfStroke = p.DispHalfStroke * 1.57 * 0.57;
    p.PistonStroke = 2 * p.PistonHalfStroke;
    Analysis a;
    a.units.AngleOutputFormatRG = 1;
    a.Run(p);
    EXPECT_NEAR(p.Beta, 1.57, 1e-12);
    EXPECT_NEAR(p.AlphaBar, 1.570795 - std::asin(1 / 1.57), 1e-12);
    EXPECT_NEAR(p.AlphaBar, 0.880, 0.0005);
    EXPECT_TRUE(a.Has("    Alpha Bar (phase angle): 50.436 degrees"));
}

TEST(Analysis, LossFractionWithoutAnyPowerIsZeroPercent) {
    ParameterSet p = EngineInputs();
    p.MeanEnginePressure = 0;  // K 0, so Omega Bar and every power are 0
    Analysis a;
    a.Run(p);
    EXPECT_EQ(p.SchmidtPower, 0);
    EXPECT_TRUE(a.Has("    Displacer Power Loss: 0 watts(0%)"));
}

TEST(Analysis, LossFractionFallsBackToThePVPowers) {
    ParameterSet p = EngineInputs();
    p.DispStroke = 0;  // no Schmidt work; the half stroke keeps the rest alive
    p.PVPowerAtOmegaBar = 2000;
    p.PVPowerAtEngineSpeed = 1000;
    Analysis a;
    a.Run(p);
    ASSERT_EQ(p.SchmidtPower, 0);
    ASSERT_GT(p.DispPowerLoss, 0);
    // Divided by the power at Omega Bar, the first of the two that is not zero.
    EXPECT_EQ(a.lines.back(), "    Displacer Power Loss: " + PowerText(a.units, p.DispPowerLoss) +
                                  "(" + FormatNumber(p.DispPowerLoss / 2000 * 100) + "%)");
    p.PVPowerAtOmegaBar = 0;
    Analysis b;
    b.Run(p);
    EXPECT_EQ(b.lines.back(), "    Displacer Power Loss: " + PowerText(b.units, p.DispPowerLoss) +
                                  "(" + FormatNumber(p.DispPowerLoss / 1000 * 100) + "%)");
}

TEST(Analysis, OverflowingInputsNeverLeaveInfOrNaN) {
    ParameterSet p = EngineInputs();
    for (double* field : {&p.DispRadius, &p.DispStroke, &p.DispHalfStroke, &p.PistonRadius,
                          &p.MeanEnginePressure, &p.DeadSpaceVol, &p.HotTemp}) {
        *field = 1e300;
    }
    p.SpringConstant = 1e300;
    Analysis a;
    a.Run(p);
    const double* begin = reinterpret_cast<const double*>(&p);
    for (std::size_t i = 0; i < sizeof(ParameterSet) / sizeof(double); ++i) {
        EXPECT_TRUE(std::isfinite(begin[i])) << "field " << i;
    }
    for (const std::string& line : a.lines) {
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        EXPECT_EQ(lower.find("nan"), std::string::npos) << line;
        EXPECT_EQ(lower.find("inf"), std::string::npos) << line;
    }
}

TEST(Analysis, MarkClearedOnlyByTheNamedFailures) {
    // Missing dead space temperature: Tau Prime fails (clears the mark); the gas mass fails
    // too, which alone would not.
    ParameterSet p = EngineInputs();
    p.DeadSpaceTemp = 0;
    Analysis a;
    a.Run(p);
    EXPECT_FALSE(a.validated);

    // No mass: K fails (clears).
    ParameterSet q = EngineInputs();
    q.DispMass = 0;
    Analysis b;
    b.Run(q);
    EXPECT_FALSE(b.validated);
    EXPECT_EQ(b.After("*** Unable to compute K..."),
              "       ...because the Displacer Mass or the Displacer Stroke is missing");
}

}  // namespace
}  // namespace velmora
