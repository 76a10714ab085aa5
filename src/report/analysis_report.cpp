// The report lines of the analysis, written from its record and the parameter set after the
// steps have run. Nothing here changes a value; the lines and reference checks come in the
// order the steps computed them.
#include "report/analysis_report.h"

#include <cmath>
#include <string>

#include "report/number_text.h"
#include "report/unit_text.h"

namespace velmora {

namespace {

double FiniteOrZero(double x) {
    return std::isfinite(x) ? x : 0;
}

bool SpringTakesPart(const ParameterSet& p) {
    return p.SpringConstant != 0 && p.SpringFactor != 0;
}

void Fail(ReportWriter& memo2, const char* first, const char* because) {
    memo2.Add(first);
    if (because != nullptr) memo2.Add(because);
}

// A ratio step's value line with its reference check, or its failure lines.
void RatioLines(bool computed, double value, const char* label, const ReferenceValue& ref,
                ReportWriter& memo2, const char* first, const char* because) {
    if (!computed) {
        Fail(memo2, first, because);
        return;
    }
    memo2.Add(label + FormatNumber(value, memo2.Units().numbers));
    memo2.Check(ref, value);
}

void AreaLines(const AnalysisRecord& r, const ParameterSet& p, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    memo2.Add("    Displacer Area: " + AreaText(u, p.DispArea));
    memo2.Check(reference::DispArea, p.DispArea);
    memo2.Add("    Displacer Swept Volume: " + VolumeText(u, r.dispSweptVolume));
    memo2.Add("    Piston Area: " + AreaText(u, p.PistonArea));
    memo2.Check(reference::PistonArea, p.PistonArea);
    memo2.Add("    Piston Swept Volume: " + VolumeText(u, r.pistonSweptVolume));
    memo2.Add("    Displacer Rod Area: " + AreaText(u, p.DispRodArea));
    memo2.Check(reference::DispRodArea, p.DispRodArea);

    if (r.gasMass) {
        memo2.Add("    Gas Mass: " + MassText(u, p.GasMass));
    } else {
        Fail(memo2, "*** Unable to compute Gas Mass...",
             "       ...because a (Hot/Cold/Dead Space) Temperature is missing");
    }
}

void RatioLines(const AnalysisRecord& r, const ParameterSet& p, ReportWriter& memo2) {
    RatioLines(r.tau, p.Tau, "    Tau (Temp Ratio): ", reference::Tau, memo2,
               "*** Unable to compute Tau (Temp Ratio)...",
               "       ...because the Hot Temperature is missing");
    RatioLines(r.tauPrime, p.TauPrime,
               "    Tau Prime (Dead Space Temp Ratio): ", reference::TauPrime, memo2,
               "*** Unable to compute Tau Prime (Dead Space Temp Ratio)...",
               "       ...because the Dead Space Temperature is missing");
    RatioLines(r.lambda, p.Lambda, "    Lambda (Stroke Ratio): ", reference::Lambda, memo2,
               "*** Unable to compute Lambda (Stroke Ratio) because...", nullptr);
    RatioLines(r.rho, p.Rho, "    Rho (Displacer Rod Area Ratio): ", reference::Rho, memo2,
               "*** Unable to compute Rho (Displacer Rod Area Ratio)...",
               "       ...because the Displacer Diameter is missing");
    RatioLines(r.kappa, p.Kappa, "    Kappa (Swept Area Ratio): ", reference::Kappa, memo2,
               "*** Unable to compute Kappa (Swept Area Ratio)...",
               "       ...because the Displacer Diameter is missing");
    RatioLines(r.sigma, p.Sigma, "    Sigma (Dead Space Ratio): ", reference::Sigma, memo2,
               "*** Unable to compute Sigma (Dead Space Ratio)...",
               "       ...because the Displacer Diameter or Displacer Stroke is missing");

    const NumberSettings& numbers = memo2.Units().numbers;
    memo2.Add("    Sigma * Kappa (Swept Volume Ratio): " +
              FormatNumber(FiniteOrZero(p.Kappa * p.Lambda), numbers));
    memo2.Add("    1 - tau - rho: " + FormatNumber(1 - p.Tau - p.Rho, numbers));
}

void SpringAndBetaLines(const AnalysisRecord& r, const ParameterSet& p, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    RatioLines(r.k, p.K, "    K: ", reference::K, memo2, "*** Unable to compute K...",
               "       ...because the Displacer Mass or the Displacer Stroke is missing");
    if (r.ks == SpringStep::Computed) {
        memo2.Add("    K S: " + FormatNumber(r.ksValue, u.numbers));
    } else if (r.ks == SpringStep::Failed) {
        memo2.Add("*** Unable to compute K S...");
        memo2.Add("       ...because the Spring Constant > " +
                  SpringText(u, FiniteOrZero(p.K * p.DispMass)));
    }

    RatioLines(r.beta, r.betaBeforeSpring, "    Beta: ", reference::Beta, memo2,
               "*** Unable to compute Beta...",
               "       ...because the Temperature Ratio and/or the Rod Area Ratio is too large");
    if (r.betaS == SpringStep::Computed) {
        memo2.Add("    Beta S: " + FormatNumber(p.Beta, u.numbers));
    } else if (r.betaS == SpringStep::Failed) {
        memo2.Add("*** Unable to compute Beta S because K S is missing");
    }
    if (!(p.Beta >= 1) && p.SpringConstant == 0) {
        memo2.Add("!!! Ringboms with Beta < 1 will not work");
        memo2.Add("!!! Displacer Springs can offset Beta < 1");
    }
    if (1 - p.Tau - p.Rho < 0) memo2.Add("!!! Temp Ratio + Rod Area Ratio should be < 1");
}

void OverdriveLines(const AnalysisRecord& r, const ParameterSet& p, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    const bool spring = SpringTakesPart(p);
    RatioLines(r.chi, p.Chi, spring ? "    Chi S: " : "    Chi: ", reference::Chi, memo2,
               "*** Unable to compute Chi because Beta < 1", nullptr);
    if (r.gamma) {
        memo2.Add((spring ? "    gamma S: " : "    gamma: ") + FormatNumber(p.Gamma, u.numbers));
    } else {
        Fail(memo2, "*** Unable to compute Gamma...",
             "       ...because K or the Engine Speed is missing");
    }
    RatioLines(r.gammaM, p.GammaM, "    gammaM: ", reference::GammaM, memo2,
               "*** Unable to compute GammaM because Chi is missing", nullptr);
    memo2.Add("    Neutral Spring Constant: " + SpringText(u, p.NeutralSpringConstant));

    switch (r.alphaBar) {
        case AlphaBarStep::NoBeta:
            memo2.Add("*** Unable to compute Alpha Bar (phase angle) because Beta is missing");
            break;
        case AlphaBarStep::BetaBelowOne:
            memo2.Add("*** Unable to compute Alpha Bar (phase angle) because Beta < 1");
            break;
        case AlphaBarStep::Computed:
            memo2.Add("    Alpha Bar (phase angle): " + AngleText(u, p.AlphaBar));
            memo2.Check(reference::AlphaBarDegrees, RadiansToDegrees(p.AlphaBar));
            break;
    }

    switch (r.teeZero) {
        case TeeZeroStep::Missing:
            Fail(memo2, "*** Unable to compute Tee Zero...",
                 "       ...because Engine Speed, Stroke Ratio, or Swept Area Ratio is missing");
            break;
        case TeeZeroStep::OutOfRange:
            memo2.Add("*** Unable to compute Tee Zero: either");
            memo2.Add("***    you must decrease (Tau plus Rho) or");
            memo2.Add("***    you must increase either Lambda or Kappa");
            break;
        case TeeZeroStep::Computed:
            memo2.Add("    Tee Zero (Displacer Stroke Start): " +
                      FormatNumber(r.teeZeroDegrees, u.numbers) + " degrees");
            break;
    }
}

void SpeedLines(const AnalysisRecord& r, const ParameterSet& p, ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    if (p.OmegaBar != 0) {
        memo2.Add("    Speed: Omega Bar (overdriven limit): " + AngVelText(u, p.OmegaBar));
        memo2.Check(reference::OmegaBar, p.OmegaBar);
    } else {
        Fail(memo2, "*** Unable to compute Omega Bar...",
             "       ...because GammaM or K S is missing");
    }
    if (r.neutralSpeedLimit) {
        memo2.Add("    Speed: Limit with neutral springing: " +
                  AngVelText(u, p.NeutralSpringSpeedLimit));
    } else {
        Fail(memo2, "    Unable to compute Speed Limit with neutral springing...",
             "       ...because K or Beta is missing");
    }
    memo2.Add("    Speed: Specified Engine Speed      : " + AngVelText(u, p.EngineSpeed));
    if (r.omegaBarS) {
        memo2.Add("    Omega Bar S: " + AngVelText(u, r.omegaBarSValue));
    } else {
        memo2.Add("    Unable to compute Omega Bar S because Chi is missing");
    }
}

std::string PVPowerLine(const char* head, const std::string& speedText, double power,
                        const OutputUnits& u) {
    std::string line = head + speedText + ")";
    const std::size_t width = TextWidth(line);  // a group separator may take several bytes
    if (width < 52) line.append(52 - width, ' ');
    return line + ": " + PowerText(u, power);
}

}  // namespace

void WriteAnalysis(const AnalysisRecord& record, const ParameterSet& params, ReportWriter& memo2) {
    AreaLines(record, params, memo2);
    RatioLines(record, params, memo2);
    SpringAndBetaLines(record, params, memo2);
    OverdriveLines(record, params, memo2);
    SpeedLines(record, params, memo2);
    if (record.failureClearsMark) memo2.ClearMark();
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
             "       ...because Displacer Diameter, Displacer Stroke, or Alpha Bar is missing");
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

void WriteDisplacerLoss(const DisplacerLoss& loss, const ParameterSet& params,
                        ReportWriter& memo2) {
    const OutputUnits& u = memo2.Units();
    if (loss.computed) {
        memo2.Add("    Maximum Displacer Velocity: " +
                  FormatNumber(LengthToOutput(u, std::fabs(loss.velocity)), u.numbers) + " " +
                  VelocityUnitName(u));
        memo2.Add("    Displacer Power Loss: " + PowerText(u, loss.loss) + "(" +
                  FormatNumber(FiniteOrZero(loss.fraction * 100), u.numbers) + "%)");
    } else {
        Fail(memo2, "*** Unable to compute Displacer Power Loss...",
             "       ...because GammaM is missing");
    }
    memo2.Check(reference::DispPowerLoss, params.DispPowerLoss);
}

void AnalyzeEngine(ParameterSet& params, ReportWriter& memo2) {
    WriteAnalysis(AnalyzeEngine(params), params, memo2);
}

void AnalyzeDisplacerLoss(ParameterSet& params, ReportWriter& memo2) {
    WriteDisplacerLoss(ApplyDisplacerLoss(params), params, memo2);
}

}  // namespace velmora
