#include "engine/analysis.h"

#include <cmath>
#include <string>

#include "engine/units.h"

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

// physics.md §9, Areas and gas charge.
void ComputeAreasAndVolumes(ParameterSet& p, AnalysisRecord& r) {
    p.DispArea = FiniteOrZero(kPi * p.DispRadius * p.DispRadius);
    r.dispSweptVolume = FiniteOrZero(p.DispArea * p.DispStroke);
    p.PistonArea = FiniteOrZero(kPi * p.PistonRadius * p.PistonRadius);
    r.pistonSweptVolume = FiniteOrZero(p.PistonArea * p.PistonStroke);
    p.DispRodArea = FiniteOrZero(kPi * p.DispRodRadius * p.DispRodRadius);
}

// physics.md §9, Areas and gas charge: the rod is not taken out of the cold space.
void ComputeGasMass(ParameterSet& p, AnalysisRecord& r) {
    const double pressure = p.MeanEnginePressure;
    const double mass = [&] {
        if (p.HotTemp == 0 || p.ColdTemp == 0 || p.DeadSpaceTemp == 0) return 0.0;
        return pressure * p.DispArea * p.DispHalfStroke / (kGasConstant * p.HotTemp) +
               pressure * (p.DispArea * p.DispHalfStroke + p.PistonArea * p.PistonHalfStroke) /
                   (kGasConstant * p.ColdTemp) +
               pressure * p.DeadSpaceVol / (kGasConstant * p.DeadSpaceTemp);
    }();
    r.gasMass = p.HotTemp != 0 && p.ColdTemp != 0 && p.DeadSpaceTemp != 0 && Finite(mass);
    p.GasMass = r.gasMass ? mass : 0;
}

// Stores `value` when `guard` holds and the value is finite, otherwise 0; a failure makes the
// run not validated. Returns whether the value was computed.
bool RatioStep(double& field, bool guard, double value, AnalysisRecord& r) {
    if (guard && Finite(value)) {
        field = value;
        return true;
    }
    field = 0;
    r.failureClearsMark = true;
    return false;
}

// physics.md §9, Ratios.
void ComputeRatios(ParameterSet& p, AnalysisRecord& r) {
    r.tau = RatioStep(p.Tau, p.HotTemp != 0, p.ColdTemp / p.HotTemp, r);
    r.tauPrime = RatioStep(p.TauPrime, p.DeadSpaceTemp != 0, p.ColdTemp / p.DeadSpaceTemp, r);
    r.lambda = RatioStep(p.Lambda, p.DispHalfStroke != 0, p.PistonHalfStroke / p.DispHalfStroke, r);
    r.rho = RatioStep(p.Rho, p.DispArea != 0, p.DispRodArea / p.DispArea, r);
    r.kappa = RatioStep(p.Kappa, p.DispArea != 0, p.PistonArea / p.DispArea, r);
    r.sigma = RatioStep(p.Sigma, p.DispArea != 0 && p.DispHalfStroke != 0,
                        p.TauPrime * p.DeadSpaceVol / (p.DispArea * p.DispHalfStroke), r);
}

// physics.md §9, Gas spring and overdrive: K and the spring factor.
void ComputeGasSpring(ParameterSet& p, AnalysisRecord& r) {
    const double m = p.DispMass;
    const double dispHalfStroke = p.DispHalfStroke;
    const double oneMinus = 1 - p.Tau - p.Rho;
    r.k = RatioStep(p.K, m != 0 && dispHalfStroke != 0,
                    p.DispArea * p.MeanEnginePressure * p.Rho * oneMinus /
                        (m * dispHalfStroke * ((1 + p.Tau - p.Rho) + p.Lambda * p.Kappa + p.Sigma)),
                    r);

    p.SpringFactor = 0;
    r.ks = SpringStep::NotTried;
    if (p.SpringConstant != 0 && p.K != 0) {
        const double ks = p.K - p.SpringConstant / m;
        const double factor = p.K / ks;
        if (ks > 0 && Finite(ks) && Finite(factor)) {
            r.ks = SpringStep::Computed;
            r.ksValue = ks;
            p.SpringFactor = factor;
        } else {
            r.ks = SpringStep::Failed;
        }
    }
}

// physics.md §9, Gas spring and overdrive: beta.
void ComputeBeta(ParameterSet& p, AnalysisRecord& r) {
    const double oneMinus = 1 - p.Tau - p.Rho;
    r.beta = RatioStep(p.Beta, oneMinus != 0, p.Lambda * p.Kappa / oneMinus, r);
    r.betaBeforeSpring = p.Beta;

    r.betaS = SpringStep::NotTried;
    if (p.SpringConstant != 0) {
        const double springBeta = p.Beta * p.SpringFactor;
        if (p.SpringFactor != 0 && Finite(springBeta)) {
            p.Beta = springBeta;
            r.betaS = SpringStep::Computed;
        } else {
            // A spring-modified beta that overflows is treated like a missing K S: no spring
            // takes part in the rest of the run.
            p.SpringFactor = 0;
            r.betaS = SpringStep::Failed;
        }
    }
}

// physics.md §9, Omega Bar.
void ComputeOverdrive(ParameterSet& p, AnalysisRecord& r) {
    r.chi = RatioStep(p.Chi, p.Beta > 1, std::sqrt(p.Beta * p.Beta - 1), r);

    const double omega = p.EngineSpeed;
    const double gamma = std::sqrt(p.K) / omega;
    r.gamma = omega != 0 && p.K > 0 && Finite(gamma);
    p.Gamma = r.gamma ? gamma : 0;

    r.gammaM = RatioStep(p.GammaM, p.Chi != 0, FindGammaM(p.Chi), r);

    double omegaBar = 0;
    if (p.GammaM != 0) {
        omegaBar = p.SpringFactor != 0 ? std::sqrt(p.K / p.SpringFactor) / p.GammaM
                                       : std::sqrt(p.K) / p.GammaM;
    }
    p.OmegaBar = FiniteOrZero(omegaBar);

    p.NeutralSpringConstant = FiniteOrZero(p.K * p.DispMass);
}

// physics.md §9, Phase, dwell time and Schmidt work.
void ComputePhaseAngle(ParameterSet& p, AnalysisRecord& r) {
    p.AlphaBar = 0;
    if (p.Beta == 0) {
        r.alphaBar = AlphaBarStep::NoBeta;
        r.failureClearsMark = true;
        return;
    }
    const CheckedValue a = CheckedArcSin(1 / p.Beta);
    if (!a.valid) {
        r.alphaBar = AlphaBarStep::BetaBelowOne;
        r.failureClearsMark = true;
        return;
    }
    p.AlphaBar = kHalfPi - a.value;
    r.alphaBar = AlphaBarStep::Computed;
}

// physics.md §9, Phase, dwell time and Schmidt work.
void ComputeTeeZero(ParameterSet& p, AnalysisRecord& r) {
    const double omega = p.EngineSpeed;
    p.TeeZero = 0;
    if (omega == 0 || p.Lambda == 0 || p.Kappa == 0) {
        r.teeZero = TeeZeroStep::Missing;
        return;
    }
    const CheckedValue t = TeeZeroTime(p, omega);
    const double degrees = 360 * t.value / (kTwoPi / omega);
    if (!t.valid || !Finite(degrees)) {
        r.teeZero = TeeZeroStep::OutOfRange;
        return;
    }
    p.TeeZero = t.value;
    r.teeZero = TeeZeroStep::Computed;
    r.teeZeroDegrees = degrees;
}

// physics.md §9, Phase, dwell time and Schmidt work.
void ComputeSchmidt(ParameterSet& p) {
    p.SchmidtWork = 0;
    p.SchmidtPower = 0;
    if (p.DispArea == 0 || p.DispStroke == 0 || p.AlphaBar == 0) return;
    p.SchmidtWork = SchmidtWorkAt(p, p.AlphaBar);
    p.SchmidtPower = FiniteOrZero(PowerFromWork(p.OmegaBar, p.SchmidtWork));
}

// physics.md §9, Omega Bar: the neutral spring speed limit and Omega Bar S.
void ComputeSpeeds(ParameterSet& p, AnalysisRecord& r) {
    if (p.OmegaBar == 0) r.failureClearsMark = true;

    const double limit = std::sqrt(kPi * p.K * p.Beta / 2);
    r.neutralSpeedLimit = p.K > 0 && p.Beta > 0 && Finite(limit);
    p.NeutralSpringSpeedLimit = r.neutralSpeedLimit ? limit : 0;

    const double divisor = OmegaBarSDivisor(p.Chi);
    const double omegaBarS = std::sqrt(p.K) / divisor;
    r.omegaBarS = divisor != 0 && Finite(omegaBarS);
    r.omegaBarSValue = r.omegaBarS ? omegaBarS : 0;
}

}  // namespace

AnalysisRecord AnalyzeEngine(ParameterSet& params) {
    AnalysisRecord record;
    ComputeAreasAndVolumes(params, record);
    ComputeGasMass(params, record);
    ComputeRatios(params, record);
    ComputeGasSpring(params, record);
    ComputeBeta(params, record);
    ComputeOverdrive(params, record);
    ComputePhaseAngle(params, record);
    ComputeTeeZero(params, record);
    ComputeSchmidt(params);
    ComputeSpeeds(params, record);
    return record;
}

// physics.md §9, Displacer loss.
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

DisplacerLoss ApplyDisplacerLoss(ParameterSet& params) {
    const DisplacerLoss loss = ComputeDisplacerLoss(params);
    params.MaxDispVelocity = loss.computed ? loss.velocity : 0;
    params.DispPowerLoss = loss.computed ? loss.loss : 0;
    return loss;
}

}  // namespace velmora
