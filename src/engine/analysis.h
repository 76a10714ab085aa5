#pragma once

#include "engine/analysis_operations.h"
#include "engine/parameter_set.h"

namespace velmora {

// The Ringbom analysis of one compute run (its report lines: report/analysis_report.h), in parts so
// that the cycle simulation can run between them. The analysis computes without text: its values go
// into the parameter set, and how each step ended (with the values its report line shows that the
// parameter set does not keep) into an AnalysisRecord. The report lines are written from these
// afterwards.

enum class SpringStep : unsigned char { NotTried, Computed, Failed };
enum class AlphaBarStep : unsigned char { Computed, NoBeta, BetaBelowOne };
enum class TeeZeroStep : unsigned char { Computed, Missing, OutOfRange };

// How steps 1 to 31 ended. A step's flag is true when its value was computed (a computed value
// may still be 0); a failed step has stored 0 in its field.
struct AnalysisRecord {
    double dispSweptVolume = 0;    // m^3
    double pistonSweptVolume = 0;  // m^3
    bool gasMass = false;
    bool tau = false;
    bool tauPrime = false;
    bool lambda = false;
    bool rho = false;
    bool kappa = false;
    bool sigma = false;
    bool k = false;
    SpringStep ks = SpringStep::NotTried;  // tried with a spring constant and a K
    double ksValue = 0;
    bool beta = false;
    double betaBeforeSpring = 0;              // the value checked against the reference
    SpringStep betaS = SpringStep::NotTried;  // tried with a spring constant
    bool chi = false;
    bool gamma = false;
    bool gammaM = false;
    AlphaBarStep alphaBar = AlphaBarStep::NoBeta;
    TeeZeroStep teeZero = TeeZeroStep::Missing;
    double teeZeroDegrees = 0;
    bool neutralSpeedLimit = false;
    bool omegaBarS = false;
    double omegaBarSValue = 0;  // rad/s
    // A failed step that makes the run "not validated" (a ratio, K, Beta, Chi, GammaM, Alpha
    // Bar or Omega Bar).
    bool failureClearsMark = false;
};

// Steps 1 to 31: areas and ratios up to Omega Bar S.
AnalysisRecord AnalyzeEngine(ParameterSet& params);

// Step 34 as numbers: the maximum displacer velocity (m/s, signed), the power lost moving the
// displacer (W) and its fraction of the first power that is not zero (Schmidt, PV at Omega
// Bar, PV at engine speed); not computed without GammaM or when a value overflows.
struct DisplacerLoss {
    bool computed = false;
    double velocity = 0;
    double loss = 0;
    bool fractionComputed = false;  // false without a power to divide by
    double fraction = 0;
};
DisplacerLoss ComputeDisplacerLoss(const ParameterSet& params);

// Step 34: computes the loss and stores it in MaxDispVelocity and DispPowerLoss.
DisplacerLoss ApplyDisplacerLoss(ParameterSet& params);

}  // namespace velmora
