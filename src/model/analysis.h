#pragma once

#include "model/analysis_operations.h"
#include "model/parameter_set.h"
#include "model/report_writer.h"

namespace velmora {

// The Ringbom analysis of one compute run, in parts so that the cycle simulation can run
// between them. Each part writes its value, failure and warning lines and their reference
// checks into memo2 and clears the run's validation mark where a failure calls for it.

// Steps 1 to 31: areas and ratios up to Omega Bar S.
void AnalyzeEngine(ParameterSet& params, ReportWriter& memo2);

// Step 32, after the simulation: the Schmidt work and power.
void ReportSchmidtResults(const ParameterSet& params, ReportWriter& memo2);

// Step 33: the powers of the pressure/volume diagram at the engine speed and at Omega Bar.
void ReportPVPowers(const ParameterSet& params, ReportWriter& memo2);

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

// Step 34: maximum displacer velocity and the power lost moving the displacer.
void AnalyzeDisplacerLoss(ParameterSet& params, ReportWriter& memo2);

}  // namespace velmora
