#pragma once

#include "engine/analysis.h"
#include "report/report_writer.h"

namespace velmora {

// The analysis's report: lines and reference checks written from what the analysis left in
// its record and the parameter set.

// Their report lines and reference checks, from the record and the parameter set as the
// analysis left it; clears the run's validation mark where a failure calls for it.
void WriteAnalysis(const AnalysisRecord& record, const ParameterSet& params, ReportWriter& memo2);

// Both: computes and writes.
void AnalyzeEngine(ParameterSet& params, ReportWriter& memo2);

// Step 32, after the simulation: the Schmidt work and power.
void ReportSchmidtResults(const ParameterSet& params, ReportWriter& memo2);

// Step 33: the powers of the pressure/volume diagram at the engine speed and at Omega Bar.
void ReportPVPowers(const ParameterSet& params, ReportWriter& memo2);

// Step 34: the displacer loss.
void WriteDisplacerLoss(const DisplacerLoss& loss, const ParameterSet& params, ReportWriter& memo2);

// Step 34: both.
void AnalyzeDisplacerLoss(ParameterSet& params, ReportWriter& memo2);

}  // namespace velmora
