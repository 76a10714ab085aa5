#include "model/analysis.h"

#include <cmath>
#include <string>

#include "model/number_text.h"
#include "model/units.h"

// Arithmetic faults. Every guard of the analysis tests its operands for exact zero, but
// absurd inputs (1e300 and the like) can still overflow or produce undefined results. The
// rule chosen here: a result that is not a finite number counts as not computable. A step with
// failure lines then fails exactly as if one of its operands were missing (field 0, its lines,
// the mark as that failure says); a step without a guard stores 0 and shows it. So no field of
// the parameter set ever holds inf or NaN, and every later guard sees a clean 0.

namespace velmora {

namespace {

bool Finite(double x) {
    return std::isfinite(x);
}

// The value itself when finite, else 0 (steps without a guard).
double FiniteOrZero(double x) {
    return Finite(x) ? x : 0;
}

void Fail(ReportWriter& memo2, const char* first, const char* because, bool clearsMark) {
    memo2.Add(first);
    if (because != nullptr) memo2.Add(because);
    if (clearsMark) memo2.ClearMark();
}

bool SpringTakesPart(const ParameterSet& p) {
    return p.SpringConstant != 0 && p.SpringFactor != 0;
}

void ComputeAreasAndVolumes(ParameterSet& p, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    p.DispArea = FiniteOrZero(kPi * p.DispRadius * p.DispRadius);
    memo2.Add("    Displacer Area: " + AreaText(u, p.DispArea));
    memo2.Check(reference::DispArea, p.DispArea);
    memo2.Add("    Displacer Swept Volume: " +
              VolumeText(u, FiniteOrZero(p.DispArea * p.DispStroke)));

    p.PistonArea = FiniteOrZero(kPi * p.PistonRadius * p.PistonRadius);
    memo2.Add("    Piston Area: " + AreaText(u, p.PistonArea));
    memo2.Check(reference::PistonArea, p.PistonArea);
    memo2.Add("    Piston Swept Volume: " +
              VolumeText(u, FiniteOrZero(p.PistonArea * p.PistonStroke)));

    p.DispRodArea = FiniteOrZero(kPi * p.DispRodRadius * p.DispRodRadius);
    memo2.Add("    Displacer Rod Area: " + AreaText(u, p.DispRodArea));
    memo2.Check(reference::DispRodArea, p.DispRodArea);
}

void ComputeGasMass(ParameterSet& p, ReportWriter& memo2) {
    const double pressure = p.MeanEnginePressure;
    const double mass = [&] {
        if (p.HotTemp == 0 || p.ColdTemp == 0 || p.DeadSpaceTemp == 0) return 0.0;
        return pressure * p.DispArea * p.DispHalfStroke / (kGasConstant * p.HotTemp) +
               pressure * (p.DispArea * p.DispHalfStroke + p.PistonArea * p.PistonHalfStroke) /
                   (kGasConstant * p.ColdTemp) +
               pressure * p.DeadSpaceVol / (kGasConstant * p.DeadSpaceTemp);
    }();
    const bool computed = p.HotTemp != 0 && p.ColdTemp != 0 && p.DeadSpaceTemp != 0 && Finite(mass);
    p.GasMass = computed ? mass : 0;
    if (computed) {
        memo2.Add("    Gas Mass: " + MassText(memo2.Units(), p.GasMass));
    } else {
        Fail(memo2, "*** Unable to compute Gas Mass...",
             "       ...because a (Hot/Cold/Dead Space) Temperature is missing", false);
    }
}

// Stores `value` when `guard` holds and the value is finite, and writes its value line with
// its reference check; otherwise stores 0 and writes the failure lines. Returns whether the
// value was computed.
bool RatioStep(double& field, bool guard, double value, const char* label,
               const ReferenceValue& ref, ReportWriter& memo2, const char* first,
               const char* because) {
    if (guard && Finite(value)) {
        field = value;
        memo2.Add(label + FormatNumber(field, memo2.Units().numbers));
        memo2.Check(ref, field);
        return true;
    }
    field = 0;
    Fail(memo2, first, because, true);
    return false;
}

void ComputeRatios(ParameterSet& p, ReportWriter& memo2) {
    RatioStep(p.Tau, p.HotTemp != 0, p.ColdTemp / p.HotTemp,
              "    Tau (Temp Ratio): ", reference::Tau, memo2,
              "*** Unable to compute Tau (Temp Ratio)...",
              "       ...because the Hot Temperature is missing");
    RatioStep(p.TauPrime, p.DeadSpaceTemp != 0, p.ColdTemp / p.DeadSpaceTemp,
              "    Tau Prime (Dead Space Temp Ratio): ", reference::TauPrime, memo2,
              "*** Unable to compute Tau Prime (Dead Space Temp Ratio)...",
              "       ...because the Dead Space Temperature is missing");
    RatioStep(p.Lambda, p.DispHalfStroke != 0, p.PistonHalfStroke / p.DispHalfStroke,
              "    Lambda (Stroke Ratio): ", reference::Lambda, memo2,
              "*** Unable to compute Lambda (Stroke Ratio) because...", nullptr);
    RatioStep(p.Rho, p.DispArea != 0, p.DispRodArea / p.DispArea,
              "    Rho (Displacer Rod Area Ratio): ", reference::Rho, memo2,
              "*** Unable to compute Rho (Displacer Rod Area Ratio)...",
              "       ...because the Displacer Diameter is missing");
    RatioStep(p.Kappa, p.DispArea != 0, p.PistonArea / p.DispArea,
              "    Kappa (Swept Area Ratio): ", reference::Kappa, memo2,
              "*** Unable to compute Kappa (Swept Area Ratio)...",
              "       ...because the Displacer Diameter is missing");
    RatioStep(p.Sigma, p.DispArea != 0 && p.DispHalfStroke != 0,
              p.TauPrime * p.DeadSpaceVol / (p.DispArea * p.DispHalfStroke),
              "    Sigma (Dead Space Ratio): ", reference::Sigma, memo2,
              "*** Unable to compute Sigma (Dead Space Ratio)...",
              "       ...because the Displacer Diameter or Displacer Stroke is missing");

    const NumberSettings& numbers = memo2.Units().numbers;
    memo2.Add("    Sigma * Kappa (Swept Volume Ratio): " +
              FormatNumber(FiniteOrZero(p.Kappa * p.Lambda), numbers));
    memo2.Add("    1 - tau - rho: " + FormatNumber(1 - p.Tau - p.Rho, numbers));
}

void ComputeGasSpring(ParameterSet& p, ReportWriter& memo2) {
    const double m = p.DispMass;
    const double hd = p.DispHalfStroke;
    const double oneMinus = 1 - p.Tau - p.Rho;
    RatioStep(p.K, m != 0 && hd != 0,
              p.DispArea * p.MeanEnginePressure * p.Rho * oneMinus /
                  (m * hd * ((1 + p.Tau - p.Rho) + p.Lambda * p.Kappa + p.Sigma)),
              "    K: ", reference::K, memo2, "*** Unable to compute K...",
              "       ...because the Displacer Mass or the Displacer Stroke is missing");

    p.SpringFactor = 0;
    if (p.SpringConstant != 0 && p.K != 0) {
        const double ks = p.K - p.SpringConstant / m;
        const double factor = p.K / ks;
        if (ks > 0 && Finite(ks) && Finite(factor)) {
            memo2.Add("    K S: " + FormatNumber(ks, memo2.Units().numbers));
            p.SpringFactor = factor;
        } else {
            memo2.Add("*** Unable to compute K S...");
            memo2.Add("       ...because the Spring Constant > " +
                      SpringText(memo2.Units(), FiniteOrZero(p.K * m)));
        }
    }
}

void ComputeBeta(ParameterSet& p, ReportWriter& memo2) {
    const double oneMinus = 1 - p.Tau - p.Rho;
    RatioStep(p.Beta, oneMinus != 0, p.Lambda * p.Kappa / oneMinus, "    Beta: ", reference::Beta,
              memo2, "*** Unable to compute Beta...",
              "       ...because the Temperature Ratio and/or the Rod Area Ratio is too large");

    if (p.SpringConstant != 0) {
        const double springBeta = p.Beta * p.SpringFactor;
        if (p.SpringFactor != 0 && Finite(springBeta)) {
            p.Beta = springBeta;
            memo2.Add("    Beta S: " + FormatNumber(p.Beta, memo2.Units().numbers));
        } else {
            // A spring-modified beta that overflows is treated like a missing K S: no spring
            // takes part in the rest of the run.
            p.SpringFactor = 0;
            memo2.Add("*** Unable to compute Beta S because K S is missing");
        }
    }

    if (!(p.Beta >= 1) && p.SpringConstant == 0) {
        memo2.Add("!!! Ringboms with Beta < 1 will not work");
        memo2.Add("!!! Displacer Springs can offset Beta < 1");
    }
    if (oneMinus < 0) memo2.Add("!!! Temp Ratio + Rod Area Ratio should be < 1");
}

void ComputeOverdrive(ParameterSet& p, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    const bool spring = SpringTakesPart(p);

    RatioStep(p.Chi, p.Beta > 1, std::sqrt(p.Beta * p.Beta - 1),
              spring ? "    Chi S: " : "    Chi: ", reference::Chi, memo2,
              "*** Unable to compute Chi because Beta < 1", nullptr);

    const double omega = p.EngineSpeed;
    const double gamma = std::sqrt(p.K) / omega;
    if (omega != 0 && p.K > 0 && Finite(gamma)) {
        p.Gamma = gamma;
        memo2.Add((spring ? "    gamma S: " : "    gamma: ") + FormatNumber(p.Gamma, u.numbers));
    } else {
        p.Gamma = 0;
        Fail(memo2, "*** Unable to compute Gamma...",
             "       ...because K or the Engine Speed is missing", false);
    }

    RatioStep(p.GammaM, p.Chi != 0, FindGammaM(p.Chi), "    gammaM: ", reference::GammaM, memo2,
              "*** Unable to compute GammaM because Chi is missing", nullptr);

    double omegaBar = 0;
    if (p.GammaM != 0) {
        omegaBar = p.SpringFactor != 0 ? std::sqrt(p.K / p.SpringFactor) / p.GammaM
                                       : std::sqrt(p.K) / p.GammaM;
    }
    p.OmegaBar = FiniteOrZero(omegaBar);

    p.NeutralSpringConstant = FiniteOrZero(p.K * p.DispMass);
    memo2.Add("    Neutral Spring Constant: " + SpringText(u, p.NeutralSpringConstant));
}

void ComputePhaseAngle(ParameterSet& p, ReportWriter& memo2) {
    p.AlphaBar = 0;
    if (p.Beta == 0) {
        Fail(memo2, "*** Unable to compute Alpha Bar (phase angle) because Beta is missing",
             nullptr, true);
        return;
    }
    const CheckedValue a = CheckedArcSin(1 / p.Beta);
    if (!a.valid) {
        Fail(memo2, "*** Unable to compute Alpha Bar (phase angle) because Beta < 1", nullptr,
             true);
        return;
    }
    p.AlphaBar = kHalfPi - a.value;
    memo2.Add("    Alpha Bar (phase angle): " + AngleText(memo2.Units(), p.AlphaBar));
    memo2.Check(reference::AlphaBarDegrees, RadiansToDegrees(p.AlphaBar));
}

void ComputeTeeZero(ParameterSet& p, ReportWriter& memo2) {
    const double omega = p.EngineSpeed;
    p.TeeZero = 0;
    if (omega == 0 || p.Lambda == 0 || p.Kappa == 0) {
        Fail(memo2, "*** Unable to compute Tee Zero...",
             "       ...because Engine Speed, Stroke Ratio, or Swept Area Ratio is missing", false);
        return;
    }
    const CheckedValue t = TeeZeroTime(p, omega);
    const double degrees = 360 * t.value / (kTwoPi / omega);
    if (!t.valid || !Finite(degrees)) {
        memo2.Add("*** Unable to compute Tee Zero: either");
        memo2.Add("***    you must decrease (Tau plus Rho) or");
        memo2.Add("***    you must increase either Lambda or Kappa");
        return;
    }
    p.TeeZero = t.value;
    memo2.Add("    Tee Zero (Displacer Stroke Start): " +
              FormatNumber(degrees, memo2.Units().numbers) + " degrees");
}

void ComputeSchmidt(ParameterSet& p) {
    p.SchmidtWork = 0;
    p.SchmidtPower = 0;
    if (p.DispArea == 0 || p.DispStroke == 0 || p.AlphaBar == 0) return;
    p.SchmidtWork = SchmidtWorkAt(p, p.AlphaBar);
    p.SchmidtPower = FiniteOrZero(PowerFromWork(p.OmegaBar, p.SchmidtWork));
}

void ReportSpeeds(ParameterSet& p, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    if (p.OmegaBar != 0) {
        memo2.Add("    Speed: Omega Bar (overdriven limit): " + AngVelText(u, p.OmegaBar));
        memo2.Check(reference::OmegaBar, p.OmegaBar);
    } else {
        Fail(memo2, "*** Unable to compute Omega Bar...",
             "       ...because GammaM or K S is missing", true);
    }

    const double limit = std::sqrt(kPi * p.K * p.Beta / 2);
    if (p.K > 0 && p.Beta > 0 && Finite(limit)) {
        p.NeutralSpringSpeedLimit = limit;
        memo2.Add("    Speed: Limit with neutral springing: " + AngVelText(u, limit));
    } else {
        p.NeutralSpringSpeedLimit = 0;
        Fail(memo2, "    Unable to compute Speed Limit with neutral springing...",
             "       ...because K or Beta is missing", false);
    }

    memo2.Add("    Speed: Specified Engine Speed      : " + AngVelText(u, p.EngineSpeed));

    const double divisor = OmegaBarSDivisor(p.Chi);
    const double omegaBarS = std::sqrt(p.K) / divisor;
    if (divisor != 0 && Finite(omegaBarS)) {
        memo2.Add("    Omega Bar S: " + AngVelText(u, omegaBarS));
    } else {
        memo2.Add("    Unable to compute Omega Bar S because Chi is missing");
    }
}

std::string PVPowerLine(const char* head, const std::string& speedText, double power,
                        const OutputUnits& u) {
    std::string line = head + speedText + ")";
    if (line.size() < 52) line.append(52 - line.size(), ' ');
    return line + ": " + PowerText(u, power);
}

}  // namespace

void AnalyzeEngine(ParameterSet& params, ReportWriter& memo2) {
    ComputeAreasAndVolumes(params, memo2);
    ComputeGasMass(params, memo2);
    ComputeRatios(params, memo2);
    ComputeGasSpring(params, memo2);
    ComputeBeta(params, memo2);
    ComputeOverdrive(params, memo2);
    ComputePhaseAngle(params, memo2);
    ComputeTeeZero(params, memo2);
    ComputeSchmidt(params);
    ReportSpeeds(params, memo2);
}

void ReportSchmidtResults(const ParameterSet& params, ReportWriter& memo2) {
    if (params.SchmidtWork != 0) {
        memo2.Add("    Estimated Work (Schmidt): " +
                  FormatNumber(params.SchmidtWork, memo2.Units().numbers) + " Nm");
        memo2.Check(reference::SchmidtWork, params.SchmidtWork);
        memo2.Add("    Power: Estimated (Schmidt)                      : " +
                  PowerText(memo2.Units(), params.SchmidtPower));
    } else {
        Fail(memo2, "*** Unable to compute Estimated Power(Schmidt)...",
             "       ...because Displacer Diameter, Displacer Stroke, or Alpha Bar is missing",
             false);
    }
    memo2.Check(reference::SchmidtPower, params.SchmidtPower);
}

void ReportPVPowers(const ParameterSet& params, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    if (params.PVPowerAtEngineSpeed != 0) {
        memo2.Add(PVPowerLine("    Power: from PV graph at Engine Speed (",
                              AngVelText(u, params.EngineSpeed), params.PVPowerAtEngineSpeed, u));
    } else if (params.EngineSpeed != 0) {
        memo2.Add("*** Unable to compute Power from Pressure/Volume graph");
    } else {
        memo2.Add("*** Unable to compute Power from Pressure/Volume graph...");
        memo2.Add("       ...because Engine Speed is missing");
    }

    if (params.PVPowerAtOmegaBar != 0) {
        memo2.Add(PVPowerLine("    Power: from PV graph at Omega Bar (",
                              AngVelText(u, params.OmegaBar), params.PVPowerAtOmegaBar, u));
    } else if (params.OmegaBar != 0) {
        memo2.Add("*** Unable to compute Power from Pressure/Volume graph");
    } else {
        memo2.Add("*** Unable to compute Power at Omega Bar from Pressure/Volume graph...");
        memo2.Add("       ...because Omega Bar is missing");
    }
}

DisplacerLoss ComputeDisplacerLoss(const ParameterSet& p) {
    DisplacerLoss result;
    const double velocity =
        -2 * p.DispHalfStroke * std::sqrt(p.K) * p.GammaM * p.Chi / (p.GammaM * p.GammaM + 1);
    const double loss = (p.OmegaBar / kTwoPi) * p.DispMass * velocity * velocity;
    if (p.GammaM == 0 || !Finite(velocity) || !Finite(loss)) return result;
    result.computed = true;
    result.velocity = velocity;
    result.loss = loss;
    // The loss fraction divides by the first power that is not zero. When all three are
    // zero (a mean pressure of 0, say) there is no divisor: the fraction is shown as 0%,
    // as is a fraction that overflows.
    double divisor = p.PVPowerAtEngineSpeed;
    if (p.SchmidtPower != 0) {
        divisor = p.SchmidtPower;
    } else if (p.PVPowerAtOmegaBar != 0) {
        divisor = p.PVPowerAtOmegaBar;
    }
    result.fractionComputed = divisor != 0 && Finite(loss / divisor);
    result.fraction = divisor != 0 ? FiniteOrZero(loss / divisor) : 0;
    return result;
}

void AnalyzeDisplacerLoss(ParameterSet& params, ReportWriter& memo2) {
    ParameterSet& p = params;
    const OutputUnits& u = memo2.Units();
    const DisplacerLoss loss = ComputeDisplacerLoss(p);
    if (loss.computed) {
        p.MaxDispVelocity = loss.velocity;
        p.DispPowerLoss = loss.loss;
        memo2.Add("    Maximum Displacer Velocity: " +
                  FormatNumber(LengthToOutput(u, std::fabs(loss.velocity)), u.numbers) + " " +
                  VelocityUnitName(u));
        memo2.Add("    Displacer Power Loss: " + PowerText(u, loss.loss) + "(" +
                  FormatNumber(FiniteOrZero(loss.fraction * 100), u.numbers) + "%)");
    } else {
        p.MaxDispVelocity = 0;
        p.DispPowerLoss = 0;
        Fail(memo2, "*** Unable to compute Displacer Power Loss...",
             "       ...because GammaM is missing", false);
    }
    memo2.Check(reference::DispPowerLoss, p.DispPowerLoss);
}

}  // namespace velmora
